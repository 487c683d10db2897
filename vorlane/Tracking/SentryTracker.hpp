#pragma once
// The non-fatal tracker: when enabled, samples reports and sends each sampled one as an
// info-level event with its tags and extras. The configuration is read at every call, so a
// change applies to the next report without rebuilding the tracker.

#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Tracking/NonFatalErrorTracker.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"

#include <functional>
#include <memory>

namespace vorlane {

// Draws a uniformly distributed whole number in [0, 100).
using PercentDraw = std::function<int()>;

// Draws from the system's secure random source (getrandom), without modulo bias.
int secureRandomPercent();

// How many of 100 draws are sent for a rate: rate × 100 truncated toward zero (0.259 → 25).
// A product that is not finite or beyond the integer range counts as 100, or 0 when negative.
long long samplingThreshold(double rate) noexcept;

class SentryTracker final : public NonFatalErrorTracker {
public:
    explicit SentryTracker(BehaviorReader<SentryConfig> config,
                           std::shared_ptr<ErrorEventSink> sink = defaultErrorEventSink(),
                           PercentDraw draw = secureRandomPercent);

    using NonFatalErrorTracker::logNonFatalError;
    void logNonFatalError(const std::string& message, const StringDictionary& tags,
                          const StringDictionary& additionalInfo) const override;

    const BehaviorReader<SentryConfig>& config() const noexcept { return config_; }

private:
    BehaviorReader<SentryConfig> config_;
    std::shared_ptr<ErrorEventSink> sink_;
    PercentDraw draw_;
};

}  // namespace vorlane
