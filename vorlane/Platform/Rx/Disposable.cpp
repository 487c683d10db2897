#include "vorlane/Platform/Rx/Disposable.hpp"

#include <utility>

namespace vorlane::rx {

namespace detail {

void Subscription::dispose() noexcept {
    if (disposed_.exchange(true)) {
        return;
    }
    if (!claimTerminal()) {
        return;  // already ended; the terminal path released the actions
    }
    std::vector<std::function<void()>> actions;
    {
        std::lock_guard lock(mutex_);
        phase_ = Phase::cancelled;
        actions.swap(cancellations_);
    }
    releaseCallbacks();
    for (auto& action : actions) {
        action();
    }
}

bool Subscription::isDisposed() const noexcept {
    return disposed_.load();
}

void Subscription::addCancellation(std::function<void()> action) {
    if (!action) {
        return;
    }
    bool runNow = false;
    {
        std::lock_guard lock(mutex_);
        switch (phase_) {
        case Phase::open:
            cancellations_.push_back(std::move(action));
            return;
        case Phase::cancelled:
            runNow = true;
            break;
        case Phase::finished:
            break;
        }
    }
    // Run or drop the action outside the lock: either may call arbitrary code.
    if (runNow) {
        action();
    }
}

void Subscription::releaseCancellations() noexcept {
    std::vector<std::function<void()>> released;
    {
        std::lock_guard lock(mutex_);
        phase_ = Phase::finished;
        released.swap(cancellations_);
    }
}

}  // namespace detail

namespace {

class ActionDisposal final : public detail::Disposal {
public:
    explicit ActionDisposal(std::function<void()> action) : action_(std::move(action)) {}

    void dispose() noexcept override {
        if (disposed_.exchange(true)) {
            return;
        }
        // Only the first dispose() gets here, so nothing else touches action_.
        auto action = std::exchange(action_, nullptr);
        if (action) {
            action();
        }
    }

    bool isDisposed() const noexcept override { return disposed_.load(); }

private:
    std::atomic<bool> disposed_{false};
    std::function<void()> action_;
};

}  // namespace

Disposable::Disposable() : Disposable(std::function<void()>{}) {}

Disposable::Disposable(std::function<void()> onDispose)
    : target_(std::make_shared<ActionDisposal>(std::move(onDispose))) {}

}  // namespace vorlane::rx
