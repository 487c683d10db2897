// The list of decodable types, grouped by area. Each area adds its records here.

#include "tools/vorlane/TypeRegistry.hpp"

#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentContainerStyle.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/LocalizedStrings.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Platform/Session.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

namespace vorlane::cli {

namespace {

// Legacy content answers read dates as ISO 8601; everything else uses the default settings.
const json::DecoderSettings legacy = json::DecoderSettings::iso8601();

void addServiceConfiguration(TypeRegistry& r) {
    r.add<ContentQueryConfiguration>("ContentQueryConfiguration");
    r.add<ContentQueryDescriptor>("ContentQueryDescriptor");
    r.add<CollectionContentClassConfig>("CollectionContentClassConfig");
    r.add<CollectionIdentifierType>("CollectionIdentifierType");
    r.add<ContentQueryIdentifier>("ContentQueryIdentifier");
}

void addTracking(TypeRegistry& r) { r.add<SentryConfig>("SentryConfig"); }

void addSessionValues(TypeRegistry& r) {
    r.add<sdk::ContentIdentifier>("ContentIdentifier");
    r.add<sdk::SearchOverrides>("SearchOverrides");
    r.add<sdk::WatchlistRequest>("WatchlistRequest");
}

void addStyles(TypeRegistry& r) {
    r.add<ContentContainerStyle>("ContentContainer.Style");
    r.add<ExplorePageType>("ExplorePage.PageType");
    r.add<ExplorePageStyle>("ExplorePage.ExplorePageStyle");
    r.add<ExplorePageStyleDescriptor>("ExplorePage.Style");
    r.add<ExplorePageRestriction>("ExplorePageRestriction");
    r.add<ExploreRefresh>("ExploreRefresh");
    r.add<RefreshPolicy>("RefreshPolicy");
}

void addImages(TypeRegistry& r) {
    r.add<Image>("Image", legacy);
    r.add<ImagePurpose>("Image.Purpose", legacy);
    r.add<ImageScrimLabel>("Image.ScrimLabel", legacy);
    r.add<Image::OriginalsBadgeLabel>("Image.OriginalsBadgeLabel", legacy);
    r.add<ImageFormat>("ImageFormat", legacy);
    r.add<MediaEntity>("MediaEntity", legacy);
    r.add<IconType>("IconType", legacy);
    r.add<ImageMap>("ImageMap", legacy);
    r.add<VideoArtwork>("VideoArtwork", legacy);
    r.add<VideoArtworkType>("VideoArtwork.ArtworkType", legacy);
    r.add<VideoArtwork::ArtworkURL>("VideoArtwork.ArtworkURL", legacy);
    r.add<ExploreImage>("ExploreImage");
    r.add<ExploreImageContext>("ExploreImage.Context");
    r.add<ExploreImageContent>("ExploreImage.Content");
    r.add<ExploreImageMap>("ExploreImageMap");
    r.add<ExploreVideoArtwork>("ExploreVideoArtwork");
}

void addContentCore(TypeRegistry& r) {
    r.add<ContentCoder>("ContentCoder", legacy);
    r.add<ContentTypeIdentifier>("ContentTypeIdentifier", legacy);
    r.add<EncodedIdentifier>("EncodedIdentifier", legacy);
    r.add<CallToAction>("CallToAction", legacy);
    r.add<ContentAction>("ContentAction", legacy);
    r.add<TextMetadata>("TextMetadata", legacy);
    r.add<TextField>("TextMetadata.Field", legacy);
    r.add<TextType>("TextMetadata.TextType", legacy);
    r.add<TextMap>("TextMap", legacy);
    r.add<SeriesType>("SeriesType", legacy);
    r.add<ContentReferenceLocator>("ContentReferenceLocator", legacy);
    r.add<ContentSetReferenceLocator>("ContentSetReferenceLocator", legacy);
    r.add<ContentCollectionReferenceLocator>("ContentCollectionReferenceLocator", legacy);
    r.add<CollectionContentClass>("CollectionContentClass", legacy);
    r.add<ContentSetType>("ContentSet.SetType", legacy);
    r.add<IntermediateLocalizedStrings>("IntermediateLocalizedStrings", legacy);
    r.add<EntriesDictionary>("EntriesDictionary", legacy);
}

void addCatalog(TypeRegistry& r) { r.add<CatalogManifest>("CatalogManifest"); }

}  // namespace

const TypeRegistry& TypeRegistry::shared() {
    static const TypeRegistry registry = [] {
        TypeRegistry r;
        addServiceConfiguration(r);
        addTracking(r);
        addCatalog(r);
        addSessionValues(r);
        addStyles(r);
        addImages(r);
        addContentCore(r);
        return r;
    }();
    return registry;
}

}  // namespace vorlane::cli
