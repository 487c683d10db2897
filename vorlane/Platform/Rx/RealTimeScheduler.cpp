#include "vorlane/Platform/Rx/RealTimeScheduler.hpp"

#include "vorlane/Platform/Log.hpp"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

namespace vorlane::rx {

struct RealTimeScheduler::State {
    using Clock = std::chrono::steady_clock;
    // (deadline, order of scheduling): the timer's queue sorts by both.
    using Timer = std::pair<Duration, std::uint64_t>;

    const Clock::time_point start = Clock::now();

    std::mutex mutex;
    std::condition_variable timerWake;  // an earlier deadline was scheduled, or stopping
    std::condition_variable workReady;  // an action fell due, or stopping
    // Everything below is guarded by `mutex`.
    bool stopped = false;
    // When the threads are being joined, and whether that is over (see stop()).
    bool joining = false, joined = false;
    std::condition_variable joinDone;
    std::uint64_t nextId = 0;
    // Every action that has not started, by id; the two queues below hold ids. An action leaves
    // this map when a worker starts it, when it is cancelled, or when the scheduler stops.
    std::unordered_map<std::uint64_t, std::function<void()>> actions;
    // The deadlines of the actions not yet due. An ordered set rather than a heap, because a
    // cancelled action leaves it at once instead of lingering until its deadline.
    std::set<Timer> timers;
    // The ids handed to the workers, in deadline order. A cancelled action's id stays until a
    // worker takes it and finds nothing to run.
    std::deque<std::uint64_t> due;

    Duration elapsed() const { return Clock::now() - start; }

    // The clock's time for `deadline`, or none when it lies beyond what the clock can represent.
    std::optional<Clock::time_point> timePointOf(Duration deadline) const {
        const auto room = Clock::time_point::max() - start;
        if (deadline > std::chrono::duration_cast<Duration>(room)) return std::nullopt;
        return start + std::chrono::duration_cast<Clock::duration>(deadline);
    }
};

namespace {

// The scheduler whose thread is running this code, if any: lets stop() tell when it was called by
// an action, which must not wait for its own thread.
thread_local const RealTimeScheduler::State* runningOn = nullptr;

void runReporting(const std::function<void()>& action) noexcept {
    std::string failure;
    try {
        action();
        return;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "an exception that is not a std::exception";
    }
    try {
        Log::shared.error("An action run by the real-time scheduler threw: " + failure);
    } catch (...) {
        // Nothing is left to report through; the worker carries on.
    }
}

void runTimer(RealTimeScheduler::State& state) {
    runningOn = &state;
    std::unique_lock lock(state.mutex);
    while (!state.stopped) {
        if (state.timers.empty()) {
            state.timerWake.wait(lock);
            continue;
        }
        const auto wakeAt = state.timePointOf(state.timers.begin()->first);
        if (!wakeAt) {
            state.timerWake.wait(lock);  // never due; only something earlier or stop() wakes us
            continue;
        }
        if (RealTimeScheduler::State::Clock::now() < *wakeAt) {
            // Woken early (an earlier deadline, stop(), or spuriously): the loop looks again.
            state.timerWake.wait_until(lock, *wakeAt);
            continue;
        }
        const Scheduler::Duration now = state.elapsed();
        while (!state.timers.empty() && state.timers.begin()->first <= now) {
            state.due.push_back(state.timers.begin()->second);
            state.timers.erase(state.timers.begin());
            state.workReady.notify_one();
        }
    }
}

void runWorker(RealTimeScheduler::State& state) {
    runningOn = &state;
    std::unique_lock lock(state.mutex);
    for (;;) {
        state.workReady.wait(lock, [&] { return state.stopped || !state.due.empty(); });
        if (state.stopped) return;  // stop() dropped whatever had not started
        const std::uint64_t id = state.due.front();
        state.due.pop_front();
        const auto found = state.actions.find(id);
        if (found == state.actions.end()) continue;  // cancelled after it fell due
        std::function<void()> action = std::move(found->second);
        state.actions.erase(found);
        lock.unlock();
        runReporting(action);
        // Released before relocking: its captures may schedule, dispose or drop the scheduler.
        action = nullptr;
        lock.lock();
    }
}

}  // namespace

RealTimeScheduler::RealTimeScheduler(std::size_t workers) : state_(std::make_shared<State>()) {
    if (workers == 0) throw std::invalid_argument("a real-time scheduler needs at least one worker thread");
    try {
        threads_.reserve(workers + 1);
        // Each thread holds the state, which may outlive this object (see stop()).
        threads_.emplace_back([state = state_] { runTimer(*state); });
        for (std::size_t i = 0; i < workers; ++i) threads_.emplace_back([state = state_] { runWorker(*state); });
    } catch (...) {
        stop();  // joins the threads that did start
        throw;
    }
}

RealTimeScheduler::~RealTimeScheduler() { stop(); }

Scheduler::Duration RealTimeScheduler::now() const { return state_->elapsed(); }

Disposable RealTimeScheduler::schedule(Duration delay, std::function<void()> action) {
    const Duration elapsed = now();
    const Duration wait = std::max(delay, Duration::zero());
    // Saturates instead of overflowing: such a deadline is never reached.
    return scheduleAt(wait > Duration::max() - elapsed ? Duration::max() : elapsed + wait, std::move(action));
}

Disposable RealTimeScheduler::scheduleAt(Duration time, std::function<void()> action) {
    State& state = *state_;
    State::Timer timer;
    {
        std::lock_guard lock(state.mutex);
        if (state.stopped || !action) {
            Disposable nothing;
            nothing.dispose();
            return nothing;
        }
        timer = {time, state.nextId++};
        state.actions.emplace(timer.second, std::move(action));
        state.timers.insert(timer);
        if (*state.timers.begin() == timer) state.timerWake.notify_one();  // sooner than the timer's wait
    }
    return Disposable([weakState = std::weak_ptr<State>(state_), timer] {
        const auto state = weakState.lock();
        if (!state) return;
        std::function<void()> cancelled;  // released after the lock, since it may own anything
        std::lock_guard lock(state->mutex);
        const auto found = state->actions.find(timer.second);
        if (found == state->actions.end()) return;  // started, or dropped by stop()
        cancelled = std::move(found->second);
        state->actions.erase(found);
        state->timers.erase(timer);  // no effect if it was already due
    });
}

void RealTimeScheduler::stop() {
    State& state = *state_;
    const bool onOwnThread = runningOn == state_.get();
    std::unordered_map<std::uint64_t, std::function<void()>> dropped;  // released last, with no lock held
    std::vector<std::thread> threads;
    {
        std::unique_lock lock(state.mutex);
        if (!state.stopped) {
            state.stopped = true;
            dropped.swap(state.actions);
            state.timers.clear();
            state.due.clear();
            state.timerWake.notify_all();
            state.workReady.notify_all();
        }
        if (state.joining || state.joined) {
            // Another caller joins the threads. An action must not wait for that, since the joining
            // caller waits for the action; anyone else returns once the threads are joined.
            if (!onOwnThread) state.joinDone.wait(lock, [&] { return state.joined; });
            return;
        }
        state.joining = true;
    }
    threads.swap(threads_);  // only the caller that set `joining` gets here
    for (std::thread& thread : threads) {
        // A thread cannot join itself: when an action stops (or drops) its scheduler, its worker
        // is let go and ends by itself once the action returns, holding the state until then.
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach();
        } else {
            thread.join();
        }
    }
    {
        std::lock_guard lock(state.mutex);
        state.joining = false;
        state.joined = true;
    }
    state.joinDone.notify_all();
}

std::size_t RealTimeScheduler::pendingCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->actions.size();
}

}  // namespace vorlane::rx
