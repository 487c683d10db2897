#pragma once
// Image records of the legacy content API and the vocabularies that describe them: the purpose an
// image serves (with its presentation hints and fallback chain), its file format, the scrim label
// drawn over it and the originals badge shown on it.

#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vorlane {

class ContentContainerStyle;

enum class ImageFormat { jpeg, png };

constexpr auto jsonVocabulary(json::Tag<ImageFormat>) {
    using enum ImageFormat;
    return json::vocabulary<ImageFormat>("ImageFormat", {{jpeg, "jpeg"}, {png, "png"}});
}

// The brands whose originals badge an image can carry; `other` holds any other label as sent.
enum class OriginalsBadgeLabelKind {
    vorlaneOriginals,
    emberStudio,
    northwindKids,
    atlasDocumentaries,
    harborClassics,
    other,
};

constexpr auto jsonVocabulary(json::Tag<OriginalsBadgeLabelKind>) {
    using enum OriginalsBadgeLabelKind;
    return json::vocabulary<OriginalsBadgeLabelKind>("Image.OriginalsBadgeLabel",
                                                     {
                                                         {vorlaneOriginals, "vorlane_originals"},
                                                         {emberStudio, "ember_studio"},
                                                         {northwindKids, "northwind_kids"},
                                                         {atlasDocumentaries, "atlas_documentaries"},
                                                         {harborClassics, "harbor_classics"},
                                                     })
        .catchAll(other);
}

// One image of the legacy content API. Inside an image map the purpose, ratio and source entity
// of an image are given by the map's keys; the underscore fields describe a free-standing image
// and are what `toDictionary` reads to place it in a map.
struct Image {
    // What an image is for. The first key level of an image map.
    enum class Purpose {
        hero,
        heroCollection,
        heroCollectionBrand,
        heroCollectionInline,
        heroTile,
        tileTitleCard,
        titleTreatment,
        titleTreatmentLayer,
        titleTreatmentCentered,
        titleTreatmentBottom,
        thumbnail,
        thumbnailImax,
        thumbnailWidescreen,
        logo,
        logoDark,
        logoLayer,
        tile,
        tileInline,
        tileKeystone,
        tileWhite,
        keystone,
        background,
        backgroundDetails,
        backgroundUpNext,
        teamLogo1,
        teamLogo2,
        league,
        unknown,
        brandTile,
        avatarTile,
    };

    // The label of the scrim drawn over artwork of a given ratio.
    enum class ScrimLabel { scrim80, scrim178, scrim300, heroInlineScrim300, scrim391, scrim461 };

    using OriginalsBadgeLabel = json::OpenEnum<OriginalsBadgeLabelKind>;

    std::string url;
    std::string masterId;
    std::optional<std::int64_t> masterWidth;
    std::optional<std::int64_t> masterHeight;
    std::optional<AspectRatio> aspectRatio;
    std::optional<Purpose> purpose;
    std::optional<MediaEntity> sourceEntity;

    bool operator==(const Image&) const = default;
};

// Decoding a purpose never fails: an unknown string, a value of another type or any failure
// reads as `unknown`. json::fromWireString<Image::Purpose> still gives nothing for an unknown string.
constexpr auto jsonVocabulary(json::Tag<Image::Purpose>) {
    using enum Image::Purpose;
    return json::vocabulary<Image::Purpose>("Image.Purpose",
                                            {
                                                {hero, "hero"},
                                                {heroCollection, "hero_collection"},
                                                {heroCollectionBrand, "hero_collection_brand"},
                                                {heroCollectionInline, "hero_collection_inline"},
                                                {heroTile, "hero_tile"},
                                                {tileTitleCard, "tile_title_card"},
                                                {titleTreatment, "title_treatment"},
                                                {titleTreatmentLayer, "title_treatment_layer"},
                                                {titleTreatmentCentered, "title_treatment_centered"},
                                                {titleTreatmentBottom, "title_treatment_bottom"},
                                                {thumbnail, "thumbnail"},
                                                {thumbnailImax, "thumbnail_version_imax_enhanced"},
                                                {thumbnailWidescreen, "thumbnail_version_ov_widescreen"},
                                                {logo, "logo"},
                                                {logoDark, "logo_dark"},
                                                {logoLayer, "logo_layer"},
                                                {tile, "tile"},
                                                {tileInline, "tile_inline"},
                                                {tileKeystone, "tile_keystone"},
                                                {tileWhite, "tile_white"},
                                                {keystone, "keystone"},
                                                {background, "background"},
                                                {backgroundDetails, "background_details"},
                                                {backgroundUpNext, "background_up_next"},
                                                {teamLogo1, "teamLogo1"},
                                                {teamLogo2, "teamLogo2"},
                                                {league, "league"},
                                                {unknown, "unknown"},
                                                {brandTile, "brandTile"},
                                                {avatarTile, "avatarTile"},
                                            })
        .neverFailing(unknown);
}

constexpr auto jsonVocabulary(json::Tag<Image::ScrimLabel>) {
    using enum Image::ScrimLabel;
    return json::vocabulary<Image::ScrimLabel>("Image.ScrimLabel", {
                                                                       {scrim80, "080_scrim"},
                                                                       {scrim178, "178_scrim"},
                                                                       {scrim300, "300_scrim"},
                                                                       {heroInlineScrim300, "heroinline_300_scrim"},
                                                                       {scrim391, "391_scrim"},
                                                                       {scrim461, "461_scrim"},
                                                                   });
}

inline auto jsonFields(json::Tag<Image>) {
    using namespace json::rules;
    using S = Image;
    return fields(required("url", &S::url),
                  required("masterId", &S::masterId),
                  optional("masterWidth", &S::masterWidth),
                  optional("masterHeight", &S::masterHeight),
                  optional("_aspectRatio", &S::aspectRatio),
                  optional("_purpose", &S::purpose),
                  optional("_sourceEntity", &S::sourceEntity));
}

// An image chosen for a request, with the purpose and ratio that were asked for (not those of
// the map entry that supplied it).
struct ImageModelParameters {
    Image image;
    Image::Purpose purpose;
    AspectRatio aspectRatio;

    bool operator==(const ImageModelParameters&) const = default;
};

inline auto jsonFields(json::Tag<ImageModelParameters>) {
    using namespace json::rules;
    using S = ImageModelParameters;
    return fields(required("image", &S::image), required("purpose", &S::purpose), required("aspectRatio", &S::aspectRatio));
}

// ---- Presentation hints and fallback chain of each purpose -------------------------------------

// Whether a placeholder is drawn while the image loads or when it fails.
[[nodiscard]] bool usePlaceholder(Image::Purpose purpose) noexcept;
// Whether the title is drawn as text when the image fails to load.
[[nodiscard]] bool showTextOnFailure(Image::Purpose purpose) noexcept;
// The file format images of this purpose are requested in.
[[nodiscard]] ImageFormat format(Image::Purpose purpose) noexcept;
// Whether an originals badge is drawn over the image.
[[nodiscard]] bool showOriginalsLabel(Image::Purpose purpose) noexcept;
// The purposes tried, in order, when the map has nothing for this one. They are not expanded
// further: a fallback's own fallbacks are not tried.
[[nodiscard]] std::span<const Image::Purpose> fallbackPurposes(Image::Purpose purpose) noexcept;
// The purpose whose images stand in for this one: `tile` for brand and avatar tiles, else itself.
[[nodiscard]] Image::Purpose rootPurpose(Image::Purpose purpose) noexcept;
// The ratio tried when the requested one is missing (4:3 for thumbnails), if any.
[[nodiscard]] std::optional<AspectRatio> fallbackAspectRatio(Image::Purpose purpose) noexcept;
// Whether an image of any ratio will do when neither the requested nor the fallback ratio exists.
[[nodiscard]] bool fallbackToAnyAspectRatio(Image::Purpose purpose) noexcept;
// Whether a scrim label is drawn over images of this purpose.
[[nodiscard]] bool supportsScrimLabel(Image::Purpose purpose) noexcept;

// The scrim label for artwork of `ratio`, compared exactly with the named ratios: 16:9, 3 (the
// hero-inline variant when the container's style is an inline hero), 3.91, 0.8 and 4.61.
// Any other ratio has no scrim label.
[[nodiscard]] std::optional<Image::ScrimLabel> scrimLabel(AspectRatio ratio,
                                                        const ContentContainerStyle* containerStyle = nullptr);

inline auto jsonDerived(json::Tag<Image::Purpose>) {
    using namespace json::derived;
    return members(member("usePlaceholder", [](Image::Purpose p) { return usePlaceholder(p); }),
                   member("showTextOnFailure", [](Image::Purpose p) { return showTextOnFailure(p); }),
                   member("format", [](Image::Purpose p) { return format(p); }),
                   member("showOriginalsLabel", [](Image::Purpose p) { return showOriginalsLabel(p); }),
                   member("fallbackPurposes", [](Image::Purpose p) { auto span = fallbackPurposes(p); return std::vector<Image::Purpose>(span.begin(), span.end()); }),
                   member("rootPurpose", [](Image::Purpose p) { return rootPurpose(p); }),
                   member("fallbackAspectRatio", [](Image::Purpose p) { return fallbackAspectRatio(p); }),
                   member("fallbackToAnyAspectRatio", [](Image::Purpose p) { return fallbackToAnyAspectRatio(p); }),
                   member("supportsScrimLabel", [](Image::Purpose p) { return supportsScrimLabel(p); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Image)
VORLANE_JSON_RECORD(vorlane::ImageModelParameters)
