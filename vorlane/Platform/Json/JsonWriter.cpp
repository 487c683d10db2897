#include "vorlane/Platform/Json/JsonWriter.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vorlane::json {

namespace {

// Whether any byte of `word` needs an escape: a control character (below 0x20), a quote or a
// backslash. The classic test for a zero byte, applied to the word and to its XOR with each
// special byte; borrows only ever spread above a byte that matched, so the answer is exact.
constexpr bool needsEscape(std::uint64_t word) noexcept {
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    constexpr auto hasZeroByte = [](std::uint64_t w) { return (w - ones) & ~w & highs; };
    const std::uint64_t control = (word - ones * 0x20) & ~word & highs;
    return (control | hasZeroByte(word ^ (ones * '"')) | hasZeroByte(word ^ (ones * '\\'))) != 0;
}

void appendEscape(std::string& out, unsigned char c) {
    static constexpr char hex[] = "0123456789abcdef";
    switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default: {
            const char escape[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
            out.append(escape, sizeof escape);
        }
    }
}

}  // namespace

// Most text needs no escape: it is scanned eight bytes at a time and copied in runs.
void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t runStart = 0, i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + i, sizeof word);
            if (!needsEscape(word)) {
                i += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 && c != '"' && c != '\\') {
            ++i;
            continue;
        }
        out.append(data + runStart, i - runStart);
        appendEscape(out, c);
        runStart = ++i;
    }
    out.append(data + runStart, size - runStart);
    out += '"';
}

void Writer::key(std::string_view name) {
    separate();
    appendQuoted(out_, name);
    out_ += ':';
    needsComma_ = false;
}

void Writer::string(std::string_view text) {
    separate();
    appendQuoted(out_, text);
}

void Writer::int64(std::int64_t i) {
    separate();
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, i);
    out_.append(buffer, result.ptr);
}

void Writer::uint64(std::uint64_t u) {
    separate();
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, u);
    out_.append(buffer, result.ptr);
}

void Writer::number(double d) {
    if (!std::isfinite(d)) throw EncodingError("cannot write a non-finite number as JSON");
    separate();
    char buffer[32];
    // Whole numbers people would write out in full stay in full ("1000000.0", not "1e+06").
    const bool plainWhole = std::fabs(d) < 1e15 && std::trunc(d) == d;
    auto result = plainWhole ? std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed, 0)
                             : std::to_chars(buffer, buffer + sizeof buffer, d);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    out_ += text;
    if (text.find_first_of(".e") == std::string_view::npos) out_ += ".0";
}

}  // namespace vorlane::json
