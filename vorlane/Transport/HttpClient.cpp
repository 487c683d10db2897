#include "vorlane/Transport/HttpClient.hpp"

#include "vorlane/Platform/Log.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace vorlane {

std::string_view toString(HttpFailureKind kind) noexcept {
    switch (kind) {
        case HttpFailureKind::timeout: return "timeout";
        case HttpFailureKind::refused: return "refused";
        case HttpFailureKind::tls: return "tls";
        case HttpFailureKind::status: return "status";
        case HttpFailureKind::truncated: return "truncated";
        case HttpFailureKind::dropped: return "dropped";
        case HttpFailureKind::tooLarge: return "tooLarge";
        case HttpFailureKind::transport: return "transport";
    }
    return "transport";
}

namespace {

using Completion = std::function<void(std::optional<HttpResponse>, std::exception_ptr)>;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

// The engine: one thread, one multi handle (and so one connection cache) for every transfer of a
// client. Other threads hand it requests and cancellations through `incoming` and wake it.
struct HttpClient::Engine {
    struct Transfer {
        std::uint64_t id = 0;
        HttpRequest request;
        Completion done;
        CURL* easy = nullptr;
        curl_slist* headerList = nullptr;
        HttpResponse response;
        std::size_t overLimitAt = 0;
        bool overLimit = false;
        std::uint64_t reportedBytes = 0;  // what onProgress was last told
        char errorText[CURL_ERROR_SIZE] = {};
    };

    explicit Engine(HttpClientOptions clientOptions) : options(clientOptions) {
        initialiseCurlOnce();
        multi = curl_multi_init();
        curl_multi_setopt(multi, CURLMOPT_MAX_HOST_CONNECTIONS, options.maxConnectionsPerHost);
    }

    // The thread keeps the engine alive until its loop ends: the last owner may let go of the
    // engine from a completion running on that very thread (a session destroyed by the code its
    // answer reached), which must not wait for itself.
    static void start(const std::shared_ptr<Engine>& engine) {
        engine->thread = std::thread([engine] { engine->run(); });
    }

    // Stops the loop; waits for it unless called from it (the loop then ends when its current
    // completion returns).
    void shutdown() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        curl_multi_wakeup(multi);
        if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
    }

    ~Engine() {
        if (thread.joinable()) thread.detach();  // only when the engine thread itself let go last
        curl_multi_cleanup(multi);
    }

    std::uint64_t submit(HttpRequest request, Completion done) {
        std::uint64_t id;
        {
            std::unique_lock lock(mutex);
            id = ++lastId;
            if (stopping) {
                lock.unlock();
                done(std::nullopt, std::make_exception_ptr(HttpError(HttpFailureKind::transport, "the HTTP client stopped")));
                return id;
            }
            auto transfer = std::make_unique<Transfer>();
            transfer->id = id;
            transfer->request = std::move(request);
            transfer->done = std::move(done);
            incoming.push_back(std::move(transfer));
            ++count;
        }
        curl_multi_wakeup(multi);
        return id;
    }

    void cancel(std::uint64_t id) {
        {
            std::lock_guard lock(mutex);
            cancelled.push_back(id);
        }
        curl_multi_wakeup(multi);
    }

    std::size_t inFlight() const {
        std::lock_guard lock(mutex);
        return count;
    }

    HttpClientOptions options;
    CURLM* multi = nullptr;
    std::thread thread;
    mutable std::mutex mutex;
    bool stopping = false;
    std::uint64_t lastId = 0;
    std::size_t count = 0;
    std::vector<std::unique_ptr<Transfer>> incoming;
    std::vector<std::uint64_t> cancelled;
    std::map<std::uint64_t, std::unique_ptr<Transfer>> running;  // engine thread only

private:
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
        auto* transfer = static_cast<Transfer*>(user);
        const std::size_t bytes = size * count;
        if (transfer->response.body.size() + bytes > transfer->overLimitAt) {
            transfer->overLimit = true;
            return 0;  // aborts the transfer
        }
        transfer->response.body.append(data, bytes);
        return bytes;
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
        auto* transfer = static_cast<Transfer*>(user);
        const std::string_view line(data, size * count);
        if (line.starts_with("HTTP/")) {
            transfer->response.headers.clear();  // a new response (after a 100 Continue, say)
        } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
            auto value = line.substr(colon + 1);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
            while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' '))
                value.remove_suffix(1);
            transfer->response.headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
        }
        return size * count;
    }

    // libcurl calls this often, also while nothing arrives; the request hears only of new bytes.
    static int onTransferInfo(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
        auto* transfer = static_cast<Transfer*>(user);
        if (received <= 0 || static_cast<std::uint64_t>(received) == transfer->reportedBytes) return 0;
        transfer->reportedBytes = static_cast<std::uint64_t>(received);
        try {
            transfer->request.onProgress(transfer->reportedBytes, expected > 0 ? static_cast<std::uint64_t>(expected) : 0);
        } catch (...) {
            return 1;  // aborts the transfer: an exception cannot cross libcurl
        }
        return 0;
    }

    void start(std::unique_ptr<Transfer> transfer) {
        CURL* easy = curl_easy_init();
        Transfer& t = *transfer;
        t.easy = easy;
        t.overLimitAt = options.maxBodyBytes;
        curl_easy_setopt(easy, CURLOPT_URL, t.request.url.c_str());
        curl_easy_setopt(easy, CURLOPT_PRIVATE, &t);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, t.errorText);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, options.verifyTls ? 1L : 0L);
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, options.verifyTls ? 2L : 0L);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Engine::onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Engine::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);
        if (t.request.onProgress) {
            curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Engine::onTransferInfo);
            curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &t);
            curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        }
        if (t.request.body) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(t.request.body->size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, t.request.body->data());
        }
        if (t.request.method != (t.request.body ? "POST" : "GET"))
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, t.request.method.c_str());
        for (const auto& [name, value] : t.request.headers)
            t.headerList = curl_slist_append(t.headerList, (name + ": " + value).c_str());
        t.headerList = curl_slist_append(t.headerList, "Expect:");  // no 100-continue round trip
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, t.headerList);
        curl_multi_add_handle(multi, easy);
        running.emplace(t.id, std::move(transfer));
    }

    // Detaches a transfer from the engine; the caller completes it (or not, when it was cancelled).
    std::unique_ptr<Transfer> detach(std::uint64_t id) {
        auto it = running.find(id);
        if (it == running.end()) return nullptr;
        auto transfer = std::move(it->second);
        running.erase(it);
        curl_multi_remove_handle(multi, transfer->easy);
        curl_easy_cleanup(transfer->easy);
        curl_slist_free_all(transfer->headerList);
        transfer->easy = nullptr;
        transfer->headerList = nullptr;
        std::lock_guard lock(mutex);
        --count;
        return transfer;
    }

    std::exception_ptr failure(Transfer& t, CURLcode code) const {
        const std::string where = " (" + t.request.method + " " + t.request.url + ")";
        const std::string detail = t.errorText[0] ? std::string(t.errorText) : std::string(curl_easy_strerror(code));
        const auto error = [&](HttpFailureKind kind, const std::string& message) {
            return std::make_exception_ptr(HttpError(kind, message + where));
        };
        switch (code) {
            case CURLE_OPERATION_TIMEDOUT:
                return error(HttpFailureKind::timeout, "no whole answer within the timeout: " + detail);
            case CURLE_COULDNT_CONNECT: return error(HttpFailureKind::refused, "the connection was refused: " + detail);
            case CURLE_SSL_CONNECT_ERROR:
            case CURLE_PEER_FAILED_VERIFICATION:
            case CURLE_SSL_CERTPROBLEM:
            case CURLE_SSL_CIPHER:
            case CURLE_SSL_CACERT_BADFILE:
            case CURLE_SSL_ISSUER_ERROR:
            case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
            case CURLE_SSL_INVALIDCERTSTATUS:
            case CURLE_USE_SSL_FAILED: return error(HttpFailureKind::tls, "TLS failed: " + detail);
            case CURLE_PARTIAL_FILE:
                if (t.response.body.empty())
                    return error(HttpFailureKind::dropped, "the connection closed before any of the answer's body came");
                return error(HttpFailureKind::truncated, "the answer was cut short after " +
                                                             std::to_string(t.response.body.size()) + " bytes: " + detail);
            case CURLE_GOT_NOTHING:
            case CURLE_RECV_ERROR:
            case CURLE_SEND_ERROR: return error(HttpFailureKind::dropped, "the connection was dropped: " + detail);
            case CURLE_WRITE_ERROR:
                if (t.overLimit)
                    return error(HttpFailureKind::tooLarge,
                                 "the answer is larger than " + std::to_string(options.maxBodyBytes) + " bytes");
                [[fallthrough]];
            default: return error(HttpFailureKind::transport, detail);
        }
    }

    void finish(std::uint64_t id, CURLcode code) {
        auto transfer = detach(id);
        if (!transfer) return;
        long status = 0;
        std::exception_ptr error;
        if (code == CURLE_OK) {
            // The status was read before the handle went; see detach's caller.
            status = transfer->response.status;
            if (status >= 400) {
                std::string excerpt = transfer->response.body.substr(0, 300);
                error = std::make_exception_ptr(HttpError(
                    HttpFailureKind::status,
                    "HTTP " + std::to_string(status) + " (" + transfer->request.method + " " + transfer->request.url +
                        ")" + (excerpt.empty() ? "" : ": " + excerpt),
                    transfer->response));
            }
        } else {
            error = failure(*transfer, code);
        }
        auto done = std::move(transfer->done);
        if (error)
            done(std::nullopt, error);
        else
            done(std::move(transfer->response), nullptr);
    }

    void run() {
        for (;;) {
            std::vector<std::unique_ptr<Transfer>> added;
            std::vector<std::uint64_t> dropped;
            bool stop;
            {
                std::lock_guard lock(mutex);
                added.swap(incoming);
                dropped.swap(cancelled);
                stop = stopping;
            }
            for (auto& transfer : added) start(std::move(transfer));
            for (const auto id : dropped) detach(id);  // cancelled: nobody waits for the result
            if (stop) break;
            int active = 0;
            curl_multi_perform(multi, &active);
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
                if (message->msg != CURLMSG_DONE) continue;
                Transfer* transfer = nullptr;
                curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
                curl_easy_getinfo(message->easy_handle, CURLINFO_RESPONSE_CODE, &transfer->response.status);
                finish(transfer->id, message->data.result);
            }
            // Sleep only as long as libcurl has nothing to do: a transfer waiting for a pooled
            // connection has no socket to wake the poll when one frees up (with a fixed wait,
            // 1 in 100 of 200 concurrent queries stalled for the whole second).
            long waitMs = -1;
            curl_multi_timeout(multi, &waitMs);
            if (waitMs < 0 || waitMs > 1000) waitMs = 1000;
            if (waitMs > 0) curl_multi_poll(multi, nullptr, 0, static_cast<int>(waitMs), nullptr);
        }
        // Stopping: whatever is still running fails, each exactly once.
        std::vector<std::uint64_t> left;
        for (const auto& [id, transfer] : running) left.push_back(id);
        for (const auto id : left) {
            auto transfer = detach(id);
            transfer->done(std::nullopt,
                           std::make_exception_ptr(HttpError(HttpFailureKind::transport, "the HTTP client stopped")));
        }
    }
};

HttpClient::HttpClient(HttpClientOptions options) : engine_(std::make_shared<Engine>(options)) { Engine::start(engine_); }

HttpClient::~HttpClient() { engine_->shutdown(); }

const HttpClientOptions& HttpClient::options() const noexcept { return engine_->options; }

std::size_t HttpClient::inFlight() const { return engine_->inFlight(); }

rx::Single<HttpResponse> HttpClient::send(HttpRequest request) const {
    // The engine lives as long as the client; a subscription keeps only a weak reference, so a
    // client destroyed with requests outstanding fails them instead of being kept alive by them.
    std::weak_ptr<Engine> weak = engine_;
    return rx::Single<HttpResponse>::create([weak, request = std::move(request)](auto observer) {
        auto engine = weak.lock();
        if (!engine) throw HttpError(HttpFailureKind::transport, "the HTTP client stopped");
        const auto id = engine->submit(request, [observer](std::optional<HttpResponse> response, std::exception_ptr error) {
            if (error)
                observer.onError(error);
            else
                observer.onSuccess(std::move(*response));
        });
        observer.addCancellation([weak, id] {
            if (auto alive = weak.lock()) alive->cancel(id);
        });
    });
}

}  // namespace vorlane
