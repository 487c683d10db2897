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

void registerAiringTypes(std::vector<DecodableType>& types) {
    // Read under the answer's keys, written under others (renamed or flattened).
    using registration::writtenInAnotherShape;
    types.insert(types.end(), {
        // Airings and the answers that hold them
        REGISTER(Airing, "Airing", legacy),
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
        REGISTER(SportEvent, "SportEvent", legacy),
        REGISTER(Competitor, "Competitor", legacy),
        REGISTER(Competitor::Data, "Competitor.Data", legacy),
        REGISTER(HomeAway, "HomeAway", legacy),
        REGISTER(SportData, "SportData", legacy),
        REGISTER(LeagueData, "LeagueData", legacy),
        REGISTER(TeamData, "TeamData", legacy),
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
