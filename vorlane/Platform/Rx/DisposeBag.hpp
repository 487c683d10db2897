#pragma once
// DisposeBag: owns subscriptions for an object and ends them all when the object goes away.

#include "vorlane/Platform/Rx/Disposable.hpp"

#include <mutex>
#include <vector>

namespace vorlane::rx {

class DisposeBag {
public:
    DisposeBag() = default;
    DisposeBag(const DisposeBag&) = delete;
    DisposeBag& operator=(const DisposeBag&) = delete;

    // Disposes every Disposable inserted, in insertion order.
    ~DisposeBag();

    // Keeps `disposable` until the bag is destroyed. Thread-safe.
    void insert(Disposable disposable);

private:
    std::mutex mutex_;
    std::vector<Disposable> disposables_;  // guarded by mutex_
};

}  // namespace vorlane::rx
