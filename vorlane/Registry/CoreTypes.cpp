// The decodable types of the configuration, catalog, session, styles, images and content core.

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
#include "vorlane/Transport/CatalogManifest.hpp"
#include "vorlane/Transport/SessionCall.hpp"

namespace vorlane {

void registerCoreTypes(std::vector<DecodableType>& types) {
    using json::OpenEnum;
    using registration::derived;
    using Purpose = Image::Purpose;
    using Style = ContentContainerStyle;
    using ClassValue = OpenEnum<CollectionContentClassCase>;
    types.insert(types.end(), {
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
        REGISTER(sdk::Bookmark, "sdk.Bookmark", local),

        // Styles and refresh
        REGISTER(ContentContainerStyle, "ContentContainer.Style", explore,
                 derived<Style>("isBrand", &Style::isBrand), derived<Style>("isExploreBrand", &Style::isExploreBrand),
                 derived<Style>("isJuniorBrand", &Style::isJuniorBrand),
                 derived<Style>("isHeroSingle", &Style::isHeroSingle),
                 derived<Style>("usesOverlayWithFocusableElements", &Style::usesOverlayWithFocusableElements),
                 derived<Style>("isHeroInline", &Style::isHeroInline), derived<Style>("isExplore", &Style::isExplore)),
        REGISTER(ExplorePageType, "ExplorePage.PageType", explore),
        REGISTER(OpenEnum<ExplorePageStyleCase>, "ExplorePage.ExplorePageStyle", explore),
        REGISTER(ExplorePageStyleDescriptor, "ExplorePage.Style", explore,
                 derived<ExplorePageStyleDescriptor>("effectivePageStyle",
                                                     &ExplorePageStyleDescriptor::effectivePageStyle)),
        REGISTER(ExplorePageRestriction, "ExplorePageRestriction", explore),
        REGISTER(ExploreRefresh, "ExploreRefresh", explore, derived<ExploreRefresh>("policy", &ExploreRefresh::policy),
                 derived<ExploreRefresh>("ttlSeconds", &ExploreRefresh::ttlSeconds)),
        REGISTER(OpenEnum<RefreshPolicyCase>, "RefreshPolicy", explore),

        // Images
        REGISTER(Image, "Image", legacy),
        REGISTER(Image::Purpose, "Image.Purpose", legacy,
                 derived<Purpose>("usePlaceholder", [](Purpose p) { return usePlaceholder(p); }),
                 derived<Purpose>("showTextOnFailure", [](Purpose p) { return showTextOnFailure(p); }),
                 derived<Purpose>("format", [](Purpose p) { return format(p); }),
                 derived<Purpose>("showOriginalsLabel", [](Purpose p) { return showOriginalsLabel(p); }),
                 derived<Purpose>("fallbackPurposes",
                                  [](Purpose p) {
                                      auto span = fallbackPurposes(p);
                                      return std::vector<Purpose>(span.begin(), span.end());
                                  }),
                 derived<Purpose>("rootPurpose", [](Purpose p) { return rootPurpose(p); }),
                 derived<Purpose>("fallbackAspectRatio", [](Purpose p) { return fallbackAspectRatio(p); }),
                 derived<Purpose>("fallbackToAnyAspectRatio", [](Purpose p) { return fallbackToAnyAspectRatio(p); }),
                 derived<Purpose>("supportsScrimLabel", [](Purpose p) { return supportsScrimLabel(p); })),
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
        REGISTER(ContentCoder, "ContentCoder", legacy,
                 derived<ContentCoder>("contentId", [](const ContentCoder& c) { return c.model()->contentId(); }),
                 derived<ContentCoder>("contentIdentifier",
                                       [](const ContentCoder& c) { return c.model()->contentIdentifier(); }),
                 derived<ContentCoder>("isAnthologySeries",
                                       [](const ContentCoder& c) { return c.model()->isAnthologySeries(); }),
                 derived<ContentCoder>("shouldUseExploreAPI",
                                       [](const ContentCoder& c) { return c.model()->shouldUseExploreAPI(); }),
                 derived<ContentCoder>("shouldUseGetPageRequest",
                                       [](const ContentCoder& c) { return c.model()->shouldUseGetPageRequest(); })),
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
        REGISTER(OpenEnum<CollectionContentClassCase>, "CollectionContentClass", legacy,
                 derived<ClassValue>("isBrand", [](const ClassValue& c) { return isBrand(c); }),
                 derived<ClassValue>("isSuperEvent", [](const ClassValue& c) { return isSuperEvent(c); }),
                 derived<ClassValue>("parentContentClass", [](const ClassValue& c) { return parentContentClass(c); })),
        REGISTER(ContentSetType, "ContentSet.SetType", legacy),
        REGISTER(IntermediateLocalizedStrings, "IntermediateLocalizedStrings", legacy),
        REGISTER(EntriesDictionary, "EntriesDictionary", legacy),
        REGISTER(QueryContext, "QueryContext", local),
    });
}

}  // namespace vorlane
