#include "vorlane/Platform/Rx/DisposeBag.hpp"

#include <utility>

namespace vorlane::rx {

DisposeBag::~DisposeBag() {
    // No other thread may still insert once the owner is being destroyed, but the disposals run
    // outside the lock all the same: they may call anything.
    std::vector<Disposable> owned;
    {
        std::lock_guard lock(mutex_);
        owned.swap(disposables_);
    }
    for (const auto& disposable : owned) {
        disposable.dispose();
    }
}

void DisposeBag::insert(Disposable disposable) {
    std::lock_guard lock(mutex_);
    disposables_.push_back(std::move(disposable));
}

}  // namespace vorlane::rx
