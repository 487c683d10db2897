#pragma once
// Images of the Explore API and the selection of an image from an Explore image map.
//
// Shape, every level a string-keyed map in document order:
//   context wire string -> content wire string -> ratio key (asString of the ratio) -> ExploreImage
//
//   {"tile": {"background": {"1.78": {"imageId": "..."}}}}
//
// Selection never fails: every miss gives an absent result.

#include "vorlane/Images/Image.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// Where an Explore image is shown: the first key level of an Explore image map.
enum class ExploreImageContext {
    standard,
    hero,
    tile,
    collection,
    fixed,
    partner,
    details,
    upNext,
    unauthenticated,
    character,
    mono,
    center,
    organization,
    team,
    league,
    matchup,
    network,
    brand,
    brandDark,
    dark,
    scoreboard,
    scoreboardDark,
    bottomRight,
    topRight,
    stacked,
};

// What an Explore image shows: the second key level of an Explore image map.
enum class ExploreImageContent {
    tile,
    background,
    thumbnail,
    logo,
    titleTreatment,
    tileWhite,
    watermark,
    subtitle,
};

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ExploreImageContext> {
    using E = vorlane::ExploreImageContext;
    static constexpr std::string_view name = "ExploreImage.Context";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::standard, "standard"},
        {E::hero, "hero"},
        {E::tile, "tile"},
        {E::collection, "collection"},
        {E::fixed, "fixed"},
        {E::partner, "partner"},
        {E::details, "details"},
        {E::upNext, "up_next"},
        {E::unauthenticated, "unauthenticated"},
        {E::character, "character"},
        {E::mono, "mono"},
        {E::center, "center"},
        {E::organization, "organization"},
        {E::team, "team"},
        {E::league, "league"},
        {E::matchup, "matchup"},
        {E::network, "network"},
        {E::brand, "brand"},
        {E::brandDark, "brand_dark"},
        {E::dark, "dark"},
        {E::scoreboard, "scoreboard"},
        {E::scoreboardDark, "scoreboard_dark"},
        {E::bottomRight, "bottom_right"},
        {E::topRight, "top_right"},
        {E::stacked, "stacked"},
    };
};

template <>
struct vorlane::json::Vocabulary<vorlane::ExploreImageContent> {
    using E = vorlane::ExploreImageContent;
    static constexpr std::string_view name = "ExploreImage.Content";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::tile, "tile"},
        {E::background, "background"},
        {E::thumbnail, "thumbnail"},
        {E::logo, "logo"},
        {E::titleTreatment, "title_treatment"},
        {E::tileWhite, "tile_white"},
        {E::watermark, "watermark"},
        {E::subtitle, "subtitle"},
    };
};

namespace vorlane {

// One image of the Explore API.
struct ExploreImage {
    using Context = ExploreImageContext;
    using Content = ExploreImageContent;

    std::string imageId;  // "imageId", required

    bool operator==(const ExploreImage&) const = default;

    // Whether the title is drawn as text when an image of `content` in `context` fails to load.
    // Reads the display's horizontal size class for backgrounds on the details screen.
    [[nodiscard]] static bool showTextOnFailure(Context context, Content content) noexcept;
};

// Motion artwork of an Explore item.
struct ExploreVideoArtwork {
    std::optional<std::string> videoId;  // "videoId"

    bool operator==(const ExploreVideoArtwork&) const = default;
};

// An image chosen from an Explore image map, with the context, content and ratio it stands for.
struct ExploreArtworkModelParameters {
    ExploreImage image;
    ExploreImageContext context;
    ExploreImageContent content;
    AspectRatio aspectRatio;

    bool operator==(const ExploreArtworkModelParameters&) const = default;
};

// One alternative (context, content, ratio) to try, exactly, when the requested image is missing.
struct ExploreArtworkComponents {
    ExploreImageContext context;
    ExploreImageContent content;
    AspectRatio aspectRatio;

    bool operator==(const ExploreArtworkComponents&) const = default;
};

using ExploreImagesByRatio = OrderedMap<ExploreImage>;
using ExploreImagesByContent = OrderedMap<ExploreImagesByRatio>;
using ExploreImageMap = OrderedMap<ExploreImagesByContent>;

// Whether a placeholder is drawn for images of `content`: tiles and thumbnails.
[[nodiscard]] bool usePlaceholder(ExploreImageContent content) noexcept;
// The file format of an image of `content` in `context`: png for logos, title treatments, white
// tiles, watermarks and brand tiles, jpeg otherwise.
[[nodiscard]] ImageFormat imageFormat(ExploreImageContext context, ExploreImageContent content) noexcept;
// The ratio tried when the requested one is missing: 3.32 for title treatments, 4:3 for thumbnails.
[[nodiscard]] std::optional<AspectRatio> fallbackAspectRatio(ExploreImageContent content) noexcept;
// Whether an image of any ratio will do for `content` (thumbnails only).
[[nodiscard]] bool fallbackToAnyAspectRatio(ExploreImageContent content) noexcept;

// The image for (`context`, `content`, `aspectRatio`).
//
// Without `fallbacks`, a missing ratio falls back to the content's fallback ratio and, for
// thumbnails, to any ratio; then, when `fallbackToStandardContext` is set, the same lookup runs in
// the `standard` context, and the result still names the requested context.
// With `fallbacks`, the request is looked up at its exact ratio only, then each fallback exactly
// in list order (the first found is returned with that fallback's own context, content and
// ratio); the standard context is not tried.
[[nodiscard]] std::optional<ExploreArtworkModelParameters> imageFor(
    const ExploreImageMap& images, ExploreImageContext context, ExploreImageContent content, AspectRatio aspectRatio,
    const std::vector<ExploreArtworkComponents>& fallbacks, bool fallbackToStandardContext);

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ExploreImage)
VORLANE_JSON_CODEC(vorlane::ExploreVideoArtwork)
VORLANE_JSON_CODEC(vorlane::ExploreArtworkModelParameters)
VORLANE_JSON_CODEC(vorlane::ExploreArtworkComponents)
