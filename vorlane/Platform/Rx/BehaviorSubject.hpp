#pragma once
// BehaviorSubject<T>: a current value that is also a stream of its changes.
//
// Each subscriber to asObservable() first receives the value that is current at that point and
// then every value pushed after it, in push order; value() reads the latest pushed value. A
// subject never ends; its streams stop when their subscriptions are disposed.
//
// Thread-safe: onNext() and subscriptions may come from any thread, even at once. Pushes and new
// subscriptions are put in one order, and each is handed to the subscribers on whichever thread
// found the subject idle (normally the pushing one); no lock is held while a subscriber's
// callback runs. A subscriber that pushes from inside its callback has its value delivered after
// the current one, to everyone, rather than in the middle of it.

#include "vorlane/Platform/Rx/Observable.hpp"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vorlane::rx {

template <class T>
class BehaviorSubject {
public:
    explicit BehaviorSubject(T initial) : state_(std::make_shared<State>(std::move(initial))) {}

    // Makes `value` the current value and delivers it to every subscriber.
    void onNext(T value) const {
        const auto state = state_;  // kept alive while a subscriber's callback drops this subject
        State* raw = state.get();
        auto shared = std::make_shared<const T>(std::move(value));
        state->queue.enqueue([raw, shared] { raw->publish(shared); }, [&] { raw->latest = shared; });
    }

    // The latest value pushed (or the initial one).
    T value() const {
        return *state_->queue.withLock([this] { return state_->latest; });
    }

    // The current value, then every later one. The stream keeps the subject's state alive.
    Observable<T> asObservable() const {
        return Observable<T>::create([state = state_](ObservableObserver<T> observer) {
            const std::uint64_t id = state->nextId++;
            State* raw = state.get();
            state->queue.enqueue([raw, id, observer] { raw->join(id, observer); });
            observer.addCancellation([weak = std::weak_ptr<State>(state), id] {
                if (auto alive = weak.lock()) {
                    State* raw = alive.get();
                    alive->queue.enqueue([raw, id] { raw->leave(id); });
                }
            });
        });
    }

private:
    // The latest value and the one subscribers were handed last are the same object most of the
    // time, so they are shared rather than copied.
    struct State {
        explicit State(T initial) : latest(std::make_shared<const T>(std::move(initial))), published(latest) {}

        // Run by the queue only, one at a time, so the fields below need no lock of their own.
        void publish(std::shared_ptr<const T> value) {
            published = std::move(value);
            for (const auto& [id, observer] : observers) {
                observer.onNext(*published);
            }
        }
        void join(std::uint64_t id, const ObservableObserver<T>& observer) {
            observers.emplace_back(id, observer);
            observer.onNext(*published);
        }
        void leave(std::uint64_t id) {
            std::erase_if(observers, [id](const auto& entry) { return entry.first == id; });
        }

        detail::SerialQueue queue;
        std::atomic<std::uint64_t> nextId{0};
        std::shared_ptr<const T> latest;     // guarded by the queue's lock
        std::shared_ptr<const T> published;  // handed to subscribers last; touched by queued work only
        std::vector<std::pair<std::uint64_t, ObservableObserver<T>>> observers;  // queued work only
    };

    std::shared_ptr<State> state_;
};

}  // namespace vorlane::rx
