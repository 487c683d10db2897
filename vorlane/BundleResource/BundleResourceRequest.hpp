#pragma once
// One request for a tagged pack of resources that is not installed with the application but
// downloaded into a local directory when first needed.
//
// A request is used for one access: begin (conditionally, then for real when the resources are
// not on the device yet), use the files under bundle(), end. Cancelling its progress aborts a
// download in flight; a cancelled request is not reused (the model makes a new one).

#include "vorlane/BundleResource/ResourceProgress.hpp"
#include "vorlane/Platform/Rx/Completable.hpp"
#include "vorlane/Platform/Rx/Single.hpp"

#include <filesystem>
#include <memory>

namespace vorlane {

class BundleResourceRequest {
public:
    virtual ~BundleResourceRequest() = default;

    // The request's progress: the fraction downloaded, the cancelled flag and cancel().
    virtual std::shared_ptr<ResourceProgress> progress() const = 0;
    // The directory in which the resources appear once they are available.
    virtual std::filesystem::path bundle() const = 0;
    // True when the resources are already on the device (nothing to download); they are then being
    // accessed until endAccessingResources().
    virtual rx::Single<bool> conditionallyBeginAccessingResources() = 0;
    // Makes the resources available, downloading them if need be; fails with the reason they could
    // not be (a cancelled progress included).
    virtual rx::Completable beginAccessingResources() = 0;
    // The resources are no longer needed by this request.
    virtual void endAccessingResources() = 0;
};

}  // namespace vorlane
