#pragma once
// Completable: a cold asynchronous result that either completes or fails, with no value.
//
// Same model as Single<T>: nothing runs until subscribe(), every subscription runs the source
// anew, only the first signal is delivered, signals may come from any thread, and a Disposable
// cancels a subscription that has not ended yet.

#include "vorlane/Platform/Rx/Disposable.hpp"
#include "vorlane/Platform/Rx/Single.hpp"

#include <chrono>
#include <concepts>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace vorlane::rx {

// The source's handle onto one subscription of a Completable. Copyable; every copy refers to the
// same subscription.
class CompletableObserver : public detail::ObserverBase<detail::Unit> {
public:
    // Signals completion unless the subscription already ended or was disposed.
    void onCompleted() const { state_->succeed(detail::Unit{}); }

private:
    friend class Completable;

    explicit CompletableObserver(std::shared_ptr<detail::ResultState<detail::Unit>> state) noexcept
        : detail::ObserverBase<detail::Unit>(std::move(state)) {}
};

class Completable {
public:
    using Source = std::function<void(CompletableObserver)>;

    // A Completable whose every subscription calls `source(observer)`; as Single<T>::create.
    template <class F>
        requires std::invocable<F&, CompletableObserver>
    static Completable create(F source) {
        return Completable(detail::makeSource<CompletableObserver>(std::move(source)));
    }

    // A Completable that fails every subscriber with `error`.
    static Completable error(std::exception_ptr error);

    // Runs this, then, once it completed, `next`; the result is next's. An error of this one is
    // delivered as is and `next` is never subscribed.
    template <class T>
    Single<T> andThen(Single<T> next) const;
    Completable andThen(Completable next) const;

    // Calls `f()` on every subscription, before the source starts. If `f` throws, the source is
    // not started and the exception becomes the error.
    template <class F>
    Completable doOnSubscribe(F f) const;

    // Starts the work. Exactly one of the callbacks runs, once, unless the returned Disposable is
    // disposed first; after dispose() neither runs.
    Disposable subscribe(std::function<void()> onCompleted, std::function<void(std::exception_ptr)> onError) const;

    // Subscribes and blocks until the result arrives; rethrows the error. For the command line and
    // tests; never call it on the thread that has to complete the source.
    void blockingAwait() const;
    // As blockingAwait(), but gives up after `timeout`: disposes the subscription and throws
    // TimeoutError.
    void blockingAwait(std::chrono::milliseconds timeout) const;

private:
    using State = detail::ResultState<detail::Unit>;

    template <class>
    friend class Single;

    explicit Completable(std::shared_ptr<const Source> source) noexcept : source_(std::move(source)) {}

    // Subscribes as the upstream of `down`: disposing `down` disposes this subscription. If `down`
    // is already disposed, the source is not started.
    template <class Observer>
    void subscribeFor(const Observer& down, std::function<void(detail::Unit)> onCompleted,
                      std::function<void(std::exception_ptr)> onError) const {
        auto state = std::make_shared<State>(std::move(onCompleted), std::move(onError));
        down.addCancellation(Disposable(state));
        if (!state->isDisposed()) {
            detail::runSource(*source_, CompletableObserver(state), *state);
        }
    }

    Disposable start(std::function<void(detail::Unit)> onCompleted, std::function<void(std::exception_ptr)> onError) const;
    void await(std::optional<std::chrono::milliseconds> timeout) const;

    std::shared_ptr<const Source> source_;
};

// A Completable that completes at once for every subscriber.
Completable complete();

template <class T>
Single<T> Completable::andThen(Single<T> next) const {
    return Single<T>::create([first = *this, next = std::move(next)](SingleObserver<T> down) {
        first.subscribeFor(
            down,
            [down, next](detail::Unit) {
                if (down.isDisposed()) {
                    return;
                }
                next.subscribeFor(
                    down, [down](T value) { down.onSuccess(std::move(value)); }, detail::forwardError(down));
            },
            detail::forwardError(down));
    });
}

template <class F>
Completable Completable::doOnSubscribe(F f) const {
    return create([upstream = *this, fn = std::make_shared<F>(std::move(f))](CompletableObserver down) {
        std::invoke(*fn);  // a throw here fails the subscription before upstream starts
        upstream.subscribeFor(
            down, [down](detail::Unit) { down.onCompleted(); }, detail::forwardError(down));
    });
}

namespace detail {

template <>
struct FailedResult<Completable> {
    static Completable make(std::exception_ptr error) { return Completable::error(std::move(error)); }
};

}  // namespace detail

}  // namespace vorlane::rx
