#include "vorlane/Models/Playback/MediaMetadata.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>

namespace vorlane {

const MediaMetadata MediaMetadata::empty{};

std::vector<PlaybackSettingType> settingsTypes(const std::vector<MetadataFacet>& facets) {
    const bool fourByThree = std::any_of(facets.begin(), facets.end(),
                                         [](const MetadataFacet& facet) { return facet.label == "ImageAspectRatio=133"; });
    if (fourByThree) return {PlaybackSettingType::fourByThreeAspectRatio};
    return {};
}

std::int64_t RuntimeMillisCodec::decode(const json::Value& v) {
    try {
        return json::Codec<std::int64_t>::decode(v);
    } catch (const json::DecodingError& error) {
        v.report(error.message() + "; read as " + std::to_string(fallback) + " ms");
        return fallback;
    }
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::MetadataFacet)
VORLANE_JSON_DEFINE(vorlane::PlaybackURL)
VORLANE_JSON_DEFINE(vorlane::Caption)
VORLANE_JSON_DEFINE(vorlane::AudioTrack)
VORLANE_JSON_DEFINE(vorlane::MediaMetadata)
