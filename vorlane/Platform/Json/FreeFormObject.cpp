#include "vorlane/Platform/Json/FreeFormObject.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"

namespace vorlane::json {

FreeFormObject Codec<FreeFormObject>::decode(const Value& v) {
    if (!v.isObject()) v.failExpected("an object");
    return {Codec<JsonValue>::decode(v).dump()};
}

FreeFormValue Codec<FreeFormValue>::decode(const Value& v) {
    return {Codec<JsonValue>::decode(v).dump()};
}

}  // namespace vorlane::json
