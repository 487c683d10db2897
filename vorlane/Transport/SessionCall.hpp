#pragma once
// What a session was asked to do, recorded in order: for tests, and for the command line's trace.

#include "vorlane/Platform/Session.hpp"

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

enum class SessionCallKind { search, query, execute, addToWatchlist, removeFromWatchlist, importBookmarks };

constexpr auto jsonVocabulary(json::Tag<SessionCallKind>) {
    using enum SessionCallKind;
    return json::vocabulary<SessionCallKind>("SessionCallKind", {
        {search, "search"},
        {query, "query"},
        {execute, "execute"},
        {addToWatchlist, "addToWatchlist"},
        {removeFromWatchlist, "removeFromWatchlist"},
        {importBookmarks, "importBookmarks"},
    });
}

struct SessionCall {
    SessionCallKind kind = SessionCallKind::search;
    std::string queryId;                      // query name or Explore query id
    std::optional<std::string> apiVersion;    // Explore queries
    std::optional<JsonValue> variables;
    std::optional<JsonValue> params;
    std::optional<std::string> body;          // Explore POST body
    std::optional<sdk::SearchOverrides> overrides;
    std::optional<sdk::WatchlistRequest> watchlistRequest;
    std::vector<sdk::Bookmark> bookmarks;     // imported bookmarks
    bool operator==(const SessionCall&) const = default;

    static SessionCall fromRest(SessionCallKind kind, const sdk::RestQuery& query,
                                const std::optional<sdk::SearchOverrides>& overrides);
    static SessionCall fromExplore(const sdk::ExploreQuery& query);
    // A watchlist change is recorded under the item's refId.
    static SessionCall fromWatchlist(SessionCallKind kind, const sdk::WatchlistRequest& request);
    static SessionCall fromImport(const std::vector<sdk::Bookmark>& bookmarks);

    // One line: kind, query id and what was sent.
    std::string describe() const;
};

inline auto jsonFields(json::Tag<SessionCall>) {
    using namespace json::rules;
    using S = SessionCall;
    return fields(required("kind", &S::kind),
                  required("queryId", &S::queryId),
                  optional("apiVersion", &S::apiVersion),
                  optional("variables", &S::variables),
                  optional("params", &S::params),
                  optional("body", &S::body),
                  optional("overrides", &S::overrides),
                  optional("watchlistRequest", &S::watchlistRequest),
                  defaulted("bookmarks", &S::bookmarks, std::vector<vorlane::sdk::Bookmark>{}));
}

// A thread-safe list of calls in the order they were appended, optionally bounded: with a limit it
// keeps only the latest `limit` calls, dropping the oldest as new ones come, so that a long-running
// session does not grow without end. The listener hears of every call, kept or not.
class SessionCallLog {
public:
    using Listener = std::function<void(const SessionCall&)>;

    // Keeps every call (tests and the command line read them all).
    SessionCallLog() = default;
    // Keeps the latest `limit` calls, or every call without one.
    explicit SessionCallLog(std::optional<std::size_t> limit) : limit_(limit) {}

    // Appends `call` (dropping the oldest call when the limit is reached), then hands it to the
    // listener (outside the log's lock, on the calling thread).
    void append(SessionCall call);
    // The function told of each call appended from now on (replacing any earlier one; empty: none).
    void setListener(Listener listener);
    // The calls kept, oldest first.
    std::vector<SessionCall> calls() const;
    std::size_t size() const;
    void clear();
    std::optional<std::size_t> limit() const noexcept { return limit_; }

private:
    const std::optional<std::size_t> limit_ = std::nullopt;
    mutable std::mutex mutex_;
    std::deque<SessionCall> calls_;
    Listener listener_;
};

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SessionCall)
