#pragma once
// The query configuration the host delivers: which named query answers each request, how
// collections of each content class are fetched, and the slugs of the app's screens.

#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// The key of every named query; its wire string is its own name and is the key looked up in
// "queryDescriptors".
enum class ContentQueryIdentifier {
    video,
    series,
    seasons,
    search,
    seriesBundle,
    videoBundle,
    curatedSet,
    personalizedCuratedSet,
    genericSet,
    recommendationSet,
    trendingSet,
    continueWatchingSet,
    continueWatchingSetWithBookmark,
    downloadsSet,
    watchlistSet,
    becauseYouSet,
    upNext,
    dictionaries,
    downloadMetadata,
    continueWatchingSeries,
    continueWatchingSeriesWithBookmark,
    continueWatchingVideo,
    continueWatchingVideoWithBookmark,
    continueWatchingSeason,
    episodes,
    completeCollectionBySlug,
    completeCollectionByGroupId,
    collectionBySlug,
    collectionByGroupId,
    avatarByAvatarId,
    extras,
    relatedItemsForVideo,
    relatedItemsForSeries,
    personalizedSeriesBundle,
    personalizedSeriesBundleWithBookmark,
    personalizedProgramBundle,
    personalizedProgramBundleWithBookmark,
    programBundle,
    liveNow,
    liveAndUpcomingEpisodes,
    airing,
    airingByAiringId,
    putItemInWatchlist,
    deleteItemFromWatchlist,
    page,
    explorePage,
    exploreSet,
    deeplink,
    playerExperience,
    exploreUpNext,
    season,
    userState,
    unifiedSearch,
};

enum class CollectionIdentifierType { slug, collectionGroupId };

constexpr auto jsonVocabulary(json::Tag<ContentQueryIdentifier>) {
    using enum ContentQueryIdentifier;
    return json::vocabulary<ContentQueryIdentifier>("ContentQueryIdentifier", {
        {video, "video"},
        {series, "series"},
        {seasons, "seasons"},
        {search, "search"},
        {seriesBundle, "seriesBundle"},
        {videoBundle, "videoBundle"},
        {curatedSet, "curatedSet"},
        {personalizedCuratedSet, "personalizedCuratedSet"},
        {genericSet, "genericSet"},
        {recommendationSet, "recommendationSet"},
        {trendingSet, "trendingSet"},
        {continueWatchingSet, "continueWatchingSet"},
        {continueWatchingSetWithBookmark, "continueWatchingSetWithBookmark"},
        {downloadsSet, "downloadsSet"},
        {watchlistSet, "watchlistSet"},
        {becauseYouSet, "becauseYouSet"},
        {upNext, "upNext"},
        {dictionaries, "dictionaries"},
        {downloadMetadata, "downloadMetadata"},
        {continueWatchingSeries, "continueWatchingSeries"},
        {continueWatchingSeriesWithBookmark, "continueWatchingSeriesWithBookmark"},
        {continueWatchingVideo, "continueWatchingVideo"},
        {continueWatchingVideoWithBookmark, "continueWatchingVideoWithBookmark"},
        {continueWatchingSeason, "continueWatchingSeason"},
        {episodes, "episodes"},
        {completeCollectionBySlug, "completeCollectionBySlug"},
        {completeCollectionByGroupId, "completeCollectionByGroupId"},
        {collectionBySlug, "collectionBySlug"},
        {collectionByGroupId, "collectionByGroupId"},
        {avatarByAvatarId, "avatarByAvatarId"},
        {extras, "extras"},
        {relatedItemsForVideo, "relatedItemsForVideo"},
        {relatedItemsForSeries, "relatedItemsForSeries"},
        {personalizedSeriesBundle, "personalizedSeriesBundle"},
        {personalizedSeriesBundleWithBookmark, "personalizedSeriesBundleWithBookmark"},
        {personalizedProgramBundle, "personalizedProgramBundle"},
        {personalizedProgramBundleWithBookmark, "personalizedProgramBundleWithBookmark"},
        {programBundle, "programBundle"},
        {liveNow, "liveNow"},
        {liveAndUpcomingEpisodes, "liveAndUpcomingEpisodes"},
        {airing, "airing"},
        {airingByAiringId, "airingByAiringId"},
        {putItemInWatchlist, "putItemInWatchlist"},
        {deleteItemFromWatchlist, "deleteItemFromWatchlist"},
        {page, "page"},
        {explorePage, "explorePage"},
        {exploreSet, "exploreSet"},
        {deeplink, "deeplink"},
        {playerExperience, "playerExperience"},
        {exploreUpNext, "exploreUpNext"},
        {season, "season"},
        {userState, "userState"},
        {unifiedSearch, "unifiedSearch"},
    });
}

constexpr auto jsonVocabulary(json::Tag<CollectionIdentifierType>) {
    using enum CollectionIdentifierType;
    return json::vocabulary<CollectionIdentifierType>("CollectionIdentifierType", {
        {slug, "slug"},
        {collectionGroupId, "collectionGroupId"},
    });
}

// One named query: the name sent to the content API and its API version.
struct ContentQueryDescriptor {
    std::string queryId;
    std::string apiVersion;
    bool operator==(const ContentQueryDescriptor&) const = default;
};

inline auto jsonFields(json::Tag<ContentQueryDescriptor>) {
    using namespace json::rules;
    using S = ContentQueryDescriptor;
    return fields(required("queryId", &S::queryId),
                  required("apiVersion", &S::apiVersion));
}

// How collections of one content class are fetched.
struct CollectionContentClassConfig {
    ContentQueryIdentifier queryId;
    CollectionIdentifierType identifierType;
    bool enablePersonalizedCollection = false;
    std::string defaultCollectionType;
    bool operator==(const CollectionContentClassConfig&) const = default;
};

inline auto jsonFields(json::Tag<CollectionContentClassConfig>) {
    using namespace json::rules;
    using S = CollectionContentClassConfig;
    return fields(required("queryId", &S::queryId),
                  required("identifierType", &S::identifierType),
                  required("enablePersonalizedCollection", &S::enablePersonalizedCollection),
                  required("defaultCollectionType", &S::defaultCollectionType));
}

struct ContentQueryConfiguration {
    OrderedMap<ContentQueryDescriptor> queryDescriptors;
    OrderedMap<CollectionContentClassConfig> collectionContentClassConfig;
    std::string homeScreenSlug;
    std::string zelkorScreenSlug;
    std::string exploreScreenSlug;
    std::string moviesScreenSlug;
    std::string seriesScreenSlug;
    std::string watchListScreenSlug;
    std::string originalsScreenSlug;
    std::string avatarSlug;
    std::vector<std::string> brandSlugs;
    std::string onboardingSlug;
    std::string searchIndex;
    std::int64_t defaultSeriesBundleEpisodeCount = 0;

    bool operator==(const ContentQueryConfiguration&) const = default;

    // The descriptor configured for a query, or null.
    const ContentQueryDescriptor* descriptor(ContentQueryIdentifier id) const { return queryDescriptors.find(id); }

    // Merging takes a complete configuration decoded from `bytes` (default decoder settings)
    // in place of this one. Throws json::DecodingError, leaving this one untouched, when the
    // bytes are not a complete configuration.
    ContentQueryConfiguration merging(std::string_view bytes) const;
};

inline auto jsonFields(json::Tag<ContentQueryConfiguration>) {
    using namespace json::rules;
    using S = ContentQueryConfiguration;
    return fields(required("queryDescriptors", &S::queryDescriptors),
                  required("collectionContentClassConfig", &S::collectionContentClassConfig),
                  required("homeScreenSlug", &S::homeScreenSlug),
                  required("zelkorScreenSlug", &S::zelkorScreenSlug),
                  required("exploreScreenSlug", &S::exploreScreenSlug),
                  required("moviesScreenSlug", &S::moviesScreenSlug),
                  required("seriesScreenSlug", &S::seriesScreenSlug),
                  required("watchListScreenSlug", &S::watchListScreenSlug),
                  required("originalsScreenSlug", &S::originalsScreenSlug),
                  required("avatarSlug", &S::avatarSlug),
                  required("brandSlugs", &S::brandSlugs),
                  required("onboardingSlug", &S::onboardingSlug),
                  required("searchIndex", &S::searchIndex),
                  required("defaultSeriesBundleEpisodeCount", &S::defaultSeriesBundleEpisodeCount));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ContentQueryDescriptor)
VORLANE_JSON_RECORD(vorlane::CollectionContentClassConfig)
VORLANE_JSON_RECORD(vorlane::ContentQueryConfiguration)
