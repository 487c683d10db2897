#include "vorlane/Configuration/ContentQueryConfiguration.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

ContentQueryConfiguration ContentQueryConfiguration::merging(std::string_view bytes) const {
    return json::decode<ContentQueryConfiguration>(bytes);
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ContentQueryDescriptor)
VORLANE_JSON_DEFINE(vorlane::CollectionContentClassConfig)
VORLANE_JSON_DEFINE(vorlane::ContentQueryConfiguration)