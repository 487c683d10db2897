#pragma once
// Image records of the legacy content API and the vocabularies that describe them: the purpose an
// image serves (with its presentation hints and fallback chain), its file format, the scrim label
// drawn over it and the originals badge shown on it.

#include "vorlane/Images/FallbackVocabularyCodec.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/Codec.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vorlane {

class ContentContainerStyle;

enum class ImageFormat { jpeg, png };

// What an image is for. The first key level of an image map.
enum class ImagePurpose {
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
enum class ImageScrimLabel { scrim80, scrim178, scrim300, heroInlineScrim300, scrim391, scrim461 };

// The brands whose originals badge an image can carry; `other` holds any other label as sent.
enum class OriginalsBadgeLabelKind {
    vorlaneOriginals,
    emberStudio,
    northwindKids,
    atlasDocumentaries,
    harborClassics,
    other,
};

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ImageFormat> {
    using E = vorlane::ImageFormat;
    static constexpr std::string_view name = "ImageFormat";
    static constexpr VocabularyEntry<E> entries[] = {{E::jpeg, "jpeg"}, {E::png, "png"}};
};

// Decoding a purpose never fails: an unknown string, a value of another type or any failure
// reads as `unknown`. json::fromWireString<ImagePurpose> still gives nothing for an unknown string.
template <>
struct vorlane::json::Vocabulary<vorlane::ImagePurpose> {
    using E = vorlane::ImagePurpose;
    static constexpr std::string_view name = "Image.Purpose";
    static constexpr E fallback = E::unknown;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::hero, "hero"},
        {E::heroCollection, "hero_collection"},
        {E::heroCollectionBrand, "hero_collection_brand"},
        {E::heroCollectionInline, "hero_collection_inline"},
        {E::heroTile, "hero_tile"},
        {E::tileTitleCard, "tile_title_card"},
        {E::titleTreatment, "title_treatment"},
        {E::titleTreatmentLayer, "title_treatment_layer"},
        {E::titleTreatmentCentered, "title_treatment_centered"},
        {E::titleTreatmentBottom, "title_treatment_bottom"},
        {E::thumbnail, "thumbnail"},
        {E::thumbnailImax, "thumbnail_version_imax_enhanced"},
        {E::thumbnailWidescreen, "thumbnail_version_ov_widescreen"},
        {E::logo, "logo"},
        {E::logoDark, "logo_dark"},
        {E::logoLayer, "logo_layer"},
        {E::tile, "tile"},
        {E::tileInline, "tile_inline"},
        {E::tileKeystone, "tile_keystone"},
        {E::tileWhite, "tile_white"},
        {E::keystone, "keystone"},
        {E::background, "background"},
        {E::backgroundDetails, "background_details"},
        {E::backgroundUpNext, "background_up_next"},
        {E::teamLogo1, "teamLogo1"},
        {E::teamLogo2, "teamLogo2"},
        {E::league, "league"},
        {E::unknown, "unknown"},
        {E::brandTile, "brandTile"},
        {E::avatarTile, "avatarTile"},
    };
};

template <>
struct vorlane::json::Codec<vorlane::ImagePurpose> : vorlane::json::FallbackVocabularyCodec<vorlane::ImagePurpose> {};

template <>
struct vorlane::json::Vocabulary<vorlane::ImageScrimLabel> {
    using E = vorlane::ImageScrimLabel;
    static constexpr std::string_view name = "Image.ScrimLabel";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::scrim80, "080_scrim"},
        {E::scrim178, "178_scrim"},
        {E::scrim300, "300_scrim"},
        {E::heroInlineScrim300, "heroinline_300_scrim"},
        {E::scrim391, "391_scrim"},
        {E::scrim461, "461_scrim"},
    };
};

template <>
struct vorlane::json::Vocabulary<vorlane::OriginalsBadgeLabelKind> {
    using E = vorlane::OriginalsBadgeLabelKind;
    static constexpr std::string_view name = "Image.OriginalsBadgeLabel";
    static constexpr E catchAll = E::other;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::vorlaneOriginals, "vorlane_originals"},
        {E::emberStudio, "ember_studio"},
        {E::northwindKids, "northwind_kids"},
        {E::atlasDocumentaries, "atlas_documentaries"},
        {E::harborClassics, "harbor_classics"},
    };
};

namespace vorlane {

// One image of the legacy content API. Inside an image map the purpose, ratio and source entity
// of an image are given by the map's keys; the underscore fields describe a free-standing image
// and are what `toDictionary` reads to place it in a map.
struct Image {
    using Purpose = ImagePurpose;
    using ScrimLabel = ImageScrimLabel;
    using OriginalsBadgeLabel = json::OpenEnum<OriginalsBadgeLabelKind>;

    std::string url;                          // "url", required
    std::string masterId;                     // "masterId", required
    std::optional<std::int64_t> masterWidth;  // "masterWidth"
    std::optional<std::int64_t> masterHeight; // "masterHeight"
    std::optional<AspectRatio> aspectRatio;   // "_aspectRatio"
    std::optional<ImagePurpose> purpose;      // "_purpose"
    std::optional<MediaEntity> sourceEntity;  // "_sourceEntity"

    bool operator==(const Image&) const = default;
};

// An image chosen for a request, with the purpose and ratio that were asked for (not those of
// the map entry that supplied it).
struct ImageModelParameters {
    Image image;
    ImagePurpose purpose;
    AspectRatio aspectRatio;

    bool operator==(const ImageModelParameters&) const = default;
};

// ---- Presentation hints and fallback chain of each purpose -------------------------------------

// Whether a placeholder is drawn while the image loads or when it fails.
[[nodiscard]] bool usePlaceholder(ImagePurpose purpose) noexcept;
// Whether the title is drawn as text when the image fails to load.
[[nodiscard]] bool showTextOnFailure(ImagePurpose purpose) noexcept;
// The file format images of this purpose are requested in.
[[nodiscard]] ImageFormat format(ImagePurpose purpose) noexcept;
// Whether an originals badge is drawn over the image.
[[nodiscard]] bool showOriginalsLabel(ImagePurpose purpose) noexcept;
// The purposes tried, in order, when the map has nothing for this one. They are not expanded
// further: a fallback's own fallbacks are not tried.
[[nodiscard]] std::span<const ImagePurpose> fallbackPurposes(ImagePurpose purpose) noexcept;
// The purpose whose images stand in for this one: `tile` for brand and avatar tiles, else itself.
[[nodiscard]] ImagePurpose rootPurpose(ImagePurpose purpose) noexcept;
// The ratio tried when the requested one is missing (4:3 for thumbnails), if any.
[[nodiscard]] std::optional<AspectRatio> fallbackAspectRatio(ImagePurpose purpose) noexcept;
// Whether an image of any ratio will do when neither the requested nor the fallback ratio exists.
[[nodiscard]] bool fallbackToAnyAspectRatio(ImagePurpose purpose) noexcept;
// Whether a scrim label is drawn over images of this purpose.
[[nodiscard]] bool supportsScrimLabel(ImagePurpose purpose) noexcept;

// The scrim label for artwork of `ratio`, compared exactly with the named ratios: 16:9, 3 (the
// hero-inline variant when the container's style is an inline hero), 3.91, 0.8 and 4.61.
// Any other ratio has no scrim label.
[[nodiscard]] std::optional<ImageScrimLabel> scrimLabel(AspectRatio ratio,
                                                        const ContentContainerStyle* containerStyle = nullptr);

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::Image)
VORLANE_JSON_CODEC(vorlane::ImageModelParameters)
