#include "vorlane/Images/ExploreImage.hpp"

#include "vorlane/Platform/Display.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

namespace {

using ImageContext = ExploreImage::Context;
using ImageContent = ExploreImage::Content;

// The image under (context, content, ratio key), with the content's ratio fallbacks when allowed.
const ExploreImage* lookup(const ExploreImageMap& images, ImageContext context, ImageContent content, AspectRatio aspectRatio,
                           bool ratioFallbacks) {
    const auto* contents = images.find(context);
    if (!contents) return nullptr;
    const auto* ratios = contents->find(content);
    if (!ratios) return nullptr;
    if (const auto* exact = ratios->find(asString(aspectRatio))) return exact;
    if (!ratioFallbacks) return nullptr;
    if (const auto fallback = fallbackAspectRatio(content))
        if (const auto* image = ratios->find(asString(*fallback))) return image;
    if (fallbackToAnyAspectRatio(content) && !ratios->empty()) return &ratios->front().second;
    return nullptr;
}

}  // namespace

bool ExploreImage::showTextOnFailure(Context context, Content content) noexcept {
    switch (content) {
        case ImageContent::logo:
            return false;
        case ImageContent::background:
            switch (context) {
                case ImageContext::tile:
                case ImageContext::collection:
                case ImageContext::upNext:
                case ImageContext::character:
                    return false;
                case ImageContext::details:
                    return Display::isHorizontallyCompact();
                default:
                    return true;
            }
        default:
            return context != ImageContext::upNext && context != ImageContext::character;
    }
}

bool usePlaceholder(ExploreImage::Content content) noexcept {
    return content == ImageContent::tile || content == ImageContent::thumbnail;
}

ImageFormat imageFormat(ExploreImage::Context context, ExploreImage::Content content) noexcept {
    switch (content) {
        case ImageContent::logo:
        case ImageContent::titleTreatment:
        case ImageContent::tileWhite:
        case ImageContent::watermark:
            return ImageFormat::png;
        case ImageContent::tile:
            return context == ImageContext::brand ? ImageFormat::png : ImageFormat::jpeg;
        default:
            return ImageFormat::jpeg;
    }
}

std::optional<AspectRatio> fallbackAspectRatio(ExploreImage::Content content) noexcept {
    switch (content) {
        case ImageContent::titleTreatment:
            return Ratio::threeThirtyTwo;
        case ImageContent::thumbnail:
            return Ratio::fourByThree;
        default:
            return std::nullopt;
    }
}

bool fallbackToAnyAspectRatio(ExploreImage::Content content) noexcept { return content == ImageContent::thumbnail; }

std::optional<ExploreArtworkModelParameters> imageFor(const ExploreImageMap& images, ExploreImage::Context context,
                                                      ExploreImage::Content content, AspectRatio aspectRatio,
                                                      const std::vector<ExploreArtworkComponents>& fallbacks,
                                                      bool fallbackToStandardContext) {
    // An explicit fallback list replaces the ratio fallbacks of the request.
    if (const auto* image = lookup(images, context, content, aspectRatio, fallbacks.empty()))
        return ExploreArtworkModelParameters{*image, context, content, aspectRatio};

    if (!fallbacks.empty()) {
        for (const auto& fallback : fallbacks)
            if (const auto* image = lookup(images, fallback.context, fallback.content, fallback.aspectRatio, false))
                return ExploreArtworkModelParameters{*image, fallback.context, fallback.content, fallback.aspectRatio};
        return std::nullopt;
    }

    if (fallbackToStandardContext)
        if (const auto* image = lookup(images, ImageContext::standard, content, aspectRatio, true))
            return ExploreArtworkModelParameters{*image, context, content, aspectRatio};

    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExploreImage)
VORLANE_JSON_DEFINE(vorlane::ExploreVideoArtwork)
VORLANE_JSON_DEFINE(vorlane::ExploreArtworkModelParameters)
VORLANE_JSON_DEFINE(vorlane::ExploreArtworkComponents)