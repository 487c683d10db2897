#pragma once
// The client session every query runs through, and the values it takes.
//
// These types live in `vorlane::sdk`: they belong to the client SDK the service is built on (some
// of their names, `Bookmark` above all, are also names of content records). A session answers
// legacy queries through `ContentAPI` and Explore queries through `ExploreAPI`; implementations
// are the catalog session, the scripted session for tests and, later, an HTTP session. Errors of a
// session come out of the returned results unchanged.

#include "vorlane/Platform/ContentIdentifier.hpp"
#include "vorlane/Platform/Json/Record.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Rx/Completable.hpp"
#include "vorlane/Platform/Rx/Single.hpp"
#include "vorlane/Platform/SearchOverrides.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorlane::sdk {

// Where a query was issued from, for the session's own logs and traces.
struct CallSite {
    std::string file;
    int line = 0;
    bool operator==(const CallSite&) const = default;
};

// A legacy query: the query name and its variables (a JSON object).
struct RestQuery {
    std::string name;
    JsonValue variables = JsonValue::object();
    bool operator==(const RestQuery&) const = default;
};

// An Explore GET query: variables and params; no body.
struct ExploreGetQuery {
    std::string queryId;
    std::string apiVersion;
    std::optional<JsonValue> variables;
    std::optional<JsonValue> params;
    bool operator==(const ExploreGetQuery&) const = default;
};

// An Explore POST query: a JSON body only.
struct ExplorePostQuery {
    std::string queryId;
    std::string apiVersion;
    std::string body;
    bool operator==(const ExplorePostQuery&) const = default;
};

using ExploreQuery = std::variant<ExploreGetQuery, ExplorePostQuery>;

const std::string& queryIdOf(const ExploreQuery& query);
const std::string& apiVersionOf(const ExploreQuery& query);
std::optional<JsonValue> variablesOf(const ExploreQuery& query);
std::optional<JsonValue> paramsOf(const ExploreQuery& query);
std::optional<std::string> bodyOf(const ExploreQuery& query);

// A viewing position handed to the SDK's bookmark store.
struct Bookmark {
    std::string contentId;
    std::optional<std::string> profileId;
    double playhead = 0;                  // seconds
    std::optional<double> runtime;        // seconds
    std::optional<std::int64_t> occurredOn;  // seconds since 1970
    bool operator==(const Bookmark&) const = default;
};

inline auto jsonFields(json::Tag<sdk::Bookmark>) {
    using namespace json::rules;
    using S = sdk::Bookmark;
    return fields(required("contentId", &S::contentId),
                  optional("profileId", &S::profileId),
                  required("playhead", &S::playhead),
                  optional("runtime", &S::runtime),
                  optional("occurredOn", &S::occurredOn));
}

// An Explore watchlist change: the item and the analytics context of the action that asked for it.
struct WatchlistRequest {
    std::string refId;
    std::string refIdType;
    std::optional<std::string> infoBlock;
    bool operator==(const WatchlistRequest&) const = default;
};

inline auto jsonFields(json::Tag<sdk::WatchlistRequest>) {
    using namespace json::rules;
    using S = sdk::WatchlistRequest;
    return fields(required("refId", &S::refId),
                  required("refIdType", &S::refIdType),
                  optional("infoBlock", &S::infoBlock));
}

class BookmarkAPI {
public:
    virtual ~BookmarkAPI() = default;
    // Hands bookmarks found in an answer to the SDK; synchronous.
    virtual void import(const std::vector<Bookmark>& bookmarks) = 0;
};

class ContentAPI {
public:
    virtual ~ContentAPI() = default;

    // Runs a legacy query and yields the answer's raw bytes.
    virtual rx::Single<std::string> query(RestQuery query, std::optional<SearchOverrides> overrides,
                                          std::optional<std::string> transactionId, CallSite site) const = 0;

    // Runs a legacy query and decodes the answer as T with the caller's decoder settings;
    // a decoding error is the result's error.
    template <class T>
    rx::Single<T> search(RestQuery restQuery, json::DecoderSettings decoder, std::optional<SearchOverrides> overrides,
                         std::optional<std::string> transactionId, CallSite site) const {
        return searchBytes(std::move(restQuery), std::move(overrides), std::move(transactionId), std::move(site))
            .map([decoder](const std::string& bytes) { return json::decode<T>(bytes, decoder); });
    }

    virtual BookmarkAPI& bookmarks() const = 0;

protected:
    // The transport of `search`: the raw answer of a search call (by default the same as `query`).
    virtual rx::Single<std::string> searchBytes(RestQuery restQuery, std::optional<SearchOverrides> overrides,
                                                std::optional<std::string> transactionId, CallSite site) const {
        return query(std::move(restQuery), std::move(overrides), std::move(transactionId), std::move(site));
    }
};

class ExploreAPI {
public:
    virtual ~ExploreAPI() = default;
    // Runs an Explore query and yields the answer's raw bytes.
    virtual rx::Single<std::string> execute(ExploreQuery query, CallSite site) const = 0;
    virtual rx::Completable addToWatchlist(WatchlistRequest request, CallSite site) const = 0;
    virtual rx::Completable removeFromWatchlist(WatchlistRequest request, CallSite site) const = 0;
};

// The session handed to the service; its APIs are read afresh for every query.
class Session {
public:
    virtual ~Session() = default;
    virtual std::shared_ptr<const ContentAPI> contentApi() const = 0;
    virtual std::shared_ptr<const ExploreAPI> exploreApi() const = 0;
};

// The networking kit's request coordinator. The service holds one for the host; no query uses it.
class Coordinator {
public:
    virtual ~Coordinator() = default;
};

}  // namespace vorlane::sdk

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::sdk::Bookmark)
VORLANE_JSON_RECORD(vorlane::sdk::WatchlistRequest)
