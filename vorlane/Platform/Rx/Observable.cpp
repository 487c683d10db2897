#include "vorlane/Platform/Rx/Observable.hpp"

namespace vorlane::rx::detail {

void SerialQueue::drain(std::unique_lock<std::mutex>& lock) {
    if (draining_) {
        return;  // the draining thread runs the new item after the ones before it
    }
    draining_ = true;
    while (!items_.empty()) {
        auto work = std::move(items_.front());
        items_.pop_front();
        lock.unlock();
        try {
            work();
            work = nullptr;  // whatever the item owns is released outside the lock too
        } catch (...) {
            work = nullptr;
            lock.lock();
            draining_ = false;
            throw;
        }
        lock.lock();
    }
    draining_ = false;
}

}  // namespace vorlane::rx::detail
