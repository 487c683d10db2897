#pragma once
// Observable<T>: a cold stream of values that may end with an error or a completion.
//
// Nothing runs until subscribe(); every subscription runs the source anew (a subject's stream
// shares the subject instead). A subscription delivers values until its first terminal signal
// (an error or a completion), which it delivers exactly once; anything signalled after that is
// ignored. Disposing a subscription stops delivery and disposes what it subscribed to upstream
// (the source's cancellations, the upstream stages, an operator's timer or inner subscription);
// the same teardown runs when the subscription ends by itself.
//
// Signals may come from any thread, even at once: each subscription queues them and delivers them
// one at a time, in the order they were signalled, on whichever thread found it idle (normally the
// signalling thread). The callbacks of one subscription never overlap and no lock is held while
// one runs. A signal that starts being delivered after dispose() is dropped; one delivered from
// another thread at the moment dispose() is called may still finish. Dropping the Disposable does
// not cancel a subscription: it lives on, and keeps delivering, for as long as its source (a
// subject, a pending answer, a timer) holds it.
//
// Values are copied where a stage needs to keep them (a subject's current value, a throttle's
// latest element), so T must be copyable. Functions handed to create() and to the operators are
// shared by every subscription of the resulting Observable.
//
// An exception thrown by an operator's function becomes the stream's error and disposes the
// stages above it. An exception thrown by a subscriber's own callback is not turned into an
// error: it propagates to whoever signalled.

#include "vorlane/Platform/Rx/Disposable.hpp"
#include "vorlane/Platform/Rx/Scheduler.hpp"
#include "vorlane/Platform/Rx/Single.hpp"

#include <atomic>
#include <concepts>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace vorlane::rx {

namespace detail {

// Runs queued work one item at a time, in queueing order, on whichever thread queues into an idle
// queue; a thread that queues while another drains returns at once and leaves its item to that
// thread. No lock is held while an item runs, and an item that queues more work (reentrantly)
// runs it after itself rather than inside itself.
class SerialQueue {
public:
    void enqueue(std::function<void()> work) {
        std::unique_lock lock(mutex_);
        items_.push_back(std::move(work));
        drain(lock);
    }

    // As enqueue(), with `prepare()` run under the queue's lock first, so that whatever it records
    // is ordered exactly as the queued items are.
    template <class Prepare>
    void enqueue(std::function<void()> work, Prepare&& prepare) {
        std::unique_lock lock(mutex_);
        prepare();
        items_.push_back(std::move(work));
        drain(lock);
    }

    // Runs `f()` under the queue's lock (for state that `prepare` writes).
    template <class F>
    auto withLock(F&& f) {
        std::lock_guard lock(mutex_);
        return f();
    }

private:
    // An item that throws stops this drain; what is left runs on the next enqueue().
    void drain(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::deque<std::function<void()>> items_;  // guarded by mutex_
    bool draining_ = false;                    // guarded by mutex_
};

// One subscription of a stream: the subscriber's callbacks, their delivery queue, and the teardown
// actions that the source and the operators registered.
template <class T>
class StreamState final : public Disposal {
public:
    using OnNext = std::function<void(T)>;
    using OnError = std::function<void(std::exception_ptr)>;
    using OnCompleted = std::function<void()>;

    StreamState(OnNext onNext, OnError onError, OnCompleted onCompleted)
        : onNext_(std::move(onNext)), onError_(std::move(onError)), onCompleted_(std::move(onCompleted)) {}

    void dispose() noexcept override {
        if (disposed_.exchange(true)) {
            return;
        }
        ended_ = true;
        tearDown();
        // Released by the queue, so never while a delivery in progress still uses them.
        deliveries_.enqueue([this] { releaseCallbacks(); });
    }

    bool isDisposed() const noexcept override { return disposed_.load(); }

    // True once the subscription was disposed or its terminal signal was accepted.
    bool hasEnded() const noexcept { return ended_.load(); }

    void next(T value) {
        if (ended_.load()) {
            return;
        }
        deliveries_.enqueue([this, value = std::move(value)]() mutable {
            if (!disposed_.load() && onNext_) {
                onNext_(std::move(value));
            }
        });
    }

    // Accepts the error unless the subscription already ended; false if it had.
    bool fail(std::exception_ptr error) {
        if (!error) {
            error = std::make_exception_ptr(std::invalid_argument("rx: error signalled without an exception"));
        }
        return finish([this, error] {
            auto onError = std::exchange(onError_, nullptr);
            releaseCallbacks();
            if (onError && !disposed_.load()) {
                onError(error);
            }
        });
    }

    bool complete() {
        return finish([this] {
            auto onCompleted = std::exchange(onCompleted_, nullptr);
            releaseCallbacks();
            if (onCompleted && !disposed_.load()) {
                onCompleted();
            }
        });
    }

    // Registers an action to run once when the subscription ends or is disposed (at once if it
    // already has). Actions must not throw.
    void addTeardown(std::function<void()> action) {
        if (!action) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            if (!tornDown_) {
                teardown_.push_back(std::move(action));
                return;
            }
        }
        action();
    }

private:
    bool finish(std::function<void()> deliver) {
        if (ended_.exchange(true)) {
            return false;
        }
        tearDown();  // upstream stops before the terminal signal goes down
        deliveries_.enqueue(std::move(deliver));
        return true;
    }

    void tearDown() noexcept {
        std::vector<std::function<void()>> actions;
        {
            std::lock_guard lock(mutex_);
            tornDown_ = true;
            actions.swap(teardown_);
        }
        for (auto& action : actions) {
            action();
        }
    }

    void releaseCallbacks() noexcept {
        onNext_ = nullptr;
        onError_ = nullptr;
        onCompleted_ = nullptr;
    }

    std::atomic<bool> disposed_{false};
    std::atomic<bool> ended_{false};
    std::mutex mutex_;
    bool tornDown_ = false;                         // guarded by mutex_
    std::vector<std::function<void()>> teardown_;   // guarded by mutex_
    SerialQueue deliveries_;
    // Touched only by items of deliveries_.
    OnNext onNext_;
    OnError onError_;
    OnCompleted onCompleted_;
};

template <class Observer>
auto forwardCompletion(Observer down) {
    return [down = std::move(down)] { down.onCompleted(); };
}

template <class T>
struct IsObservable : std::false_type {};
template <class T>
struct IsObservable<Observable<T>> : std::true_type {};

template <class T>
class ThrottleSink;
template <class T, class U, class F>
class SwitchSink;

}  // namespace detail

// The source's handle onto one subscription of an Observable<T>. Copyable; every copy refers to
// the same subscription, so it can be handed to other threads.
template <class T>
class ObservableObserver {
public:
    // Delivers `value` unless the subscription ended or was disposed. (Each signal holds the
    // subscription itself, since a callback may drop the observer it was signalled through.)
    void onNext(T value) const { held()->next(std::move(value)); }
    // Ends the subscription with `error` unless it already ended or was disposed.
    void onError(std::exception_ptr error) const { held()->fail(std::move(error)); }
    // Ends the subscription unless it already ended or was disposed.
    void onCompleted() const { held()->complete(); }

    // True once the subscription was disposed or has ended; a source may stop producing.
    bool isDisposed() const noexcept { return state_->hasEnded(); }

    // Registers an action to run once when the subscription is disposed or ends (at once if it
    // already has). Actions must not throw.
    void addCancellation(std::function<void()> action) const { state_->addTeardown(std::move(action)); }
    void addCancellation(Disposable resource) const {
        state_->addTeardown([resource] { resource.dispose(); });
    }

private:
    friend class Observable<T>;

    explicit ObservableObserver(std::shared_ptr<detail::StreamState<T>> state) noexcept : state_(std::move(state)) {}

    std::shared_ptr<detail::StreamState<T>> held() const noexcept { return state_; }

    std::shared_ptr<detail::StreamState<T>> state_;
};

template <class T>
class Observable {
    static_assert(std::is_same_v<T, std::remove_cvref_t<T>>, "Observable holds values, not references or const types");
    static_assert(std::is_copy_constructible_v<T>, "a stream's values must be copyable");

public:
    using value_type = T;
    using Source = std::function<void(ObservableObserver<T>)>;

    // An Observable whose every subscription calls `source(observer)`. The source signals through
    // the observer, now or later from any thread, and may return a Disposable (or call
    // observer.addCancellation) to be disposed when the subscription is disposed or ends. An
    // exception thrown by the source becomes the error.
    template <class F>
        requires std::invocable<F&, ObservableObserver<T>>
    static Observable create(F source) {
        return Observable(detail::makeSource<ObservableObserver<T>>(std::move(source)));
    }

    // The result of `single` as a stream of one value followed by completion, or of its error.
    static Observable from(Single<T> single) {
        return create([single = std::move(single)](ObservableObserver<T> observer) {
            observer.addCancellation(single.subscribe(
                [observer](T value) {
                    observer.onNext(std::move(value));
                    observer.onCompleted();
                },
                detail::forwardError(observer)));
        });
    }

    // The values for which `predicate(const T&)` is true.
    template <class F>
    Observable filter(F predicate) const;

    // Every value transformed by `f(T) -> U`.
    template <class F>
    auto map(F f) const;

    // The values that differ (by ==) from the value delivered just before them.
    Observable distinctUntilChanged() const;

    // At most one value per `interval` on `scheduler`. A value arriving while no window is open
    // passes at once and opens a window of `interval`. Values arriving inside a window are
    // dropped, except that with `latest` the last of them is delivered when the window closes,
    // which opens the next window. An error is delivered at once (a held value is dropped); a
    // completion waits for a held value to be delivered.
    Observable throttle(Scheduler::Duration interval, std::shared_ptr<Scheduler> scheduler, bool latest = true) const;

    // For each value, subscribes to `f(T)`, a Single<U> or an Observable<U>, and delivers its
    // values; a newer value disposes the subscription of the older one, so only the newest inner
    // stream is delivered. An inner error is the stream's error. Completes once this stream and
    // the newest inner stream have completed.
    template <class F>
    auto flatMapLatest(F f) const;

    // Starts the work. `onNext` runs for each value; then at most one of `onError` and
    // `onCompleted` runs, once. After dispose() none of them runs. Any callback may be empty.
    Disposable subscribe(std::function<void(T)> onNext, std::function<void(std::exception_ptr)> onError = nullptr,
                         std::function<void()> onCompleted = nullptr) const {
        auto state = std::make_shared<State>(std::move(onNext), std::move(onError), std::move(onCompleted));
        detail::runSource(*source_, ObservableObserver<T>(state), *state);
        return Disposable(std::move(state));
    }

private:
    using State = detail::StreamState<T>;

    template <class>
    friend class Observable;

    explicit Observable(std::shared_ptr<const Source> source) noexcept : source_(std::move(source)) {}

    // Subscribes as the upstream of `down`: disposing or ending `down` disposes this
    // subscription. If `down` already ended, the source is not started.
    //
    // Ownership runs downstream only: whatever signals a subscription (its source) keeps it, and
    // its callbacks keep the stages below; a stage holds what is above it weakly. So a chain whose
    // source is gone is freed even if nobody disposed it, and nothing forms a cycle.
    template <class Observer>
    void subscribeFor(const Observer& down, std::function<void(T)> onNext,
                      std::function<void(std::exception_ptr)> onError, std::function<void()> onCompleted) const {
        auto state = std::make_shared<State>(std::move(onNext), std::move(onError), std::move(onCompleted));
        down.addCancellation([upstream = std::weak_ptr<State>(state)] {
            if (auto alive = upstream.lock()) alive->dispose();
        });
        if (!state->isDisposed()) {
            detail::runSource(*source_, ObservableObserver<T>(state), *state);
        }
    }

    // Subscribes `sink` (onNext, onError, onCompleted, stop) as the upstream of `down`.
    template <class Observer, class Sink>
    void subscribeSink(const Observer& down, const std::shared_ptr<Sink>& sink) const {
        down.addCancellation([weak = std::weak_ptr<Sink>(sink)] {
            if (auto alive = weak.lock()) alive->stop();
        });
        subscribeFor(
            down, [sink](T value) { sink->onNext(std::move(value)); },
            [sink](std::exception_ptr error) { sink->onError(std::move(error)); }, [sink] { sink->onCompleted(); });
    }

    std::shared_ptr<const Source> source_;
};

namespace detail {

// Serializes the signals of a stage that hears from more than one place (its upstream and a
// timer or an inner stream) through one queue, so its state needs no lock.
template <class Self>
class SerialSink : public std::enable_shared_from_this<Self> {
protected:
    void post(std::function<void()> work) {
        queue_.enqueue([self = this->shared_from_this(), work = std::move(work)] { work(); });
    }

    // A callback that posts `work`. It keeps the sink alive, as the pending work (a timer, an
    // inner subscription) that holds it has to deliver through it.
    template <class F>
    auto posting(F work) {
        return [self = this->shared_from_this(), work = std::move(work)](auto&&... args) {
            self->post([work, args...]() mutable { work(std::move(args)...); });
        };
    }

private:
    SerialQueue queue_;
};

template <class T>
class ThrottleSink final : public SerialSink<ThrottleSink<T>> {
public:
    ThrottleSink(ObservableObserver<T> down, Scheduler::Duration interval, std::shared_ptr<Scheduler> scheduler,
                 bool latest)
        : down_(std::move(down)), interval_(interval), scheduler_(std::move(scheduler)), latest_(latest) {}

    void onNext(T value) {
        this->post([this, value = std::move(value)]() mutable {
            if (stopped_) {
                return;
            }
            if (windowOpen_) {
                if (latest_) {
                    pending_ = std::move(value);
                }
                return;
            }
            openWindow();
            down_.onNext(std::move(value));
        });
    }

    void onError(std::exception_ptr error) {
        this->post([this, error] {
            pending_.reset();
            down_.onError(error);
        });
    }

    void onCompleted() {
        this->post([this] {
            if (pending_) {
                upstreamCompleted_ = true;  // the held value goes first, when its window closes
            } else {
                down_.onCompleted();
            }
        });
    }

    void stop() {
        this->post([this] {
            stopped_ = true;
            pending_.reset();
            std::exchange(timer_, Disposable()).dispose();
        });
    }

private:
    void openWindow() {
        windowOpen_ = true;
        timer_ = scheduler_->schedule(interval_, this->posting([this] { closeWindow(); }));
    }

    void closeWindow() {
        windowOpen_ = false;
        if (stopped_ || !pending_) {
            return;
        }
        T value = std::move(*pending_);
        pending_.reset();
        if (!upstreamCompleted_) {
            openWindow();
        }
        down_.onNext(std::move(value));
        if (upstreamCompleted_) {
            down_.onCompleted();
        }
    }

    ObservableObserver<T> down_;
    const Scheduler::Duration interval_;
    const std::shared_ptr<Scheduler> scheduler_;
    const bool latest_;
    // Touched only by posted work.
    bool windowOpen_ = false;
    bool upstreamCompleted_ = false;
    bool stopped_ = false;
    std::optional<T> pending_;
    Disposable timer_;
};

template <class T, class U, class F>
class SwitchSink final : public SerialSink<SwitchSink<T, U, F>> {
public:
    SwitchSink(ObservableObserver<U> down, std::shared_ptr<F> fn) : down_(std::move(down)), fn_(std::move(fn)) {}

    void onNext(T value) {
        this->post([this, value = std::move(value)]() mutable {
            if (stopped_) {
                return;
            }
            auto next = invokeOrFail(down_, *fn_, std::move(value));
            if (!next) {
                return;
            }
            const Observable<U> inner = asObservable(std::move(*next));
            const std::uint64_t generation = ++generation_;
            std::exchange(inner_, Disposable()).dispose();
            innerActive_ = true;
            // The inner stream's signals are posted behind whatever is queued, so a signal of an
            // older inner stream that was queued before this value is still delivered and one
            // queued after it is recognised by its generation and dropped.
            inner_ = inner.subscribe(
                this->posting([this, generation](U result) {
                    if (isCurrent(generation)) down_.onNext(std::move(result));
                }),
                this->posting([this, generation](std::exception_ptr error) {
                    if (isCurrent(generation)) down_.onError(std::move(error));
                }),
                this->posting([this, generation] {
                    if (!isCurrent(generation)) return;
                    innerActive_ = false;
                    if (outerCompleted_) down_.onCompleted();
                }));
        });
    }

    void onError(std::exception_ptr error) {
        this->post([this, error] { down_.onError(error); });
    }

    void onCompleted() {
        this->post([this] {
            outerCompleted_ = true;
            if (!innerActive_) down_.onCompleted();
        });
    }

    void stop() {
        this->post([this] {
            stopped_ = true;
            std::exchange(inner_, Disposable()).dispose();
        });
    }

private:
    template <class R>
    static Observable<U> asObservable(R result) {
        if constexpr (IsSingle<R>::value) {
            return Observable<U>::from(std::move(result));
        } else {
            return result;
        }
    }

    bool isCurrent(std::uint64_t generation) const { return !stopped_ && generation == generation_; }

    ObservableObserver<U> down_;
    std::shared_ptr<F> fn_;
    // Touched only by posted work.
    std::uint64_t generation_ = 0;
    Disposable inner_;
    bool innerActive_ = false;
    bool outerCompleted_ = false;
    bool stopped_ = false;
};

}  // namespace detail

template <class T>
template <class F>
Observable<T> Observable<T>::filter(F predicate) const {
    return create([upstream = *this, fn = std::make_shared<F>(std::move(predicate))](ObservableObserver<T> down) {
        upstream.subscribeFor(
            down,
            [down, fn](T value) {
                const auto keep = detail::invokeOrFail(down, *fn, std::as_const(value));
                if (keep && *keep) {
                    down.onNext(std::move(value));
                }
            },
            detail::forwardError(down), detail::forwardCompletion(down));
    });
}

template <class T>
template <class F>
auto Observable<T>::map(F f) const {
    using U = std::remove_cvref_t<std::invoke_result_t<F&, T&&>>;
    static_assert(!std::is_void_v<U>, "map must return a value");
    return Observable<U>::create([upstream = *this, fn = std::make_shared<F>(std::move(f))](ObservableObserver<U> down) {
        upstream.subscribeFor(
            down,
            [down, fn](T value) {
                if (auto mapped = detail::invokeOrFail(down, *fn, std::move(value))) {
                    down.onNext(std::move(*mapped));
                }
            },
            detail::forwardError(down), detail::forwardCompletion(down));
    });
}

template <class T>
Observable<T> Observable<T>::distinctUntilChanged() const {
    return create([upstream = *this](ObservableObserver<T> down) {
        // One subscription's values arrive one at a time, so the last one needs no lock.
        auto last = std::make_shared<std::optional<T>>();
        upstream.subscribeFor(
            down,
            [down, last](T value) {
                if (*last && **last == value) {
                    return;
                }
                *last = value;
                down.onNext(std::move(value));
            },
            detail::forwardError(down), detail::forwardCompletion(down));
    });
}

template <class T>
Observable<T> Observable<T>::throttle(Scheduler::Duration interval, std::shared_ptr<Scheduler> scheduler,
                                      bool latest) const {
    if (!scheduler) {
        throw std::invalid_argument("throttle needs a scheduler");
    }
    return create([upstream = *this, interval, scheduler, latest](ObservableObserver<T> down) {
        upstream.subscribeSink(down, std::make_shared<detail::ThrottleSink<T>>(down, interval, scheduler, latest));
    });
}

template <class T>
template <class F>
auto Observable<T>::flatMapLatest(F f) const {
    using Inner = std::remove_cvref_t<std::invoke_result_t<F&, T&&>>;
    static_assert(detail::IsSingle<Inner>::value || detail::IsObservable<Inner>::value,
                  "flatMapLatest's function must return a Single or an Observable");
    using U = typename Inner::value_type;
    return Observable<U>::create([upstream = *this, fn = std::make_shared<F>(std::move(f))](ObservableObserver<U> down) {
        upstream.subscribeSink(down, std::make_shared<detail::SwitchSink<T, U, F>>(down, fn));
    });
}

}  // namespace vorlane::rx
