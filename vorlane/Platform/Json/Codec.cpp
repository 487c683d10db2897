#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane::json {

Date Codec<Date>::decode(const Value& v) {
    if (v.settings().dates == DateStrategy::iso8601) {
        auto text = v.string("Date");
        if (auto date = parseIso8601(text)) return *date;
        v.fail(ErrorKind::dataCorrupted, "expected date string to be ISO8601-formatted, found \"" + std::string(text) + "\"");
    }
    double seconds = v.number();
    double millis = std::round(seconds * 1000.0);
    if (!std::isfinite(millis) || std::fabs(millis) > 8.64e18)
        v.fail(ErrorKind::dataCorrupted, "date " + v.excerpt() + " is out of range");
    return Date(std::chrono::milliseconds(static_cast<std::int64_t>(millis))) + referenceDateOffset;
}

void Codec<Date>::encode(Writer& w, const Date& date) {
    if (w.settings().dates == DateStrategy::iso8601) {
        w.string(formatIso8601(date));
        return;
    }
    auto sinceReference = date - referenceDateOffset;
    w.number(static_cast<double>(sinceReference.time_since_epoch().count()) / 1000.0);
}

}  // namespace vorlane::json
