#pragma once
// Single<T>: a cold asynchronous result of exactly one value or one error.
//
// Nothing runs until subscribe(); every subscription runs the source anew. A subscription
// delivers the first signal its source gives (a value or an error) and ignores any later one.
// Signals may come from any thread and are delivered on that thread; no lock is held while a
// callback runs. A subscription stays alive until it ends or is disposed: dropping the
// Disposable does not cancel it.
//
// Functions handed to create() and to the operators are shared by every subscription of the
// resulting Single and may be called concurrently by subscriptions on different threads.
//
// An exception thrown by a subscriber's own callback is not turned into an error: it propagates
// to whoever signalled (the source, or subscribe() when the source signals synchronously).

#include "vorlane/Platform/Rx/Disposable.hpp"

#include <chrono>
#include <concepts>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace vorlane::rx {

// Thrown by the timed blocking waits when no result arrived in time. The waiting subscription
// is disposed before this is thrown.
class TimeoutError : public std::runtime_error {
public:
    explicit TimeoutError(std::chrono::milliseconds timeout)
        : std::runtime_error("no result within " + std::to_string(timeout.count()) + " ms"), timeout_(timeout) {}

    std::chrono::milliseconds timeout() const noexcept { return timeout_; }

private:
    std::chrono::milliseconds timeout_;
};

namespace detail {

// The value type of a result without a value.
struct Unit {};

// One subscription: the subscriber's callbacks plus the disposal bookkeeping of Subscription.
// Whoever wins claimTerminal() (a signal or dispose()) is the only one to touch the callbacks.
template <class V>
class ResultState final : public Subscription {
public:
    using OnValue = std::function<void(V)>;
    using OnError = std::function<void(std::exception_ptr)>;

    ResultState(OnValue onValue, OnError onError) : onValue_(std::move(onValue)), onError_(std::move(onError)) {}

    // Delivers the value; false if the subscription already ended or was disposed.
    bool succeed(V value) {
        if (!claimTerminal()) {
            return false;
        }
        auto onValue = std::exchange(onValue_, nullptr);
        releaseCallbacks();
        releaseCancellations();
        if (onValue) {
            onValue(std::move(value));
        }
        return true;
    }

    // Delivers the error; false if the subscription already ended or was disposed.
    bool fail(std::exception_ptr error) {
        if (!error) {
            // Rethrowing a null exception_ptr is undefined; give the subscriber something to catch.
            error = std::make_exception_ptr(std::invalid_argument("rx: error signalled without an exception"));
        }
        if (!claimTerminal()) {
            return false;
        }
        auto onError = std::exchange(onError_, nullptr);
        releaseCallbacks();
        releaseCancellations();
        if (onError) {
            onError(std::move(error));
        }
        return true;
    }

private:
    void releaseCallbacks() noexcept override {
        onValue_ = nullptr;
        onError_ = nullptr;
    }

    OnValue onValue_;
    OnError onError_;
};

// What every observer can do: fail, ask whether it was disposed, register cancellation.
template <class V>
class ObserverBase {
public:
    // Delivers `error` unless the subscription already ended or was disposed.
    void onError(std::exception_ptr error) const { state_->fail(std::move(error)); }

    // True once the subscriber disposed the subscription; a long-running source may stop early.
    bool isDisposed() const noexcept { return state_->isDisposed(); }

    // Registers an action to run once if the subscription is disposed before it ends (at once if
    // it already was). Once the subscription has ended, actions are released without running.
    // May be called more than once; actions must not throw.
    void addCancellation(std::function<void()> action) const { state_->addCancellation(std::move(action)); }
    void addCancellation(Disposable resource) const {
        state_->addCancellation([resource] { resource.dispose(); });
    }

protected:
    explicit ObserverBase(std::shared_ptr<ResultState<V>> state) noexcept : state_(std::move(state)) {}

    std::shared_ptr<ResultState<V>> state_;
};

// Runs `source` for one subscription (of a result or of a stream). A source that throws fails the
// subscription; an exception that can no longer be delivered (the subscription already ended,
// typically because a subscriber's callback threw during a synchronous delivery) propagates to
// the caller.
template <class Observer, class State>
void runSource(const std::function<void(Observer)>& source, Observer observer, State& state) {
    try {
        source(std::move(observer));
    } catch (...) {
        if (!state.fail(std::current_exception())) {
            throw;
        }
    }
}

// Wraps a user source (returning nothing or a Disposable) as the shared source of a result type.
template <class Observer, class F>
std::shared_ptr<const std::function<void(Observer)>> makeSource(F source) {
    using Result = std::invoke_result_t<F&, Observer>;
    static_assert(std::is_void_v<Result> || std::is_convertible_v<Result, Disposable>,
                  "a source returns nothing or the Disposable that cancels its work");
    auto shared = std::make_shared<F>(std::move(source));
    return std::make_shared<const std::function<void(Observer)>>([shared](Observer observer) {
        if constexpr (std::is_void_v<Result>) {
            (*shared)(std::move(observer));
        } else {
            observer.addCancellation(Disposable((*shared)(observer)));
        }
    });
}

// `fn(args...)`, or none after failing `down` with the exception it threw: an operator's function
// that throws becomes the error of the subscription it serves.
template <class Observer, class F, class... Args>
auto invokeOrFail(const Observer& down, F& fn, Args&&... args)
    -> std::optional<std::remove_cvref_t<std::invoke_result_t<F&, Args&&...>>> {
    try {
        return std::invoke(fn, std::forward<Args>(args)...);
    } catch (...) {
        down.onError(std::current_exception());
        return std::nullopt;
    }
}

template <class Observer>
auto forwardError(Observer down) {
    return [down = std::move(down)](std::exception_ptr error) { down.onError(std::move(error)); };
}

template <class T>
struct IsSingle : std::false_type {};
template <class T>
struct IsSingle<Single<T>> : std::true_type {};

// Blocks until a result arrives or `timeout` passes.
template <class V>
class Latch {
public:
    void resolve(V value) {
        {
            std::lock_guard lock(mutex_);
            value_.emplace(std::move(value));
        }
        ready_.notify_all();
    }

    void reject(std::exception_ptr error) {
        {
            std::lock_guard lock(mutex_);
            error_ = std::move(error);
        }
        ready_.notify_all();
    }

    // False if the timeout passed first.
    bool wait(std::optional<std::chrono::milliseconds> timeout) {
        std::unique_lock lock(mutex_);
        auto arrived = [this] { return value_.has_value() || error_ != nullptr; };
        if (!timeout) {
            ready_.wait(lock, arrived);
            return true;
        }
        return ready_.wait_for(lock, *timeout, arrived);
    }

    // The value, or the error rethrown. Only after wait() returned true.
    V take() {
        if (error_) {
            std::rethrow_exception(error_);
        }
        return std::move(*value_);
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::optional<V> value_;
    std::exception_ptr error_;
};

// Subscribes through `subscribe(onValue, onError)` and waits for the result.
template <class V, class Subscribe>
V awaitResult(Subscribe subscribe, std::optional<std::chrono::milliseconds> timeout) {
    auto latch = std::make_shared<Latch<V>>();
    Disposable subscription = subscribe([latch](V value) { latch->resolve(std::move(value)); },
                                        [latch](std::exception_ptr error) { latch->reject(std::move(error)); });
    if (!latch->wait(timeout)) {
        subscription.dispose();
        throw TimeoutError(*timeout);
    }
    return latch->take();
}

}  // namespace detail

// The one value of a result that only says it is done.
using Unit = detail::Unit;

// The source's handle onto one subscription of a Single<T>. Copyable; every copy refers to the
// same subscription, so it can be handed to another thread that completes the work later.
template <class T>
class SingleObserver : public detail::ObserverBase<T> {
public:
    // Delivers `value` unless the subscription already ended or was disposed.
    void onSuccess(T value) const { this->state_->succeed(std::move(value)); }

private:
    friend class Single<T>;

    explicit SingleObserver(std::shared_ptr<detail::ResultState<T>> state) noexcept
        : detail::ObserverBase<T>(std::move(state)) {}
};

template <class T>
class Single {
    static_assert(!std::is_void_v<T>, "a result without a value is a Completable");
    static_assert(std::is_same_v<T, std::remove_cvref_t<T>>, "Single holds values, not references or const types");
    static_assert(std::is_move_constructible_v<T>, "a Single's value must be copyable or movable");

public:
    using value_type = T;
    using Source = std::function<void(SingleObserver<T>)>;

    // A Single whose every subscription calls `source(observer)`. The source signals through the
    // observer, now or later from any thread, and may return a Disposable (or call
    // observer.addCancellation) to be cancelled when the subscriber disposes first. An exception
    // thrown by the source becomes the error.
    template <class F>
        requires std::invocable<F&, SingleObserver<T>>
    static Single create(F source) {
        return Single(detail::makeSource<SingleObserver<T>>(std::move(source)));
    }

    // A Single that fails every subscriber with `error`.
    static Single error(std::exception_ptr error) {
        return create([error = std::move(error)](SingleObserver<T> observer) { observer.onError(error); });
    }

    // Transforms the value with `f(T) -> U`. Errors pass through untouched; an exception thrown
    // by `f` becomes the error.
    template <class F>
    auto map(F f) const;

    // Continues with the Single returned by `f(T) -> Single<U>`. Errors pass through untouched;
    // an exception thrown by `f` becomes the error. Disposing disposes whichever stage is running.
    template <class F>
    auto flatMap(F f) const;

    // Calls `f()` on every subscription, before the source starts. If `f` throws, the source is
    // not started and the exception becomes the error.
    template <class F>
    Single doOnSubscribe(F f) const;

    // Calls `f(const T&)` with the value before it is delivered. If `f` throws, the exception is
    // delivered as the error instead of the value.
    template <class F>
    Single doOnSuccess(F f) const;

    // Starts the work. Exactly one of the callbacks runs, once, unless the returned Disposable is
    // disposed first; after dispose() neither runs.
    Disposable subscribe(std::function<void(T)> onSuccess, std::function<void(std::exception_ptr)> onError) const {
        auto state = std::make_shared<State>(std::move(onSuccess), std::move(onError));
        detail::runSource(*source_, SingleObserver<T>(state), *state);
        return Disposable(std::move(state));
    }

    // Subscribes and blocks the calling thread until the result arrives; returns the value or
    // rethrows the error. For the command line and tests; never call it on the thread that has to
    // complete the source.
    T blockingGet() const { return await(std::nullopt); }

    // As blockingGet(), but gives up after `timeout`: disposes the subscription and throws
    // TimeoutError.
    T blockingGet(std::chrono::milliseconds timeout) const {
        return await(timeout);
    }

private:
    using State = detail::ResultState<T>;

    template <class>
    friend class Single;
    friend class Completable;

    explicit Single(std::shared_ptr<const Source> source) noexcept : source_(std::move(source)) {}

    // Subscribes as the upstream of `down`: disposing `down` disposes this subscription. If `down`
    // is already disposed, the source is not started.
    template <class Observer>
    void subscribeFor(const Observer& down, std::function<void(T)> onSuccess,
                      std::function<void(std::exception_ptr)> onError) const {
        auto state = std::make_shared<State>(std::move(onSuccess), std::move(onError));
        down.addCancellation(Disposable(state));
        if (!state->isDisposed()) {
            detail::runSource(*source_, SingleObserver<T>(state), *state);
        }
    }

    T await(std::optional<std::chrono::milliseconds> timeout) const {
        return detail::awaitResult<T>([this](auto onSuccess, auto onError) { return subscribe(onSuccess, onError); },
                                      timeout);
    }

    std::shared_ptr<const Source> source_;
};

template <class T>
template <class F>
auto Single<T>::map(F f) const {
    using U = std::remove_cvref_t<std::invoke_result_t<F&, T&&>>;
    static_assert(!std::is_void_v<U>, "map must return a value");
    return Single<U>::create([upstream = *this, fn = std::make_shared<F>(std::move(f))](SingleObserver<U> down) {
        upstream.subscribeFor(
            down,
            [down, fn](T value) {
                if (auto mapped = detail::invokeOrFail(down, *fn, std::move(value))) {
                    down.onSuccess(std::move(*mapped));
                }
            },
            detail::forwardError(down));
    });
}

template <class T>
template <class F>
auto Single<T>::flatMap(F f) const {
    using Next = std::remove_cvref_t<std::invoke_result_t<F&, T&&>>;
    static_assert(detail::IsSingle<Next>::value, "flatMap's function must return a Single");
    using U = typename Next::value_type;
    return Single<U>::create([upstream = *this, fn = std::make_shared<F>(std::move(f))](SingleObserver<U> down) {
        upstream.subscribeFor(
            down,
            [down, fn](T value) {
                if (down.isDisposed()) {
                    return;  // do not start the next stage for nobody
                }
                auto next = detail::invokeOrFail(down, *fn, std::move(value));
                if (!next) {
                    return;
                }
                next->subscribeFor(
                    down, [down](U result) { down.onSuccess(std::move(result)); }, detail::forwardError(down));
            },
            detail::forwardError(down));
    });
}

template <class T>
template <class F>
Single<T> Single<T>::doOnSubscribe(F f) const {
    return create([upstream = *this, fn = std::make_shared<F>(std::move(f))](SingleObserver<T> down) {
        std::invoke(*fn);  // a throw here fails the subscription (runSource) before upstream starts
        upstream.subscribeFor(
            down, [down](T value) { down.onSuccess(std::move(value)); }, detail::forwardError(down));
    });
}

template <class T>
template <class F>
Single<T> Single<T>::doOnSuccess(F f) const {
    return create([upstream = *this, fn = std::make_shared<F>(std::move(f))](SingleObserver<T> down) {
        upstream.subscribeFor(
            down,
            [down, fn](T value) {
                try {
                    std::invoke(*fn, std::as_const(value));
                } catch (...) {
                    down.onError(std::current_exception());
                    return;
                }
                down.onSuccess(std::move(value));
            },
            detail::forwardError(down));
    });
}

// A Single that delivers a copy of `value` to every subscriber.
template <class V>
Single<std::decay_t<V>> just(V&& value) {
    using T = std::decay_t<V>;
    static_assert(std::is_copy_constructible_v<T>,
                  "just() gives every subscriber its own copy; create a move-only value inside Single::create");
    return Single<T>::create([value = T(std::forward<V>(value))](SingleObserver<T> observer) { observer.onSuccess(value); });
}

namespace detail {

// Builds the failed result of type R; specialised for Completable beside it.
template <class R>
struct FailedResult {
    static Single<R> make(std::exception_ptr error) { return Single<R>::error(std::move(error)); }
};

}  // namespace detail

// A result that fails every subscriber with `error`: error<T>(...) is a Single<T>,
// error<Completable>(...) a Completable.
template <class R>
auto error(std::exception_ptr exception) {
    return detail::FailedResult<R>::make(std::move(exception));
}

// As above, from an exception object: error<int>(std::runtime_error("gone")).
template <class R, class E>
    requires std::is_class_v<std::remove_cvref_t<E>> && (!std::is_same_v<std::remove_cvref_t<E>, std::exception_ptr>)
auto error(E&& exception) {
    return detail::FailedResult<R>::make(std::make_exception_ptr(std::forward<E>(exception)));
}

}  // namespace vorlane::rx
