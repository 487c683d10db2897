#pragma once
// Points in time as the content API carries them, and their ISO 8601 text form.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vorlane {

// Millisecond precision is what the services send.
using Date = std::chrono::sys_time<std::chrono::milliseconds>;

// 2001-01-01T00:00:00Z, the origin of dates written as plain numbers.
inline constexpr std::chrono::seconds referenceDateOffset{978307200};

// The dates this system reads and writes: UTC years 0000 through 9999, the years ISO 8601 text
// holds in its four digits. Every way of reading a date (text, or seconds since the reference
// date) refuses one outside this range, and writing one fails, so whatever is read can be written
// in either form and read back.
inline constexpr Date earliestDate{std::chrono::sys_days{std::chrono::year{0} / std::chrono::January / 1}};
inline constexpr Date latestDate{std::chrono::sys_days{std::chrono::year{10000} / std::chrono::January / 1} -
                                 std::chrono::milliseconds{1}};
inline constexpr std::string_view dateRangeText = "0000-01-01T00:00:00Z through 9999-12-31T23:59:59.999Z";

constexpr bool isWithinDateRange(Date date) noexcept { return date >= earliestDate && date <= latestDate; }

// Reads "2024-05-01T12:30:00Z", with optional fractional seconds and a "Z", "+hh:mm" or "+hhmm"
// offset. Absent when the text is not such a date, or when the instant it names falls outside
// earliestDate...latestDate (an offset can carry 9999-12-31 local time into the year 10000).
std::optional<Date> parseIso8601(std::string_view text);

// "2024-05-01T12:30:00Z", with ".mmm" only when the milliseconds are not zero. `date` must lie
// within earliestDate...latestDate (the year has four digits).
std::string formatIso8601(Date date);

}  // namespace vorlane
