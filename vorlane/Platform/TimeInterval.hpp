#pragma once

#include <chrono>

namespace vorlane {

/// The longest interval `secondsToInterval` gives: 100 years. Small enough that adding it to the
/// current time of any standard clock cannot overflow.
inline constexpr std::chrono::nanoseconds kMaximumInterval = std::chrono::years(100);

/// A number of seconds (a throttle window, a timeout) as a scheduler interval, rounded to the nearest
/// nanosecond.
///
/// Input a scheduler cannot use is clamped rather than trusted: negative numbers and NaN give zero (no
/// wait), values beyond `kMaximumInterval`, +infinity included, give `kMaximumInterval`.
[[nodiscard]] std::chrono::nanoseconds secondsToInterval(double seconds) noexcept;

}  // namespace vorlane
