#include "vorlane/Platform/Notifications.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

namespace vorlane {

std::string userInfoJson(const NotificationUserInfo& userInfo) {
    JsonValue out = JsonValue::object();
    for (const auto& [key, value] : userInfo) {
        if (const auto* json = std::any_cast<JsonValue>(&value)) out[key] = *json;
        else if (const auto* flag = std::any_cast<bool>(&value)) out[key] = *flag;
        else if (const auto* text = std::any_cast<std::string>(&value)) out[key] = *text;
        else if (const auto* integer = std::any_cast<std::int64_t>(&value)) out[key] = *integer;
        else if (const auto* number = std::any_cast<double>(&value)) out[key] = *number;
        else out[key] = "<unprintable>";
    }
    return out.dump();
}

// One registration. `running` counts calls in progress on all threads; removal waits until the only
// calls left are those of the removing thread itself (an observer removing itself from its callback).
struct ObservationToken::Observer {
    Observer(NotificationName observedName, NotificationCenter::Callback observerCallback)
        : name(observedName), callback(std::move(observerCallback)) {}

    const NotificationName name;
    const NotificationCenter::Callback callback;
    std::mutex mutex;
    std::condition_variable idle;
    bool removed = false;
    int running = 0;
};

struct ObservationToken::Registry {
    std::mutex mutex;
    std::vector<std::shared_ptr<Observer>> observers;  // in the order they were added
};

namespace {

// Observers whose callbacks this thread is inside, innermost last (a callback may post again).
thread_local std::vector<const void*> callbacksOnThisThread;

}  // namespace

ObservationToken& ObservationToken::operator=(ObservationToken&& other) noexcept {
    if (this != &other) {
        cancel();
        registry_ = std::move(other.registry_);
        observer_ = std::move(other.observer_);
    }
    return *this;
}

void ObservationToken::cancel() noexcept {
    const std::shared_ptr<Observer> observer = std::exchange(observer_, nullptr);
    const std::shared_ptr<Registry> registry = std::exchange(registry_, {}).lock();
    if (!observer) return;
    if (registry) {
        std::lock_guard lock(registry->mutex);
        std::erase(registry->observers, observer);
    }
    // A post that took its list of observers before the erase above may still be about to call this one:
    // the flag stops it, and calls already under way on other threads are waited for.
    const auto ownCalls = std::count(callbacksOnThisThread.begin(), callbacksOnThisThread.end(), observer.get());
    std::unique_lock lock(observer->mutex);
    observer->removed = true;
    observer->idle.wait(lock, [&] { return observer->running <= ownCalls; });
}

NotificationCenter::NotificationCenter() : registry_(std::make_shared<ObservationToken::Registry>()) {}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* const center = new NotificationCenter;
    return *center;
}

ObservationToken NotificationCenter::addObserver(NotificationName name, Callback callback) {
    auto observer = std::make_shared<ObservationToken::Observer>(name, std::move(callback));
    {
        std::lock_guard lock(registry_->mutex);
        registry_->observers.push_back(observer);
    }
    return ObservationToken(registry_, std::move(observer));
}

void NotificationCenter::post(NotificationName name, std::any object, NotificationUserInfo userInfo) {
    std::vector<std::shared_ptr<ObservationToken::Observer>> targets;
    {
        std::lock_guard lock(registry_->mutex);
        for (const auto& observer : registry_->observers) {
            if (observer->name == name) targets.push_back(observer);
        }
    }
    const Notification notification{name, std::move(object), std::move(userInfo)};

    for (const auto& observer : targets) {
        callbacksOnThisThread.push_back(observer.get());  // first: the only step here that can throw
        {
            std::lock_guard lock(observer->mutex);
            if (observer->removed) {
                callbacksOnThisThread.pop_back();
                continue;
            }
            ++observer->running;
        }
        // Undoes the bookkeeping however the callback ends, and wakes a removal waiting for it.
        struct CallInProgress {
            ObservationToken::Observer& observer;
            ~CallInProgress() {
                callbacksOnThisThread.pop_back();
                std::lock_guard lock(observer.mutex);
                --observer.running;
                observer.idle.notify_all();
            }
        };
        const CallInProgress inProgress{*observer};
        if (observer->callback) observer->callback(notification);
    }
}

}  // namespace vorlane
