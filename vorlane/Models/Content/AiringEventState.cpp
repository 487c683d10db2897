#include "vorlane/Models/Content/AiringEventState.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::AiringEventState)
