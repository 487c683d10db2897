#include "vorlane/Models/Content/Season.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Season::Meta::Labels)
VORLANE_JSON_DEFINE(vorlane::Season::Meta)
VORLANE_JSON_DEFINE(vorlane::Season::EpisodesMeta)
VORLANE_JSON_DEFINE(vorlane::Season)
VORLANE_JSON_DEFINE(vorlane::EpisodesPageSet::Meta)
VORLANE_JSON_DEFINE(vorlane::EpisodesPageSet)
VORLANE_JSON_DEFINE(vorlane::SeasonVisuals)
