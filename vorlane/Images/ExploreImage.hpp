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
#include "vorlane/Platform/Json/Record.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {



// One image of the Explore API.
struct ExploreImage {
    // Where an Explore image is shown: the first key level of an Explore image map.
    enum class Context {
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
    enum class Content {
        tile,
        background,
        thumbnail,
        logo,
        titleTreatment,
        tileWhite,
        watermark,
        subtitle,
    };

    std::string imageId;

    bool operator==(const ExploreImage&) const = default;

    // Whether the title is drawn as text when an image of `content` in `context` fails to load.
    // Reads the display's horizontal size class for backgrounds on the details screen.
    [[nodiscard]] static bool showTextOnFailure(Context context, Content content) noexcept;
};

constexpr auto jsonVocabulary(json::Tag<ExploreImage::Context>) {
    using enum ExploreImage::Context;
    return json::vocabulary<ExploreImage::Context>("ExploreImage.Context", {
        {standard, "standard"},
        {hero, "hero"},
        {tile, "tile"},
        {collection, "collection"},
        {fixed, "fixed"},
        {partner, "partner"},
        {details, "details"},
        {upNext, "up_next"},
        {unauthenticated, "unauthenticated"},
        {character, "character"},
        {mono, "mono"},
        {center, "center"},
        {organization, "organization"},
        {team, "team"},
        {league, "league"},
        {matchup, "matchup"},
        {network, "network"},
        {brand, "brand"},
        {brandDark, "brand_dark"},
        {dark, "dark"},
        {scoreboard, "scoreboard"},
        {scoreboardDark, "scoreboard_dark"},
        {bottomRight, "bottom_right"},
        {topRight, "top_right"},
        {stacked, "stacked"},
    });
}

constexpr auto jsonVocabulary(json::Tag<ExploreImage::Content>) {
    using enum ExploreImage::Content;
    return json::vocabulary<ExploreImage::Content>("ExploreImage.Content", {
        {tile, "tile"},
        {background, "background"},
        {thumbnail, "thumbnail"},
        {logo, "logo"},
        {titleTreatment, "title_treatment"},
        {tileWhite, "tile_white"},
        {watermark, "watermark"},
        {subtitle, "subtitle"},
    });
}

inline auto jsonFields(json::Tag<ExploreImage>) {
    using namespace json::rules;
    using S = ExploreImage;
    return fields(required("imageId", &S::imageId));
}

// Motion artwork of an Explore item.
struct ExploreVideoArtwork {
    std::optional<std::string> videoId;

    bool operator==(const ExploreVideoArtwork&) const = default;
};

inline auto jsonFields(json::Tag<ExploreVideoArtwork>) {
    using namespace json::rules;
    using S = ExploreVideoArtwork;
    return fields(optional("videoId", &S::videoId));
}

// An image chosen from an Explore image map, with the context, content and ratio it stands for.
struct ExploreArtworkModelParameters {
    ExploreImage image;
    ExploreImage::Context context;
    ExploreImage::Content content;
    AspectRatio aspectRatio;

    bool operator==(const ExploreArtworkModelParameters&) const = default;
};

inline auto jsonFields(json::Tag<ExploreArtworkModelParameters>) {
    using namespace json::rules;
    using S = ExploreArtworkModelParameters;
    return fields(required("image", &S::image),
                  required("context", &S::context),
                  required("content", &S::content),
                  required("aspectRatio", &S::aspectRatio));
}

// One alternative (context, content, ratio) to try, exactly, when the requested image is missing.
struct ExploreArtworkComponents {
    ExploreImage::Context context;
    ExploreImage::Content content;
    AspectRatio aspectRatio;

    bool operator==(const ExploreArtworkComponents&) const = default;
};

inline auto jsonFields(json::Tag<ExploreArtworkComponents>) {
    using namespace json::rules;
    using S = ExploreArtworkComponents;
    return fields(required("context", &S::context),
                  required("content", &S::content),
                  required("aspectRatio", &S::aspectRatio));
}

using ExploreImagesByRatio = OrderedMap<ExploreImage>;
using ExploreImagesByContent = OrderedMap<ExploreImagesByRatio>;
using ExploreImageMap = OrderedMap<ExploreImagesByContent>;

// Whether a placeholder is drawn for images of `content`: tiles and thumbnails.
[[nodiscard]] bool usePlaceholder(ExploreImage::Content content) noexcept;
// The file format of an image of `content` in `context`: png for logos, title treatments, white
// tiles, watermarks and brand tiles, jpeg otherwise.
[[nodiscard]] ImageFormat imageFormat(ExploreImage::Context context, ExploreImage::Content content) noexcept;
// The ratio tried when the requested one is missing: 3.32 for title treatments, 4:3 for thumbnails.
[[nodiscard]] std::optional<AspectRatio> fallbackAspectRatio(ExploreImage::Content content) noexcept;
// Whether an image of any ratio will do for `content` (thumbnails only).
[[nodiscard]] bool fallbackToAnyAspectRatio(ExploreImage::Content content) noexcept;

// The image for (`context`, `content`, `aspectRatio`).
//
// Without `fallbacks`, a missing ratio falls back to the content's fallback ratio and, for
// thumbnails, to any ratio; then, when `fallbackToStandardContext` is set, the same lookup runs in
// the `standard` context, and the result still names the requested context.
// With `fallbacks`, the request is looked up at its exact ratio only, then each fallback exactly
// in list order (the first found is returned with that fallback's own context, content and
// ratio); the standard context is not tried.
[[nodiscard]] std::optional<ExploreArtworkModelParameters> imageFor(
    const ExploreImageMap& images, ExploreImage::Context context, ExploreImage::Content content, AspectRatio aspectRatio,
    const std::vector<ExploreArtworkComponents>& fallbacks, bool fallbackToStandardContext);

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExploreImage)
VORLANE_JSON_RECORD(vorlane::ExploreVideoArtwork)
VORLANE_JSON_RECORD(vorlane::ExploreArtworkModelParameters)
VORLANE_JSON_RECORD(vorlane::ExploreArtworkComponents)
