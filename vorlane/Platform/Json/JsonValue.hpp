#pragma once
// Free-form JSON values: any-valued maps (query variables, additional parameters, bookmark
// upserts, request bodies, error objects of answers). Insertion-ordered and mutable.

#include "vorlane/Platform/Json/Codec.hpp"

#include <nlohmann/json.hpp>

namespace vorlane {

using JsonValue = nlohmann::ordered_json;

// A value's JSON encoding as a free-form value.
template <class T>
JsonValue toJsonValue(const T& value, const json::EncoderSettings& settings = {}) {
    return JsonValue::parse(json::encode(value, settings));
}

}  // namespace vorlane

namespace vorlane::json {

// Any JSON value is read as it stands, members in document order (a repeated key keeps its
// first position and its last value).
template <>
struct Codec<JsonValue> {
    static JsonValue decode(const Value& v);
    static void encode(Writer& w, const JsonValue& value);
};

}  // namespace vorlane::json
