#pragma once
// Motion artwork of a legacy video: the kind of artwork and the URLs of its media, each with the
// regions it may be shown in.
//
//   {"purpose": "full_bleed",
//    "mediaMetadata": {"urls": [{"url": "https://media.example/a.mp4", "regions": ["DE", "FR"]}]}}

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// Whether `text` is usable as an absolute URL: a scheme (a letter, then letters, digits, "+", "-"
// or "."), a colon, and a non-empty rest made only of the characters a URI may hold unescaped,
// with every "%" starting a two-digit hexadecimal escape and at most one "#". Spaces, control
// characters, non-ASCII bytes and characters such as "<", ">", "\"", "{", "}", "|", "\\", "^" and
// "`" make it invalid.
[[nodiscard]] bool isValidUrl(std::string_view text) noexcept;

// A URL string that must be valid (isValidUrl) to be kept: an invalid one reads as absent and is
// reported; an absent one is written as "", which reads back as absent.
struct ValidUrlCodec {
    static std::optional<std::string> decode(const json::Value& value);
    static void encode(json::Writer& writer, const std::optional<std::string>& url);
};

struct VideoArtwork {
    enum class ArtworkType { tile, tile_1x, fullBleed, fullBleedPortrait };

    // One media file of the artwork.
    struct ArtworkURL {
        std::optional<std::string> url;  // absent when the string sent is not a valid URL
        std::vector<std::string> regions;

        bool operator==(const ArtworkURL&) const = default;
    };

    ArtworkType purpose{};
    std::vector<ArtworkURL> urls;  // read from "mediaMetadata" -> "urls"

    bool operator==(const VideoArtwork&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<VideoArtwork::ArtworkType>) {
    using enum VideoArtwork::ArtworkType;
    return json::vocabulary<VideoArtwork::ArtworkType>("VideoArtwork.ArtworkType",
                                                       {
                                                           {tile, "tile"},
                                                           {tile_1x, "tile_1x"},
                                                           {fullBleed, "full_bleed"},
                                                           {fullBleedPortrait, "full_bleed_portrait"},
                                                       });
}

// "url" is required (an invalid URL is kept as an element without one); "regions" absent or null
// means none.
inline auto jsonFields(json::Tag<VideoArtwork::ArtworkURL>) {
    using namespace json::rules;
    using S = VideoArtwork::ArtworkURL;
    return fields(required("url", &S::url, with<ValidUrlCodec>), defaulted("regions", &S::regions));
}

// "mediaMetadata" is a required object; its "urls" is a lenient list, absent or null meaning none.
inline auto jsonFields(json::Tag<VideoArtwork>) {
    using namespace json::rules;
    using S = VideoArtwork;
    return fields(required("purpose", &S::purpose),
                  nested("mediaMetadata", lenient("urls", &S::urls, Missing::empty)));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::VideoArtwork::ArtworkURL)
VORLANE_JSON_RECORD(vorlane::VideoArtwork)
