// The decodable types of the legacy content model: videos, series and seasons, collections, sets
// and their containers, avatars and the typed containers single queries answer with.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/OstrelSearch.hpp"
#include "vorlane/Models/Content/ResultContainers.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"

namespace vorlane {

void registerLegacyContentTypes(std::vector<DecodableType>& types) {
    using registration::derived;
    types.insert(types.end(), {
        // Videos
        REGISTER(Video, "Video", legacy,
                 derived<Video>("encodedFamilyId", &Video::encodedFamilyId),
                 derived<Video>("contentIdentifier", &Video::contentIdentifier),
                 derived<Video>("playbackUrl", &Video::playbackUrl),
                 derived<Video>("genreIds", &Video::genreIds),
                 derived<Video>("isAiringReplay", &Video::isAiringReplay),
                 derived<Video>("exploreDeeplinkParams", &Video::exploreDeeplinkParams),
                 derived<Video>("browseAction", &Video::browseAction),
                 derived<Video>("contentReferenceLocator",
                                [](const Video& v) { return ContentReferenceLocator::of(v); })),
        REGISTER(Video::Meta, "Video.Meta", legacy),
        REGISTER(Bookmark, "Bookmark", legacy, derived<Bookmark>("isCompleted", &Bookmark::isCompleted)),
        REGISTER(VideoContentType, "Video.ContentType", legacy),
        REGISTER(VideoProgramType, "Video.ProgramType", legacy),
        REGISTER(ExploreDeeplinkParams, "ExploreDeeplinkParams", explore),
        REGISTER(ExploreDeeplinkReferenceIdType, "ExploreDeeplink.ReferenceIdType", explore),

        // Series and seasons
        REGISTER(Series, "Series", legacy,
                 derived<Series>("contentIdentifier", &Series::contentIdentifier),
                 derived<Series>("encodedFamilyId", &Series::encodedFamilyId),
                 derived<Series>("genreIds", &Series::genreIds),
                 derived<Series>("exploreDeeplinkParams", &Series::exploreDeeplinkParams),
                 derived<Series>("browseAction", &Series::browseAction),
                 derived<Series>("contentReferenceLocator",
                                 [](const Series& s) { return ContentReferenceLocator::of(s); })),
        REGISTER(Season, "Season", legacy),
        REGISTER(Season::Meta, "Season.Meta", legacy),
        REGISTER(Season::Meta::Labels, "Season.Meta.Labels", legacy),
        REGISTER(Season::EpisodesMeta, "Season.EpisodesMeta", legacy),
        REGISTER(EpisodesPageSet, "EpisodesPageSet", legacy),
        REGISTER(EpisodesPageSet::Meta, "EpisodesPageSet.Meta", legacy),
        REGISTER(SeasonVisuals, "SeasonVisuals", explore),

        // Collections, sets and containers
        REGISTER(ContentCollection, "ContentCollection", legacy,
                 derived<ContentCollection>("isEmpty", &ContentCollection::isEmpty),
                 derived<ContentCollection>("contentId", &ContentCollection::contentId),
                 derived<ContentCollection>("actions", [](const ContentCollection& c) { return c.actionCoders; })),
        REGISTER(CollectionType, "ContentCollection.CollectionType", legacy),
        REGISTER(CollectionSubType, "ContentCollection.CollectionSubType", legacy),
        REGISTER(CollectionSlug, "ContentCollection.Slug", legacy),
        REGISTER(ContentCollectionIdentifiers, "ContentCollectionIdentifiers", legacy,
                 derived<ContentCollectionIdentifiers>("associatedCollectionParentGroupId",
                                                       &ContentCollectionIdentifiers::associatedCollectionParentGroupId),
                 derived<ContentCollectionIdentifiers>("sportTags", [](const ContentCollectionIdentifiers& ids) {
                     return ids.sportTagCoders.value_or(std::vector<SportTags::Coder>{});
                 })),
        REGISTER(AssociatedCollectionGroup, "AssociatedCollectionGroup", legacy),
        REGISTER(AssociationType, "AssociationType", legacy),
        REGISTER(AssociatedContentCollection, "AssociatedContentCollection", legacy,
                 derived<AssociatedContentCollection>("contentId", &AssociatedContentCollection::contentId)),
        REGISTER(ContentSet, "ContentSet", legacy,
                 derived<ContentSet>("reference", &ContentSet::reference),
                 derived<ContentSet>("content", [](const ContentSet& s) { return s.items; })),
        REGISTER(ContentSet::Meta, "ContentSet.Meta", legacy),
        REGISTER(ContentSetCoder, "ContentSetCoder", legacy,
                 derived<ContentSetCoder>("id", &ContentSetCoder::id),
                 derived<ContentSetCoder>("setType", &ContentSetCoder::setType)),
        REGISTER(ContentContainer, "ContentContainer", legacy,
                 derived<ContentContainer>("id", &ContentContainer::id),
                 derived<ContentContainer>("setType", &ContentContainer::setType),
                 derived<ContentContainer>("isHero", &ContentContainer::isHero)),
        REGISTER(ContainerType, "ContentContainer.ContainerType", legacy),

        // Avatars and the containers of single queries
        REGISTER(Avatar, "Avatar", legacy, derived<Avatar>("contentId", &Avatar::contentId)),
        REGISTER(SeasonsContainer, "SeasonsContainer", legacy),
        REGISTER(VideosContainer, "VideosContainer", legacy),
        REGISTER(VideosContainer::Meta, "VideosContainer.Meta", legacy),
        REGISTER(SingleVideoContainer, "SingleVideoContainer", legacy),
        REGISTER(SeriesContainer, "SeriesContainer", legacy),
        REGISTER(RelatedContainer, "RelatedContainer", legacy),
        REGISTER(AvatarsContainer, "AvatarsContainer", legacy),
        REGISTER(OstrelSearch, "OstrelSearch", legacy, derived<OstrelSearch>("contents", &OstrelSearch::contents)),
        REGISTER(OstrelSearch::Hit, "OstrelSearch.Hit", legacy),
    });
}

}  // namespace vorlane
