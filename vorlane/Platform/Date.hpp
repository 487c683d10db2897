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

// Reads "2024-05-01T12:30:00Z", with optional fractional seconds and a "Z", "+hh:mm" or "+hhmm"
// offset. Absent when the text is not such a date.
std::optional<Date> parseIso8601(std::string_view text);

// "2024-05-01T12:30:00Z", with ".mmm" only when the milliseconds are not zero.
std::string formatIso8601(Date date);

}  // namespace vorlane
