#pragma once
// The progress of one resource request: how much of the work is done (a fraction from 0 to 1),
// whether it was cancelled, and who wants to hear of either.
//
// Thread-safe. The work reports its fraction from whatever thread it runs on (a transfer's engine
// thread); observers are called on that thread for each change of the fraction (a report of the
// same value is no change), one report at a time and in the order the changes were made, so an
// observer must not report a fraction of the same progress itself. cancel() may come from any
// thread, an observer's included: it marks the progress cancelled and runs the cancellation
// handler on the cancelling thread, so the work can abort. A cancelled progress keeps reporting
// whatever the work still reports.

#include "vorlane/Platform/Rx/Disposable.hpp"

#include <functional>
#include <memory>
#include <utility>

namespace vorlane {

// The observation of a progress's fraction: observing stops when it is disposed or destroyed. A
// change being reported on another thread at that moment may still reach the observer once.
// Move-only; a moved-from observation observes nothing.
class ProgressObservation {
public:
    ProgressObservation() = default;
    explicit ProgressObservation(rx::Disposable stop) : stop_(std::move(stop)) {}
    ~ProgressObservation() { dispose(); }

    ProgressObservation(ProgressObservation&& other) noexcept : stop_(std::exchange(other.stop_, rx::Disposable())) {}
    ProgressObservation& operator=(ProgressObservation&& other) noexcept {
        if (this != &other) {
            dispose();
            stop_ = std::exchange(other.stop_, rx::Disposable());
        }
        return *this;
    }
    ProgressObservation(const ProgressObservation&) = delete;
    ProgressObservation& operator=(const ProgressObservation&) = delete;

    void dispose() const noexcept { stop_.dispose(); }

private:
    rx::Disposable stop_;
};

class ResourceProgress {
public:
    ResourceProgress();
    ResourceProgress(const ResourceProgress&) = delete;
    ResourceProgress& operator=(const ResourceProgress&) = delete;

    // The fraction of the work done, from 0 to 1.
    double fractionCompleted() const noexcept;
    // Records the work's progress, clamped to 0...1 (NaN counts as 0), and tells every observer
    // when it changed. For the work, not its observers.
    void setFractionCompleted(double fraction);

    bool isCancelled() const noexcept;
    // Marks the progress cancelled and runs its cancellation handler once; idempotent.
    void cancel();
    // What cancel() runs, replacing the handler set before. Run at once (on this thread) when the
    // progress is already cancelled. The handler must not throw.
    void setCancellationHandler(std::function<void()> handler);

    // Calls `onChange(fraction)` on every later change of the fraction (not with the current one)
    // until the observation ends. The observation holds the progress weakly: it may outlive it.
    [[nodiscard]] ProgressObservation observeFractionCompleted(std::function<void(double)> onChange);

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace vorlane
