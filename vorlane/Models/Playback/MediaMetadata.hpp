#pragma once
// The media metadata of a legacy video: runtime, aspect ratio, format and features, audio and
// subtitle tracks, playback links and facet labels; and the one playback setting facets imply.

#include "vorlane/Models/Content/VideoFormat.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorlane {

// A label describing the media ("ImageAspectRatio=133").
struct MetadataFacet {
    std::string label;
    bool operator==(const MetadataFacet&) const = default;
};

inline auto jsonFields(json::Tag<MetadataFacet>) {
    using namespace json::rules;
    return fields(required("label", &MetadataFacet::label));
}

enum class PlaybackSettingType { fourByThreeAspectRatio };

constexpr auto jsonVocabulary(json::Tag<PlaybackSettingType>) {
    using enum PlaybackSettingType;
    return json::vocabulary<PlaybackSettingType>("PlaybackSettingType", {{fourByThreeAspectRatio, "fourByThreeAspectRatio"}});
}

// [fourByThreeAspectRatio] when a facet's label is exactly "ImageAspectRatio=133" (case-sensitive,
// whole string), else empty.
[[nodiscard]] std::vector<PlaybackSettingType> settingsTypes(const std::vector<MetadataFacet>& facets);

// A link to play the media; `rel` says what it links to.
struct PlaybackURL {
    std::string href;
    std::string rel;

    PlaybackURL() = default;
    // A link to the video itself unless said otherwise: PlaybackURL("https://...").rel == "video".
    explicit PlaybackURL(std::string href, std::string rel = "video") : href(std::move(href)), rel(std::move(rel)) {}
    bool operator==(const PlaybackURL&) const = default;
};

inline auto jsonFields(json::Tag<PlaybackURL>) {
    using namespace json::rules;
    using S = PlaybackURL;
    return fields(required("href", &S::href), required("rel", &S::rel));
}

enum class TextTrackType { normal, forced, sdh, cc };

constexpr auto jsonVocabulary(json::Tag<TextTrackType>) {
    using enum TextTrackType;
    return json::vocabulary<TextTrackType>("TextTrackType", {{normal, "NORMAL"}, {forced, "FORCED"}, {sdh, "SDH"}, {cc, "CC"}});
}

// A subtitle track.
struct Caption {
    std::string language;
    TextTrackType trackType = TextTrackType::normal;
    bool operator==(const Caption&) const = default;
};

inline auto jsonFields(json::Tag<Caption>) {
    using namespace json::rules;
    using S = Caption;
    return fields(required("language", &S::language), required("trackType", &S::trackType));
}

enum class AudioFeature { dolbyAtmos, dolby71, dolby51, dolby20 };

constexpr auto jsonVocabulary(json::Tag<AudioFeature>) {
    using enum AudioFeature;
    return json::vocabulary<AudioFeature>("AudioFeature", {
        {dolbyAtmos, "dolby_atmos"},
        {dolby71, "dolby_71"},
        {dolby51, "dolby_51"},
        {dolby20, "dolby_20"},
    });
}

enum class AudioTrackType { primary, narration };

constexpr auto jsonVocabulary(json::Tag<AudioTrackType>) {
    using enum AudioTrackType;
    return json::vocabulary<AudioTrackType>("AudioTrackType", {{primary, "PRIMARY"}, {narration, "NARRATION"}});
}

// An audio track. Without "features" the features stay absent (not empty); an unknown feature is
// dropped from the list.
struct AudioTrack {
    std::string language;
    std::optional<std::vector<AudioFeature>> features;
    AudioTrackType trackType = AudioTrackType::primary;
    bool operator==(const AudioTrack&) const = default;
};

inline auto jsonFields(json::Tag<AudioTrack>) {
    using namespace json::rules;
    using S = AudioTrack;
    return fields(required("language", &S::language), lenientIfPresent("features", &S::features),
                  required("trackType", &S::trackType));
}

// "runtimeMillis" of the media metadata: a value that does not decode as an integer reads as the
// default 1 ms (and is reported), so the record never fails on it.
struct RuntimeMillisCodec {
    static constexpr std::int64_t fallback = 1;
    static std::int64_t decode(const json::Value& v);
    static void encode(json::Writer& w, std::int64_t millis) { w.int64(millis); }
};

// Decoding keeps the record usable when parts of it are malformed: every list is lenient (absent
// or null gives an empty list, a failing element is dropped), the runtime falls back to 1 ms (not
// 0). The optional fields are absent when missing or null; a present value of the wrong type
// still fails, as does a list key holding anything but a list. Encoding writes every key,
// the optional ones only when present.
struct MediaMetadata {
    std::vector<MetadataFacet> facets;
    std::optional<double> activeAspectRatio;
    std::optional<VideoFormat> format;
    std::vector<VideoFeature> features;
    std::vector<AudioTrack> audioTracks;
    std::vector<PlaybackURL> playbackUrls;
    std::int64_t runtimeMillis = RuntimeMillisCodec::fallback;
    std::optional<std::string> mediaId;
    std::vector<Caption> captions;

    // Every list empty, every optional absent, runtime 1 ms (also what MediaMetadata{} holds).
    static const MediaMetadata empty;

    bool operator==(const MediaMetadata&) const = default;
};

inline auto jsonFields(json::Tag<MediaMetadata>) {
    using namespace json::rules;
    using S = MediaMetadata;
    return fields(lenient("facets", &S::facets, Missing::empty),
                  optional("activeAspectRatio", &S::activeAspectRatio),
                  optional("format", &S::format),
                  lenient("features", &S::features, Missing::empty),
                  lenient("audioTracks", &S::audioTracks, Missing::empty),
                  lenient("playbackUrls", &S::playbackUrls, Missing::empty),
                  defaulted("runtimeMillis", &S::runtimeMillis, RuntimeMillisCodec::fallback, with<RuntimeMillisCodec>),
                  optional("mediaId", &S::mediaId),
                  lenient("captions", &S::captions, Missing::empty));
}

inline auto jsonDerived(json::Tag<std::vector<MetadataFacet>>) {
    using namespace json::derived;
    return members(member("settingsTypes", [](const std::vector<MetadataFacet>& facets) { return settingsTypes(facets); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::MetadataFacet)
VORLANE_JSON_RECORD(vorlane::PlaybackURL)
VORLANE_JSON_RECORD(vorlane::Caption)
VORLANE_JSON_RECORD(vorlane::AudioTrack)
VORLANE_JSON_RECORD(vorlane::MediaMetadata)
