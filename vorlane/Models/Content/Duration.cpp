#include "vorlane/Models/Content/Duration.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Duration)
VORLANE_JSON_DEFINE(vorlane::LabeledDuration)
