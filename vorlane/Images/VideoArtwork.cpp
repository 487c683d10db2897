#include "vorlane/Images/VideoArtwork.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

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

namespace vorlane {

std::optional<std::string> ValidUrlCodec::decode(const json::Value& value) {
    std::string_view url = value.string();
    if (isValidUrl(url)) return std::string(url);
    // Kept as an element without a URL rather than failing it; say why it has none.
    value.report("not a valid URL: \"" + std::string(url) + "\"; read as absent");
    return std::nullopt;
}

void ValidUrlCodec::encode(json::Writer& writer, const std::optional<std::string>& url) {
    writer.string(url ? std::string_view(*url) : std::string_view());
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::VideoArtwork::ArtworkURL)
VORLANE_JSON_DEFINE(vorlane::VideoArtwork)
