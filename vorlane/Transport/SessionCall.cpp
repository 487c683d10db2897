#include "vorlane/Transport/SessionCall.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

SessionCall SessionCall::fromRest(SessionCallKind kind, const sdk::RestQuery& query,
                                  const std::optional<sdk::SearchOverrides>& overrides) {
    SessionCall call;
    call.kind = kind;
    call.queryId = query.name;
    call.variables = query.variables;
    call.overrides = overrides;
    return call;
}

SessionCall SessionCall::fromExplore(const sdk::ExploreQuery& query) {
    SessionCall call;
    call.kind = SessionCallKind::execute;
    call.queryId = sdk::queryIdOf(query);
    call.apiVersion = sdk::apiVersionOf(query);
    call.variables = sdk::variablesOf(query);
    call.params = sdk::paramsOf(query);
    call.body = sdk::bodyOf(query);
    return call;
}

SessionCall SessionCall::fromWatchlist(SessionCallKind kind, const sdk::WatchlistRequest& request) {
    SessionCall call;
    call.kind = kind;
    call.queryId = request.refId;
    call.watchlistRequest = request;
    return call;
}

SessionCall SessionCall::fromImport(const std::vector<sdk::Bookmark>& bookmarks) {
    SessionCall call;
    call.kind = SessionCallKind::importBookmarks;
    call.bookmarks = bookmarks;
    return call;
}

std::string SessionCall::describe() const { return json::encode(*this); }

void SessionCallLog::append(SessionCall call) {
    Listener listener;
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
        if (limit_ && calls_.size() > *limit_) calls_.pop_front();
        listener = listener_;
    }
    if (listener) listener(call);
}

void SessionCallLog::setListener(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

std::vector<SessionCall> SessionCallLog::calls() const {
    std::lock_guard lock(mutex_);
    return {calls_.begin(), calls_.end()};
}

std::size_t SessionCallLog::size() const {
    std::lock_guard lock(mutex_);
    return calls_.size();
}

void SessionCallLog::clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::SessionCall)