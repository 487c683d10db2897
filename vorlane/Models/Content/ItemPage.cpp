#include "vorlane/Models/Content/ItemPage.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::ItemPage)
