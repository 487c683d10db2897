#pragma once
// A JSON object kept as it was sent, for answers that carry objects of no fixed shape (the
// "errors" beside an Explore page, set or player experience). Held as its compact encoding so
// that model headers need no free-form JSON library; `JsonValue::parse(object.json)` reads it.

#include "vorlane/Platform/Json/Codec.hpp"

#include <string>

namespace vorlane::json {

struct FreeFormObject {
    std::string json;  // compact, members in document order

    bool operator==(const FreeFormObject&) const = default;
};

// Reads any JSON object (anything else fails, naming what it is); writes it back unchanged.
template <>
struct Codec<FreeFormObject> {
    static FreeFormObject decode(const Value& v);
    static void encode(Writer& w, const FreeFormObject& object) { w.raw(object.json); }
};

// Any JSON value (an object, a list, a string, ...) kept as its compact encoding, for documents
// that carry a template of a value rather than a record.
struct FreeFormValue {
    std::string json;  // compact

    bool operator==(const FreeFormValue&) const = default;
};

template <>
struct Codec<FreeFormValue> {
    static FreeFormValue decode(const Value& v);
    static void encode(Writer& w, const FreeFormValue& value) { w.raw(value.json); }
};

}  // namespace vorlane::json
