// The list of decodable types, grouped by area. Each area adds its records here, one line each.

#include "vorlane/Registry/DecodableTypes.hpp"

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/LocalizedStrings.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Session.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"
#include "vorlane/Transport/SessionCall.hpp"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace vorlane {

json::DecoderSettings decoderSettings(ApiGeneration generation) noexcept {
    return generation == ApiGeneration::legacy ? json::DecoderSettings::iso8601() : json::DecoderSettings{};
}

namespace {

template <class T>
std::string roundTrip(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                      json::Diagnostics* diagnostics) {
    return json::encode(json::decode<T>(answer, settings, diagnostics), json::EncoderSettings{settings.dates});
}

template <class T>
DecodableType entry(std::string_view name, std::string_view cppName, ApiGeneration generation) {
    return DecodableType{name, cppName, generation, &typeKeyOf<T>, &roundTrip<T>};
}

// REGISTER(C++ type, "name as the system names it", generation)
#define REGISTER(Type, name, generation) entry<Type>(name, #Type, ApiGeneration::generation)

std::vector<DecodableType> registeredTypes() {
    using json::OpenEnum;
    std::vector<DecodableType> types = {
        // Configuration and tracking
        REGISTER(ContentQueryConfiguration, "ContentQueryConfiguration", local),
        REGISTER(ContentQueryDescriptor, "ContentQueryDescriptor", local),
        REGISTER(CollectionContentClassConfig, "CollectionContentClassConfig", local),
        REGISTER(CollectionIdentifierType, "CollectionIdentifierType", local),
        REGISTER(ContentQueryIdentifier, "ContentQueryIdentifier", local),
        REGISTER(SentryConfig, "SentryConfig", local),

        // The catalog and the session
        REGISTER(CatalogManifest, "CatalogManifest", local),
        REGISTER(CatalogAnswer, "CatalogAnswer", local),
        REGISTER(CatalogQuery, "CatalogQuery", local),
        REGISTER(CatalogApi, "CatalogApi", local),
        REGISTER(SessionCall, "SessionCall", local),
        REGISTER(SessionCallKind, "SessionCallKind", local),
        REGISTER(sdk::ContentIdentifier, "ContentIdentifier", local),
        REGISTER(sdk::SearchOverrides, "SearchOverrides", local),
        REGISTER(sdk::WatchlistRequest, "WatchlistRequest", local),
        REGISTER(sdk::Bookmark, "Bookmark", local),

        // Styles and refresh
        REGISTER(ContentContainerStyle, "ContentContainer.Style", explore),
        REGISTER(ExplorePageType, "ExplorePage.PageType", explore),
        REGISTER(OpenEnum<ExplorePageStyleCase>, "ExplorePage.ExplorePageStyle", explore),
        REGISTER(ExplorePageStyleDescriptor, "ExplorePage.Style", explore),
        REGISTER(ExplorePageRestriction, "ExplorePageRestriction", explore),
        REGISTER(ExploreRefresh, "ExploreRefresh", explore),
        REGISTER(OpenEnum<RefreshPolicyCase>, "RefreshPolicy", explore),

        // Images
        REGISTER(Image, "Image", legacy),
        REGISTER(Image::Purpose, "Image.Purpose", legacy),
        REGISTER(Image::ScrimLabel, "Image.ScrimLabel", legacy),
        REGISTER(OpenEnum<OriginalsBadgeLabelKind>, "Image.OriginalsBadgeLabel", legacy),
        REGISTER(ImageFormat, "ImageFormat", legacy),
        REGISTER(ImageModelParameters, "ImageModelParameters", legacy),
        REGISTER(MediaEntity, "MediaEntity", legacy),
        REGISTER(OpenEnum<IconTypeKind>, "IconType", legacy),
        REGISTER(ImageMap, "ImageMap", legacy),
        REGISTER(VideoArtwork, "VideoArtwork", legacy),
        REGISTER(VideoArtwork::ArtworkType, "VideoArtwork.ArtworkType", legacy),
        REGISTER(VideoArtwork::ArtworkURL, "VideoArtwork.ArtworkURL", legacy),
        REGISTER(ExploreImage, "ExploreImage", explore),
        REGISTER(ExploreImage::Context, "ExploreImage.Context", explore),
        REGISTER(ExploreImage::Content, "ExploreImage.Content", explore),
        REGISTER(ExploreImageMap, "ExploreImageMap", explore),
        REGISTER(ExploreVideoArtwork, "ExploreVideoArtwork", explore),
        REGISTER(ExploreArtworkModelParameters, "ExploreArtworkModelParameters", explore),
        REGISTER(ExploreArtworkComponents, "ExploreArtworkComponents", explore),

        // The content core
        REGISTER(ContentCoder, "ContentCoder", legacy),
        REGISTER(ContentTypeIdentifier, "ContentTypeIdentifier", legacy),
        REGISTER(EncodedIdentifier, "EncodedIdentifier", legacy),
        REGISTER(CallToAction, "CallToAction", legacy),
        REGISTER(ContentAction, "ContentAction", legacy),
        REGISTER(ContentActionType, "ContentActionType", legacy),
        REGISTER(ContentActionRefType, "ContentActionRefType", legacy),
        REGISTER(ContentActionRefSubType, "ContentActionRefSubType", legacy),
        REGISTER(ContentActionRefStyle, "ContentActionRefStyle", legacy),
        REGISTER(TextMetadata, "TextMetadata", legacy),
        REGISTER(TextMetadata::Field, "TextMetadata.Field", legacy),
        REGISTER(TextMetadata::TextType, "TextMetadata.TextType", legacy),
        REGISTER(TextMap, "TextMap", legacy),
        REGISTER(SeriesType, "SeriesType", legacy),
        REGISTER(ContentReferenceLocator, "ContentReferenceLocator", legacy),
        REGISTER(ContentSetReferenceLocator, "ContentSetReferenceLocator", legacy),
        REGISTER(ContentCollectionReferenceLocator, "ContentCollectionReferenceLocator", legacy),
        REGISTER(OpenEnum<CollectionContentClassCase>, "CollectionContentClass", legacy),
        REGISTER(ContentSetType, "ContentSet.SetType", legacy),
        REGISTER(IntermediateLocalizedStrings, "IntermediateLocalizedStrings", legacy),
        REGISTER(EntriesDictionary, "EntriesDictionary", legacy),
    };
    std::sort(types.begin(), types.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (std::size_t i = 1; i < types.size(); ++i)
        if (types[i - 1].name == types[i].name)
            throw std::logic_error("type name registered twice: " + std::string(types[i].name));
    return types;
}

#undef REGISTER

}  // namespace

std::string DecodableType::decodeAndEncode(std::string_view bytes, json::Diagnostics* diagnostics) const {
    return decodeAndEncode(json::PaddedAnswer::fromBytes(bytes), diagnostics);
}

const std::vector<DecodableType>& decodableTypes() {
    static const std::vector<DecodableType> types = registeredTypes();
    return types;
}

const DecodableType* findDecodableType(std::string_view name) {
    const auto& types = decodableTypes();
    auto it = std::lower_bound(types.begin(), types.end(), name,
                               [](const DecodableType& type, std::string_view n) { return type.name < n; });
    return it != types.end() && it->name == name ? &*it : nullptr;
}

const DecodableType* findDecodableType(const void* typeKey) {
    static const auto byKey = [] {
        std::unordered_map<const void*, const DecodableType*> map;
        for (const auto& type : decodableTypes()) map.emplace(type.typeKey, &type);
        return map;
    }();
    auto it = byKey.find(typeKey);
    return it == byKey.end() ? nullptr : it->second;
}

}  // namespace vorlane
