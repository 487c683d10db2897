#include "vorlane/Transport/HttpSession.hpp"

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Log.hpp"

namespace vorlane {

struct HttpSession::State : std::enable_shared_from_this<HttpSession::State> {
    explicit State(HttpSessionOptions sessionOptions)
        : options(std::move(sessionOptions)), client(options.client) {
        if (options.baseUrl.empty() || options.baseUrl.back() != '/') options.baseUrl += '/';
    }

    HttpRequest request(std::string method, const std::string& path, std::optional<std::string> body) const {
        HttpRequest out{std::move(method), options.baseUrl + path, options.extraHeaders, std::move(body)};
        out.headers.emplace_back("Accept", "application/json");
        if (out.body) out.headers.emplace_back("Content-Type", "application/json");
        return out;
    }

    // Sends when subscribed, recording `call` first. The state lives as long as the call does.
    rx::Single<std::string> exchange(SessionCall call, HttpRequest request) const {
        auto sent = client.send(std::move(request));
        return rx::Single<std::string>::create([self = shared_from_this(), call = std::move(call), sent](auto observer) {
            self->log.append(call);
            observer.addCancellation(sent.subscribe([observer](HttpResponse response) { observer.onSuccess(std::move(response.body)); },
                                                    [observer](std::exception_ptr error) { observer.onError(error); }));
        });
    }

    HttpSessionOptions options;
    HttpClient client;
    mutable SessionCallLog log;
};

namespace {

std::string restBody(const sdk::RestQuery& query, const std::optional<sdk::SearchOverrides>& overrides) {
    JsonValue body = JsonValue::object();
    body["queryId"] = query.name;
    body["variables"] = query.variables;
    if (overrides) body["overrides"] = JsonValue::parse(json::encode(*overrides));
    return body.dump();
}

std::string explorePath(const std::string& apiVersion, const std::string& queryId) {
    return "explore/" + percentEncoded(apiVersion) + "/" + percentEncoded(queryId, true);
}

class HttpBookmarks final : public sdk::BookmarkAPI {
public:
    explicit HttpBookmarks(const HttpSession::State& state) : state_(state) {}

    // Synchronous for the caller: the import is recorded and sent at once; its outcome is logged,
    // since nothing waits for it.
    void import(const std::vector<sdk::Bookmark>& bookmarks) override {
        std::string body = json::encode(bookmarks);
        state_.exchange(SessionCall::fromImport(bookmarks), state_.request("POST", "bookmarks/import", std::move(body)))
            .subscribe([](const std::string&) {},
                       [](std::exception_ptr error) {
                           try {
                               std::rethrow_exception(error);
                           } catch (const std::exception& e) {
                               Log::shared.error(std::string("bookmark import failed: ") + e.what(), "import(_:)", __LINE__);
                           }
                       });
    }

private:
    const HttpSession::State& state_;
};

class HttpContentAPI final : public sdk::ContentAPI {
public:
    explicit HttpContentAPI(std::shared_ptr<const HttpSession::State> state) : state_(std::move(state)), bookmarks_(*state_) {}

    rx::Single<std::string> query(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                  std::optional<std::string>, sdk::CallSite) const override {
        return run(SessionCallKind::query, "content/query", query, overrides);
    }
    sdk::BookmarkAPI& bookmarks() const override { return bookmarks_; }

protected:
    rx::Single<std::string> searchBytes(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                        std::optional<std::string>, sdk::CallSite) const override {
        return run(SessionCallKind::search, "content/search", query, overrides);
    }

private:
    rx::Single<std::string> run(SessionCallKind kind, const std::string& path, const sdk::RestQuery& query,
                                const std::optional<sdk::SearchOverrides>& overrides) const {
        return state_->exchange(SessionCall::fromRest(kind, query, overrides),
                                state_->request("POST", path, restBody(query, overrides)));
    }

    std::shared_ptr<const HttpSession::State> state_;
    mutable HttpBookmarks bookmarks_;
};

class HttpExploreAPI final : public sdk::ExploreAPI {
public:
    explicit HttpExploreAPI(std::shared_ptr<const HttpSession::State> state) : state_(std::move(state)) {}

    rx::Single<std::string> execute(sdk::ExploreQuery query, sdk::CallSite) const override {
        SessionCall call = SessionCall::fromExplore(query);
        std::string path = explorePath(sdk::apiVersionOf(query), sdk::queryIdOf(query));
        if (const auto* post = std::get_if<sdk::ExplorePostQuery>(&query))
            return state_->exchange(std::move(call), state_->request("POST", path, post->body));
        std::string separator = "?";
        for (const auto& [name, map] : {std::pair{"variables", sdk::variablesOf(query)}, std::pair{"params", sdk::paramsOf(query)}}) {
            if (!map) continue;
            path += separator + name + "=" + percentEncoded(map->dump());
            separator = "&";
        }
        return state_->exchange(std::move(call), state_->request("GET", path, std::nullopt));
    }

    rx::Completable addToWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return change(SessionCallKind::addToWatchlist, "explore/watchlist/add", request);
    }
    rx::Completable removeFromWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return change(SessionCallKind::removeFromWatchlist, "explore/watchlist/remove", request);
    }

private:
    rx::Completable change(SessionCallKind kind, const char* path, const sdk::WatchlistRequest& request) const {
        auto sent = state_->exchange(SessionCall::fromWatchlist(kind, request),
                                     state_->request("POST", path, json::encode(request)));
        return rx::Completable::create([sent](auto observer) {
            observer.addCancellation(sent.subscribe([observer](const std::string&) { observer.onCompleted(); },
                                                    [observer](std::exception_ptr error) { observer.onError(error); }));
        });
    }

    std::shared_ptr<const HttpSession::State> state_;
};

}  // namespace

HttpSession::HttpSession(HttpSessionOptions options) : state_(std::make_shared<State>(std::move(options))) {}

HttpSession::~HttpSession() = default;

std::shared_ptr<const sdk::ContentAPI> HttpSession::contentApi() const { return std::make_shared<HttpContentAPI>(state_); }

std::shared_ptr<const sdk::ExploreAPI> HttpSession::exploreApi() const { return std::make_shared<HttpExploreAPI>(state_); }

const std::string& HttpSession::baseUrl() const noexcept { return state_->options.baseUrl; }

const HttpClient& HttpSession::client() const noexcept { return state_->client; }

std::vector<SessionCall> HttpSession::calls() const { return state_->log.calls(); }

void HttpSession::onCall(SessionCallLog::Listener listener) { state_->log.setListener(std::move(listener)); }

rx::Single<std::string> HttpSession::queryConfiguration() const {
    return state_->client.send(state_->request("GET", "config/query-configuration", std::nullopt))
        .map([](HttpResponse response) { return std::move(response.body); });
}

}  // namespace vorlane
