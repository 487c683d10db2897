// The content, bundle, set, collection, airing and search operations of the legacy content API.

#include "vorlane/ContentService/CollectionClass.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Models/Content/OstrelSearch.hpp"

#include <stdexcept>
#include <system_error>

namespace vorlane {

namespace {

using Key = ContentQueryIdentifier;

// The first video of an answer that lists videos, or the `missing` failure.
Video firstVideo(VideosContainer answer) {
    if (answer.videos.empty()) throw std::system_error(make_error_code(SDKContentServiceError::missing));
    return std::move(answer.videos.front());
}

JsonValue pageSizeValue(PageSize size) { return rawValue(size); }

std::string_view setTypeWire(ContentSetType type) { return json::wireString(type); }

}  // namespace

rx::Single<Video> SDKContentService::getVideo(const std::string& contentId) const {
    return legacyQuery<SingleVideoContainer>(Key::video, {{"contentId", contentId}})
        .map([](SingleVideoContainer answer) { return requireMember(std::move(answer.video)); });
}

rx::Single<Video> SDKContentService::getLegacyVideo(const std::string& key, const EncodedIdentifier& encodedId) const {
    return legacyQuery<VideosContainer>(Key::video, {{key, encodedId}}).map(firstVideo);
}

rx::Single<Video> SDKContentService::getVideo(const EncodedIdentifier& encodedSeriesId,
                                              std::int64_t seasonSequenceNumber,
                                              std::int64_t episodeSequenceNumber) const {
    return legacyQuery<VideosContainer>(Key::video, {{"encodedSeriesId", encodedSeriesId},
                                                     {"seasonSequenceNumber", seasonSequenceNumber},
                                                     {"episodeSequenceNumber", episodeSequenceNumber}})
        .map(firstVideo);
}

rx::Single<UpNext> SDKContentService::getUpNextVideo(const std::string& contentId) const {
    return legacyQuery<UpNextResponse>(Key::upNext, {{"contentId", contentId}}).map([](UpNextResponse answer) {
        auto decision = UpNext::from(answer);
        if (const UpNextError* error = decision.rightIfPresent()) throw std::system_error(make_error_code(*error));
        return decision.left();
    });
}

rx::Single<VideosContainer> SDKContentService::getExtras(const EncodedIdentifier& encodedFamilyId, std::int64_t page,
                                                         PageSize pageSize) const {
    return legacyQuery<VideosContainer>(
        Key::extras, {{"encodedFamilyId", encodedFamilyId}, {"page", page}, {"pageSize", pageSizeValue(pageSize)}});
}

rx::Single<ContentSet> SDKContentService::getContent(const ContentSetReferenceLocator& locator,
                                                     const AdditionalParameters& additionalParameters,
                                                     const std::optional<ItemPage>& page) const {
    if (!additionalParameters.is_null() && !additionalParameters.is_object())
        return rx::error<ContentSet>(std::invalid_argument("the additional parameters of a set query must be a JSON object, not " +
                                                           additionalParameters.dump()));
    if (locator.refType == ContentSetType::continueWatching)
        return continueWatchingSetQuery(locator, additionalParameters);
    if (locator.refType == ContentSetType::exploreSet)
        return rx::error<ContentSet>(std::logic_error(
            "sets of type \"ExploreSet\" are fetched through the Explore set query, which this library does not "
            "build yet"));
    return legacySetQuery(*legacySetQueryKey(locator.refType), locator, additionalParameters, page);
}

rx::Single<ContentSet> SDKContentService::legacySetQuery(ContentQueryIdentifier key,
                                                         const ContentSetReferenceLocator& locator,
                                                         const AdditionalParameters& additionalParameters,
                                                         const std::optional<ItemPage>& page) const {
    QueryVariables variables{{"setId", locator.refId}, {"setType", std::string(setTypeWire(locator.refType))}};
    if (page) variables.set("page", pageNumber(*page)).set("pageSize", pageSizeValue(page->pageSize));
    variables.merge(additionalParameters);  // the caller's values win, even for the four above
    return legacyQuery<ContentSet>(key, variables);
}

rx::Single<ContentSet> SDKContentService::continueWatchingSetQuery(const ContentSetReferenceLocator& locator,
                                                                   const AdditionalParameters& additionalParameters) const {
    const auto bookmark = normalizedBookmark(additionalParameters);
    QueryVariables variables;
    variables.merge(additionalParameters);
    // Unlike the other sets, the locator's own id and type cannot be overridden here.
    variables.set("setId", locator.refId).set("setType", std::string(setTypeWire(locator.refType)));
    if (bookmark) variables.merge(*bookmark);
    const Key key = bookmark ? Key::continueWatchingSetWithBookmark : Key::continueWatchingSet;
    auto query = restQuery(key, variables);
    if (!query) return failure<ContentSet>(SDKContentServiceError::nullQueryId);
    // The videos of the answer carry the user's positions; the SDK's bookmark store learns them
    // before the set is delivered.
    auto api = session_->contentApi();
    return runLegacy<ContentSet>(std::move(*query)).doOnSuccess([api, profileId = profileId_.value()](const ContentSet& set) {
        std::vector<sdk::Bookmark> bookmarks;
        for (const auto& item : set.items) {
            const Video* video = item.as<Video>();
            if (!video) continue;
            sdk::Bookmark bookmark{video->contentId, profileId, 0, std::nullopt, std::nullopt};
            if (video->meta && video->meta->bookmarkData) {
                const Bookmark& data = *video->meta->bookmarkData;
                bookmark.playhead = data.playhead;
                bookmark.runtime = data.runtime;
                bookmark.occurredOn = data.occurredOn;
            }
            bookmarks.push_back(std::move(bookmark));
        }
        api->bookmarks().import(bookmarks);
    });
}

rx::Single<ContentBundle> SDKContentService::getBundle(const ContentReferenceLocator& locator) const {
    if (!locator.id) return failure<ContentBundle>(SDKContentServiceError::missingIdentifier);
    const char* refusal = "Attempting to get a bundle of an unknown kind";
    switch (locator.type) {
        case ContentTypeIdentifier::video:
            return getVideoBundle(*locator.id).map([](VideoBundle bundle) { return ContentBundle(std::move(bundle)); });
        case ContentTypeIdentifier::series:
            return getSeriesBundle(*locator.id).map([](SeriesBundle bundle) { return ContentBundle(std::move(bundle)); });
        case ContentTypeIdentifier::standardCollection:
        case ContentTypeIdentifier::personalizedCollection: refusal = "Attempting to get a collection bundle"; break;
        case ContentTypeIdentifier::avatar: refusal = "Attempting to get an avatar bundle"; break;
        case ContentTypeIdentifier::airing: refusal = "Attempting to get an airing bundle"; break;
        case ContentTypeIdentifier::explore: refusal = "Attempting to get an explore bundle"; break;
    }
    // Asking for a bundle of any other kind is a programming error of the caller: no query exists.
    Log::content.error(refusal, "getBundle(for:)", __LINE__);
    return rx::error<ContentBundle>(std::invalid_argument(
        "no bundle exists for content of type \"" + std::string(json::wireString(locator.type)) + "\""));
}

rx::Single<SeriesBundle> SDKContentService::getSeriesBundle(const EncodedIdentifier& encodedSeriesId) const {
    const std::int64_t episodePageSize = config_.snapshot()->defaultSeriesBundleEpisodeCount;
    return legacyQuery<SeriesBundle>(Key::seriesBundle,
                                     {{"encodedSeriesId", encodedSeriesId}, {"episodePageSize", episodePageSize}});
}

rx::Single<VideoBundle> SDKContentService::getVideoBundle(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<VideoBundle>(Key::videoBundle, {{"encodedFamilyId", encodedFamilyId}});
}

rx::Single<std::vector<ContentCoder>> SDKContentService::search(const std::string& text,
                                                                const std::optional<std::string>& queryType,
                                                                PageSize pageSize) const {
    QueryVariables variables{{"partner", partner_},
                             {"query", percentEncodedSearchText(text)},
                             {"pageSize", pageSizeValue(pageSize)}};
    if (queryType) variables.set("queryType", *queryType);
    return legacyQuery<OstrelSearch>(Key::search, variables).map([](const OstrelSearch& answer) {
        return answer.contents();
    });
}

rx::Single<EpisodesPageSet> SDKContentService::getEpisodes(const std::string& seasonId) const {
    // Every episode of the season, on one page.
    return legacyQuery<EpisodesPageSet>(
        Key::episodes, {{"seasonId", seasonId}, {"page", 1}, {"pageSize", pageSizeValue(PageSize::all)}});
}

rx::Single<ContentCollection> SDKContentService::getCollection(const ContentCollectionReferenceLocator& locator) const {
    using enum SDKContentServiceError;
    const auto config = config_.snapshot();
    const auto contentClass = slugFilteredCollectionClass(locator, *config);
    if (!contentClass) return failure<ContentCollection>(missingIdentifier);
    const CollectionContentClassConfig* classConfig =
        config->collectionContentClassConfig.find(contentClass->rawValue());
    if (!classConfig || !config->descriptor(classConfig->queryId)) return failure<ContentCollection>(missingIdentifier);
    const auto identifier = locator.identifier(classConfig->identifierType);
    if (!identifier) return failure<ContentCollection>(missingIdentifier);

    std::string subType = "StandardCollection";
    if (locator.subType)
        subType = *locator.subType;
    else if (classConfig->enablePersonalizedCollection)
        subType = classConfig->defaultCollectionType;
    QueryVariables variables{{std::string(json::wireString(classConfig->identifierType)), *identifier},
                             {"contentClass", std::string(contentClass->rawValue())},
                             {"kidsModeEnabled", isKidsMode_.value()},
                             {"collectionSubType", subType}};
    return legacyQuery<ContentCollection>(classConfig->queryId, variables, missingIdentifier);
}

rx::Single<RelatedContainer> SDKContentService::getRelatedItemsForVideo(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<RelatedContainer>(Key::relatedItemsForVideo, {{"encodedFamilyId", encodedFamilyId}});
}

rx::Single<RelatedContainer> SDKContentService::getRelatedItemsForSeries(const EncodedIdentifier& encodedSeriesId) const {
    return legacyQuery<RelatedContainer>(Key::relatedItemsForSeries, {{"encodedSeriesId", encodedSeriesId}});
}

rx::Single<ProgramBundle> SDKContentService::getProgramBundle(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<ProgramBundle>(Key::programBundle, {{"encodedFamilyId", encodedFamilyId}});
}

rx::Single<OrderedMap<AiringState>> SDKContentService::getLiveNow(std::int64_t page) const {
    return legacyQuery<AiringsContainer>(Key::liveNow, {{"page", page}}).map([](AiringsContainer answer) {
        return std::move(answer.airings);
    });
}

rx::Single<LiveEpisodes> SDKContentService::getLiveAndUpcomingEpisodes(const EncodedIdentifier& encodedSeriesId) const {
    return legacyQuery<LiveEpisodes>(Key::liveAndUpcomingEpisodes, {{"encodedSeriesId", encodedSeriesId}});
}

rx::Single<Airing> SDKContentService::getAiring(const std::string& contentId) const {
    return legacyQuery<AiringContainer>(Key::airing, {{"mepoContentId", contentId}}).map([](AiringContainer answer) {
        return std::move(answer.airing);
    });
}

rx::Single<Airing> SDKContentService::getAiringByAiringId(const std::string& airingId) const {
    return legacyQuery<AiringContainer>(Key::airingByAiringId, {{"airingId", airingId}})
        .map([](AiringContainer answer) { return std::move(answer.airing); });
}

}  // namespace vorlane
