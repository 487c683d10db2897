#include "vorlane/Platform/AspectRatio.hpp"

#include <charconv>
#include <cmath>

namespace vorlane {

namespace {

// A plain non-negative decimal ("16", "1.78", "1e2"); rejects signs, spaces, "inf" and "nan".
std::optional<double> parseDecimal(std::string_view text) {
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::string asString(AspectRatio ratio) {
    // Large enough for any double in fixed notation with two decimals (309 integer digits at most).
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, ratio, std::chars_format::fixed, 2);
    if (error != std::errc()) return {};
    return std::string(buffer, end);
}

std::optional<AspectRatio> parseAspectRatio(std::string_view text) {
    double ratio = 0;
    if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        const auto width = parseDecimal(text.substr(0, colon));
        const auto height = parseDecimal(text.substr(colon + 1));
        if (!width || !height || *height == 0) return std::nullopt;
        ratio = *width / *height;
    } else {
        const auto value = parseDecimal(text);
        if (!value) return std::nullopt;
        ratio = *value;
    }
    if (!(ratio > 0) || !std::isfinite(ratio)) return std::nullopt;
    return ratio;
}

}  // namespace vorlane
