#pragma once
// The visual style of a legacy content container, as the service names it, and the families
// of styles that screens test for (brand rows, single and inline heroes, Explore styles, ...).

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <string>
#include <string_view>

namespace vorlane {

// The named styles, in the order the service documents them, and `other` for any name not
// listed here. Wire strings are matched exactly: they mix camel case, snake case, set-type
// names and one odd form ("3dheroInLine").
enum class ContentContainerStyleCase {
    avatars,
    editorial,
    hero,
    heroCarousel,
    heroInteractive,
    heroSingle,
    heroInline,
    heroInlineGE,
    heroInlineSingle,
    heroInlineSlim,
    heroInlineLandscape,
    heroInlinePortrait,
    heroInlineLionsgate,
    heroInline3d,
    heroTopSingle,
    heroFullBleed,
    brand,
    brandSix,
    exploreBrandFive,
    exploreBrandSix,
    exploreBrandSeven,
    featured,
    featuredArt,
    continueWatching,
    continueWatchingSet,
    continueWatchingArt,
    continueWatchingExploreSet,
    becauseYouWatched,
    recommendation,
    trending,
    watchlist,
    contentType,
    character,
    franchise,
    episode,
    personalizedCuratedSet,
    tabs,
    poster,
    posterVertical,
    posterArt,
    topRanked,
    collectionLogos,
    editorialPanel,
    editorialPanelLarge,
    standardCompact,
    standardCompactList,
    standardRegular,
    standardRegularEpisode,
    standardRegularList,
    standardRegularPrompt,
    standardArt,
    standardArtDense,
    standardArtLegacy,
    searchResultsAlias,
    standardListDense,
    logoRound,
    other,  // any other name; the style keeps the text
};

constexpr auto jsonVocabulary(json::Tag<ContentContainerStyleCase>) {
    using enum ContentContainerStyleCase;
    return json::vocabulary<ContentContainerStyleCase>("ContentContainer.Style", {
        {avatars, "avatars"},
        {editorial, "editorial"},
        {hero, "hero"},
        {heroCarousel, "hero_carousel"},
        {heroInteractive, "heroInteractive"},
        {heroSingle, "heroSingle"},
        {heroInline, "heroInline"},
        {heroInlineGE, "heroInlineGE"},
        {heroInlineSingle, "hero_inline_single"},
        {heroInlineSlim, "heroInlineSlim"},
        {heroInlineLandscape, "hero_inline_landscape"},
        {heroInlinePortrait, "hero_inline_portrait"},
        {heroInlineLionsgate, "heroInlineLionsgate"},
        {heroInline3d, "3dheroInLine"},
        {heroTopSingle, "hero_top_single"},
        {heroFullBleed, "heroFullBleed"},
        {brand, "brand"},
        {brandSix, "brandSix"},
        {exploreBrandFive, "brand_5"},
        {exploreBrandSix, "brand_6"},
        {exploreBrandSeven, "brand_7"},
        {featured, "featured"},
        {featuredArt, "featured_art"},
        {continueWatching, "continueWatching"},
        {continueWatchingSet, "ContinueWatchingSet"},
        {continueWatchingArt, "ContinueWatchingArt"},
        {continueWatchingExploreSet, "continue_watching"},
        {becauseYouWatched, "BecauseYouSet"},
        {recommendation, "RecommendationSet"},
        {trending, "TrendingSet"},
        {watchlist, "WatchlistSet"},
        {contentType, "contentType"},
        {character, "character"},
        {franchise, "franchise"},
        {episode, "episode"},
        {personalizedCuratedSet, "PersonalizedCuratedSet"},
        {tabs, "tabs"},
        {poster, "poster"},
        {posterVertical, "poster_vertical"},
        {posterArt, "poster_art"},
        {topRanked, "top_ranked"},
        {collectionLogos, "collectionLogos"},
        {editorialPanel, "editorialPanel"},
        {editorialPanelLarge, "editorialPanelLarge"},
        {standardCompact, "standard_compact"},
        {standardCompactList, "standard_compact_list"},
        {standardRegular, "standard_regular"},
        {standardRegularEpisode, "standard_regular_episode"},
        {standardRegularList, "standard_regular_list"},
        {standardRegularPrompt, "standard_regular_prompt"},
        {standardArt, "standard_art"},
        {standardArtDense, "standard_art_dense"},
        {standardArtLegacy, "standard_art_legacy"},
        {searchResultsAlias, "search_results_alias"},
        {standardListDense, "standard_list_dense"},
        {logoRound, "logo_round"},
    })
        .catchAll(other);
}

// A container's style: one of the named cases, or `other` carrying the unlisted name as sent.
// Reads from one JSON string and writes its raw value back, so an unlisted name round-trips.
class ContentContainerStyle {
public:
    using Case = ContentContainerStyleCase;

    // `other` with an empty name.
    ContentContainerStyle() = default;
    ContentContainerStyle(Case value) : value_(value) {}  // NOLINT: a named case converts implicitly
    // Never fails: an exact wire string gives its case, any other text gives `other` holding it.
    explicit ContentContainerStyle(std::string_view rawValue) : value_(json::OpenEnum<Case>::fromWire(rawValue)) {}

    // `other` holding `text`, even when the text is a listed wire string.
    static ContentContainerStyle other(std::string text) {
        ContentContainerStyle style;
        style.value_ = json::OpenEnum<Case>::other(std::move(text));
        return style;
    }

    Case kind() const noexcept { return value_.kind(); }
    bool isOther() const noexcept { return value_.isCatchAll(); }
    // The wire string of the case, or the text `other` carries.
    std::string_view rawValue() const noexcept { return value_.rawValue(); }

    // Style families; each is membership in a fixed list of cases and is false for `other`.
    bool isBrand() const noexcept;
    bool isExploreBrand() const noexcept;
    bool isJuniorBrand() const noexcept;
    bool isHeroSingle() const noexcept;
    bool usesOverlayWithFocusableElements() const noexcept;
    bool isHeroInline() const noexcept;
    bool isExplore() const noexcept;

    bool operator==(const ContentContainerStyle&) const = default;
    bool operator==(Case value) const noexcept { return value_ == value; }

private:
    json::OpenEnum<Case> value_;
};

inline auto jsonDerived(json::Tag<ContentContainerStyle>) {
    using namespace json::derived;
    return members(member("isBrand", &ContentContainerStyle::isBrand),
                   member("isExploreBrand", &ContentContainerStyle::isExploreBrand),
                   member("isJuniorBrand", &ContentContainerStyle::isJuniorBrand),
                   member("isHeroSingle", &ContentContainerStyle::isHeroSingle),
                   member("usesOverlayWithFocusableElements", &ContentContainerStyle::usesOverlayWithFocusableElements),
                   member("isHeroInline", &ContentContainerStyle::isHeroInline),
                   member("isExplore", &ContentContainerStyle::isExplore));
}

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ContentContainerStyle)
