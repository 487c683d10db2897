#pragma once
// The content class of a legacy collection (home, brand, editorial, ...). Never fails to read:
// a string that names no class is kept in `other`.

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

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

constexpr auto jsonVocabulary(json::Tag<CollectionContentClassCase>) {
    using enum CollectionContentClassCase;
    return json::vocabulary<CollectionContentClassCase>("CollectionContentClass", {
        {avatars, "avatars"},
        {home, "home"},
        {zelkor, "zelkor"},
        {explore, "explore"},
        {contentType, "contentType"},
        {brand, "brand"},
        {brandSix, "brandSix"},
        {watchlist, "watchlist"},
        {originals, "originals"},
        {editorial, "editorial"},
        {character, "character"},
        {franchise, "franchise"},
        {team, "team"},
        {allSports, "allSports"},
        {allLeagues, "allLeagues"},
        {marqueeEvent, "marqueeEvent"},
        {sport, "sport"},
        {league, "league"},
        {allTeams, "allTeams"},
        {highEmphasis, "high_emphasis"},
        {standardEmphasisNoHeader, "standard_emphasis_no_header"},
        {standardEmphasisWithHeader, "standard_emphasis_with_header"},
        {standardEmphasisWithNavigation, "standard_emphasis_with_navigation"},
    })
        .catchAll(other);
}

using CollectionContentClass = json::OpenEnum<CollectionContentClassCase>;

inline bool isBrand(const CollectionContentClass& c) noexcept {
    return c == CollectionContentClassCase::brand || c == CollectionContentClassCase::brandSix;
}
inline bool isSuperEvent(const CollectionContentClass& c) noexcept { return c.rawValue() == "marqueeEvent"; }
// Leagues belong to the sport class; every other class is its own parent.
inline CollectionContentClass parentContentClass(const CollectionContentClass& c) {
    return c == CollectionContentClassCase::league ? CollectionContentClass(CollectionContentClassCase::sport) : c;
}

inline auto jsonDerived(json::Tag<json::OpenEnum<CollectionContentClassCase>>) {
    using namespace json::derived;
    return members(member("isBrand", [](const CollectionContentClass& c) { return isBrand(c); }),
                   member("isSuperEvent", [](const CollectionContentClass& c) { return isSuperEvent(c); }),
                   member("parentContentClass", [](const CollectionContentClass& c) { return parentContentClass(c); }));
}

}  // namespace vorlane
