#include "vorlane/Platform/ContentIdentifier.hpp"

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
