#pragma once
// The observable state of one resource pack: not loaded, loading with a fraction, or loaded, over
// the current request for it, which can be cancelled or released and then replaced by a fresh one.
//
// Status changes come from the calling thread (cancel, the service's transitions) and from the
// thread the download reports its progress on; the status subject is thread-safe, and the request
// and the kept progress observation are guarded here. Subscribers are called on whichever thread
// published; a host that drives a screen hops to its own thread itself.

#include "vorlane/BundleResource/BundleResourceRequest.hpp"
#include "vorlane/BundleResource/ResourceProgress.hpp"
#include "vorlane/Platform/Rx/BehaviorSubject.hpp"
#include "vorlane/Platform/Rx/Observable.hpp"

#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace vorlane {

class BundleResourceRequestModel {
public:
    // Where the resources are: equal when the case and, for `loading`, the fraction are.
    class LoadStatus {
    public:
        enum class Case { loading, notLoaded, loaded };

        static LoadStatus loading(double progress) noexcept { return LoadStatus(Case::loading, progress); }
        static LoadStatus notLoaded() noexcept { return LoadStatus(Case::notLoaded, 0); }
        static LoadStatus loaded() noexcept { return LoadStatus(Case::loaded, 0); }

        Case kind() const noexcept { return case_; }
        // The fraction of a `loading` status; absent for the other cases.
        std::optional<double> progress() const noexcept {
            return case_ == Case::loading ? std::optional<double>(progress_) : std::nullopt;
        }

        bool operator==(const LoadStatus&) const = default;

    private:
        LoadStatus(Case kind, double progress) noexcept : case_(kind), progress_(progress) {}

        Case case_;
        double progress_;  // 0 unless loading, so the defaulted equality compares payloads only
    };

    using RequestFactory = std::function<std::shared_ptr<BundleResourceRequest>()>;

    // Makes the first request at once; `makeBundleResourceRequest` is kept to replace it.
    explicit BundleResourceRequestModel(RequestFactory makeBundleResourceRequest);
    BundleResourceRequestModel(const BundleResourceRequestModel&) = delete;
    BundleResourceRequestModel& operator=(const BundleResourceRequestModel&) = delete;

    // The current request.
    std::shared_ptr<BundleResourceRequest> request() const;

    // The current status, then every later one; never fails, never ends.
    rx::Observable<LoadStatus> status() const;
    // The status now.
    LoadStatus currentStatus() const;
    // Makes `status` current and tells every subscriber.
    void publish(LoadStatus status) const;
    // The subject behind status(), created on first use with `notLoaded`. Publishing through a copy
    // of it needs no model (a progress observer holds one, not the model, which holds the observer).
    rx::BehaviorSubject<LoadStatus> statusSubject() const;

    // Cancels the current request's progress, ends its access, replaces it with a fresh request
    // and publishes `notLoaded`.
    void cancel();
    // Ends the current request's access and replaces it with a fresh request; the status stays.
    void endAccessingResources();

    // Keeps the observation of a download's progress, ending the one kept before.
    void keepProgressObservation(ProgressObservation observation);
    bool hasProgressObservation() const;

private:
    std::shared_ptr<BundleResourceRequest> replaceRequest();

    RequestFactory makeBundleResourceRequest_;
    mutable std::mutex mutex_;
    std::shared_ptr<BundleResourceRequest> request_;                 // guarded by mutex_
    mutable std::optional<rx::BehaviorSubject<LoadStatus>> subject_;  // guarded by mutex_
    std::optional<ProgressObservation> progressObservation_;         // guarded by mutex_
};

// A fraction as the status and the download log write it: the shortest decimal that reads back as
// the same double, a whole number keeping ".0" ("0.25", "1.0", "1e-05").
std::string fractionText(double fraction);

// "notLoaded", "loaded", "loading(progress: 0.25)".
std::string toString(const BundleResourceRequestModel::LoadStatus& status);
std::ostream& operator<<(std::ostream& out, const BundleResourceRequestModel::LoadStatus& status);

}  // namespace vorlane
