#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::ExploreDeeplinkParams)
