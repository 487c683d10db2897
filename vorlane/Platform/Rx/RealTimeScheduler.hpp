#pragma once
// A scheduler on the monotonic clock, for running the library outside tests.
//
// One timer thread keeps the actions not yet due, ordered by deadline and, for equal deadlines, by
// the order of scheduling. It sleeps until the earliest deadline (or until something earlier is
// scheduled, or the scheduler stops) and hands each action that falls due to a small pool of
// worker threads, so a slow action delays neither the timer nor the actions due after it.
//
// Ordering: actions reach the workers in deadline order. With one worker they also run in that
// order, one at a time; with more, actions due close together may run at the same time.
//
// Cancelling: disposing an action's handle before a worker has started it removes it (from the
// timer's queue, or from the workers' queue if it was already due), so it never runs, and releases
// it at once. Disposing while it runs, or after, does nothing.
//
// Stopping: stop(), also run by the destructor, drops every action that has not started, lets the
// actions already running finish and joins every thread. It may be called from any thread,
// including from inside an action: there it does not wait for its own thread, which ends as soon
// as that action returns. Scheduling after stop() runs nothing and returns a disposed handle.
//
// An action that throws is reported through the library's log (shared category) and does not end
// its worker. schedule(), now(), stop() and the handles are thread-safe; an action may schedule
// and dispose others (its own scheduler included) without deadlock, since no lock is held while it
// runs or while a cancelled action is released.

#include "vorlane/Platform/Rx/Scheduler.hpp"

#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

namespace vorlane::rx {

class RealTimeScheduler final : public Scheduler {
public:
    // Starts the timer thread and `workers` worker threads; throws std::invalid_argument for none.
    explicit RealTimeScheduler(std::size_t workers = 2);
    ~RealTimeScheduler() override;

    RealTimeScheduler(const RealTimeScheduler&) = delete;
    RealTimeScheduler& operator=(const RealTimeScheduler&) = delete;

    // Monotonic time since the scheduler was constructed.
    Duration now() const override;
    // Runs `action` on a worker once `delay` has passed (a negative delay counts as none; a delay
    // too long for the clock never falls due).
    Disposable schedule(Duration delay, std::function<void()> action) override;
    // Runs `action` once now() reaches `time` (at once for a time already past). Actions given the
    // same time run in the order they were scheduled.
    Disposable scheduleAt(Duration time, std::function<void()> action);

    // Stops as described above. Idempotent.
    void stop();

    // How many actions wait for their deadline or for a worker (not those running).
    std::size_t pendingCount() const;

    // What the threads and the handles share; they outlive the scheduler object when a handle is
    // kept, or when the scheduler is dropped by one of its own actions.
    struct State;

private:
    std::shared_ptr<State> state_;
    // The timer first, then the workers; taken by the one caller of stop() that joins them.
    std::vector<std::thread> threads_;
};

}  // namespace vorlane::rx
