#include "vorlane/Models/Content/Genres.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Genres)
VORLANE_JSON_DEFINE(vorlane::LabeledGenres)
VORLANE_JSON_DEFINE(vorlane::TypedGenre)
