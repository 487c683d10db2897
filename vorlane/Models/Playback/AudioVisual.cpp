#include "vorlane/Models/Playback/AudioVisual.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::AudioVisualFlags)
VORLANE_JSON_DEFINE(vorlane::AudioVisual)
VORLANE_JSON_DEFINE(vorlane::LabeledAudioVisual)
