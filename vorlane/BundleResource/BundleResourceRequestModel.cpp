#include "vorlane/BundleResource/BundleResourceRequestModel.hpp"

#include <charconv>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace vorlane {

BundleResourceRequestModel::BundleResourceRequestModel(RequestFactory makeBundleResourceRequest)
    : makeBundleResourceRequest_(std::move(makeBundleResourceRequest)) {
    if (!makeBundleResourceRequest_) throw std::invalid_argument("a resource request model needs a request factory");
    request_ = makeBundleResourceRequest_();
    if (!request_) throw std::invalid_argument("the request factory made no request");
}

std::shared_ptr<BundleResourceRequest> BundleResourceRequestModel::request() const {
    std::lock_guard lock(mutex_);
    return request_;
}

rx::BehaviorSubject<BundleResourceRequestModel::LoadStatus> BundleResourceRequestModel::statusSubject() const {
    std::lock_guard lock(mutex_);
    if (!subject_) subject_.emplace(LoadStatus::notLoaded());
    return *subject_;
}

rx::Observable<BundleResourceRequestModel::LoadStatus> BundleResourceRequestModel::status() const {
    return statusSubject().asObservable();
}

BundleResourceRequestModel::LoadStatus BundleResourceRequestModel::currentStatus() const {
    return statusSubject().value();
}

void BundleResourceRequestModel::publish(LoadStatus status) const { statusSubject().onNext(status); }

std::shared_ptr<BundleResourceRequest> BundleResourceRequestModel::replaceRequest() {
    // Made outside the lock: the factory is the host's code.
    auto fresh = makeBundleResourceRequest_();
    if (!fresh) throw std::logic_error("the request factory made no request");
    std::lock_guard lock(mutex_);
    return std::exchange(request_, std::move(fresh));
}

void BundleResourceRequestModel::cancel() {
    const auto current = request();
    current->progress()->cancel();
    current->endAccessingResources();
    replaceRequest();
    publish(LoadStatus::notLoaded());
}

void BundleResourceRequestModel::endAccessingResources() {
    request()->endAccessingResources();
    replaceRequest();
}

void BundleResourceRequestModel::keepProgressObservation(ProgressObservation observation) {
    std::optional<ProgressObservation> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::exchange(progressObservation_, std::move(observation));
    }
    // `previous` ends here, outside the lock.
}

bool BundleResourceRequestModel::hasProgressObservation() const {
    std::lock_guard lock(mutex_);
    return progressObservation_.has_value();
}

std::string fractionText(double fraction) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, fraction).ptr;
    std::string text(buffer, end);
    if (text.find_first_of(".en") == std::string::npos) text += ".0";  // "1" -> "1.0"; not "1e-05", "inf", "nan"
    return text;
}

std::string toString(const BundleResourceRequestModel::LoadStatus& status) {
    using Case = BundleResourceRequestModel::LoadStatus::Case;
    switch (status.kind()) {
        case Case::loading: return "loading(progress: " + fractionText(*status.progress()) + ")";
        case Case::notLoaded: return "notLoaded";
        case Case::loaded: return "loaded";
    }
    return "notLoaded";
}

std::ostream& operator<<(std::ostream& out, const BundleResourceRequestModel::LoadStatus& status) {
    return out << toString(status);
}

}  // namespace vorlane
