#pragma once
// The visual style of a legacy content container, as the service names it, and the families
// of styles that screens test for (brand rows, single and inline heroes, Explore styles, ...).

#include "vorlane/Platform/Json/Codec.hpp"

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

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ContentContainerStyleCase> {
    using E = vorlane::ContentContainerStyleCase;
    static constexpr std::string_view name = "ContentContainer.Style";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::avatars, "avatars"},
        {E::editorial, "editorial"},
        {E::hero, "hero"},
        {E::heroCarousel, "hero_carousel"},
        {E::heroInteractive, "heroInteractive"},
        {E::heroSingle, "heroSingle"},
        {E::heroInline, "heroInline"},
        {E::heroInlineGE, "heroInlineGE"},
        {E::heroInlineSingle, "hero_inline_single"},
        {E::heroInlineSlim, "heroInlineSlim"},
        {E::heroInlineLandscape, "hero_inline_landscape"},
        {E::heroInlinePortrait, "hero_inline_portrait"},
        {E::heroInlineLionsgate, "heroInlineLionsgate"},
        {E::heroInline3d, "3dheroInLine"},
        {E::heroTopSingle, "hero_top_single"},
        {E::heroFullBleed, "heroFullBleed"},
        {E::brand, "brand"},
        {E::brandSix, "brandSix"},
        {E::exploreBrandFive, "brand_5"},
        {E::exploreBrandSix, "brand_6"},
        {E::exploreBrandSeven, "brand_7"},
        {E::featured, "featured"},
        {E::featuredArt, "featured_art"},
        {E::continueWatching, "continueWatching"},
        {E::continueWatchingSet, "ContinueWatchingSet"},
        {E::continueWatchingArt, "ContinueWatchingArt"},
        {E::continueWatchingExploreSet, "continue_watching"},
        {E::becauseYouWatched, "BecauseYouSet"},
        {E::recommendation, "RecommendationSet"},
        {E::trending, "TrendingSet"},
        {E::watchlist, "WatchlistSet"},
        {E::contentType, "contentType"},
        {E::character, "character"},
        {E::franchise, "franchise"},
        {E::episode, "episode"},
        {E::personalizedCuratedSet, "PersonalizedCuratedSet"},
        {E::tabs, "tabs"},
        {E::poster, "poster"},
        {E::posterVertical, "poster_vertical"},
        {E::posterArt, "poster_art"},
        {E::topRanked, "top_ranked"},
        {E::collectionLogos, "collectionLogos"},
        {E::editorialPanel, "editorialPanel"},
        {E::editorialPanelLarge, "editorialPanelLarge"},
        {E::standardCompact, "standard_compact"},
        {E::standardCompactList, "standard_compact_list"},
        {E::standardRegular, "standard_regular"},
        {E::standardRegularEpisode, "standard_regular_episode"},
        {E::standardRegularList, "standard_regular_list"},
        {E::standardRegularPrompt, "standard_regular_prompt"},
        {E::standardArt, "standard_art"},
        {E::standardArtDense, "standard_art_dense"},
        {E::standardArtLegacy, "standard_art_legacy"},
        {E::searchResultsAlias, "search_results_alias"},
        {E::standardListDense, "standard_list_dense"},
        {E::logoRound, "logo_round"},
    };
    static constexpr E catchAll = E::other;
};

namespace vorlane {

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

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ContentContainerStyle)
