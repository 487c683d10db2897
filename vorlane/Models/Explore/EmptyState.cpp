#include "vorlane/Models/Explore/EmptyState.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::EmptyState)
