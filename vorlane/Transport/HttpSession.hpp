#pragma once
// A client session that runs every call over HTTP against a content server (`vorlane serve` is
// one). The wire protocol, relative to the base URL (all bodies JSON, UTF-8):
//
//   legacy search (decoded by the caller)   POST content/search   {"queryId", "variables", "overrides"?}
//   legacy raw query (bytes)                POST content/query    the same
//   Explore GET query                       GET  explore/{apiVersion}/{queryId}?variables=JSON&params=JSON
//                                               (each map percent-encoded; an absent map is not sent)
//   Explore POST query                      POST explore/{apiVersion}/{queryId}   the body as given
//   Explore watchlist add / remove          POST explore/watchlist/add | explore/watchlist/remove
//                                               {"refId", "refIdType", "infoBlock"?}
//   bookmark import                         POST bookmarks/import   [Bookmark, ...]
//   the query configuration it serves       GET  config/query-configuration
//
// A 2xx status carries the answer's bytes (204 for the watchlist and imports); any other status
// fails the call with an HttpError whose response holds the server's {"error", "message"} body.
//
// Every call is recorded, in order, when it starts (at subscription), as the catalog session
// records them, so traces read the same over either session.

#include "vorlane/Platform/Session.hpp"
#include "vorlane/Transport/HttpClient.hpp"
#include "vorlane/Transport/SessionCall.hpp"

#include <memory>
#include <string>

namespace vorlane {

struct HttpSessionOptions {
    std::string baseUrl;  // "http://127.0.0.1:8040/" (a missing final "/" is added)
    HttpClientOptions client;
    // Sent with every request (a tracing id, a test's fault request).
    std::vector<std::pair<std::string, std::string>> extraHeaders;
};

class HttpSession final : public sdk::Session {
public:
    explicit HttpSession(HttpSessionOptions options);
    ~HttpSession() override;

    std::shared_ptr<const sdk::ContentAPI> contentApi() const override;
    std::shared_ptr<const sdk::ExploreAPI> exploreApi() const override;

    const std::string& baseUrl() const noexcept;
    const HttpClient& client() const noexcept;

    // The calls made so far, in order; and a listener told of each as it is made (empty: none).
    std::vector<SessionCall> calls() const;
    void onCall(SessionCallLog::Listener listener);

    // The server's query configuration, as JSON text (GET config/query-configuration).
    rx::Single<std::string> queryConfiguration() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace vorlane
