#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane::json {

namespace {
std::string outsideRange() { return " (dates run from " + std::string(dateRangeText) + ")"; }
}  // namespace

Date Codec<Date>::decode(const Value& v) {
    if (v.settings().dates == DateStrategy::iso8601) {
        auto text = v.string("Date");
        if (auto date = parseIso8601(text)) return *date;
        v.fail(ErrorKind::dataCorrupted,
               "expected date string to be ISO8601-formatted, found \"" + std::string(text) + "\"" + outsideRange());
    }
    // The range is checked on the millisecond count before it becomes an integer (NaN fails too).
    constexpr double earliest = static_cast<double>((earliestDate - referenceDateOffset).time_since_epoch().count());
    constexpr double latest = static_cast<double>((latestDate - referenceDateOffset).time_since_epoch().count());
    double millis = std::round(v.number() * 1000.0);
    if (!(millis >= earliest && millis <= latest))
        v.fail(ErrorKind::dataCorrupted, "date " + v.excerpt() + " is out of range" + outsideRange());
    return Date(std::chrono::milliseconds(static_cast<std::int64_t>(millis))) + referenceDateOffset;
}

void Codec<Date>::encode(Writer& w, const Date& date) {
    // Either form of a date outside the range would be refused when read back.
    if (!isWithinDateRange(date))
        throw EncodingError("cannot write the date " + std::to_string(date.time_since_epoch().count()) +
                            " ms after 1970-01-01T00:00:00Z" + outsideRange());
    if (w.settings().dates == DateStrategy::iso8601) {
        w.string(formatIso8601(date));
        return;
    }
    auto sinceReference = date - referenceDateOffset;
    w.number(static_cast<double>(sinceReference.time_since_epoch().count()) / 1000.0);
}

}  // namespace vorlane::json
