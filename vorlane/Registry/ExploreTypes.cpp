// The decodable types of Explore pages: the page and its answer, the container envelope and the
// four container kinds, sets and their items (alone and with their shelf's style), seasons and
// the season and set answers, what plays next, and deep links with their destinations.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Explore/Containers.hpp"
#include "vorlane/Models/Explore/ExploreDeeplink.hpp"
#include "vorlane/Models/Explore/ExplorePage.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Models/Explore/ExploreUpNext.hpp"

namespace vorlane {

void registerExploreTypes(std::vector<DecodableType>& types) {
    using LenientContainers = std::vector<Safe<ContainerCoder>>;
    using registration::writtenInAnotherShape;
    types.insert(types.end(), {
        // Pages and their answer
        REGISTER(ExplorePageResponse, "ExplorePageResponse", explore),
        REGISTER(ExplorePage, "ExplorePage", explore),
        REGISTER(ExplorePageRestrictionCode, "ExplorePage.ExplorePageRestrictionCode", explore),

        // The container envelope, and a list of containers read as a page reads its body
        REGISTER(ContainerCoder, "ContainerCoder", explore),
        REGISTER(LenientContainers, "[ContainerCoder]", explore),
        REGISTER(ContainerTypeIdentifier, "ContainerTypeIdentifier", explore),
        REGISTER(DetailsContainer, "DetailsContainer", explore),
        REGISTER(ShopContainer, "ShopContainer", explore),
        REGISTER(EpisodesContainer, "EpisodesContainer", explore),
        REGISTER(EpisodesFocus, "EpisodesContainer.Focus", explore),
        REGISTER(EpisodesContainerVisuals, "EpisodesContainerVisuals", explore),

        // Sets and items
        REGISTER(ExploreSetResponse, "ExploreSetResponse", explore),
        REGISTER(ExploreSet, "ExploreSet", explore),
        REGISTER(ExploreSetStyle, "ExploreSet.Style", explore),
        REGISTER(ExplorePagination, "ExplorePagination", explore),
        REGISTER(ExploreSetItem, "ExploreSetItem", explore),
        REGISTER(ExploreSetItemWithStyle, "ExploreSetItemWithStyle", explore),
        REGISTER(Personalization, "Personalization", explore),

        // Seasons
        // Read from under "data", written flat
        writtenInAnotherShape(REGISTER(ExploreSeasonResponse, "ExploreSeasonResponse", explore)),
        REGISTER(ExploreSeason, "ExploreSeason", explore),
        REGISTER(SeasonStyle, "SeasonStyle", explore),

        // Up next: read from under "data" -> "upNext", written flat with its source
        writtenInAnotherShape(REGISTER(ExploreUpNextResponse, "ExploreUpNextResponse", explore)),
        REGISTER(ExploreUpNextItem, "ExploreUpNextItem", explore),
        REGISTER(ExploreUpNextSource, "ExploreUpNextResponse.Source", explore),

        // Deeplinks: read from under "data" -> "deeplink", written flat
        writtenInAnotherShape(REGISTER(ExploreDeeplink, "ExploreDeeplink", explore)),
        REGISTER(ExplorePageInfo, "ExploreDeeplink.ExplorePageInfo", explore),
        REGISTER(ExploreDeeplinkRefId, "ExploreDeeplink.RefId", explore),
        REGISTER(ExploreDeeplinkConfig, "ExploreDeeplinkConfig", explore),
        REGISTER(ExploreDeeplinkConfig::RefIds, "ExploreDeeplinkConfig.RefIds", explore),
        REGISTER(ExploreDeeplinkItem, "ExploreDeeplinkItem", explore),
    });
}

}  // namespace vorlane
