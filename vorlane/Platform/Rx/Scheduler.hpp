#pragma once
// Schedulers: where and when delayed work of a stream (a throttle window) runs.
//
// A Scheduler runs an action after a delay and tells its current time. TestScheduler keeps a
// virtual clock that moves only when a test advances it, so timed behaviour is tested without
// sleeping: advancing runs every action that falls due, in time order, and in the order they were
// scheduled when they fall due at the same time. RealTimeScheduler (RealTimeScheduler.hpp) runs
// actions on threads of its own by the monotonic clock.

#include "vorlane/Platform/Rx/Disposable.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace vorlane::rx {

class Scheduler {
public:
    using Duration = std::chrono::nanoseconds;

    virtual ~Scheduler() = default;

    // The scheduler's current time, measured from its own starting point.
    virtual Duration now() const = 0;

    // Runs `action` once, `delay` from now (a negative delay counts as none), unless the returned
    // Disposable is disposed before it starts. The action runs on a thread of the scheduler's
    // choosing and should not throw (what a scheduler does with an exception is its own affair).
    virtual Disposable schedule(Duration delay, std::function<void()> action) = 0;
};

// A scheduler on virtual time, starting at zero. Thread-safe; the actions run on the thread that
// advances the clock, with no lock held.
class TestScheduler final : public Scheduler {
public:
    Duration now() const override;
    Disposable schedule(Duration delay, std::function<void()> action) override;

    // Moves the clock forward by `by` (negative counts as zero), running every action that falls
    // due on the way, each with the clock set to its due time. Actions scheduled while advancing
    // run in the same call if they fall due before its end.
    void advanceBy(Duration by);
    // Moves the clock to `time`, as advanceBy; a time already past only runs what is due now.
    void advanceTo(Duration time);

    // How many actions wait to run.
    std::size_t pendingCount() const;

private:
    // Ordered by due time, then by the order of scheduling.
    using Key = std::pair<Duration, std::uint64_t>;

    // Shared with the handles of scheduled actions, which may outlive the scheduler.
    struct Clock {
        std::mutex mutex;
        Duration now{0};
        std::uint64_t nextSequence = 0;
        std::map<Key, std::function<void()>> actions;
    };

    std::shared_ptr<Clock> clock_ = std::make_shared<Clock>();
};

}  // namespace vorlane::rx
