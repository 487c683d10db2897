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

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ContentSetType> {
    using E = vorlane::ContentSetType;
    static constexpr std::string_view name = "ContentSet.SetType";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::curated, "CuratedSet"},
        {E::personalizedCurated, "PersonalizedCuratedSet"},
        {E::generic, "GenericSet"},
        {E::continueWatching, "ContinueWatchingSet"},
        {E::downloads, "DownloadSet"},
        {E::watchlist, "WatchlistSet"},
        {E::trending, "TrendingSet"},
        {E::recommendation, "RecommendationSet"},
        {E::becauseYou, "BecauseYouSet"},
        {E::exploreSet, "ExploreSet"},
    };
};
