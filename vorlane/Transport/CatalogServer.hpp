#pragma once
// A content server over a catalog: speaks the wire protocol of HttpSession (see HttpSession.hpp) and
// answers each call as the catalog session would, so a client over HTTP sees exactly the catalog.
// It listens on the loopback interface unless another address is asked for explicitly.
//
// Failures are answered with a JSON body {"error": KIND, "message": TEXT}: 404 "unrouted" when no
// answer of the catalog matches, 400 "request" for a request that is not the protocol's, 500
// "catalog" when an answer cannot be read.
//
// Faults can be injected, for tests and demonstrations: each rule applies to the requests whose
// path contains its text (every request without one), and, when allowed, a request may ask for its
// own with the header "X-Vorlane-Fault: SPEC". SPEC is one of
//   delay=MS       answer after MS milliseconds
//   status=CODE    answer with that status and {"error": "injected", ...}
//   truncate       announce the whole answer, send half of it, close the connection
//   drop           send the status line and headers, then close before any of the body

#include "vorlane/Transport/CatalogSession.hpp"

#include "vorlane/Platform/HttpResponse.hpp"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

struct ServerFault {
    enum class Kind { delay, status, truncate, drop };
    Kind kind = Kind::delay;
    long value = 0;        // milliseconds for delay, the status for status
    std::string pathPart;  // empty: every request

    // "delay=200", "status=503", "truncate", "drop", each optionally followed by ",path=TEXT";
    // std::invalid_argument naming what is wrong otherwise.
    static ServerFault parse(std::string_view rule);
    bool operator==(const ServerFault&) const = default;
};

// A GET the protocol does not route, handed to the pages the server also serves (the inspector).
struct PageRequest {
    std::string path;                                        // "/answer"
    std::vector<std::pair<std::string, std::string>> params;  // the query string's, decoded, in order

    // The first parameter named `name`, or null.
    const std::string* param(std::string_view name) const noexcept;
};

// A page's answer, or absent for a path it does not know (answered 404).
using PageHandler = std::function<std::optional<HttpResponse>(const PageRequest&)>;

struct CatalogServerOptions {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::vector<ServerFault> faults;
    bool faultHeader = false;  // honour "X-Vorlane-Fault" on requests
    std::size_t threads = 32;  // connections served at once (an idle kept-alive one holds a thread)
    PageHandler pages = nullptr;  // absent: only the protocol is served
};

class CatalogServer {
public:
    // Binds at once (std::runtime_error when the address cannot be bound) and serves on threads of
    // its own until stopped.
    CatalogServer(std::shared_ptr<CatalogSession> session, CatalogServerOptions options);
    ~CatalogServer();  // stops
    CatalogServer(const CatalogServer&) = delete;
    CatalogServer& operator=(const CatalogServer&) = delete;

    int port() const noexcept;
    // "http://HOST:PORT/"
    std::string url() const;
    // Stops accepting and waits for the serving thread; idempotent.
    void stop();
    // Requests answered so far.
    std::size_t requestsServed() const noexcept;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace vorlane
