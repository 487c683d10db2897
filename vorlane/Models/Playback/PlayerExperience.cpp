#include "vorlane/Models/Playback/PlayerExperience.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Disclaimer)
VORLANE_JSON_DEFINE(vorlane::RatingAdditionalInfo)
VORLANE_JSON_DEFINE(vorlane::PlaybackVariant)
VORLANE_JSON_DEFINE(vorlane::PlaybackVariantGrouping)
VORLANE_JSON_DEFINE(vorlane::PlayerExperience)
VORLANE_JSON_DEFINE(vorlane::PlayerExperienceResponse)
