#include "vorlane/Platform/TimeInterval.hpp"

#include <cmath>

namespace vorlane {

std::chrono::nanoseconds secondsToInterval(double seconds) noexcept {
    if (!(seconds > 0)) return std::chrono::nanoseconds::zero();  // negative, zero or NaN
    const double nanoseconds = seconds * 1e9;
    // Compared before converting: a double beyond the integer range must never reach llround.
    if (nanoseconds >= static_cast<double>(kMaximumInterval.count())) return kMaximumInterval;
    return std::chrono::nanoseconds(std::llround(nanoseconds));
}

}  // namespace vorlane
