#pragma once
// A resource request served over HTTP: the pack tagged TAG is described by
// "{baseUrl}static/packs/TAG/manifest.json" (a ResourcePackManifest) and each of its files is
// served at "{baseUrl}static/packs/TAG/PATH". The pack lives in "{directory}/TAG/".
//
// Only complete packs are ever in place: a download writes into the staging directory
// "{directory}/.TAG.partial/" and renames it to "{directory}/TAG/" once every file of the manifest
// is there with the size the manifest gives. A failed, cancelled or disposed download removes its
// staging directory. The progress is the share of the manifest's bytes received, reported from the
// transfers as they arrive (on the HTTP client's engine thread); cancelling it aborts the transfer
// in flight and fails the download with a `cancelled` ResourcePackError.
//
// A pack in place is never removed here: ending the access leaves it for the next request.

#include "vorlane/BundleResource/BundleResourceRequest.hpp"
#include "vorlane/Transport/HttpClient.hpp"

#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorlane {

// Why a pack could not be put in place (HTTP failures are the client's HttpError, unchanged).
class ResourcePackError : public std::runtime_error {
public:
    enum class Kind {
        cancelled,   // the request's progress was cancelled
        manifest,    // the manifest does not read, names another pack or lists a path twice
        incomplete,  // a file's size is not the manifest's
        storage,     // the file system refused (writing, renaming, removing)
        busy,        // this process is downloading the same pack into the same directory
    };

    ResourcePackError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

std::string_view toString(ResourcePackError::Kind kind) noexcept;

class HttpBundleResourceRequest final : public BundleResourceRequest {
public:
    // `tag` must be one path part not starting with "." (std::invalid_argument otherwise); a "/"
    // is added to `baseUrl` when it does not end with one.
    HttpBundleResourceRequest(std::string tag, std::string baseUrl, std::filesystem::path directory,
                              std::shared_ptr<HttpClient> client);

    std::shared_ptr<ResourceProgress> progress() const override { return progress_; }
    std::filesystem::path bundle() const override { return directory_ / tag_; }
    // True when the pack's directory is in place.
    rx::Single<bool> conditionallyBeginAccessingResources() override;
    // Completes at once when the pack is in place; downloads it otherwise.
    rx::Completable beginAccessingResources() override;
    void endAccessingResources() override { *accessing_ = false; }

    const std::string& tag() const noexcept { return tag_; }
    std::string manifestUrl() const;
    std::filesystem::path stagingDirectory() const { return directory_ / ("." + tag_ + ".partial"); }
    // Between a begin that found or put the pack in place and endAccessingResources().
    bool isAccessingResources() const noexcept { return accessing_->load(); }

private:
    std::string tag_;
    std::string packUrl_;  // "{baseUrl}static/packs/TAG/"
    std::filesystem::path directory_;
    std::shared_ptr<HttpClient> client_;
    std::shared_ptr<ResourceProgress> progress_ = std::make_shared<ResourceProgress>();
    // Shared with a download, which may end after the request is gone.
    std::shared_ptr<std::atomic<bool>> accessing_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace vorlane
