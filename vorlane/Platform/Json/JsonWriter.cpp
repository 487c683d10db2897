#include "vorlane/Platform/Json/JsonWriter.hpp"

#include <charconv>
#include <cmath>

namespace vorlane::json {

void appendQuoted(std::string& out, std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(text.data() + runStart, i - runStart);
        runStart = i + 1;
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
        }
    }
    out.append(text.data() + runStart, text.size() - runStart);
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
