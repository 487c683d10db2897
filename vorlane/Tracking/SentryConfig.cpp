#include "vorlane/Tracking/SentryConfig.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::SentryConfig)
