#include "vorlane/Images/ImageMap.hpp"

#include <string>

namespace vorlane {

namespace {

// The ratio level of `purpose`, falling back from the requested ratio key: to 4:3 and then any
// ratio for thumbnails, to the empty key "" for every other purpose.
const ImagesByEntity* ratioLevel(const ImagesByRatio& ratios, Image::Purpose purpose, AspectRatio aspectRatio) {
    if (const auto* exact = ratios.find(asString(aspectRatio))) return exact;
    if (purpose != Image::Purpose::thumbnail) return ratios.find(std::string_view{});
    if (const auto fallback = fallbackAspectRatio(purpose))
        if (const auto* entities = ratios.find(asString(*fallback))) return entities;
    if (fallbackToAnyAspectRatio(purpose) && !ratios.empty()) return &ratios.front().second;
    return nullptr;
}

// One lookup of (purpose, entity, ratio). Without an entity only the first entity entry is
// considered, even when it has no "default" image.
const Image* lookup(const ImageMap& images, Image::Purpose purpose, std::optional<MediaEntity> entity,
                    AspectRatio aspectRatio) {
    const auto* ratios = images.find(purpose);
    if (!ratios) return nullptr;
    const auto* entities = ratioLevel(*ratios, purpose, aspectRatio);
    if (!entities) return nullptr;
    const ImageVariants* variants = nullptr;
    if (entity) {
        variants = entities->find(*entity);
    } else if (!entities->empty()) {
        variants = &entities->front().second;
    }
    return variants ? variants->find(defaultImageKey) : nullptr;
}

}  // namespace

std::optional<ImageModelParameters> imageFor(const ImageMap& images, Image::Purpose purpose, AspectRatio aspectRatio,
                                             std::optional<MediaEntity> entity) {
    // Thumbnails are the stills of a program, whatever entity the caller names.
    if (purpose == Image::Purpose::thumbnail) entity = MediaEntity::program;

    const Image* found = lookup(images, purpose, entity, aspectRatio);
    if (!found) found = lookup(images, purpose, std::nullopt, aspectRatio);
    if (!found) found = lookup(images, rootPurpose(purpose), std::nullopt, aspectRatio);
    if (!found)
        for (Image::Purpose fallback : fallbackPurposes(purpose))
            if ((found = lookup(images, fallback, std::nullopt, aspectRatio))) break;

    if (!found) return std::nullopt;
    return ImageModelParameters{*found, purpose, aspectRatio};
}

std::optional<Image> anyImage(const ImageMap& images) {
    if (images.empty()) return std::nullopt;
    const auto& ratios = images.front().second;
    if (ratios.empty()) return std::nullopt;
    const auto& entities = ratios.front().second;
    if (entities.empty()) return std::nullopt;
    const auto& variants = entities.front().second;
    if (variants.empty()) return std::nullopt;
    return variants.front().second;
}

std::vector<Image> allImages(const ImageMap& images) {
    std::vector<Image> out;
    for (const auto& [purpose, ratios] : images)
        for (const auto& [ratio, entities] : ratios)
            for (const auto& [entity, variants] : entities)
                if (const Image* image = variants.find(defaultImageKey)) out.push_back(*image);
    return out;
}

std::vector<Image::Purpose> allPurposes(const ImageMap& images) {
    std::vector<Image::Purpose> out;
    out.reserve(images.size());
    for (const auto& [key, ratios] : images)
        if (const auto purpose = json::fromWireString<Image::Purpose>(key)) out.push_back(*purpose);
    return out;
}

ImageMap toDictionary(const std::vector<Image>& images, std::optional<Image::Purpose> fallbackPurpose,
                      std::optional<MediaEntity> fallbackSourceEntity, std::optional<AspectRatio> fallbackAspectRatio) {
    ImageMap out;
    for (const Image& image : images) {
        const auto purpose = image.purpose ? image.purpose : fallbackPurpose;
        if (!purpose) continue;
        const auto entity = image.sourceEntity ? image.sourceEntity : fallbackSourceEntity;
        if (!entity) continue;
        const auto ratio = image.aspectRatio ? image.aspectRatio : fallbackAspectRatio;
        if (!ratio) continue;

        const std::string_view purposeKey = json::wireString(*purpose);
        ImagesByRatio* ratios = out.find(purposeKey);
        if (!ratios) ratios = &out.insertOrAssign(std::string(purposeKey), {});
        const std::string ratioKey = asString(*ratio);
        ImagesByEntity* entities = ratios->find(std::string_view(ratioKey));
        if (!entities) entities = &ratios->insertOrAssign(ratioKey, {});
        entities->insertOrAssign(*entity, ImageVariants{{std::string(defaultImageKey), image}});
    }
    return out;
}

}  // namespace vorlane
