#pragma once
// What the tests of async results share.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlane::rx::testing {

// The error the tests make operators and sources fail with.
struct Boom : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Names recorded from any thread (actions on real threads), and a bounded wait for how many have
// arrived.
class Arrivals {
public:
    // Notifies under the lock, so a waiter that then destroys this object waits for the notifier.
    void add(std::string name) {
        std::lock_guard lock(mutex_);
        names_.push_back(std::move(name));
        changed_.notify_all();
    }
    // True once `count` names have arrived; false after a second without.
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(1), [&] { return names_.size() >= count; });
    }
    std::vector<std::string> names() const {
        std::lock_guard lock(mutex_);
        return names_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> names_;
};

}  // namespace vorlane::rx::testing
