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

// Each is a bare string, not an object.
template <>
struct vorlane::json::Codec<vorlane::VideoFormat>
    : BareStringCodec<vorlane::VideoFormat, &vorlane::VideoFormat::rawValue, "VideoFormat"> {};
template <>
struct vorlane::json::Codec<vorlane::VideoFeature>
    : BareStringCodec<vorlane::VideoFeature, &vorlane::VideoFeature::rawValue, "VideoFeature"> {};
