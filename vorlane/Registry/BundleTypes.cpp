// The decodable types of bundles, continue watching and user state, the legacy details page and
// the legacy up next.
//
// The personalized bundles and continue-watching answers share one shape per pair and differ in
// what they resume at; each is registered under its own name.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/Bookmark.hpp"
#include "vorlane/Models/Content/Bundles.hpp"
#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Models/Content/UserState.hpp"
#include "vorlane/Models/Playback/UpNext.hpp"

#include <optional>
#include <string>

namespace vorlane {

void registerBundleTypes(std::vector<DecodableType>& types) {
    // Read under the answer's keys, written under others (renamed or flattened).
    using registration::writtenInAnotherShape;
    types.insert(types.end(), {
        // Bookmarks and user state
        REGISTER(EpisodeBookmark, "EpisodeBookmark", legacy),
        REGISTER(BookmarkContainer, "BookmarkContainer", legacy),
        REGISTER(UserStateProgress, "UserStateProgress", legacy),
        writtenInAnotherShape(
            REGISTER(UserState, "UserState", legacy)),
        writtenInAnotherShape(REGISTER(UserEntityStateMap, "UserEntityStateMap", legacy)),
        REGISTER(DownloadUserState, "DownloadUserState", legacy),

        // Bundles and continue watching
        REGISTER(SeriesBundle, "SeriesBundle", legacy),
        REGISTER(VideoBundle, "VideoBundle", legacy),
        REGISTER(Watchlist, "Watchlist", legacy),
        REGISTER(WatchlistResponse, "WatchlistResponse", legacy),
        writtenInAnotherShape(REGISTER(PersonalizedProgramBundle, "PersonalizedProgramBundle", legacy)),
        writtenInAnotherShape(REGISTER(PersonalizedSeriesBundle, "PersonalizedSeriesBundle", legacy)),
        writtenInAnotherShape(REGISTER(ContinueWatchingSeriesResponse, "ContinueWatchingSeriesResponse", legacy)),
        writtenInAnotherShape(REGISTER(ContinueWatchingVideoResponse, "ContinueWatchingVideoResponse", legacy)),
        REGISTER(ContinueWatchingSeasonResponse, "ContinueWatchingSeasonResponse", legacy),

        // The details page
        writtenInAnotherShape(REGISTER(Page, "Page", legacy)),
        REGISTER(PageType, "Page.PageType", legacy),
        REGISTER(PageStyle, "PageStyle", legacy),
        REGISTER(PageContent, "PageContent", legacy),
        REGISTER(PageVisuals, "PageVisuals", legacy),
        writtenInAnotherShape(REGISTER(PageContainer, "PageContainer", legacy)),
        REGISTER(PageContainerType, "PageContainer.PageContainerType", legacy),
        writtenInAnotherShape(REGISTER(PageSeason, "PageSeason", legacy)),
        REGISTER(PageSeasonType, "PageSeason.SeasonType", legacy),
        REGISTER(PageSeasonRefType, "PageSeason.SeasonRefType", legacy),
        REGISTER(BundleContainer, "BundleContainer", legacy),
        REGISTER(ContainerContent, "ContainerContent", legacy),
        REGISTER(PageSize, "PageSize", legacy),

        // Up next
        REGISTER(UpNextType, "UpNextType", legacy),
        REGISTER(UpNextContentType, "UpNextContentType", legacy),
        REGISTER(UpNextItem, "UpNextItem", legacy),
        REGISTER(UpNextItemProgramSource, "UpNextItemProgramSource", legacy),
        REGISTER(UpNextParent, "UpNextParent", legacy),
        REGISTER(UpNextAvailability, "UpNextAvailability", legacy),
        REGISTER(UpNextResponse, "UpNextResponse", legacy),
        REGISTER(UpNext, "UpNext", legacy),
    });
}

}  // namespace vorlane
