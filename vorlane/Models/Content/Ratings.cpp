#include "vorlane/Models/Content/Ratings.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <cstdint>
#include <stdexcept>

namespace vorlane {

namespace {

// The size as a whole number, truncated toward zero, then "_" and the dimension.
// A size no layout gives (not finite, or past the 64-bit range) has no key and is refused.
void appendSize(std::string& key, double size, bool isHeight) {
    if (!(size > -9223372036854775808.0 && size < 9223372036854775808.0))
        throw std::invalid_argument("a rating image cache key needs a finite size within the 64-bit range");
    key += std::to_string(static_cast<std::int64_t>(size));
    key += isHeight ? "_h" : "_w";
}

}  // namespace

std::string ratingImageCacheKey(std::string_view text, const std::optional<std::string>& imageId, double size,
                                bool isHeight) {
    std::string key;
    key.reserve(text.size() + (imageId ? imageId->size() : 0) + 24);
    key += text;
    key += '_';
    if (imageId) key += *imageId;
    key += '_';
    appendSize(key, size, isHeight);
    return key;
}

std::string Rating::cacheKey(double size, bool isHeight) const {
    std::string key = value;
    key += '_';
    key += system;
    key += '_';
    if (description) key += *description;
    key += '_';
    for (std::size_t i = 0; i < advisories.size(); ++i) {
        if (i > 0) key += '_';
        key += advisories[i];
    }
    key += '_';
    appendSize(key, size, isHeight);
    return key;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::Rating)
VORLANE_JSON_DEFINE(vorlane::ExploreRating)
VORLANE_JSON_DEFINE(vorlane::ExploreAdvisory)
VORLANE_JSON_DEFINE(vorlane::RatingInfo)
VORLANE_JSON_DEFINE(vorlane::LabeledRatingInfo)
VORLANE_JSON_DEFINE(vorlane::LabeledContentAdvisory)
