#include "vorlane/Models/Content/NetworkAttribution.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::NetworkAttribution)
