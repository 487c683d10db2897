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
    types.insert(types.end(), {
        // Videos
        REGISTER(Video, "Video", legacy),
        REGISTER(Video::Meta, "Video.Meta", legacy),
        REGISTER(Bookmark, "Bookmark", legacy),
        REGISTER(VideoContentType, "Video.ContentType", legacy),
        REGISTER(VideoProgramType, "Video.ProgramType", legacy),
        REGISTER(ExploreDeeplinkParams, "ExploreDeeplinkParams", explore),
        REGISTER(ExploreDeeplinkReferenceIdType, "ExploreDeeplink.ReferenceIdType", explore),

        // Series and seasons
        REGISTER(Series, "Series", legacy),
        REGISTER(Season, "Season", legacy),
        REGISTER(Season::Meta, "Season.Meta", legacy),
        REGISTER(Season::Meta::Labels, "Season.Meta.Labels", legacy),
        REGISTER(Season::EpisodesMeta, "Season.EpisodesMeta", legacy),
        REGISTER(EpisodesPageSet, "EpisodesPageSet", legacy),
        REGISTER(EpisodesPageSet::Meta, "EpisodesPageSet.Meta", legacy),
        REGISTER(SeasonVisuals, "SeasonVisuals", explore),

        // Collections, sets and containers
        REGISTER(ContentCollection, "ContentCollection", legacy),
        REGISTER(CollectionType, "ContentCollection.CollectionType", legacy),
        REGISTER(CollectionSubType, "ContentCollection.CollectionSubType", legacy),
        REGISTER(CollectionSlug, "ContentCollection.Slug", legacy),
        REGISTER(ContentCollectionIdentifiers, "ContentCollectionIdentifiers", legacy),
        REGISTER(AssociatedCollectionGroup, "AssociatedCollectionGroup", legacy),
        REGISTER(AssociationType, "AssociationType", legacy),
        REGISTER(AssociatedContentCollection, "AssociatedContentCollection", legacy),
        REGISTER(ContentSet, "ContentSet", legacy),
        REGISTER(ContentSet::Meta, "ContentSet.Meta", legacy),
        REGISTER(ContentSetCoder, "ContentSetCoder", legacy),
        REGISTER(ContentContainer, "ContentContainer", legacy),
        REGISTER(ContainerType, "ContentContainer.ContainerType", legacy),

        // Avatars and the containers of single queries
        REGISTER(Avatar, "Avatar", legacy),
        REGISTER(SeasonsContainer, "SeasonsContainer", legacy),
        REGISTER(VideosContainer, "VideosContainer", legacy),
        REGISTER(VideosContainer::Meta, "VideosContainer.Meta", legacy),
        REGISTER(SingleVideoContainer, "SingleVideoContainer", legacy),
        REGISTER(SeriesContainer, "SeriesContainer", legacy),
        REGISTER(RelatedContainer, "RelatedContainer", legacy),
        REGISTER(AvatarsContainer, "AvatarsContainer", legacy),
        REGISTER(OstrelSearch, "OstrelSearch", legacy),
        REGISTER(OstrelSearch::Hit, "OstrelSearch.Hit", legacy),
    });
}

}  // namespace vorlane
