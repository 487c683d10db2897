#include "vorlane/Tracking/SentryTracker.hpp"

#include <sys/random.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace vorlane {

int secureRandomPercent() {
    // Rejection sampling keeps the draw uniform: 2^32 is not a multiple of 100.
    constexpr std::uint32_t limit = std::numeric_limits<std::uint32_t>::max() - std::numeric_limits<std::uint32_t>::max() % 100;
    for (;;) {
        std::uint32_t value = 0;
        ssize_t got = getrandom(&value, sizeof value, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        if (got != static_cast<ssize_t>(sizeof value)) continue;
        if (value < limit) return static_cast<int>(value % 100);
    }
}

long long samplingThreshold(double rate) noexcept {
    double product = rate * 100.0;
    if (std::isnan(product)) return 100;
    if (product >= 9.2e18) return 100;
    if (product <= -9.2e18) return 0;
    return static_cast<long long>(std::trunc(product));
}

SentryTracker::SentryTracker(BehaviorReader<SentryConfig> config, std::shared_ptr<ErrorEventSink> sink, PercentDraw draw)
    : config_(std::move(config)), sink_(sink ? std::move(sink) : defaultErrorEventSink()), draw_(std::move(draw)) {
    if (!draw_) draw_ = secureRandomPercent;
}

void SentryTracker::logNonFatalError(const std::string& message, const StringDictionary& tags,
                                     const StringDictionary& additionalInfo) const {
    const SentryConfig config = config_.value();
    if (!config.enableNonFatalErrorLogging) return;

    long long threshold = samplingThreshold(config.nonFatalErrorLoggingSampleRate);
    int draw = draw_();
    if (draw + 1 > threshold) return;

    sink_->capture(ErrorEvent{ErrorEventLevel::info, message, tags, additionalInfo});
}

}  // namespace vorlane
