#include "vorlane/Models/Content/DisplayTextVisuals.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::DisplayTextVisuals)
