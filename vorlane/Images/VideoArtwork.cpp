#include "vorlane/Images/VideoArtwork.hpp"

#include <string>

namespace vorlane {

namespace {

constexpr bool isAlpha(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr bool isHexDigit(char c) noexcept {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Unreserved and reserved characters of RFC 3986; "%" is checked separately.
constexpr bool isUriCharacter(char c) noexcept {
    if (isAlpha(c) || isDigit(c)) return true;
    switch (c) {
        case '-': case '.': case '_': case '~':                                       // unreserved
        case ':': case '/': case '?': case '#': case '[': case ']': case '@':         // gen-delims
        case '!': case '$': case '&': case '\'': case '(': case ')': case '*':        // sub-delims
        case '+': case ',': case ';': case '=':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool isValidUrl(std::string_view text) noexcept {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) return false;
    if (!isAlpha(text[0])) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = text[i];
        if (!(isAlpha(c) || isDigit(c) || c == '+' || c == '-' || c == '.')) return false;
    }
    bool seenFragment = false;
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) return false;
            i += 2;
        } else if (c == '#') {
            if (seenFragment) return false;
            seenFragment = true;
        } else if (!isUriCharacter(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace vorlane

using vorlane::VideoArtwork;

VideoArtwork::ArtworkURL vorlane::json::Codec<VideoArtwork::ArtworkURL>::decode(const Value& value) {
    if (!value.isObject()) value.failExpected("an object");
    VideoArtwork::ArtworkURL out;
    std::string url = readRequired<std::string>(value, "url");
    if (isValidUrl(url)) {
        out.url = std::move(url);
    } else if (auto member = value.member("url")) {
        // Kept as an element without a URL rather than failing it; say why it has none.
        member->report("not a valid URL: \"" + url + "\"; read as absent");
    }
    out.regions = readOptional<std::vector<std::string>>(value, "regions").value_or(std::vector<std::string>{});
    return out;
}

void vorlane::json::Codec<VideoArtwork::ArtworkURL>::encode(Writer& writer, const VideoArtwork::ArtworkURL& value) {
    writer.beginObject();
    if (value.url) {
        writer.key("url");
        writer.string(*value.url);
    }
    writer.key("regions");
    Codec<std::vector<std::string>>::encode(writer, value.regions);
    writer.endObject();
}

VideoArtwork vorlane::json::Codec<VideoArtwork>::decode(const Value& value) {
    if (!value.isObject()) value.failExpected("an object");
    VideoArtwork out;
    out.purpose = readRequired<vorlane::VideoArtworkType>(value, "purpose");
    auto metadata = value.member("mediaMetadata");
    if (!metadata) value.failMissingKey("mediaMetadata");
    if (!metadata->isObject()) metadata->failExpected("an object");
    if (auto urls = decodeSafelyIfPresent<VideoArtwork::ArtworkURL>(*metadata, "urls")) out.urls = std::move(*urls);
    return out;
}

void vorlane::json::Codec<VideoArtwork>::encode(Writer& writer, const VideoArtwork& value) {
    writer.beginObject();
    writer.key("purpose");
    Codec<vorlane::VideoArtworkType>::encode(writer, value.purpose);
    writer.key("mediaMetadata");
    writer.beginObject();
    writer.key("urls");
    Codec<std::vector<VideoArtwork::ArtworkURL>>::encode(writer, value.urls);
    writer.endObject();
    writer.endObject();
}
