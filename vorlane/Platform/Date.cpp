#include "vorlane/Platform/Date.hpp"

#include <cstdio>

namespace vorlane {

namespace {

bool readDigits(std::string_view text, std::size_t& pos, std::size_t count, int& out) {
    if (pos + count > text.size()) return false;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        char c = text[pos + i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    out = value;
    pos += count;
    return true;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::optional<Date> parseIso8601(std::string_view text) {
    using namespace std::chrono;
    std::size_t pos = 0;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!readDigits(text, pos, 4, y) || !expect(text, pos, '-') || !readDigits(text, pos, 2, mo) ||
        !expect(text, pos, '-') || !readDigits(text, pos, 2, d) || !expect(text, pos, 'T') ||
        !readDigits(text, pos, 2, h) || !expect(text, pos, ':') || !readDigits(text, pos, 2, mi) ||
        !expect(text, pos, ':') || !readDigits(text, pos, 2, s))
        return std::nullopt;

    year_month_day date{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;

    int millis = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        std::size_t digits = 0;
        int scale = 100;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            millis += (text[pos] - '0') * scale;
            scale /= 10;
            ++pos;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
    }

    int offsetMinutes = 0;
    if (pos < text.size() && text[pos] == 'Z') {
        ++pos;
    } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        int sign = text[pos] == '-' ? -1 : 1;
        ++pos;
        int oh = 0, om = 0;
        if (!readDigits(text, pos, 2, oh)) return std::nullopt;
        if (pos < text.size() && text[pos] == ':') ++pos;
        if (!readDigits(text, pos, 2, om) || oh > 23 || om > 59) return std::nullopt;
        offsetMinutes = sign * (oh * 60 + om);
    } else {
        return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;

    auto local = sys_days(date) + hours(h) + minutes(mi) + seconds(s) + milliseconds(millis);
    Date instant = time_point_cast<milliseconds>(local - minutes(offsetMinutes));
    if (!isWithinDateRange(instant)) return std::nullopt;
    return instant;
}

std::string formatIso8601(Date date) {
    using namespace std::chrono;
    auto days = floor<std::chrono::days>(date);
    year_month_day ymd{days};
    hh_mm_ss<milliseconds> time{date - days};
    char buffer[40];
    int written = std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02lld", static_cast<int>(ymd.year()),
                                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                                static_cast<long long>(time.seconds().count()));
    std::string out(buffer, static_cast<std::size_t>(written));
    if (auto ms = time.subseconds().count(); ms != 0) {
        std::snprintf(buffer, sizeof buffer, ".%03lld", static_cast<long long>(ms));
        out += buffer;
    }
    out += 'Z';
    return out;
}

}  // namespace vorlane
