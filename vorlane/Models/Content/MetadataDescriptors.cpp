#include "vorlane/Models/Content/MetadataDescriptors.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::MigrationMetadata)
VORLANE_JSON_DEFINE(vorlane::SearchMeta)
