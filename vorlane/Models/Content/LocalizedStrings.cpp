#include "vorlane/Models/Content/LocalizedStrings.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::IntermediateLocalizedStrings)
VORLANE_JSON_DEFINE(vorlane::EntriesDictionary)