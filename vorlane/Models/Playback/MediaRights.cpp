#include "vorlane/Models/Playback/MediaRights.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::MediaRightsMessage)
VORLANE_JSON_DEFINE(vorlane::MediaRights)
