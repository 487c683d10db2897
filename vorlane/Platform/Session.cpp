#include "vorlane/Platform/Session.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane::sdk {

const std::string& queryIdOf(const ExploreQuery& query) {
    return std::visit([](const auto& q) -> const std::string& { return q.queryId; }, query);
}

const std::string& apiVersionOf(const ExploreQuery& query) {
    return std::visit([](const auto& q) -> const std::string& { return q.apiVersion; }, query);
}

std::optional<JsonValue> variablesOf(const ExploreQuery& query) {
    if (const auto* get = std::get_if<ExploreGetQuery>(&query)) return get->variables;
    return std::nullopt;
}

std::optional<JsonValue> paramsOf(const ExploreQuery& query) {
    if (const auto* get = std::get_if<ExploreGetQuery>(&query)) return get->params;
    return std::nullopt;
}

std::optional<std::string> bodyOf(const ExploreQuery& query) {
    if (const auto* post = std::get_if<ExplorePostQuery>(&query)) return post->body;
    return std::nullopt;
}

}  // namespace vorlane::sdk

VORLANE_JSON_DEFINE(vorlane::sdk::SearchOverrides)
VORLANE_JSON_DEFINE(vorlane::sdk::Bookmark)
VORLANE_JSON_DEFINE(vorlane::sdk::WatchlistRequest)
