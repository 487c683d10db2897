#include "vorlane/Transport/ScriptedSession.hpp"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <variant>

namespace vorlane {

struct ScriptedSession::State {
    // One queued answer. Declared here rather than in an unnamed namespace: the state's type has
    // external linkage, and so must its members' when the file is compiled within a unity batch.
    struct Reply {
        std::variant<std::string, std::exception_ptr> outcome;
        std::optional<std::chrono::milliseconds> fromThreadAfter;
    };

    SessionCallLog log;
    std::atomic<std::size_t> apiRequests{0};
    mutable std::mutex mutex;
    std::deque<Reply> replies;
    std::vector<std::thread> workers;

    ~State() {
        for (auto& worker : workers)
            if (worker.joinable()) worker.join();
    }

    std::optional<Reply> next() {
        std::lock_guard lock(mutex);
        if (replies.empty()) return std::nullopt;
        Reply reply = std::move(replies.front());
        replies.pop_front();
        return reply;
    }

    // Records `call` and signals the next reply through `succeed`/`fail`.
    template <class Succeed, class Fail>
    void answer(SessionCall call, Succeed succeed, Fail fail) {
        std::string description = call.describe();
        log.append(std::move(call));
        auto reply = next();
        if (!reply) {
            fail(std::make_exception_ptr(ScriptedSessionError("no scripted reply left for " + description)));
            return;
        }
        if (auto* error = std::get_if<std::exception_ptr>(&reply->outcome)) {
            fail(*error);
            return;
        }
        std::string bytes = std::get<std::string>(std::move(reply->outcome));
        if (!reply->fromThreadAfter) {
            succeed(std::move(bytes));
            return;
        }
        std::lock_guard lock(mutex);
        workers.emplace_back([succeed, bytes = std::move(bytes), delay = *reply->fromThreadAfter]() mutable {
            std::this_thread::sleep_for(delay);
            succeed(std::move(bytes));
        });
    }
};

namespace {

using StatePtr = std::shared_ptr<ScriptedSession::State>;

class ScriptedBookmarks final : public sdk::BookmarkAPI {
public:
    explicit ScriptedBookmarks(StatePtr state) : state_(std::move(state)) {}
    void import(const std::vector<sdk::Bookmark>& bookmarks) override {
        state_->log.append(SessionCall::fromImport(bookmarks));
    }

private:
    StatePtr state_;
};

rx::Single<std::string> replyWithBytes(StatePtr state, SessionCall call) {
    return rx::Single<std::string>::create([state = std::move(state), call = std::move(call)](auto observer) {
        state->answer(
            call, [observer](std::string bytes) { observer.onSuccess(std::move(bytes)); },
            [observer](std::exception_ptr error) { observer.onError(error); });
    });
}

class ScriptedContentAPI final : public sdk::ContentAPI {
public:
    explicit ScriptedContentAPI(StatePtr state) : state_(std::move(state)), bookmarks_(state_) {}

    rx::Single<std::string> query(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                  std::optional<std::string>, sdk::CallSite) const override {
        return replyWithBytes(state_, SessionCall::fromRest(SessionCallKind::query, query, overrides));
    }
    sdk::BookmarkAPI& bookmarks() const override { return bookmarks_; }

protected:
    rx::Single<std::string> searchBytes(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                        std::optional<std::string>, sdk::CallSite) const override {
        return replyWithBytes(state_, SessionCall::fromRest(SessionCallKind::search, query, overrides));
    }

private:
    StatePtr state_;
    mutable ScriptedBookmarks bookmarks_;
};

class ScriptedExploreAPI final : public sdk::ExploreAPI {
public:
    explicit ScriptedExploreAPI(StatePtr state) : state_(std::move(state)) {}

    rx::Single<std::string> execute(sdk::ExploreQuery query, sdk::CallSite) const override {
        return replyWithBytes(state_, SessionCall::fromExplore(query));
    }
    rx::Completable addToWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return watchlist(SessionCallKind::addToWatchlist, std::move(request));
    }
    rx::Completable removeFromWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return watchlist(SessionCallKind::removeFromWatchlist, std::move(request));
    }

private:
    // A watchlist change consumes a reply like a query; answer bytes (any) mean success.
    rx::Completable watchlist(SessionCallKind kind, sdk::WatchlistRequest request) const {
        return rx::Completable::create([state = state_, call = SessionCall::fromWatchlist(kind, request)](auto observer) {
            state->answer(
                call, [observer](std::string) { observer.onCompleted(); },
                [observer](std::exception_ptr error) { observer.onError(error); });
        });
    }

    StatePtr state_;
};

}  // namespace

ScriptedSession::ScriptedSession() : state_(std::make_shared<State>()) {}
ScriptedSession::~ScriptedSession() = default;

void ScriptedSession::enqueueAnswer(std::string bytes) {
    std::lock_guard lock(state_->mutex);
    state_->replies.push_back({std::move(bytes), std::nullopt});
}

void ScriptedSession::enqueueError(std::exception_ptr error) {
    std::lock_guard lock(state_->mutex);
    state_->replies.push_back({std::move(error), std::nullopt});
}

void ScriptedSession::enqueueAnswerFromThread(std::string bytes, std::chrono::milliseconds delay) {
    std::lock_guard lock(state_->mutex);
    state_->replies.push_back({std::move(bytes), delay});
}

std::size_t ScriptedSession::pendingReplies() const {
    std::lock_guard lock(state_->mutex);
    return state_->replies.size();
}

std::shared_ptr<const sdk::ContentAPI> ScriptedSession::contentApi() const {
    ++state_->apiRequests;
    return std::make_shared<ScriptedContentAPI>(state_);
}

std::shared_ptr<const sdk::ExploreAPI> ScriptedSession::exploreApi() const {
    ++state_->apiRequests;
    return std::make_shared<ScriptedExploreAPI>(state_);
}

std::vector<SessionCall> ScriptedSession::calls() const { return state_->log.calls(); }

std::size_t ScriptedSession::apiRequests() const { return state_->apiRequests.load(); }

}  // namespace vorlane
