#include "vorlane/Models/Content/MetastringParts.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::MetastringLocation)
VORLANE_JSON_DEFINE(vorlane::MetastringSportsLeague)
VORLANE_JSON_DEFINE(vorlane::MetastringPremiereDate)
VORLANE_JSON_DEFINE(vorlane::MetastringParts)
