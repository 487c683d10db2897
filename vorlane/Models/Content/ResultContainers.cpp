#include "vorlane/Models/Content/ResultContainers.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::SeasonsContainer)
VORLANE_JSON_DEFINE(vorlane::VideosContainer::Meta)
VORLANE_JSON_DEFINE(vorlane::VideosContainer)
VORLANE_JSON_DEFINE(vorlane::SingleVideoContainer)
VORLANE_JSON_DEFINE(vorlane::SeriesContainer)
VORLANE_JSON_DEFINE(vorlane::RelatedContainer)
VORLANE_JSON_DEFINE(vorlane::AvatarsContainer)
