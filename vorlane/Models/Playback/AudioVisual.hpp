#pragma once
// The audio-visual badges of a title (closed captions, audio description, Dolby formats, HDR
// variants, UHD and so on), each with its badge image and spoken text.
//
//   {"flags": [{"value": "dolby_vision", "imageId": "av-dv", "tts": "Dolby Vision"}]}

#include "vorlane/Platform/Json/Record.hpp"

#include <string>
#include <vector>

namespace vorlane {

// Closed: an unknown value fails the badge that holds it.
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

// One badge.
struct AudioVisualFlags {
    AudioVisualValue value{};
    std::string imageId;
    std::string tts;  // the spoken text
    bool operator==(const AudioVisualFlags&) const = default;
};

inline auto jsonFields(json::Tag<AudioVisualFlags>) {
    using namespace json::rules;
    using S = AudioVisualFlags;
    return fields(required("value", &S::value), required("imageId", &S::imageId), required("tts", &S::tts));
}

// The badges of a title; a badge with an unknown value or a missing key is dropped.
struct AudioVisual {
    std::vector<AudioVisualFlags> flags;
    bool operator==(const AudioVisual&) const = default;
};

inline auto jsonFields(json::Tag<AudioVisual>) {
    using namespace json::rules;
    return fields(lenient("flags", &AudioVisual::flags));
}

}  // namespace vorlane
