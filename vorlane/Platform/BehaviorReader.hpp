#pragma once

#include <memory>
#include <mutex>
#include <utility>

namespace vorlane {

/// A current value owned by the host application and read by the library at the moment it needs it.
///
/// Every copy of a reader shares one cell: when the host calls `set`, readers copied earlier (held by
/// services, captured by closures) see the new value on their next `value()`. The library never caches
/// what it reads; it calls `value()` afresh on every use.
///
/// Thread safety: `value`, `snapshot` and `set` may be called concurrently from any thread. The cell
/// holds an immutable `shared_ptr<const T>`, so the lock only guards a pointer swap; copying a large
/// value (a whole configuration) happens outside the lock.
template <class T>
class BehaviorReader {
public:
    using ValueType = T;

    explicit BehaviorReader(T initial) : cell_(std::make_shared<Cell>(std::move(initial))) {}

    /// The current value, read now.
    [[nodiscard]] T value() const { return *snapshot(); }

    /// The current value without copying it; the pointee never changes, a later `set` replaces the
    /// pointer instead.
    [[nodiscard]] std::shared_ptr<const T> snapshot() const {
        std::lock_guard lock(cell_->mutex);
        return cell_->current;
    }

    /// Host side: replaces the value seen by every copy of this reader.
    void set(T newValue) const {
        auto replacement = std::make_shared<const T>(std::move(newValue));
        {
            std::lock_guard lock(cell_->mutex);
            cell_->current.swap(replacement);
        }
        // `replacement` now holds the previous value; it is released here, outside the lock.
    }

    /// True when both readers share one cell (one is a copy of the other).
    [[nodiscard]] bool sharesCellWith(const BehaviorReader& other) const noexcept { return cell_ == other.cell_; }

private:
    struct Cell {
        explicit Cell(T initial) : current(std::make_shared<const T>(std::move(initial))) {}
        mutable std::mutex mutex;
        std::shared_ptr<const T> current;
    };

    std::shared_ptr<Cell> cell_;
};

}  // namespace vorlane
