#pragma once
// The query configuration the host delivers: which named query answers each request, how
// collections of each content class are fetched, and the slugs of the app's screens.

#include "vorlane/Platform/Json/Codec.hpp"

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

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ContentQueryIdentifier> {
    using E = vorlane::ContentQueryIdentifier;
    static constexpr std::string_view name = "ContentQueryIdentifier";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::video, "video"},
        {E::series, "series"},
        {E::seasons, "seasons"},
        {E::search, "search"},
        {E::seriesBundle, "seriesBundle"},
        {E::videoBundle, "videoBundle"},
        {E::curatedSet, "curatedSet"},
        {E::personalizedCuratedSet, "personalizedCuratedSet"},
        {E::genericSet, "genericSet"},
        {E::recommendationSet, "recommendationSet"},
        {E::trendingSet, "trendingSet"},
        {E::continueWatchingSet, "continueWatchingSet"},
        {E::continueWatchingSetWithBookmark, "continueWatchingSetWithBookmark"},
        {E::downloadsSet, "downloadsSet"},
        {E::watchlistSet, "watchlistSet"},
        {E::becauseYouSet, "becauseYouSet"},
        {E::upNext, "upNext"},
        {E::dictionaries, "dictionaries"},
        {E::downloadMetadata, "downloadMetadata"},
        {E::continueWatchingSeries, "continueWatchingSeries"},
        {E::continueWatchingSeriesWithBookmark, "continueWatchingSeriesWithBookmark"},
        {E::continueWatchingVideo, "continueWatchingVideo"},
        {E::continueWatchingVideoWithBookmark, "continueWatchingVideoWithBookmark"},
        {E::continueWatchingSeason, "continueWatchingSeason"},
        {E::episodes, "episodes"},
        {E::completeCollectionBySlug, "completeCollectionBySlug"},
        {E::completeCollectionByGroupId, "completeCollectionByGroupId"},
        {E::collectionBySlug, "collectionBySlug"},
        {E::collectionByGroupId, "collectionByGroupId"},
        {E::avatarByAvatarId, "avatarByAvatarId"},
        {E::extras, "extras"},
        {E::relatedItemsForVideo, "relatedItemsForVideo"},
        {E::relatedItemsForSeries, "relatedItemsForSeries"},
        {E::personalizedSeriesBundle, "personalizedSeriesBundle"},
        {E::personalizedSeriesBundleWithBookmark, "personalizedSeriesBundleWithBookmark"},
        {E::personalizedProgramBundle, "personalizedProgramBundle"},
        {E::personalizedProgramBundleWithBookmark, "personalizedProgramBundleWithBookmark"},
        {E::programBundle, "programBundle"},
        {E::liveNow, "liveNow"},
        {E::liveAndUpcomingEpisodes, "liveAndUpcomingEpisodes"},
        {E::airing, "airing"},
        {E::airingByAiringId, "airingByAiringId"},
        {E::putItemInWatchlist, "putItemInWatchlist"},
        {E::deleteItemFromWatchlist, "deleteItemFromWatchlist"},
        {E::page, "page"},
        {E::explorePage, "explorePage"},
        {E::exploreSet, "exploreSet"},
        {E::deeplink, "deeplink"},
        {E::playerExperience, "playerExperience"},
        {E::exploreUpNext, "exploreUpNext"},
        {E::season, "season"},
        {E::userState, "userState"},
        {E::unifiedSearch, "unifiedSearch"},
    };
};

template <>
struct vorlane::json::Vocabulary<vorlane::CollectionIdentifierType> {
    using E = vorlane::CollectionIdentifierType;
    static constexpr std::string_view name = "CollectionIdentifierType";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::slug, "slug"},
        {E::collectionGroupId, "collectionGroupId"},
    };
};

namespace vorlane {

// One named query: the name sent to the content API and its API version.
struct ContentQueryDescriptor {
    std::string queryId;
    std::string apiVersion;
    bool operator==(const ContentQueryDescriptor&) const = default;
};

// How collections of one content class are fetched.
struct CollectionContentClassConfig {
    ContentQueryIdentifier queryId;
    CollectionIdentifierType identifierType;
    bool enablePersonalizedCollection = false;
    std::string defaultCollectionType;
    bool operator==(const CollectionContentClassConfig&) const = default;
};

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

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ContentQueryDescriptor)
VORLANE_JSON_CODEC(vorlane::CollectionContentClassConfig)
VORLANE_JSON_CODEC(vorlane::ContentQueryConfiguration)
