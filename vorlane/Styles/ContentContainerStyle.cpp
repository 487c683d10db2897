#include "vorlane/Styles/ContentContainerStyle.hpp"

#include <algorithm>
#include <initializer_list>

namespace vorlane {

namespace {

using Case = ContentContainerStyleCase;

// `other` is in no list, so every family is false for it whatever text it holds.
bool isOneOf(const ContentContainerStyle& style, std::initializer_list<Case> members) noexcept {
    if (style.isOther()) return false;
    return std::find(members.begin(), members.end(), style.kind()) != members.end();
}

}  // namespace

bool ContentContainerStyle::isBrand() const noexcept { return isOneOf(*this, {Case::brand, Case::brandSix}); }

bool ContentContainerStyle::isExploreBrand() const noexcept {
    return isOneOf(*this, {Case::exploreBrandFive, Case::exploreBrandSix, Case::exploreBrandSeven});
}

bool ContentContainerStyle::isJuniorBrand() const noexcept {
    return isOneOf(*this, {Case::featured, Case::featuredArt});
}

bool ContentContainerStyle::isHeroSingle() const noexcept {
    return isOneOf(*this, {Case::heroTopSingle, Case::heroInlineSingle});
}

bool ContentContainerStyle::usesOverlayWithFocusableElements() const noexcept {
    return isOneOf(*this,
                   {Case::heroTopSingle, Case::heroInlineSingle, Case::heroInlineLandscape, Case::heroInlinePortrait});
}

bool ContentContainerStyle::isHeroInline() const noexcept {
    return isOneOf(*this, {Case::heroInline, Case::heroInlineGE, Case::heroInlineSingle, Case::heroInlineSlim,
                           Case::heroInlineLandscape, Case::heroInlinePortrait, Case::heroInlineLionsgate,
                           Case::heroInline3d});
}

bool ContentContainerStyle::isExplore() const noexcept {
    return isOneOf(*this, {Case::heroCarousel, Case::heroInlineLandscape, Case::heroInlinePortrait,
                           Case::heroInlineSingle, Case::heroTopSingle, Case::standardCompact, Case::standardRegular,
                           Case::standardRegularEpisode, Case::standardRegularPrompt, Case::standardArt,
                           Case::standardArtDense, Case::logoRound, Case::exploreBrandFive, Case::exploreBrandSix,
                           Case::exploreBrandSeven, Case::featuredArt, Case::continueWatchingExploreSet});
}

}  // namespace vorlane

vorlane::ContentContainerStyle vorlane::json::Codec<vorlane::ContentContainerStyle>::decode(const Value& value) {
    return ContentContainerStyle(value.string(vocabularyName<ContentContainerStyleCase>()));
}

void vorlane::json::Codec<vorlane::ContentContainerStyle>::encode(Writer& writer, const ContentContainerStyle& value) {
    writer.string(value.rawValue());
}
