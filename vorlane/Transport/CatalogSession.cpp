#include "vorlane/Transport/CatalogSession.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

namespace vorlane {

namespace {

// Every member of `listed` is in `sent` with an equal value. Returns the number matched, or -1.
int matchMembers(const std::optional<JsonValue>& listed, const JsonValue* sent) {
    if (!listed) return 0;
    int matched = 0;
    for (const auto& [key, value] : listed->items()) {
        if (!sent || !sent->is_object()) return -1;
        auto it = sent->find(key);
        if (it == sent->end() || *it != value) return -1;
        ++matched;
    }
    return matched;
}

std::string describeSent(const ContentQueryConfiguration& configuration, const std::string& queryId,
                         const std::optional<std::string>& apiVersion, const JsonValue* variables,
                         const JsonValue* params, const std::optional<std::string>& body) {
    std::string text = "\"" + queryId + "\"", notes;
    for (const auto& [key, descriptor] : configuration.queryDescriptors)
        if (descriptor.queryId == queryId) notes += (notes.empty() ? "key \"" : ", key \"") + std::string(key) + "\"";
    if (apiVersion) notes += (notes.empty() ? "" : ", ") + std::string("apiVersion \"") + *apiVersion + "\"";
    if (!notes.empty()) text += " (" + notes + ")";
    text += " with variables " + (variables ? variables->dump() : std::string("none"));
    if (params) text += ", params " + params->dump();
    if (body) text += ", body " + *body;
    return text;
}

}  // namespace

struct CatalogSession::State {
    State(Catalog catalog, std::optional<std::size_t> callLimit) : catalog(std::move(catalog)), log(callLimit) {}

    Catalog catalog;
    SessionCallLog log;

    const CatalogAnswer* route(CatalogApi api, const std::string& queryId, const std::optional<std::string>& apiVersion,
                               const JsonValue* variables, const JsonValue* params) const {
        const CatalogAnswer* best = nullptr;
        int bestScore = -1;
        for (const auto& answer : catalog.manifest.answers) {
            if (!answer.query || answer.api != api) continue;
            const auto* descriptor = catalog.configuration.descriptor(answer.query->key);
            if (!descriptor || descriptor->queryId != queryId) continue;
            if (apiVersion && descriptor->apiVersion != *apiVersion) continue;
            int fromVariables = matchMembers(answer.query->variables, variables);
            int fromParams = matchMembers(answer.query->params, params);
            if (fromVariables < 0 || fromParams < 0) continue;
            if (fromVariables + fromParams > bestScore) {
                best = &answer;
                bestScore = fromVariables + fromParams;
            }
        }
        return best;
    }

    // Reads the routed answer, or fails naming what was sent.
    std::string answer(CatalogApi api, const std::string& queryId, const std::optional<std::string>& apiVersion,
                       const JsonValue* variables, const JsonValue* params, const std::optional<std::string>& body) const {
        const CatalogAnswer* found = route(api, queryId, apiVersion, variables, params);
        if (!found)
            throw UnroutedQueryError(std::string("the catalog has no answer for ") +
                                     (api == CatalogApi::explore ? "Explore query " : "query ") +
                                     describeSent(catalog.configuration, queryId, apiVersion, variables, params, body));
        return read(*found);
    }

    // The answer's bytes, read as `vorlane check` reads them: from a path that stays inside the
    // catalog, no more than the answer size limit, of a type the registry knows.
    std::string read(const CatalogAnswer& found) const {
        const auto* type = findDecodableType(found.type);
        if (!type)
            throw CatalogSessionError("the answer " + found.file + " declares the unknown type \"" + found.type + "\"");
        try {
            const auto path = catalog.resolve(found.file, "answer to this query");
            return std::string(json::PaddedAnswer::fromFile(path, type->settings().maxAnswerBytes).text());
        } catch (const std::exception& error) {
            throw CatalogSessionError("the answer " + found.file + " cannot be read: " + error.what());
        }
    }
};

namespace {

class CatalogBookmarks final : public sdk::BookmarkAPI {
public:
    explicit CatalogBookmarks(std::shared_ptr<CatalogSession::State> state) : state_(std::move(state)) {}
    void import(const std::vector<sdk::Bookmark>& bookmarks) override {
        state_->log.append(SessionCall::fromImport(bookmarks));
    }

private:
    std::shared_ptr<CatalogSession::State> state_;
};

class CatalogContentAPI final : public sdk::ContentAPI {
public:
    explicit CatalogContentAPI(std::shared_ptr<CatalogSession::State> state)
        : state_(std::move(state)), bookmarks_(state_) {}

    rx::Single<std::string> query(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                  std::optional<std::string>, sdk::CallSite) const override {
        return run(SessionCallKind::query, std::move(query), std::move(overrides));
    }
    sdk::BookmarkAPI& bookmarks() const override { return bookmarks_; }

protected:
    rx::Single<std::string> searchBytes(sdk::RestQuery query, std::optional<sdk::SearchOverrides> overrides,
                                        std::optional<std::string>, sdk::CallSite) const override {
        return run(SessionCallKind::search, std::move(query), std::move(overrides));
    }

private:
    rx::Single<std::string> run(SessionCallKind kind, sdk::RestQuery query,
                                std::optional<sdk::SearchOverrides> overrides) const {
        return rx::Single<std::string>::create(
            [state = state_, kind, query = std::move(query), overrides = std::move(overrides)](auto observer) {
                state->log.append(SessionCall::fromRest(kind, query, overrides));
                observer.onSuccess(state->answer(CatalogApi::content, query.name, std::nullopt, &query.variables,
                                                 nullptr, std::nullopt));
            });
    }

    std::shared_ptr<CatalogSession::State> state_;
    mutable CatalogBookmarks bookmarks_;
};

class CatalogExploreAPI final : public sdk::ExploreAPI {
public:
    explicit CatalogExploreAPI(std::shared_ptr<CatalogSession::State> state) : state_(std::move(state)) {}

    rx::Single<std::string> execute(sdk::ExploreQuery query, sdk::CallSite) const override {
        return rx::Single<std::string>::create([state = state_, query = std::move(query)](auto observer) {
            SessionCall call = SessionCall::fromExplore(query);
            state->log.append(call);
            std::optional<JsonValue> body;
            if (call.body) {
                body = JsonValue::parse(*call.body, nullptr, false);
                if (body->is_discarded()) throw CatalogSessionError("the Explore query \"" + call.queryId + "\" has a body that is not JSON");
            }
            const JsonValue* variables = body ? &*body : (call.variables ? &*call.variables : nullptr);
            observer.onSuccess(state->answer(CatalogApi::explore, call.queryId, call.apiVersion, variables,
                                             call.params ? &*call.params : nullptr, call.body));
        });
    }

    rx::Completable addToWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return record(SessionCallKind::addToWatchlist, std::move(request));
    }
    rx::Completable removeFromWatchlist(sdk::WatchlistRequest request, sdk::CallSite) const override {
        return record(SessionCallKind::removeFromWatchlist, std::move(request));
    }

private:
    rx::Completable record(SessionCallKind kind, sdk::WatchlistRequest request) const {
        return rx::Completable::create([state = state_, kind, request = std::move(request)](auto observer) {
            state->log.append(SessionCall::fromWatchlist(kind, request));
            observer.onCompleted();
        });
    }

    std::shared_ptr<CatalogSession::State> state_;
};

}  // namespace

CatalogSession::CatalogSession(Catalog catalog, std::optional<std::size_t> callLimit)
    : state_(std::make_shared<State>(std::move(catalog), callLimit)) {}

std::shared_ptr<CatalogSession> CatalogSession::open(const std::filesystem::path& directory,
                                                     std::optional<std::size_t> callLimit) {
    return std::make_shared<CatalogSession>(Catalog::load(directory), callLimit);
}

std::shared_ptr<const sdk::ContentAPI> CatalogSession::contentApi() const {
    return std::make_shared<CatalogContentAPI>(state_);
}

std::shared_ptr<const sdk::ExploreAPI> CatalogSession::exploreApi() const {
    return std::make_shared<CatalogExploreAPI>(state_);
}

const Catalog& CatalogSession::catalog() const noexcept { return state_->catalog; }

std::vector<SessionCall> CatalogSession::calls() const { return state_->log.calls(); }

void CatalogSession::onCall(SessionCallLog::Listener listener) { state_->log.setListener(std::move(listener)); }

const CatalogAnswer* CatalogSession::route(CatalogApi api, const std::string& queryId,
                                           const std::optional<std::string>& apiVersion, const JsonValue* variables,
                                           const JsonValue* params) const {
    return state_->route(api, queryId, apiVersion, variables, params);
}

}  // namespace vorlane
