#include "vorlane/Platform/Session.hpp"

#include "vorlane/Platform/Json/Record.hpp"

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

VORLANE_JSON_RECORD(vorlane::sdk::SearchOverrides,
                    optional("endpoint", &Self::endpoint),
                    defaulted("headers", &Self::headers, vorlane::OrderedMap<std::string>{}))

VORLANE_JSON_RECORD(vorlane::sdk::Bookmark,
                    required("contentId", &Self::contentId),
                    optional("profileId", &Self::profileId),
                    required("playhead", &Self::playhead),
                    optional("runtime", &Self::runtime),
                    optional("occurredOn", &Self::occurredOn))

VORLANE_JSON_RECORD(vorlane::sdk::WatchlistRequest,
                    required("refId", &Self::refId),
                    required("refIdType", &Self::refIdType),
                    optional("infoBlock", &Self::infoBlock))

// {"contentId": "..."} or {"availId": "..."}: exactly one of the two.
vorlane::sdk::ContentIdentifier vorlane::json::Codec<vorlane::sdk::ContentIdentifier>::decode(const Value& v) {
    auto contentId = readOptional<std::string>(v, "contentId");
    auto availId = readOptional<std::string>(v, "availId");
    if (contentId && availId) v.fail(ErrorKind::dataCorrupted, "a content identifier holds \"contentId\" or \"availId\", not both");
    if (contentId) return sdk::ContentIdentifier::contentId(std::move(*contentId));
    if (availId) return sdk::ContentIdentifier::availId(std::move(*availId));
    v.failMissingKey("contentId");
}

void vorlane::json::Codec<vorlane::sdk::ContentIdentifier>::encode(Writer& w, const sdk::ContentIdentifier& id) {
    w.beginObject();
    w.key(id.kind == sdk::ContentIdentifier::Kind::contentId ? "contentId" : "availId");
    w.string(id.value);
    w.endObject();
}
