#include "vorlane/Platform/Rx/Completable.hpp"

namespace vorlane::rx {

Completable Completable::error(std::exception_ptr error) {
    return create([error = std::move(error)](CompletableObserver observer) { observer.onError(error); });
}

Completable Completable::andThen(Completable next) const {
    return create([first = *this, next = std::move(next)](CompletableObserver down) {
        first.subscribeFor(
            down,
            [down, next](detail::Unit) {
                if (down.isDisposed()) {
                    return;
                }
                next.subscribeFor(
                    down, [down](detail::Unit) { down.onCompleted(); }, detail::forwardError(down));
            },
            detail::forwardError(down));
    });
}

Disposable Completable::subscribe(std::function<void()> onCompleted,
                                  std::function<void(std::exception_ptr)> onError) const {
    std::function<void(detail::Unit)> onValue;
    if (onCompleted) {
        onValue = [onCompleted = std::move(onCompleted)](detail::Unit) { onCompleted(); };
    }
    return start(std::move(onValue), std::move(onError));
}

Disposable Completable::start(std::function<void(detail::Unit)> onCompleted,
                              std::function<void(std::exception_ptr)> onError) const {
    auto state = std::make_shared<State>(std::move(onCompleted), std::move(onError));
    detail::runSource(*source_, CompletableObserver(state), *state);
    return Disposable(std::move(state));
}

void Completable::blockingAwait() const {
    await(std::nullopt);
}

void Completable::blockingAwait(std::chrono::milliseconds timeout) const {
    await(timeout);
}

void Completable::await(std::optional<std::chrono::milliseconds> timeout) const {
    detail::awaitResult<detail::Unit>([this](auto onCompleted, auto onError) { return start(onCompleted, onError); },
                                      timeout);
}

Completable complete() {
    return Completable::create([](CompletableObserver observer) { observer.onCompleted(); });
}

}  // namespace vorlane::rx
