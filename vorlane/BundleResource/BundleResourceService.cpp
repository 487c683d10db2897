#include "vorlane/BundleResource/BundleResourceService.hpp"

#include "vorlane/Platform/Log.hpp"

#include <stdexcept>
#include <string>
#include <utility>

namespace vorlane {

namespace {

constexpr std::string_view kConstructionLogPrefix = "\xF0\x9F\x8F\x97\xEF\xB8\x8F ";  // U+1F3D7 U+FE0F, a space
constexpr std::string_view kDownloadFunctionName = "downloadAndCacheResources(for:cachedSceneFileURLs:destinationURL:)";

// The resources are not on the device: observe the request's progress, then fetch them.
void downloadMissingResources(const std::shared_ptr<BundleResourceRequestModel>& model,
              const std::shared_ptr<BundleResourceRequest>& request, const rx::CompletableObserver& observer) {
    model->publish(BundleResourceRequestModel::LoadStatus::loading(0));
    // The observer holds the subject, not the model (which keeps the observation), and the
    // progress weakly (the progress keeps the observer).
    const auto progress = request->progress();
    model->keepProgressObservation(progress->observeFractionCompleted(
        [subject = model->statusSubject(), weak = std::weak_ptr<ResourceProgress>(progress)](double fraction) {
            BundleResourceService::log(kDownloadFunctionName, "Download Progress - " + fractionText(fraction));
            const auto alive = weak.lock();
            if (alive && !alive->isCancelled()) subject.onNext(BundleResourceRequestModel::LoadStatus::loading(fraction));
        }));
    observer.addCancellation(request->beginAccessingResources().subscribe(
        [model, observer] {
            model->publish(BundleResourceRequestModel::LoadStatus::loaded());
            observer.onCompleted();
        },
        [observer](std::exception_ptr error) { observer.onError(std::move(error)); }));
}

}  // namespace

BundleResourceService::BundleResourceService(std::shared_ptr<PersistentStore> persistentStore)
    : persistentStore_(std::move(persistentStore)) {}

void BundleResourceService::log(std::string_view function, std::string_view message, SourceLocation where) {
    if (!Log::shared.enabled(LogLevel::debug)) return;
    std::string text;
    text.reserve(kConstructionLogPrefix.size() + message.size());
    text.append(kConstructionLogPrefix).append(message);
    Log::shared.debug(text, where.file_name(), function, static_cast<int>(where.line()));
}

rx::Completable BundleResourceService::downloadAndCacheResources(std::shared_ptr<BundleResourceRequestModel> model,
                                                                 CachedSceneFilesProvider /*cachedSceneFiles*/,
                                                                 std::filesystem::path /*destination*/) const {
    if (!model) throw std::invalid_argument("downloadAndCacheResources needs a model");
    return rx::Completable::create([model](rx::CompletableObserver observer) {
        const auto request = model->request();
        observer.addCancellation(request->conditionallyBeginAccessingResources().subscribe(
            [model, request, observer](bool alreadyOnDevice) {
                try {
                    if (alreadyOnDevice) {
                        model->publish(BundleResourceRequestModel::LoadStatus::loaded());
                        observer.onCompleted();
                    } else {
                        downloadMissingResources(model, request, observer);
                    }
                } catch (...) {
                    observer.onError(std::current_exception());
                }
            },
            [observer](std::exception_ptr error) { observer.onError(std::move(error)); }));
    });
}

}  // namespace vorlane
