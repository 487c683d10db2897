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
    using registration::derived;
    // Read under the answer's keys, written under others (renamed or flattened).
    using registration::writtenInAnotherShape;
    using Progress = UserStateProgress;
    types.insert(types.end(), {
        // Bookmarks and user state
        REGISTER(EpisodeBookmark, "EpisodeBookmark", legacy,
                 derived<EpisodeBookmark>("progress", &EpisodeBookmark::progress)),
        REGISTER(BookmarkContainer, "BookmarkContainer", legacy),
        REGISTER(UserStateProgress, "UserStateProgress", legacy,
                 derived<Progress>("rawProgress", &Progress::rawProgress),
                 derived<Progress>("runtime", &Progress::runtime), derived<Progress>("playhead", &Progress::playhead)),
        writtenInAnotherShape(
            REGISTER(UserState, "UserState", legacy, derived<UserState>("playhead", &UserState::playhead))),
        writtenInAnotherShape(REGISTER(UserEntityStateMap, "UserEntityStateMap", legacy)),
        REGISTER(DownloadUserState, "DownloadUserState", legacy,
                 derived<DownloadUserState>("occurredOn", &DownloadUserState::occurredOn)),

        // Bundles and continue watching
        REGISTER(SeriesBundle, "SeriesBundle", legacy,
                 derived<SeriesBundle>("exploreDeeplinkParams", &SeriesBundle::exploreDeeplinkParams)),
        REGISTER(VideoBundle, "VideoBundle", legacy),
        REGISTER(Watchlist, "Watchlist", legacy),
        writtenInAnotherShape(REGISTER(PersonalizedProgramBundle, "PersonalizedProgramBundle", legacy)),
        writtenInAnotherShape(REGISTER(PersonalizedSeriesBundle, "PersonalizedSeriesBundle", legacy)),
        writtenInAnotherShape(REGISTER(ContinueWatchingSeriesResponse, "ContinueWatchingSeriesResponse", legacy)),
        writtenInAnotherShape(REGISTER(ContinueWatchingVideoResponse, "ContinueWatchingVideoResponse", legacy)),
        REGISTER(ContinueWatchingSeasonResponse, "ContinueWatchingSeasonResponse", legacy),

        // The details page
        writtenInAnotherShape(REGISTER(Page, "Page", legacy, derived<Page>("isAnthology", &Page::isAnthology))),
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
        REGISTER(UpNextResponse, "UpNextResponse", legacy,
                 derived<UpNextResponse>("description", &UpNextResponse::description),
                 derived<UpNextResponse>("upNext",
                                         [](const UpNextResponse& r) -> std::optional<UpNext> {
                                             auto result = UpNext::from(r);
                                             if (const UpNext* upNext = result.leftIfPresent()) return *upNext;
                                             return std::nullopt;
                                         })),
        REGISTER(UpNext, "UpNext", legacy),
    });
}

}  // namespace vorlane
