#include "vorlane/Models/Content/Series.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Series)
