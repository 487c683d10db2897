#pragma once
// The audio-visual badges of a title (closed captions, audio description, Dolby formats, HDR
// variants, UHD, ...): each a value with a badge image and its spoken text, and the classes of
// values screens group them by.

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <string>
#include <vector>

namespace vorlane {

enum class AudioVisualValue {
    closedCaptions,
    audioDescription,
    dolby20,
    dolby51,
    dolby71,
    dolbyAtmos,
    dolbyVision,
    hdr10,
    hdr10Plus,
    hdr,
    imaxEnhanced,
    tcm,
    uhd48,
    uhd,
    hd,
    sd,
    threeDimensional,
};

constexpr auto jsonVocabulary(json::Tag<AudioVisualValue>) {
    using enum AudioVisualValue;
    return json::vocabulary<AudioVisualValue>("AudioVisualValue", {
        {closedCaptions, "closed_captions"},
        {audioDescription, "audio_description"},
        {dolby20, "dolby_20"},
        {dolby51, "dolby_51"},
        {dolby71, "dolby_71"},
        {dolbyAtmos, "dolby_atmos"},
        {dolbyVision, "dolby_vision"},
        {hdr10, "hdr_10"},
        {hdr10Plus, "hdr_10_plus"},
        {hdr, "hdr"},
        {imaxEnhanced, "imax_enhanced"},
        {tcm, "tcm"},
        {uhd48, "uhd48"},
        {uhd, "uhd"},
        {hd, "hd"},
        {sd, "sd"},
        {threeDimensional, "three_dimensional"},
    });
}

// The classes are narrower than their names: dolby20 and dolby71 are no audio features, hdr10Plus
// and hdr no video features, sd no media format, and tcm belongs to no class.
[[nodiscard]] constexpr bool isAccessibilityFeature(AudioVisualValue v) noexcept {
    return v == AudioVisualValue::closedCaptions || v == AudioVisualValue::audioDescription;
}
[[nodiscard]] constexpr bool isAudioFeature(AudioVisualValue v) noexcept {
    return v == AudioVisualValue::dolby51 || v == AudioVisualValue::dolbyAtmos;
}
[[nodiscard]] constexpr bool isVideoFeature(AudioVisualValue v) noexcept {
    return v == AudioVisualValue::dolbyVision || v == AudioVisualValue::hdr10;
}
[[nodiscard]] constexpr bool isEnhancedVideoFeature(AudioVisualValue v) noexcept {
    return v == AudioVisualValue::imaxEnhanced || v == AudioVisualValue::threeDimensional;
}
[[nodiscard]] constexpr bool isMediaFormat(AudioVisualValue v) noexcept {
    return v == AudioVisualValue::uhd48 || v == AudioVisualValue::uhd || v == AudioVisualValue::hd;
}

// One badge: its value, the image drawn and the text spoken for it.
struct AudioVisualFlags {
    AudioVisualValue value = AudioVisualValue::hd;
    std::string imageId;
    std::string tts;
    bool operator==(const AudioVisualFlags&) const = default;
};

inline auto jsonFields(json::Tag<AudioVisualFlags>) {
    using namespace json::rules;
    using S = AudioVisualFlags;
    return fields(required("value", &S::value), required("imageId", &S::imageId), required("tts", &S::tts));
}

// The badges of a title. "flags" is required; a badge with an unknown value or a missing key is
// dropped, the others kept in order.
struct AudioVisual {
    std::vector<AudioVisualFlags> flags;
    bool operator==(const AudioVisual&) const = default;
};

inline auto jsonFields(json::Tag<AudioVisual>) {
    using namespace json::rules;
    return fields(lenient("flags", &AudioVisual::flags));
}

// The same with a label shown beside the badges.
struct LabeledAudioVisual {
    std::string label;
    std::vector<AudioVisualFlags> flags;
    bool operator==(const LabeledAudioVisual&) const = default;
};

inline auto jsonFields(json::Tag<LabeledAudioVisual>) {
    using namespace json::rules;
    using S = LabeledAudioVisual;
    return fields(required("label", &S::label), lenient("flags", &S::flags));
}

inline auto jsonDerived(json::Tag<AudioVisualValue>) {
    using namespace json::derived;
    return members(member("isAccessibilityFeature", [](AudioVisualValue v) { return isAccessibilityFeature(v); }),
                   member("isAudioFeature", [](AudioVisualValue v) { return isAudioFeature(v); }),
                   member("isVideoFeature", [](AudioVisualValue v) { return isVideoFeature(v); }),
                   member("isEnhancedVideoFeature", [](AudioVisualValue v) { return isEnhancedVideoFeature(v); }),
                   member("isMediaFormat", [](AudioVisualValue v) { return isMediaFormat(v); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::AudioVisualFlags)
VORLANE_JSON_RECORD(vorlane::AudioVisual)
VORLANE_JSON_RECORD(vorlane::LabeledAudioVisual)
