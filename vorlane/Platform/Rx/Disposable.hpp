#pragma once
// Cancelling work that was started by subscribing to an asynchronous result.
//
// A Disposable is a copyable handle: copies share one disposal. dispose() is idempotent and
// thread-safe; whatever it cancels runs once, on the thread of the first dispose().

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vorlane::rx {

template <class T>
class Single;
class Completable;
template <class T>
class Observable;

namespace detail {

// Something a Disposable can cancel.
class Disposal {
public:
    virtual ~Disposal() = default;
    virtual void dispose() noexcept = 0;
    virtual bool isDisposed() const noexcept = 0;
};

// The disposal side of one subscription.
//
// Two things race to end a subscription: its terminal signal (a value or an error) and dispose().
// The first one wins, exactly once (`done_`). If dispose() wins, the subscriber's callbacks are
// dropped and the cancellation actions the source registered run once; if the signal wins, the
// winner delivers it and the cancellation actions are released without running (there is nothing
// left to cancel). The mutex guards only the list of actions; no action or callback runs under it.
class Subscription : public Disposal {
public:
    void dispose() noexcept final;
    bool isDisposed() const noexcept final;

    // Registers an action to run if the subscription is disposed before it ends. Runs the action
    // at once if it was already disposed; drops it if the subscription already ended.
    void addCancellation(std::function<void()> action);

protected:
    // True for exactly one caller, and only if dispose() did not come first. The caller owns the
    // subscriber's callbacks from then on and must call releaseCancellations().
    bool claimTerminal() noexcept { return !done_.exchange(true); }
    void releaseCancellations() noexcept;

    // Drops the subscriber's callbacks once dispose() has won.
    virtual void releaseCallbacks() noexcept = 0;

private:
    enum class Phase { open, cancelled, finished };

    std::atomic<bool> done_{false};
    std::atomic<bool> disposed_{false};
    std::mutex mutex_;
    Phase phase_ = Phase::open;                         // guarded by mutex_
    std::vector<std::function<void()>> cancellations_;  // guarded by mutex_
};

}  // namespace detail

// A handle onto a subscription or any other cancellable piece of work.
class Disposable {
public:
    // A handle with nothing to cancel: dispose() only marks it disposed.
    Disposable();
    // A handle that runs `onDispose` once, on the first dispose(). The action must not throw.
    explicit Disposable(std::function<void()> onDispose);

    // Cancels the work. Idempotent, thread-safe, never throws.
    void dispose() const noexcept { target_->dispose(); }
    // True once dispose() was called on this handle or one of its copies.
    bool isDisposed() const noexcept { return target_->isDisposed(); }

private:
    template <class T>
    friend class Single;
    friend class Completable;
    template <class T>
    friend class Observable;

    explicit Disposable(std::shared_ptr<detail::Disposal> target) noexcept : target_(std::move(target)) {}

    std::shared_ptr<detail::Disposal> target_;
};

}  // namespace vorlane::rx
