#include "vorlane/Platform/Json/JsonValue.hpp"

namespace vorlane::json {

JsonValue Codec<JsonValue>::decode(const Value& v) {
    switch (v.kind()) {
        case ValueKind::null: return nullptr;
        case ValueKind::boolean: return v.boolean();
        case ValueKind::int64: return v.int64();
        case ValueKind::uint64: return v.uint64();
        case ValueKind::floating: return v.number();
        case ValueKind::string: return std::string(v.string());
        case ValueKind::array: {
            JsonValue out = JsonValue::array();
            for (auto cursor = v.elements(); cursor.next();) out.push_back(decode(cursor.value()));
            return out;
        }
        case ValueKind::object: {
            JsonValue out = JsonValue::object();
            for (auto cursor = v.members(); cursor.next();) out[std::string(cursor.key())] = decode(cursor.value());
            return out;
        }
    }
    return nullptr;
}

namespace {
// The text form would write a non-finite number anywhere in the value as null; refuse it instead.
void checkFinite(const JsonValue& value) {
    if (value.is_number_float() && !std::isfinite(value.get<double>()))
        throw EncodingError("cannot write a non-finite number as JSON");
    if (value.is_structured())
        for (const auto& element : value) checkFinite(element);
}
}  // namespace

void Codec<JsonValue>::encode(Writer& w, const JsonValue& value) {
    checkFinite(value);
    w.raw(value.dump());
}

}  // namespace vorlane::json
