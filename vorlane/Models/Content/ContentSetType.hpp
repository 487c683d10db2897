#pragma once
// The type of a legacy content set (system name ContentSet.SetType). Closed: no fallback.

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

enum class ContentSetType {
    curated,
    personalizedCurated,
    generic,
    continueWatching,
    downloads,
    watchlist,
    trending,
    recommendation,
    becauseYou,
    exploreSet,
};

constexpr auto jsonVocabulary(json::Tag<ContentSetType>) {
    using enum ContentSetType;
    return json::vocabulary<ContentSetType>("ContentSet.SetType", {
        {curated, "CuratedSet"},
        {personalizedCurated, "PersonalizedCuratedSet"},
        {generic, "GenericSet"},
        {continueWatching, "ContinueWatchingSet"},
        {downloads, "DownloadSet"},
        {watchlist, "WatchlistSet"},
        {trending, "TrendingSet"},
        {recommendation, "RecommendationSet"},
        {becauseYou, "BecauseYouSet"},
        {exploreSet, "ExploreSet"},
    });
}

}  // namespace vorlane
