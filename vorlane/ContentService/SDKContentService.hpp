#pragma once
// The content service: every operation reads the current query configuration, finds the
// descriptor of its query key, assembles variables, runs the query through the client session on
// the legacy or the Explore path, and decodes the answer into a typed result.
//
// The service is a value: it has no threads, locks or mutable state of its own, copies freely, and
// reads every current-value holder at the moment an operation is called. Every operation returns a
// cold Single: the query starts, and its start is logged, when the caller subscribes.
//
// The building blocks below are what each operation is made of. An operation of the legacy API:
//
//   rx::Single<Video> getVideo(const std::string& contentId) const {
//       return legacyQuery<SingleVideoContainer>(ContentQueryIdentifier::video, {{"contentId", contentId}})
//           .map([](SingleVideoContainer answer) { return requireMember(std::move(answer.video)); });
//   }
//
// and of the Explore API:
//
//   return exploreGet<ExplorePageResponse>(ContentQueryIdentifier::explorePage, JsonValue{{"pageId", pageId}}, params);

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/ContentService/ContentService.hpp"
#include "vorlane/ContentService/QueryFactory.hpp"
#include "vorlane/ContentService/SDKContentServiceError.hpp"
#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Session.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"
#include "vorlane/Tracking/NonFatalErrorTracker.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

namespace vorlane {

// Source lines the session is told for each kind of call.
inline constexpr int kLegacySearchLine = 729;
inline constexpr int kExploreExecuteLine = 740;

// What a content service is built from: the client session and its companions, and the host's
// current-value holders, which every operation reads when it is called. Named fields, so that two
// inputs of one type cannot be swapped unnoticed:
//
//   SDKContentService service({.session = session, .requestCoordinator = coordinator,
//                              .nonFatalErrorTracker = tracker, .partner = "partner",
//                              .config = config, .currentCountry = country, ...});
//
// Every holder must be given (they have no empty state); `fixed` makes holders of constant values.
struct SDKContentServiceInputs {
    std::shared_ptr<sdk::Session> session;
    std::shared_ptr<sdk::Coordinator> requestCoordinator;
    std::shared_ptr<const NonFatalErrorTracker> nonFatalErrorTracker;
    std::string partner;
    BehaviorReader<ContentQueryConfiguration> config;
    BehaviorReader<std::string> currentCountry;
    BehaviorReader<std::optional<std::string>> portabilityCountry;
    BehaviorReader<bool> isKidsMode;
    BehaviorReader<std::optional<std::int64_t>> impliedMaturityRating;
    BehaviorReader<std::string> preferredLanguage;
    BehaviorReader<sdk::SearchOverrides> searchOverrides;
    BehaviorReader<bool> liveAndUnratedEnabled;
    BehaviorReader<std::optional<std::string>> profileId;

    // Inputs that keep the values of `context` (and `configuration`) for good: what the command
    // line, the benchmarks and tests run with.
    static SDKContentServiceInputs fixed(std::shared_ptr<sdk::Session> session, ContentQueryConfiguration configuration,
                                         const QueryContext& context,
                                         std::shared_ptr<const NonFatalErrorTracker> nonFatalErrorTracker = nullptr);
};

class SDKContentService final : public ContentService, public AvatarService {
public:
    using Inputs = SDKContentServiceInputs;

    explicit SDKContentService(Inputs inputs) : inputs_(std::move(inputs)) {}

    const Inputs& inputs() const noexcept { return inputs_; }
    const std::shared_ptr<sdk::Session>& session() const noexcept { return inputs_.session; }
    const std::shared_ptr<sdk::Coordinator>& requestCoordinator() const noexcept { return inputs_.requestCoordinator; }
    const std::string& partner() const noexcept { return inputs_.partner; }
    const json::DecoderSettings& decoder() const noexcept { return decoder_; }

    // ---- Content operations ---------------------------------------------------------------------

    rx::Single<Video> getVideo(const std::string& contentId) const override;
    rx::Single<Video> getLegacyVideo(const std::string& key, const EncodedIdentifier& encodedId) const override;
    rx::Single<Video> getVideo(const EncodedIdentifier& encodedSeriesId, std::int64_t seasonSequenceNumber,
                               std::int64_t episodeSequenceNumber) const override;
    rx::Single<UpNext> getUpNextVideo(const std::string& contentId) const override;
    rx::Single<VideosContainer> getExtras(const EncodedIdentifier& encodedFamilyId, std::int64_t page,
                                          PageSize pageSize) const override;
    using ContentService::getContent;
    rx::Single<ContentSet> getContent(const ContentSetReferenceLocator& locator,
                                      const AdditionalParameters& additionalParameters,
                                      const std::optional<ItemPage>& page) const override;
    using ContentService::getBundle;
    rx::Single<ContentBundle> getBundle(const ContentReferenceLocator& locator) const override;
    rx::Single<SeriesBundle> getSeriesBundle(const EncodedIdentifier& encodedSeriesId) const override;
    rx::Single<VideoBundle> getVideoBundle(const EncodedIdentifier& encodedFamilyId) const override;
    rx::Single<std::vector<ContentCoder>> search(const std::string& text, const std::optional<std::string>& queryType,
                                                 PageSize pageSize) const override;
    rx::Single<EpisodesPageSet> getEpisodes(const std::string& seasonId) const override;
    rx::Single<ContentCollection> getCollection(const ContentCollectionReferenceLocator& locator) const override;
    rx::Single<RelatedContainer> getRelatedItemsForVideo(const EncodedIdentifier& encodedFamilyId) const override;
    rx::Single<RelatedContainer> getRelatedItemsForSeries(const EncodedIdentifier& encodedSeriesId) const override;
    rx::Single<ProgramBundle> getProgramBundle(const EncodedIdentifier& encodedFamilyId) const override;
    rx::Single<OrderedMap<AiringState>> getLiveNow(std::int64_t page) const override;
    rx::Single<LiveEpisodes> getLiveAndUpcomingEpisodes(const EncodedIdentifier& encodedSeriesId) const override;
    rx::Single<Airing> getAiring(const std::string& contentId) const override;
    rx::Single<Airing> getAiringByAiringId(const std::string& airingId) const override;

    // ---- Explore operations ---------------------------------------------------------------------

    rx::Single<Page> getPage(const std::string& refIdType, const std::string& refId) const override;
    rx::Single<ExplorePageResponse> getExplorePage(const std::string& pageId,
                                                   const std::optional<std::uint64_t>& enhancedContainersLimit,
                                                   const std::optional<std::uint64_t>& limit) const override;
    rx::Single<ExploreSetResponse> getExploreSet(const std::string& setId, std::int64_t offset,
                                                 const std::optional<std::uint64_t>& limit,
                                                 const JsonValue& params) const override;
    rx::Single<ExploreSeasonResponse> getSeason(const std::string& seasonId, const std::optional<std::int64_t>& limit,
                                                const std::optional<std::int64_t>& offset) const override;
    rx::Single<ExplorePageResponse> unifiedSearch(const std::string& query) const override;
    using ContentService::getExploreDeeplink;
    rx::Single<ExploreDeeplink> getExploreDeeplink(const std::string& refId, ExploreDeeplinkReferenceIdType refIdType,
                                                   const std::optional<ActionTypeIdentifier>& action) const override;
    rx::Single<PlayerExperienceResponse> getPlayerExperience(const std::string& availId) const override;
    rx::Single<ExploreUpNextResponse> getExploreUpNext(const std::string& contentId) const override;
    rx::Single<rx::Unit> addToWatchlistExplore(const sdk::WatchlistRequest& request) const override;
    rx::Single<rx::Unit> removeFromWatchlistExplore(const sdk::WatchlistRequest& request) const override;

    // ---- Personalization operations -------------------------------------------------------------

    rx::Single<UserEntityStateMap> getUserState(const std::vector<std::string>& pids) const override;
    rx::Single<std::vector<DownloadMetadataV1_4>> getDownloadMetadata(
        const std::vector<sdk::ContentIdentifier>& contentIdentifiers) const override;
    rx::Single<std::vector<DownloadMetadataV1_4>> getDownloadMetadata(const std::string& seasonId) const override;
    rx::Single<OrderedMap<EpisodeBookmark>> getContinueWatchingSeason(const std::string& seasonId) const override;
    rx::Single<ContinueWatchingVideoResponse> getContinueWatchingVideo(const EncodedIdentifier& familyId,
                                                                       const BookmarkUpsert& bookmarkUpsert) const override;
    rx::Single<PersonalizedProgramBundle> getPersonalizedProgramBundle(const EncodedIdentifier& familyId,
                                                                       const BookmarkUpsert& bookmarkUpsert) const override;
    rx::Single<PersonalizedSeriesBundle> getPersonalizedSeriesBundle(const EncodedIdentifier& seriesId,
                                                                     const BookmarkUpsert& bookmarkUpsert) const override;
    rx::Single<WatchlistResponse> putItemInWatchlist(const std::string& with, const std::string& refId,
                                                     const std::string& refIdType, const JsonValue& source) const override;
    rx::Single<WatchlistResponse> deleteItemFromWatchlist(const std::string& with, const std::string& refId,
                                                          const std::string& refIdType,
                                                          const JsonValue& source) const override;

    // ---- Avatar operations ----------------------------------------------------------------------

    rx::Single<std::vector<Avatar>> getAvatars(const std::vector<std::string>& avatarIds) const override;
    rx::Single<std::vector<Avatar>> getDefaultAvatars() const override;

    // ---- Building blocks ------------------------------------------------------------------------

    // The descriptor configured now for `key`, or absent.
    std::optional<ContentQueryDescriptor> descriptor(ContentQueryIdentifier key) const;

    // The region of a legacy query: the portability country, else the current country. When both
    // are empty, one non-fatal report is sent and the empty region is used.
    std::string resolveRegion() const;

    // The legacy query for `key` with the operation's variables and the standard ones; absent
    // without a descriptor. Reads the current inputs and resolves the region (reporting an empty one).
    std::optional<sdk::RestQuery> restQuery(ContentQueryIdentifier key, const QueryVariables& variables) const;

    // A result that fails with the service error `error` when subscribed.
    template <class T>
    static rx::Single<T> failure(SDKContentServiceError error) {
        return rx::error<T>(std::system_error(make_error_code(error)));
    }

    // The value of an answer's expected member, or the `missing` failure.
    template <class T>
    static T requireMember(std::optional<T> member) {
        if (!member) throw std::system_error(make_error_code(SDKContentServiceError::missing));
        return std::move(*member);
    }

    // Legacy path: the answer decoded as Response with the shared ISO-8601 decoder. Without a
    // descriptor the result fails with `whenUndescribed` and nothing is sent.
    template <class Response>
    rx::Single<Response> legacyQuery(ContentQueryIdentifier key, const QueryVariables& variables,
                                     SDKContentServiceError whenUndescribed = SDKContentServiceError::nullQueryId) const {
        auto query = restQuery(key, variables);
        if (!query) return failure<Response>(whenUndescribed);
        return runLegacy<Response>(std::move(*query));
    }

    // The legacy path for a query already built (whose variables the caller also needs).
    template <class Response>
    rx::Single<Response> runLegacy(sdk::RestQuery query) const {
        auto api = inputs_.session->contentApi();
        auto overrides = inputs_.searchOverrides.value();
        std::string queryId = query.name;
        JsonValue logged = query.variables;
        return api->template search<Response>(std::move(query), decoder_, std::move(overrides), std::nullopt,
                                              sdk::CallSite{__FILE__, kLegacySearchLine})
            .doOnSubscribe([queryId = std::move(queryId), logged = std::move(logged)] { logRequest(queryId, logged); });
    }

    // Explore GET path: the descriptor's query id and API version with these variables and params,
    // the answer decoded with fresh default decoder settings. No standard variables.
    template <class Response>
    rx::Single<Response> exploreGet(ContentQueryIdentifier key, std::optional<JsonValue> variables,
                                    std::optional<JsonValue> params,
                                    SDKContentServiceError whenUndescribed = SDKContentServiceError::nullQueryId) const {
        auto found = descriptor(key);
        if (!found) return failure<Response>(whenUndescribed);
        return executeExplore<Response>(sdk::ExploreGetQuery{found->queryId, found->apiVersion, std::move(variables),
                                                             std::move(params)});
    }

    // Explore POST path: the body object encoded as the networking layer sends JSON (see
    // postBody); a body it cannot encode fails the result and nothing is sent.
    template <class Response>
    rx::Single<Response> explorePost(ContentQueryIdentifier key, const JsonValue& body) const {
        auto found = descriptor(key);
        if (!found) return failure<Response>(SDKContentServiceError::nullQueryId);
        std::string encoded;
        try {
            encoded = postBody(body);
        } catch (const std::invalid_argument&) {
            return rx::error<Response>(std::current_exception());
        }
        return executeExplore<Response>(sdk::ExplorePostQuery{found->queryId, found->apiVersion, std::move(encoded)});
    }

    // Raw-bytes path: the operation's own variables only, no overrides; yields the answer's bytes.
    // The start is logged under `requestName` (e.g. "watchlist.put") rather than the query id.
    rx::Single<std::string> rawQuery(ContentQueryIdentifier key, const QueryVariables& variables,
                                     std::string requestName, int line) const;

    // "Executing request: <queryId>, variables: <variables>" at debug level.
    static void logRequest(const std::string& queryId, const JsonValue& variables);
    // The same for Explore queries, with ", exploreParams: <params>".
    static void logExploreRequest(const std::string& queryId, const std::optional<JsonValue>& variables,
                                  const std::optional<JsonValue>& params);

private:
    // The personalized legacy queries: the plain key, or the bookmark key with the normalized
    // bookmark merged after the id variable, when `bookmarkUpsert` holds a usable bookmark.
    template <class Response>
    rx::Single<Response> personalizedQuery(ContentQueryIdentifier plainKey, ContentQueryIdentifier bookmarkKey,
                                           std::string idVariable, const EncodedIdentifier& id,
                                           const BookmarkUpsert& bookmarkUpsert) const {
        const auto bookmark = normalizedBookmark(bookmarkUpsert);
        QueryVariables variables{{std::move(idVariable), id}};
        if (bookmark) variables.merge(*bookmark);
        return legacyQuery<Response>(bookmark ? bookmarkKey : plainKey, variables);
    }
    rx::Single<WatchlistResponse> changeWatchlist(bool isAdd, const std::string& with, const std::string& refId,
                                                  const std::string& refIdType, const JsonValue& source) const;
    rx::Single<std::vector<DownloadMetadataV1_4>> downloadMetadataQuery(const JsonValue& body) const;
    rx::Single<ContentSet> exploreSetQuery(const ContentSetReferenceLocator& locator,
                                           const AdditionalParameters& additionalParameters,
                                           const std::optional<ItemPage>& page) const;

    // The set queries of getContent, by the kind of set.
    rx::Single<ContentSet> legacySetQuery(ContentQueryIdentifier key, const ContentSetReferenceLocator& locator,
                                          const AdditionalParameters& additionalParameters,
                                          const std::optional<ItemPage>& page) const;
    rx::Single<ContentSet> continueWatchingSetQuery(const ContentSetReferenceLocator& locator,
                                                    const AdditionalParameters& additionalParameters) const;

    template <class Response>
    rx::Single<Response> executeExplore(sdk::ExploreQuery query) const {
        std::string queryId = sdk::queryIdOf(query);
        auto variables = sdk::variablesOf(query);
        auto params = sdk::paramsOf(query);
        return inputs_.session->exploreApi()
            ->execute(std::move(query), sdk::CallSite{__FILE__, kExploreExecuteLine})
            .doOnSubscribe([queryId = std::move(queryId), variables = std::move(variables), params = std::move(params)] {
                logExploreRequest(queryId, variables, params);
            })
            .map([](const std::string& bytes) { return json::decode<Response>(bytes, decoderSettings(ApiGeneration::explore)); });
    }

    Inputs inputs_;
    json::DecoderSettings decoder_ = decoderSettings(ApiGeneration::legacy);
    QueryFactory queryFactory_;
};

}  // namespace vorlane
