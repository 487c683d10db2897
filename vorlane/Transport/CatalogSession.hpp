#pragma once
// A session that answers from a catalog directory, with no network: the default session of the
// command line and the tests.
//
// Each query is routed through the catalog's manifest: an answer matches when its query key's
// descriptor in the catalog configuration names the query id (and, for Explore queries, the API
// version) that was sent, and every variable and param it lists was sent with an equal value (an
// Explore POST body's members are matched against the listed variables). The answer listing the
// most members wins; among equals, the earlier one. A query with no matching answer fails with
// CatalogSessionError naming the query and what was sent.
//
// Every call is recorded, in order, when it runs (at subscription), and bookmark imports when they
// are made; a session given a call limit keeps only the latest that many (see SessionCallLog), for
// sessions that run long. Answers are read from disk at subscription time and delivered on the
// subscribing thread.

#include "vorlane/Platform/Session.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"
#include "vorlane/Transport/SessionCall.hpp"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace vorlane {

class CatalogSessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A query that no answer of the catalog matches; the message names the query id, the query keys
// whose descriptors name it, and what was sent.
class UnroutedQueryError : public CatalogSessionError {
public:
    using CatalogSessionError::CatalogSessionError;
};

class CatalogSession final : public sdk::Session {
public:
    // Records every call, or only the latest `callLimit` calls when given one.
    explicit CatalogSession(Catalog catalog, std::optional<std::size_t> callLimit = std::nullopt);
    // Loads the catalog in `directory` (see Catalog::load for its errors); `callLimit` as above.
    static std::shared_ptr<CatalogSession> open(const std::filesystem::path& directory,
                                                std::optional<std::size_t> callLimit = std::nullopt);

    std::shared_ptr<const sdk::ContentAPI> contentApi() const override;
    std::shared_ptr<const sdk::ExploreAPI> exploreApi() const override;

    const Catalog& catalog() const noexcept;
    // The calls received so far (the latest `callLimit` of them, with a limit), in order.
    std::vector<SessionCall> calls() const;
    // Tells `listener` of each call as it is recorded, before it is answered (empty: no one).
    void onCall(SessionCallLog::Listener listener);

    // The answer a query would get, or null. `variables`, `params` may be null; for an Explore
    // POST query pass its parsed body as `variables`.
    const CatalogAnswer* route(CatalogApi api, const std::string& queryId, const std::optional<std::string>& apiVersion,
                               const JsonValue* variables, const JsonValue* params) const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace vorlane
