// The decodable types of Explore actions: the action coder and records, their visuals and
// playback options, and the airing event state their visuals show.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/AiringEventState.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/ActionVisuals.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Playback/Timeline.hpp"

namespace vorlane {


void registerActionTypes(std::vector<DecodableType>& types) {
    using Lenient = std::vector<Safe<ActionCoder>>;
    types.insert(types.end(), {
        // The envelope, and a list of actions read as pages and sets read theirs (an action that
        // does not decode stays in its place as null and is reported)
        REGISTER(ActionCoder, "ActionCoder", explore),
        REGISTER(Lenient, "[ActionCoder]", explore),
        REGISTER(ActionTypeIdentifier, "ActionTypeIdentifier", explore),

        // The records
        REGISTER(BrowseAction, "BrowseAction", explore),
        REGISTER(DownloadAction, "DownloadAction", explore),
        REGISTER(DownloadSeasonAction, "DownloadSeasonAction", explore),
        REGISTER(LegacyBrowseAction, "LegacyBrowseAction", explore),
        REGISTER(ModalAction, "ModalAction", explore),
        REGISTER(ModalAction::ModalType, "ModalAction.ModalType", explore),
        REGISTER(ModifySavesAction, "ModifySavesAction", explore),
        REGISTER(PlaybackAction, "PlaybackAction", explore),
        REGISTER(PlaybackAction::PlaybackContentType, "PlaybackAction.PlaybackContentType", explore),
        REGISTER(ShareAction, "ShareAction", explore),
        REGISTER(ToggleAspectRatioAction, "ToggleAspectRatioAction", explore),
        REGISTER(TrailerAction, "TrailerAction", explore),
        REGISTER(UpNextLegacyBrowseAction, "UpNextLegacyBrowseAction", explore),
        REGISTER(UpsellAction, "UpsellAction", explore),

        // Playback options and visuals
        REGISTER(PlaybackOption, "PlaybackOption", explore),
        REGISTER(PlaybackOption::PlaybackOptionType, "PlaybackOption.PlaybackOptionType", explore),
        REGISTER(PlaybackActionVisuals, "PlaybackActionVisuals", explore),
        REGISTER(ModalActionVisuals, "ModalActionVisuals", explore),
        REGISTER(ShareActionVisuals, "ShareActionVisuals", explore),
        REGISTER(StringWithTts, "StringWithTts", explore),

        // The event state the visuals show
        REGISTER(AiringEventState, "AiringEventState", explore),
        REGISTER(ExploreEventState, "ExploreEventState", explore),
        REGISTER(Timeline, "Timeline", explore),
    });
}

}  // namespace vorlane
