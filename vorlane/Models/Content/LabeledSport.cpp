#include "vorlane/Models/Content/LabeledSport.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::LabeledSport)
VORLANE_JSON_DEFINE(vorlane::LabeledSportsLeague)
