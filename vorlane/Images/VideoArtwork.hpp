#pragma once
// Motion artwork of a legacy video: the kind of artwork and the URLs of its media, each with the
// regions it may be shown in.
//
//   {"purpose": "full_bleed",
//    "mediaMetadata": {"urls": [{"url": "https://media.example/a.mp4", "regions": ["DE", "FR"]}]}}

#include "vorlane/Platform/Json/Codec.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

enum class VideoArtworkType { tile, tile_1x, fullBleed, fullBleedPortrait };

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::VideoArtworkType> {
    using E = vorlane::VideoArtworkType;
    static constexpr std::string_view name = "VideoArtwork.ArtworkType";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::tile, "tile"},
        {E::tile_1x, "tile_1x"},
        {E::fullBleed, "full_bleed"},
        {E::fullBleedPortrait, "full_bleed_portrait"},
    };
};

namespace vorlane {

struct VideoArtwork {
    using ArtworkType = VideoArtworkType;

    // One media file of the artwork.
    struct ArtworkURL {
        // "url": required string; absent when the string is not a valid URL (see isValidUrl).
        std::optional<std::string> url;
        // "regions": optional; absent means none.
        std::vector<std::string> regions;

        bool operator==(const ArtworkURL&) const = default;
    };

    ArtworkType purpose{};  // "purpose", required
    // "mediaMetadata" (required object) -> "urls" (optional, lenient: elements that fail are dropped).
    std::vector<ArtworkURL> urls;

    bool operator==(const VideoArtwork&) const = default;
};

// Whether `text` is usable as an absolute URL: a scheme (a letter, then letters, digits, "+", "-"
// or "."), a colon, and a non-empty rest made only of the characters a URI may hold unescaped,
// with every "%" starting a two-digit hexadecimal escape and at most one "#". Spaces, control
// characters, non-ASCII bytes and characters such as "<", ">", "\"", "{", "}", "|", "\\", "^" and
// "`" make it invalid.
[[nodiscard]] bool isValidUrl(std::string_view text) noexcept;

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::VideoArtwork::ArtworkURL)
VORLANE_JSON_CODEC(vorlane::VideoArtwork)
