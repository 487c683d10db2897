#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

namespace vorlane {

/// Records every entry of type `Entry` published while it is alive; the one capture mechanism behind
/// `LogCapture` (library log entries) and `WarningCapture` (model warnings).
///
/// Construction attaches the capture, destruction detaches it; once the destructor has returned no
/// publisher touches it again. Several captures may be attached at once and each receives every
/// entry. Captures see entries whatever the output level is: a debug entry that is not printed is
/// still recorded, so tests can assert on it without changing the process-wide level.
///
/// Thread safety: entries may be published from any thread while a test reads `entries()`.
template <class Entry>
class EntryCapture {
public:
    EntryCapture() { hub().attach(this); }
    /// Hands each entry to `onEntry` as it is published, on the publishing thread, instead of
    /// recording it (`entries()` stays empty): for output that interleaves entries with other events
    /// in the order they happen. `onEntry` runs under the publishers' lock, so it must not publish
    /// an entry of the same kind itself.
    explicit EntryCapture(std::function<void(const Entry&)> onEntry) : onEntry_(std::move(onEntry)) {
        hub().attach(this);
    }
    ~EntryCapture() { hub().detach(this); }

    EntryCapture(const EntryCapture&) = delete;
    EntryCapture& operator=(const EntryCapture&) = delete;

    /// The entries recorded so far, oldest first.
    [[nodiscard]] std::vector<Entry> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

    [[nodiscard]] std::size_t size() const {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }

    void clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

    /// Publisher side: whether building an entry is worth it (cheap; no lock).
    [[nodiscard]] static bool anyAttached() noexcept { return hub().attached.load(std::memory_order_acquire) > 0; }

    /// Publisher side: hands `entry` to every capture attached now.
    static void publish(const Entry& entry) { hub().publish(entry); }

private:
    struct Hub {
        std::mutex mutex;
        std::vector<EntryCapture*> captures;
        std::atomic<std::size_t> attached{0};

        void attach(EntryCapture* capture) {
            std::lock_guard lock(mutex);
            captures.push_back(capture);
            attached.store(captures.size(), std::memory_order_release);
        }

        void detach(EntryCapture* capture) {
            std::lock_guard lock(mutex);
            std::erase(captures, capture);
            attached.store(captures.size(), std::memory_order_release);
        }

        // The hub lock is held while recording, so a capture cannot be detached (and destroyed)
        // between being found here and receiving the entry.
        void publish(const Entry& entry) {
            std::lock_guard lock(mutex);
            for (EntryCapture* capture : captures) capture->record(entry);
        }
    };

    // Never destroyed: a capture or a log call made during static destruction still finds the hub.
    static Hub& hub() {
        static Hub* const instance = new Hub;
        return *instance;
    }

    void record(const Entry& entry) {
        if (onEntry_) return onEntry_(entry);
        std::lock_guard lock(mutex_);
        entries_.push_back(entry);
    }

    std::function<void(const Entry&)> onEntry_;
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace vorlane
