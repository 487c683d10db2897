#pragma once
// The image map of the legacy content API and the selection of an image from it.
//
// Shape, every level a string-keyed map in document order:
//   purpose wire string -> ratio key (asString of the ratio) -> entity wire string -> {"default": Image}
//
//   {"tile": {"1.78": {"series": {"default": {"url": "...", "masterId": "..."}}}}}
//
// Selection never fails: every miss gives an absent result.

#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"

#include <optional>
#include <string_view>
#include <vector>

namespace vorlane {

// The innermost level: variants of one image, the one used being under "default".
using ImageVariants = OrderedMap<Image>;
using ImagesByEntity = OrderedMap<ImageVariants>;
using ImagesByRatio = OrderedMap<ImagesByEntity>;
using ImageMap = OrderedMap<ImagesByRatio>;

// The key of the innermost level under which the image in use is stored.
inline constexpr std::string_view defaultImageKey = "default";

// The image for `purpose` at `aspectRatio`, made for `entity` where it is given.
//
// Tried in order, each through one lookup: (purpose, entity), (purpose, any entity),
// (rootPurpose(purpose), any entity), then each of fallbackPurposes(purpose), any entity, not
// expanded further. A thumbnail is always looked up for the `program` entity. One lookup takes
// the requested ratio key, else the "" key (the 4:3 key and then any ratio for `thumbnail`);
// "any entity" means the first entity entry only. The result names the requested purpose and
// ratio, whichever entry supplied the image.
[[nodiscard]] std::optional<ImageModelParameters> imageFor(const ImageMap& images, Image::Purpose purpose,
                                                           AspectRatio aspectRatio,
                                                           std::optional<MediaEntity> entity = std::nullopt);

// The first image of the first entity of the first ratio of the first purpose; absent when any
// of those levels is empty.
[[nodiscard]] std::optional<Image> anyImage(const ImageMap& images);

// Every image stored under "default", by purpose, ratio and entity in map order.
[[nodiscard]] std::vector<Image> allImages(const ImageMap& images);

// The purposes the map has keys for, in map order; keys that name no purpose are skipped.
[[nodiscard]] std::vector<Image::Purpose> allPurposes(const ImageMap& images);

// Builds an image map from free-standing images, each placed by its own purpose, source entity
// and ratio, or the given fallbacks where it has none; an image that still lacks one of the three
// is left out. A later image with the same purpose, ratio and entity replaces an earlier one.
// The images are stored as they are.
[[nodiscard]] ImageMap toDictionary(const std::vector<Image>& images,
                                    std::optional<Image::Purpose> fallbackPurpose = std::nullopt,
                                    std::optional<MediaEntity> fallbackSourceEntity = std::nullopt,
                                    std::optional<AspectRatio> fallbackAspectRatio = std::nullopt);

// A record that carries an image map (a video, a series, an airing, an Explore item, ...).
class ContentImagesContaining {
public:
    virtual ~ContentImagesContaining() = default;

    // The record's image map.
    [[nodiscard]] virtual const ImageMap& image() const = 0;

    // The selection of `imageFor` on this record's image map.
    [[nodiscard]] std::optional<ImageModelParameters> imageFor(
        Image::Purpose purpose, AspectRatio aspectRatio, std::optional<MediaEntity> sourceEntity = std::nullopt) const {
        return vorlane::imageFor(image(), purpose, aspectRatio, sourceEntity);
    }

    // The interface holds no state; this lets implementers default their own memberwise equality.
    bool operator==(const ContentImagesContaining&) const = default;

protected:
    ContentImagesContaining() = default;
    ContentImagesContaining(const ContentImagesContaining&) = default;
    ContentImagesContaining& operator=(const ContentImagesContaining&) = default;
};

}  // namespace vorlane
