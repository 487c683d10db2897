// The decodable types of airings and live events: the airing with its channel, custom media
// locations and event states, the answers that wrap airings (live-now map, single airing, live
// episodes, program bundle), the sports records and sport tags, and the family and group links
// that videos and airings share.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/Channel.hpp"
#include "vorlane/Models/Content/Family.hpp"
#include "vorlane/Models/Content/SportTags.hpp"
#include "vorlane/Models/Content/Sports.hpp"
#include "vorlane/Models/Explore/Actions.hpp"

namespace vorlane {

namespace {

using registration::derived;
    // Read under the answer's keys, written under others (renamed or flattened).
    using registration::writtenInAnotherShape;

// The image map a sports record shows, empty when it has none.
template <class R>
auto imageOf() {
    return derived<R>("image", [](const R& r) { return r.image(); });
}

}  // namespace

void registerAiringTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        // Airings and the answers that hold them
        REGISTER(Airing, "Airing", legacy, derived<Airing>("playbackUrl", &Airing::playbackUrl),
                 derived<Airing>("airingState", &Airing::airingState),
                 derived<Airing>("exploreDeeplinkParams", &Airing::exploreDeeplinkParams),
                 derived<Airing>("browseAction", [](const Airing& a) { return browseAction(a.actionCoders); })),
        REGISTER(AiringState, "AiringState", legacy),
        writtenInAnotherShape(REGISTER(LiveEpisodes, "LiveEpisodes", legacy)),
        REGISTER(UpcomingAiring, "UpcomingAiring", legacy),
        REGISTER(ProgramBundle, "ProgramBundle", legacy),
        writtenInAnotherShape(REGISTER(AiringsContainer, "AiringsContainer", legacy)),
        REGISTER(AiringContainer, "AiringContainer", legacy),
        REGISTER(CustomMediaLocation, "CustomMediaLocation", legacy),
        REGISTER(CustomMediaLocationTag, "CustomMediaLocationTag", legacy),
        REGISTER(Channel, "Channel", legacy),
        REGISTER(EventState, "EventState", legacy),

        // Sports
        REGISTER(SportEvent, "SportEvent", legacy, imageOf<SportEvent>()),
        REGISTER(Competitor, "Competitor", legacy),
        REGISTER(Competitor::Data, "Competitor.Data", legacy),
        REGISTER(HomeAway, "HomeAway", legacy),
        REGISTER(SportData, "SportData", legacy, imageOf<SportData>()),
        REGISTER(LeagueData, "LeagueData", legacy, imageOf<LeagueData>()),
        REGISTER(TeamData, "TeamData", legacy, imageOf<TeamData>()),
        REGISTER(Venue, "Venue", legacy),
        REGISTER(SportTags::TagType, "SportTags.TagType", legacy),
        REGISTER(SportTags::Team, "SportTags.Team", legacy),
        REGISTER(SportTags::League, "SportTags.League", legacy),
        REGISTER(SportTags::Sport, "SportTags.Sport", legacy),
        REGISTER(SportTags::Coder, "SportTags.Coder", legacy),

        // Family and group links
        REGISTER(Family, "Family", legacy),
        REGISTER(ParentRef, "ParentRef", legacy),
        REGISTER(Group, "Group", legacy),
    });
}

}  // namespace vorlane
