// The decodable types of the configuration, the session's values, styles, images and content core.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/ItemPage.hpp"
#include "vorlane/Models/Content/LocalizedStrings.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Session.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"

namespace vorlane {

void registerCoreTypes(std::vector<DecodableType>& types) {
    using json::OpenEnum;
    types.insert(types.end(), {
        // Configuration and tracking
        REGISTER(ContentQueryConfiguration, "ContentQueryConfiguration", local),
        REGISTER(ContentQueryDescriptor, "ContentQueryDescriptor", local),
        REGISTER(CollectionContentClassConfig, "CollectionContentClassConfig", local),
        REGISTER(CollectionIdentifierType, "CollectionIdentifierType", local),
        REGISTER(ContentQueryIdentifier, "ContentQueryIdentifier", local),
        REGISTER(SentryConfig, "SentryConfig", local),

        // The session's values
        REGISTER(sdk::ContentIdentifier, "ContentIdentifier", local),
        REGISTER(sdk::SearchOverrides, "SearchOverrides", local),
        REGISTER(sdk::WatchlistRequest, "WatchlistRequest", local),
        REGISTER(sdk::Bookmark, "sdk.Bookmark", local),

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
        REGISTER(std::vector<Safe<ContentCoder>>, "[ContentCoder]", legacy),
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
        REGISTER(ItemPage, "ItemPage", local),
        REGISTER(OpenEnum<CollectionContentClassCase>, "CollectionContentClass", legacy),
        REGISTER(ContentSetType, "ContentSet.SetType", legacy),
        REGISTER(IntermediateLocalizedStrings, "IntermediateLocalizedStrings", legacy),
        REGISTER(EntriesDictionary, "EntriesDictionary", legacy),
        REGISTER(QueryContext, "QueryContext", local),
    });
}

}  // namespace vorlane
