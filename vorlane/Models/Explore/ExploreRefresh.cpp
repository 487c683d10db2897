#include "vorlane/Models/Explore/ExploreRefresh.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <atomic>
#include <mutex>
#include <utility>

namespace vorlane {

namespace {

// The replacement clock, if any. The flag keeps the common case (no override) free of the lock.
struct ClockState {
    std::mutex mutex;
    RefreshClock::Source source;
    std::atomic<bool> overridden{false};
};

ClockState& clockState() {
    static ClockState* const state = new ClockState;  // never destroyed: usable during static destruction
    return *state;
}

}  // namespace

RefreshClock::time_point RefreshClock::now() {
    ClockState& state = clockState();
    if (state.overridden.load(std::memory_order_acquire)) {
        Source source;
        {
            std::lock_guard lock(state.mutex);
            source = state.source;
        }
        if (source) return source();
    }
    return std::chrono::steady_clock::now();
}

RefreshClock::Override::Override(Source source) {
    ClockState& state = clockState();
    std::lock_guard lock(state.mutex);
    previous_ = std::exchange(state.source, std::move(source));
    state.overridden.store(static_cast<bool>(state.source), std::memory_order_release);
}

RefreshClock::Override::~Override() {
    ClockState& state = clockState();
    std::lock_guard lock(state.mutex);
    state.source = std::move(previous_);
    state.overridden.store(static_cast<bool>(state.source), std::memory_order_release);
}

ExploreRefresh::ExploreRefresh() : ttlBegin_(RefreshClock::now()) {}

ExploreRefresh::ExploreRefresh(RefreshPolicy policy, std::optional<std::int64_t> ttlSeconds)
    : rawPolicy(std::move(policy)), rawTtlSeconds(ttlSeconds), ttlBegin_(RefreshClock::now()) {}

RefreshPolicy ExploreRefresh::policy() const {
    if (rawPolicy.isCatchAll()) return RefreshPolicyCase::onTTL;
    return rawPolicy;
}

std::optional<std::int64_t> ExploreRefresh::ttlSeconds() const {
    if (rawPolicy.isCatchAll()) return 0;
    return rawTtlSeconds;
}

bool ExploreRefresh::needsRefresh(bool sessionReset, bool playbackHappened) const {
    const bool unknownPolicy = rawPolicy.isCatchAll();
    if (unknownPolicy || rawTtlSeconds) {
        const auto elapsed = RefreshClock::now() - ttlBegin_;
        // Compared in floating-point seconds: sub-second ages count, and no time to live is too
        // large to convert.
        const double age = std::chrono::duration<double>(elapsed < elapsed.zero() ? -elapsed : elapsed).count();
        const double limit = unknownPolicy ? 0.0 : static_cast<double>(*rawTtlSeconds);
        if (age > limit) return true;
    }
    if (sessionReset) return true;
    return policy() == RefreshPolicyCase::onPlaybackAction && playbackHappened;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExploreRefresh)
