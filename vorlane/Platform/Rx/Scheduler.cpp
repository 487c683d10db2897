#include "vorlane/Platform/Rx/Scheduler.hpp"

#include <algorithm>

namespace vorlane::rx {

Scheduler::Duration TestScheduler::now() const {
    std::lock_guard lock(clock_->mutex);
    return clock_->now;
}

Disposable TestScheduler::schedule(Duration delay, std::function<void()> action) {
    Key key;
    {
        std::lock_guard lock(clock_->mutex);
        key = {clock_->now + std::max(delay, Duration::zero()), clock_->nextSequence++};
        clock_->actions.emplace(key, std::move(action));
    }
    return Disposable([weakClock = std::weak_ptr<Clock>(clock_), key] {
        auto clock = weakClock.lock();
        if (!clock) {
            return;
        }
        std::function<void()> cancelled;  // released after the lock, since it may own anything
        std::lock_guard lock(clock->mutex);
        if (auto found = clock->actions.find(key); found != clock->actions.end()) {
            cancelled = std::move(found->second);
            clock->actions.erase(found);
        }
    });
}

void TestScheduler::advanceBy(Duration by) {
    Duration target;
    {
        std::lock_guard lock(clock_->mutex);
        target = clock_->now + std::max(by, Duration::zero());
    }
    advanceTo(target);
}

void TestScheduler::advanceTo(Duration time) {
    for (;;) {
        std::function<void()> action;
        {
            std::lock_guard lock(clock_->mutex);
            auto first = clock_->actions.begin();
            if (first == clock_->actions.end() || first->first.first > time) {
                clock_->now = std::max(clock_->now, time);
                return;
            }
            clock_->now = std::max(clock_->now, first->first.first);
            action = std::move(first->second);
            clock_->actions.erase(first);
        }
        action();
    }
}

std::size_t TestScheduler::pendingCount() const {
    std::lock_guard lock(clock_->mutex);
    return clock_->actions.size();
}

}  // namespace vorlane::rx
