#include "vorlane/Models/Playback/Timeline.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Timeline)
