#include "vorlane/BundleResource/ResourceProgress.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace vorlane {

// Observers are kept as shared callbacks with a flag of their own, so a report can take a copy of
// the list under the lock, call them outside it, and still skip one stopped in the meantime.
struct ResourceProgress::State {
    struct Observer {
        std::function<void(double)> onChange;
        std::atomic<bool> active{true};
    };

    std::atomic<double> fraction{0.0};
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::function<void()> cancellationHandler;                      // guarded by mutex
    std::map<std::uint64_t, std::shared_ptr<Observer>> observers;  // guarded by mutex
    std::uint64_t nextId = 0;                                       // guarded by mutex
    // Serialises reports, so observers see changes in the order they were made and never two at once.
    std::mutex reporting;
};

ResourceProgress::ResourceProgress() : state_(std::make_shared<State>()) {}

double ResourceProgress::fractionCompleted() const noexcept { return state_->fraction.load(); }

void ResourceProgress::setFractionCompleted(double fraction) {
    fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    std::lock_guard reporting(state_->reporting);
    if (state_->fraction.exchange(fraction) == fraction) return;
    std::vector<std::shared_ptr<State::Observer>> observers;
    {
        std::lock_guard lock(state_->mutex);
        observers.reserve(state_->observers.size());
        for (const auto& [id, observer] : state_->observers) observers.push_back(observer);
    }
    for (const auto& observer : observers)
        if (observer->active.load()) observer->onChange(fraction);
}

bool ResourceProgress::isCancelled() const noexcept { return state_->cancelled.load(); }

void ResourceProgress::cancel() {
    if (state_->cancelled.exchange(true)) return;
    std::function<void()> handler;
    {
        std::lock_guard lock(state_->mutex);
        handler = std::exchange(state_->cancellationHandler, nullptr);
    }
    if (handler) handler();
}

void ResourceProgress::setCancellationHandler(std::function<void()> handler) {
    {
        std::lock_guard lock(state_->mutex);
        // Checked under the lock: a cancel() that has not taken the handler yet will find this one.
        if (!state_->cancelled.load()) {
            state_->cancellationHandler = std::move(handler);
            return;
        }
        state_->cancellationHandler = nullptr;
    }
    if (handler) handler();
}

ProgressObservation ResourceProgress::observeFractionCompleted(std::function<void(double)> onChange) {
    auto observer = std::make_shared<State::Observer>();
    observer->onChange = std::move(onChange);
    std::uint64_t id;
    {
        std::lock_guard lock(state_->mutex);
        id = state_->nextId++;
        state_->observers.emplace(id, observer);
    }
    return ProgressObservation(rx::Disposable([weak = std::weak_ptr<State>(state_), observer, id] {
        observer->active = false;
        if (auto state = weak.lock()) {
            std::lock_guard lock(state->mutex);
            state->observers.erase(id);
        }
    }));
}

}  // namespace vorlane
