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

namespace {

using registration::derived;

// What every action record answers through the action interface.
template <class R>
auto optionalDisplayTextOf() {
    return derived<R>("optionalDisplayText", [](const R& r) { return optionalDisplayText(r); });
}

// The display text of a record's visuals.
template <class R>
auto displayTextOf() {
    return derived<R>("displayText", [](const R& r) { return r.displayText(); });
}

}  // namespace

void registerActionTypes(std::vector<DecodableType>& types) {
    using Coder = ActionCoder;
    using Lenient = std::vector<Safe<ActionCoder>>;
    using Legacy = LegacyBrowseAction;
    using UpNextLegacy = UpNextLegacyBrowseAction;
    types.insert(types.end(), {
        // The envelope, and a list of actions read as pages and sets read theirs (an action that
        // does not decode stays in its place as null and is reported)
        REGISTER(ActionCoder, "ActionCoder", explore,
                 derived<Coder>("optionalDisplayText", [](const Coder& c) { return c.model()->optionalDisplayText(); }),
                 derived<Coder>("infoBlock", [](const Coder& c) { return c.model()->infoBlock(); })),
        REGISTER(Lenient, "[ActionCoder]", explore),
        REGISTER(ActionTypeIdentifier, "ActionTypeIdentifier", explore),

        // The records
        REGISTER(BrowseAction, "BrowseAction", explore, optionalDisplayTextOf<BrowseAction>(),
                 displayTextOf<BrowseAction>()),
        REGISTER(DownloadAction, "DownloadAction", explore, optionalDisplayTextOf<DownloadAction>(),
                 displayTextOf<DownloadAction>(),
                 derived<DownloadAction>("contentIdentifier", &DownloadAction::contentIdentifier)),
        REGISTER(DownloadSeasonAction, "DownloadSeasonAction", explore, optionalDisplayTextOf<DownloadSeasonAction>(),
                 displayTextOf<DownloadSeasonAction>()),
        REGISTER(LegacyBrowseAction, "LegacyBrowseAction", explore, optionalDisplayTextOf<Legacy>(),
                 derived<Legacy>("refId", &Legacy::refId),
                 derived<Legacy>("contentTypeIdentifier", &Legacy::contentTypeIdentifier)),
        REGISTER(ModalAction, "ModalAction", explore, optionalDisplayTextOf<ModalAction>(), displayTextOf<ModalAction>()),
        REGISTER(ModalAction::ModalType, "ModalAction.ModalType", explore),
        REGISTER(ModifySavesAction, "ModifySavesAction", explore, optionalDisplayTextOf<ModifySavesAction>(),
                 displayTextOf<ModifySavesAction>()),
        REGISTER(PlaybackAction, "PlaybackAction", explore, optionalDisplayTextOf<PlaybackAction>(),
                 displayTextOf<PlaybackAction>(), derived<PlaybackAction>("infoBlock", &PlaybackAction::infoBlock),
                 derived<PlaybackAction>("playbackActionType", &PlaybackAction::playbackActionType),
                 derived<PlaybackAction>("contentIdentifier", &PlaybackAction::contentIdentifier),
                 derived<PlaybackAction>("coderModel", [](const PlaybackAction& a) { return coderModel(a); })),
        REGISTER(PlaybackAction::PlaybackContentType, "PlaybackAction.PlaybackContentType", explore),
        REGISTER(ShareAction, "ShareAction", explore, optionalDisplayTextOf<ShareAction>(), displayTextOf<ShareAction>()),
        REGISTER(ToggleAspectRatioAction, "ToggleAspectRatioAction", explore,
                 optionalDisplayTextOf<ToggleAspectRatioAction>()),
        REGISTER(TrailerAction, "TrailerAction", explore, optionalDisplayTextOf<TrailerAction>(),
                 displayTextOf<TrailerAction>(), derived<TrailerAction>("infoBlock", &TrailerAction::infoBlock),
                 derived<TrailerAction>("playbackActionType", &TrailerAction::playbackActionType),
                 derived<TrailerAction>("coderModel", [](const TrailerAction& a) { return coderModel(a); })),
        REGISTER(UpNextLegacyBrowseAction, "UpNextLegacyBrowseAction", explore, optionalDisplayTextOf<UpNextLegacy>(),
                 displayTextOf<UpNextLegacy>(), derived<UpNextLegacy>("refId", &UpNextLegacy::refId),
                 derived<UpNextLegacy>("contentTypeIdentifier", &UpNextLegacy::contentTypeIdentifier)),
        REGISTER(UpsellAction, "UpsellAction", explore, optionalDisplayTextOf<UpsellAction>(),
                 displayTextOf<UpsellAction>()),

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
