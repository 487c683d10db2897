#include "vorlane/Transport/HttpBundleResourceRequest.hpp"

#include "vorlane/BundleResource/ResourcePackManifest.hpp"
#include "vorlane/Platform/Json/Codec.hpp"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

namespace vorlane {

namespace fs = std::filesystem;

std::string_view toString(ResourcePackError::Kind kind) noexcept {
    switch (kind) {
        case ResourcePackError::Kind::cancelled: return "cancelled";
        case ResourcePackError::Kind::manifest: return "manifest";
        case ResourcePackError::Kind::incomplete: return "incomplete";
        case ResourcePackError::Kind::storage: return "storage";
        case ResourcePackError::Kind::busy: return "busy";
    }
    return "storage";
}

namespace {

std::exception_ptr packError(ResourcePackError::Kind kind, const std::string& message) {
    return std::make_exception_ptr(ResourcePackError(kind, message));
}

std::string quotedPath(const fs::path& path) { return json::encode(path.string()); }

// The staging directories this process is downloading into: a second download of the same pack
// into the same directory would share (and wipe) the first one's.
class StagingClaims {
public:
    static StagingClaims& instance() {
        static StagingClaims* const claims = new StagingClaims;  // never destroyed: downloads may end at exit
        return *claims;
    }
    // Claimed once per download; released by the same path text, whatever exists by then.
    std::optional<std::string> claim(const fs::path& staging) {
        std::error_code ignored;
        std::string key = fs::weakly_canonical(staging, ignored).lexically_normal().string();
        std::lock_guard lock(mutex_);
        if (!claimed_.insert(key).second) return std::nullopt;
        return key;
    }
    void release(const std::string& key) {
        std::lock_guard lock(mutex_);
        claimed_.erase(key);
    }

private:
    std::mutex mutex_;
    std::set<std::string> claimed_;
};

// One download of a pack, from its manifest to the rename into place. Transfers run one file at a
// time; each completion (on the engine thread) starts the next. Whatever ends it first (the last
// file, a failure, the progress's cancellation, the subscriber's disposal) ends it once, and every
// write to the staging directory happens under the lock, so an ending that removes the directory
// never races a write into it.
class PackDownload : public std::enable_shared_from_this<PackDownload> {
public:
    PackDownload(std::string tag, std::string packUrl, fs::path directory, std::shared_ptr<HttpClient> client,
                 std::shared_ptr<ResourceProgress> progress, std::shared_ptr<std::atomic<bool>> accessing,
                 rx::CompletableObserver observer)
        : tag_(std::move(tag)),
          packUrl_(std::move(packUrl)),
          pack_(directory / tag_),
          staging_(directory / ("." + tag_ + ".partial")),
          client_(std::move(client)),
          progress_(std::move(progress)),
          accessing_(std::move(accessing)),
          observer_(std::move(observer)) {}

    void start() {
        std::error_code error;
        if (fs::is_directory(pack_, error)) {
            *accessing_ = true;
            observer_.onCompleted();
            return;
        }
        claim_ = StagingClaims::instance().claim(staging_);
        if (!claim_) {
            observer_.onError(packError(ResourcePackError::Kind::busy,
                                        "the pack \"" + tag_ + "\" is already being downloaded into " + quotedPath(staging_)));
            return;
        }
        // A staging directory left by a download that never ended (the process stopped) is stale.
        fs::remove_all(staging_, error);
        if (!error) fs::create_directories(staging_, error);
        if (error) {
            end(packError(ResourcePackError::Kind::storage,
                          "cannot prepare " + quotedPath(staging_) + " for the pack \"" + tag_ + "\": " + error.message()));
            return;
        }
        const std::weak_ptr<PackDownload> weak = weak_from_this();
        observer_.addCancellation([weak] {
            if (auto self = weak.lock()) self->end(nullptr);
        });
        // Run at once when the progress was cancelled meanwhile.
        progress_->setCancellationHandler([weak] {
            if (auto self = weak.lock()) self->end(self->cancelled());
        });
        HttpRequest manifest;
        manifest.url = packUrl_ + "manifest.json";
        fetch(std::move(manifest), [](PackDownload& self, HttpResponse response) {
            self.readManifest(response.body);
        });
    }

private:
    using Step = void (*)(PackDownload&, HttpResponse);

    std::exception_ptr cancelled() const {
        return packError(ResourcePackError::Kind::cancelled, "the download of the pack \"" + tag_ + "\" was cancelled");
    }

    // Sends `request` and hands its response to `step`, unless the download ended meanwhile. The
    // transfer in flight is what keeps the download alive: its callbacks hold it, and let go when
    // the transfer ends or is disposed.
    void fetch(HttpRequest request, Step step) {
        std::uint64_t number;
        {
            std::lock_guard lock(mutex_);
            if (ended_) return;
            number = ++fetches_;
        }
        auto self = shared_from_this();
        rx::Disposable transfer = client_->send(std::move(request))
                                      .subscribe([self, step](HttpResponse response) { self->proceed(step, std::move(response)); },
                                                 [self](std::exception_ptr error) { self->end(std::move(error)); });
        std::unique_lock lock(mutex_);
        if (ended_) {
            lock.unlock();
            transfer.dispose();
            return;
        }
        // A quick answer may have started the next fetch already, whose transfer is the one in flight.
        if (number == fetches_) transfer_ = std::move(transfer);
    }

    void proceed(Step step, HttpResponse response) {
        try {
            step(*this, std::move(response));
        } catch (...) {
            end(std::current_exception());
        }
    }

    void readManifest(const std::string& body) {
        try {
            manifest_ = json::decode<ResourcePackManifest>(body);
        } catch (const json::DecodingError& error) {
            throw ResourcePackError(ResourcePackError::Kind::manifest,
                                    "the manifest of the pack \"" + tag_ + "\" (" + packUrl_ + "manifest.json) is refused: " +
                                        error.what());
        }
        if (manifest_.tag != tag_)
            throw ResourcePackError(ResourcePackError::Kind::manifest,
                                    "the manifest of the pack \"" + tag_ + "\" names the pack " + json::encode(manifest_.tag));
        std::set<std::string_view> paths;
        for (std::size_t i = 0; i < manifest_.files.size(); ++i)
            if (!paths.insert(manifest_.files[i].path).second)
                throw ResourcePackError(ResourcePackError::Kind::manifest,
                                        "the manifest of the pack \"" + tag_ + "\" lists " +
                                            json::encode(manifest_.files[i].path) + " twice (files[" + std::to_string(i) + "])");
        totalBytes_ = manifest_.totalBytes();
        fetchNextFile();
    }

    void fetchNextFile() {
        if (next_ == manifest_.files.size()) {
            putInPlace();
            return;
        }
        const ResourcePackFile& file = manifest_.files[next_];
        HttpRequest request;
        request.url = packUrl_ + percentEncoded(file.path, true);
        // Never past this file's share, so the fraction only grows even if the server sends more.
        request.onProgress = [weak = weak_from_this(), base = receivedBytes_, size = file.size](std::uint64_t received,
                                                                                                std::uint64_t) {
            if (auto self = weak.lock()) self->report(base + std::min(received, size));
        };
        fetch(std::move(request), [](PackDownload& self, HttpResponse response) { self.keepFile(response.body); });
    }

    void keepFile(const std::string& body) {
        const ResourcePackFile& file = manifest_.files[next_];
        if (body.size() != file.size)
            throw ResourcePackError(ResourcePackError::Kind::incomplete,
                                    "the file " + json::encode(file.path) + " of the pack \"" + tag_ + "\" has " +
                                        std::to_string(body.size()) + " bytes; its manifest says " +
                                        std::to_string(file.size));
        {
            std::lock_guard lock(mutex_);
            if (ended_) return;
            const fs::path target = staging_ / fs::path(file.path);
            std::error_code error;
            fs::create_directories(target.parent_path(), error);
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            out.write(body.data(), static_cast<std::streamsize>(body.size()));
            out.close();
            if (error || !out)
                throw ResourcePackError(ResourcePackError::Kind::storage,
                                        "cannot write " + quotedPath(target) + (error ? ": " + error.message() : ""));
        }
        receivedBytes_ += file.size;
        report(receivedBytes_);
        ++next_;
        fetchNextFile();
    }

    // Renames the staging directory into place and ends, both under the lock: a cancellation
    // comes either before (and the pack is not put in place) or after (and changes nothing).
    void putInPlace() {
        {
            std::lock_guard lock(mutex_);
            if (ended_) return;
            std::error_code error;
            fs::rename(staging_, pack_, error);
            if (error) {
                // Another process may have put the same pack in place first: it is complete too.
                std::error_code ignored;
                if (!fs::is_directory(pack_, ignored))
                    throw ResourcePackError(ResourcePackError::Kind::storage,
                                            "cannot move " + quotedPath(staging_) + " to " + quotedPath(pack_) + ": " +
                                                error.message());
                fs::remove_all(staging_, ignored);
            }
            ended_ = true;
            transfer_ = rx::Disposable();
        }
        if (totalBytes_ == 0) progress_->setFractionCompleted(1.0);
        *accessing_ = true;
        release();
        observer_.onCompleted();
    }

    void report(std::uint64_t received) {
        if (totalBytes_ > 0) progress_->setFractionCompleted(static_cast<double>(received) / static_cast<double>(totalBytes_));
    }

    // Ends the download once, unsuccessfully: aborts the transfer in flight, removes the staging
    // directory and fails with `error` (or, when the subscriber disposed, signals nothing).
    void end(std::exception_ptr error) {
        rx::Disposable transfer;
        {
            std::lock_guard lock(mutex_);
            if (ended_) return;
            ended_ = true;
            transfer = std::exchange(transfer_, rx::Disposable());
        }
        transfer.dispose();
        std::error_code ignored;
        fs::remove_all(staging_, ignored);
        release();
        if (error) observer_.onError(std::move(error));
    }

    // What an ended download lets go of.
    void release() {
        progress_->setCancellationHandler(nullptr);
        if (claim_) StagingClaims::instance().release(*claim_);
    }

    const std::string tag_;
    const std::string packUrl_;
    const fs::path pack_;
    const fs::path staging_;
    const std::shared_ptr<HttpClient> client_;
    const std::shared_ptr<ResourceProgress> progress_;
    const std::shared_ptr<std::atomic<bool>> accessing_;
    const rx::CompletableObserver observer_;
    std::optional<std::string> claim_;  // set before anything runs concurrently

    std::mutex mutex_;
    bool ended_ = false;         // guarded by mutex_
    rx::Disposable transfer_;    // guarded by mutex_: the transfer in flight
    std::uint64_t fetches_ = 0;  // guarded by mutex_: transfers started
    // Touched by one step at a time (each step starts the next from its transfer's completion).
    ResourcePackManifest manifest_;
    std::size_t next_ = 0;
    std::uint64_t receivedBytes_ = 0;
    std::uint64_t totalBytes_ = 0;
};

}  // namespace

HttpBundleResourceRequest::HttpBundleResourceRequest(std::string tag, std::string baseUrl, fs::path directory,
                                                     std::shared_ptr<HttpClient> client)
    : tag_(std::move(tag)), directory_(std::move(directory)), client_(std::move(client)) {
    if (auto reason = unsafePackTagReason(tag_))
        throw std::invalid_argument("the pack tag " + json::encode(tag_) + " is refused: " + *reason);
    if (!client_) throw std::invalid_argument("a resource request over HTTP needs a client");
    if (!baseUrl.ends_with('/')) baseUrl += '/';
    packUrl_ = baseUrl + "static/packs/" + percentEncoded(tag_) + "/";
}

std::string HttpBundleResourceRequest::manifestUrl() const { return packUrl_ + "manifest.json"; }

rx::Single<bool> HttpBundleResourceRequest::conditionallyBeginAccessingResources() {
    return rx::Single<bool>::create([pack = bundle(), accessing = accessing_](rx::SingleObserver<bool> observer) {
        std::error_code ignored;
        const bool present = fs::is_directory(pack, ignored);
        if (present) *accessing = true;
        observer.onSuccess(present);
    });
}

rx::Completable HttpBundleResourceRequest::beginAccessingResources() {
    return rx::Completable::create([tag = tag_, packUrl = packUrl_, directory = directory_, client = client_,
                                    progress = progress_, accessing = accessing_](rx::CompletableObserver observer) {
        if (progress->isCancelled()) {
            observer.onError(packError(ResourcePackError::Kind::cancelled,
                                       "the download of the pack \"" + tag + "\" was cancelled"));
            return;
        }
        std::error_code error;
        fs::create_directories(directory, error);
        if (error) {
            observer.onError(packError(ResourcePackError::Kind::storage,
                                       "cannot create " + quotedPath(directory) + ": " + error.message()));
            return;
        }
        std::make_shared<PackDownload>(tag, packUrl, directory, client, progress, accessing, observer)->start();
    });
}

}  // namespace vorlane
