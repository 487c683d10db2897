#include "vorlane/Models/Content/Credits.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::CharacterDetails)
VORLANE_JSON_DEFINE(vorlane::Participant)
VORLANE_JSON_DEFINE(vorlane::Credit)
VORLANE_JSON_DEFINE(vorlane::CreditGroup)
