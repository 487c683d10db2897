#include "vorlane/Models/Explore/ActionVisuals.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

const PlaybackActionVisuals& PlaybackActionVisuals::empty() {
    static const PlaybackActionVisuals value{};
    return value;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::StringWithTts)
VORLANE_JSON_DEFINE(vorlane::PlaybackActionVisuals)
VORLANE_JSON_DEFINE(vorlane::ModalActionVisuals)
VORLANE_JSON_DEFINE(vorlane::ShareActionVisuals)
