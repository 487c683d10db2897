// The Explore API's queries: pages, sets, seasons, up next, the player experience, deep links and
// unified search over the Explore GET path; the legacy details page; and the Explore watchlist.
// Explore queries carry none of the standard variables; a map the query does not use is not sent
// at all, while the params of pages, sets and seasons are always sent, empty or not.

#include "vorlane/ContentService/SDKContentService.hpp"

namespace vorlane {

namespace {

// Source lines the session is told for the Explore watchlist calls.
constexpr int kExploreWatchlistAddLine = 828;
constexpr int kExploreWatchlistRemoveLine = 833;

JsonValue object(std::initializer_list<std::pair<const char*, JsonValue>> members) {
    JsonValue out = JsonValue::object();
    for (const auto& [key, value] : members) out[key] = value;
    return out;
}

}  // namespace

rx::Single<Page> SDKContentService::getPage(const std::string& refIdType, const std::string& refId) const {
    return legacyQuery<Page>(ContentQueryIdentifier::page, {{"refIdType", refIdType}, {"refId", refId}});
}

rx::Single<ExplorePageResponse> SDKContentService::getExplorePage(const std::string& pageId,
                                                                  const std::optional<std::uint64_t>& enhancedContainersLimit,
                                                                  const std::optional<std::uint64_t>& limit) const {
    JsonValue params = JsonValue::object();
    if (limit) params["limit"] = *limit;
    if (enhancedContainersLimit) params["enhancedContainersLimit"] = *enhancedContainersLimit;
    return exploreGet<ExplorePageResponse>(ContentQueryIdentifier::explorePage, object({{"pageId", pageId}}),
                                           std::move(params));
}

rx::Single<ExploreSetResponse> SDKContentService::getExploreSet(const std::string& setId, std::int64_t offset,
                                                                const std::optional<std::uint64_t>& limit,
                                                                const JsonValue& params) const {
    if (!params.is_null() && !params.is_object())
        return rx::error<ExploreSetResponse>(
            std::invalid_argument("the params of a set query must be a JSON object, not " + params.dump()));
    // The caller's params come after the offset and limit and cannot replace them.
    JsonValue sent = object({{"offset", offset}});
    if (limit) sent["limit"] = *limit;
    if (params.is_object())
        for (const auto& [key, value] : params.items())
            if (!sent.contains(key)) sent[key] = value;
    return exploreGet<ExploreSetResponse>(ContentQueryIdentifier::exploreSet, object({{"setId", setId}}),
                                          std::move(sent), SDKContentServiceError::missingDescriptor);
}

rx::Single<ExploreSeasonResponse> SDKContentService::getSeason(const std::string& seasonId,
                                                               const std::optional<std::int64_t>& limit,
                                                               const std::optional<std::int64_t>& offset) const {
    JsonValue params = JsonValue::object();
    if (limit) params["limit"] = *limit;
    if (offset) params["offset"] = *offset;
    return exploreGet<ExploreSeasonResponse>(ContentQueryIdentifier::season, object({{"seasonId", seasonId}}),
                                             std::move(params));
}

rx::Single<ExplorePageResponse> SDKContentService::unifiedSearch(const std::string& query) const {
    // Sent as typed: the params are not a path, so nothing is escaped.
    return exploreGet<ExplorePageResponse>(ContentQueryIdentifier::unifiedSearch, std::nullopt, object({{"query", query}}));
}

rx::Single<ExploreDeeplink> SDKContentService::getExploreDeeplink(const std::string& refId,
                                                                  ExploreDeeplinkReferenceIdType refIdType,
                                                                  const std::optional<ActionTypeIdentifier>& action) const {
    JsonValue params = object({{"refId", refId}, {"refIdType", std::string(json::wireString(refIdType))}});
    // Only a deeplink id names an entity with several destinations; the action picks one.
    if (refIdType == ExploreDeeplinkReferenceIdType::deeplinkId && action)
        params["action"] = std::string(json::wireString(*action));
    return exploreGet<ExploreDeeplink>(ContentQueryIdentifier::deeplink, std::nullopt, std::move(params));
}

rx::Single<PlayerExperienceResponse> SDKContentService::getPlayerExperience(const std::string& availId) const {
    return exploreGet<PlayerExperienceResponse>(ContentQueryIdentifier::playerExperience, object({{"availId", availId}}),
                                                std::nullopt);
}

rx::Single<ExploreUpNextResponse> SDKContentService::getExploreUpNext(const std::string& contentId) const {
    return exploreGet<ExploreUpNextResponse>(ContentQueryIdentifier::exploreUpNext, std::nullopt,
                                             object({{"contentId", contentId}}));
}

rx::Single<rx::Unit> SDKContentService::addToWatchlistExplore(const sdk::WatchlistRequest& request) const {
    return inputs_.session->exploreApi()
        ->addToWatchlist(request, sdk::CallSite{__FILE__, kExploreWatchlistAddLine})
        .andThen(rx::just(rx::Unit{}));
}

rx::Single<rx::Unit> SDKContentService::removeFromWatchlistExplore(const sdk::WatchlistRequest& request) const {
    return inputs_.session->exploreApi()
        ->removeFromWatchlist(request, sdk::CallSite{__FILE__, kExploreWatchlistRemoveLine})
        .andThen(rx::just(rx::Unit{}));
}

rx::Single<ContentSet> SDKContentService::exploreSetQuery(const ContentSetReferenceLocator& locator,
                                                          const AdditionalParameters& additionalParameters,
                                                          const std::optional<ItemPage>& page) const {
    std::optional<std::uint64_t> limit;
    // A page asks for its size; "all" has no count to send, so the service's own limit applies.
    if (page && page->pageSize != PageSize::all) limit = static_cast<std::uint64_t>(rawValue(page->pageSize));
    return getExploreSet(locator.refId, page ? page->offset : 0, limit, additionalParameters)
        .map([](const ExploreSetResponse& answer) { return requireMember(answer.exploreSet).contentSet(); });
}

}  // namespace vorlane
