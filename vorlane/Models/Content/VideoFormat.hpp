#pragma once
// The format and the features of a video's media. No fixed list of their values is known, so each
// is open: any string is kept exactly as sent and written back unchanged; a value that is not a
// string fails (and so drops a feature from a lenient list). Only what the media metadata needs to
// decode; the video record adds nothing to them.

#include "vorlane/Platform/Json/Codec.hpp"

#include <string>
#include <utility>

namespace vorlane {

struct VideoFormat {
    std::string rawValue;

    VideoFormat() = default;
    explicit VideoFormat(std::string raw) : rawValue(std::move(raw)) {}
    auto operator<=>(const VideoFormat&) const = default;
};

struct VideoFeature {
    std::string rawValue;

    VideoFeature() = default;
    explicit VideoFeature(std::string raw) : rawValue(std::move(raw)) {}
    auto operator<=>(const VideoFeature&) const = default;
};

}  // namespace vorlane

// Hand-written: each is a bare string, not an object.
template <>
struct vorlane::json::Codec<vorlane::VideoFormat> {
    static vorlane::VideoFormat decode(const Value& v) { return vorlane::VideoFormat(std::string(v.string("VideoFormat"))); }
    static void encode(Writer& w, const vorlane::VideoFormat& format) { w.string(format.rawValue); }
};

template <>
struct vorlane::json::Codec<vorlane::VideoFeature> {
    static vorlane::VideoFeature decode(const Value& v) {
        return vorlane::VideoFeature(std::string(v.string("VideoFeature")));
    }
    static void encode(Writer& w, const vorlane::VideoFeature& feature) { w.string(feature.rawValue); }
};
