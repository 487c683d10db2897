#include "vorlane/Images/ExploreImage.hpp"

#include "vorlane/Platform/Display.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

namespace {

using Context = ExploreImage::Context;
using Content = ExploreImage::Content;

// The image under (context, content, ratio key), with the content's ratio fallbacks when allowed.
const ExploreImage* lookup(const ExploreImageMap& images, Context context, Content content, AspectRatio aspectRatio,
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
        case Content::logo:
            return false;
        case Content::background:
            switch (context) {
                case Context::tile:
                case Context::collection:
                case Context::upNext:
                case Context::character:
                    return false;
                case Context::details:
                    return Display::isHorizontallyCompact();
                default:
                    return true;
            }
        default:
            return context != Context::upNext && context != Context::character;
    }
}

bool usePlaceholder(ExploreImage::Content content) noexcept {
    return content == Content::tile || content == Content::thumbnail;
}

ImageFormat imageFormat(ExploreImage::Context context, ExploreImage::Content content) noexcept {
    switch (content) {
        case Content::logo:
        case Content::titleTreatment:
        case Content::tileWhite:
        case Content::watermark:
            return ImageFormat::png;
        case Content::tile:
            return context == Context::brand ? ImageFormat::png : ImageFormat::jpeg;
        default:
            return ImageFormat::jpeg;
    }
}

std::optional<AspectRatio> fallbackAspectRatio(ExploreImage::Content content) noexcept {
    switch (content) {
        case Content::titleTreatment:
            return Ratio::threeThirtyTwo;
        case Content::thumbnail:
            return Ratio::fourByThree;
        default:
            return std::nullopt;
    }
}

bool fallbackToAnyAspectRatio(ExploreImage::Content content) noexcept { return content == Content::thumbnail; }

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
        if (const auto* image = lookup(images, Context::standard, content, aspectRatio, true))
            return ExploreArtworkModelParameters{*image, context, content, aspectRatio};

    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExploreImage)
VORLANE_JSON_DEFINE(vorlane::ExploreVideoArtwork)
VORLANE_JSON_DEFINE(vorlane::ExploreArtworkModelParameters)
VORLANE_JSON_DEFINE(vorlane::ExploreArtworkComponents)