#include "vorlane/Models/Content/Sports.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Venue)
VORLANE_JSON_DEFINE(vorlane::Competitor::Data)
VORLANE_JSON_DEFINE(vorlane::Competitor)
VORLANE_JSON_DEFINE(vorlane::SportEvent)
VORLANE_JSON_DEFINE(vorlane::SportData)
VORLANE_JSON_DEFINE(vorlane::LeagueData)
VORLANE_JSON_DEFINE(vorlane::TeamData)

namespace vorlane {

const ImageMap& imagesOrEmpty(const std::optional<ImageMap>& image) {
    static const ImageMap none;
    return image ? *image : none;
}

}  // namespace vorlane
