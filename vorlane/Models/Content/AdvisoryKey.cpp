#include "vorlane/Models/Content/AdvisoryKey.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <cstdint>

namespace vorlane {

std::string AdvisoryKey::cacheKey(double size) const {
    std::string key = value;
    key += '_';
    key += region;
    key += '_';
    key += std::to_string(static_cast<std::int64_t>(size));
    return key;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::AdvisoryKey)
