#pragma once
// The content class of a legacy collection (home, brand, editorial, ...). Never fails to read:
// a string that names no class is kept in `other`.

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

enum class CollectionContentClassCase {
    avatars,
    home,
    zelkor,
    explore,
    contentType,
    brand,
    brandSix,
    watchlist,
    originals,
    editorial,
    character,
    franchise,
    team,
    allSports,
    allLeagues,
    marqueeEvent,
    sport,
    league,
    allTeams,
    highEmphasis,
    standardEmphasisNoHeader,
    standardEmphasisWithHeader,
    standardEmphasisWithNavigation,
    other,
};

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::CollectionContentClassCase> {
    using E = vorlane::CollectionContentClassCase;
    static constexpr std::string_view name = "CollectionContentClass";
    static constexpr E catchAll = E::other;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::avatars, "avatars"},
        {E::home, "home"},
        {E::zelkor, "zelkor"},
        {E::explore, "explore"},
        {E::contentType, "contentType"},
        {E::brand, "brand"},
        {E::brandSix, "brandSix"},
        {E::watchlist, "watchlist"},
        {E::originals, "originals"},
        {E::editorial, "editorial"},
        {E::character, "character"},
        {E::franchise, "franchise"},
        {E::team, "team"},
        {E::allSports, "allSports"},
        {E::allLeagues, "allLeagues"},
        {E::marqueeEvent, "marqueeEvent"},
        {E::sport, "sport"},
        {E::league, "league"},
        {E::allTeams, "allTeams"},
        {E::highEmphasis, "high_emphasis"},
        {E::standardEmphasisNoHeader, "standard_emphasis_no_header"},
        {E::standardEmphasisWithHeader, "standard_emphasis_with_header"},
        {E::standardEmphasisWithNavigation, "standard_emphasis_with_navigation"},
    };
};

namespace vorlane {

using CollectionContentClass = json::OpenEnum<CollectionContentClassCase>;

inline bool isBrand(const CollectionContentClass& c) noexcept {
    return c == CollectionContentClassCase::brand || c == CollectionContentClassCase::brandSix;
}
inline bool isSuperEvent(const CollectionContentClass& c) noexcept { return c.rawValue() == "marqueeEvent"; }
// Leagues belong to the sport class; every other class is its own parent.
inline CollectionContentClass parentContentClass(const CollectionContentClass& c) {
    return c == CollectionContentClassCase::league ? CollectionContentClass(CollectionContentClassCase::sport) : c;
}

}  // namespace vorlane
