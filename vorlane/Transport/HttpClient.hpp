#pragma once
// An HTTP client for the sessions that talk to a server: one engine thread drives every transfer of
// a client through one connection pool (connections are reused across requests to the same host),
// with TLS verification on, a connect timeout and a total timeout per request, and a bound on the
// size of an answer. Each request is a cold Single that ends exactly once: with the response, or
// with an HttpError saying what went wrong (timeout, refused, TLS, an HTTP error status, a body cut
// short, a dropped connection, an answer too large). Disposing a subscription cancels its transfer.
//
// Results are delivered on the engine thread; work done downstream of them (decoding) runs there
// too, so it should stay short.

#include "vorlane/Platform/HttpResponse.hpp"
#include "vorlane/Platform/PercentEncoding.hpp"
#include "vorlane/Platform/Rx/Single.hpp"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlane {

// What went wrong with an HTTP exchange.
enum class HttpFailureKind {
    timeout,    // no connection, or no whole answer, within its timeout
    refused,    // nothing listens at the address
    tls,        // the TLS handshake or the peer's certificate failed
    status,     // the server answered with a status of 400 or more
    truncated,  // the connection closed before the body announced was all there
    dropped,    // the connection closed with no answer, or before any of its body
    tooLarge,   // the answer is larger than the client accepts
    transport,  // anything else (name resolution, a malformed URL, ...)
};

std::string_view toString(HttpFailureKind kind) noexcept;

class HttpError : public std::runtime_error {
public:
    HttpError(HttpFailureKind kind, const std::string& message, std::optional<HttpResponse> response = std::nullopt)
        : std::runtime_error(message), kind_(kind), response_(std::move(response)) {}

    HttpFailureKind kind() const noexcept { return kind_; }
    // The response of a `status` failure (its headers and body say more); absent otherwise.
    const std::optional<HttpResponse>& response() const noexcept { return response_; }

private:
    HttpFailureKind kind_;
    std::optional<HttpResponse> response_;
};

struct HttpRequest {
    std::string method = "GET";
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;
    std::optional<std::string> body;
    // Told, on the engine thread, each time more of the answer's body has arrived: the bytes
    // received so far and the bytes announced (0 while unknown). It must return quickly and not
    // throw (an exception aborts the transfer with a `transport` error).
    std::function<void(std::uint64_t received, std::uint64_t expected)> onProgress = nullptr;
};

struct HttpClientOptions {
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{30000};
    bool verifyTls = true;                           // off only for tests against self-signed servers
    std::size_t maxBodyBytes = std::size_t{256} << 20;  // the answer limit of the JSON reader
    long maxConnectionsPerHost = 16;                 // further requests wait for a free connection
};

class HttpClient {
public:
    explicit HttpClient(HttpClientOptions options = {});
    // Stops the engine: transfers in flight fail with a `transport` error saying the client stopped.
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    const HttpClientOptions& options() const noexcept;

    // Sends `request` when subscribed. A status of 400 or more fails with a `status` HttpError that
    // holds the response.
    rx::Single<HttpResponse> send(HttpRequest request) const;

    // Transfers running or waiting now.
    std::size_t inFlight() const;

    struct Engine;

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace vorlane
