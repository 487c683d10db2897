#pragma once
// Small localized-string tables.

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

// Namespace name -> string key -> localized string.
struct IntermediateLocalizedStrings {
    OrderedMap<OrderedMap<std::string>> namespaces;
    bool operator==(const IntermediateLocalizedStrings&) const = default;
};

inline auto jsonFields(json::Tag<IntermediateLocalizedStrings>) {
    using namespace json::rules;
    using S = IntermediateLocalizedStrings;
    return fields(required("namespaces", &S::namespaces));
}

struct EntriesDictionary {
    OrderedMap<std::string> entries;  // under "entries_json"
    std::optional<std::string> version;
    std::optional<std::string> resourceKey;
    bool operator==(const EntriesDictionary&) const = default;
};

inline auto jsonFields(json::Tag<EntriesDictionary>) {
    using namespace json::rules;
    using S = EntriesDictionary;
    return fields(required("entries_json", &S::entries),
                  optional("version", &S::version),
                  optional("resourceKey", &S::resourceKey));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::IntermediateLocalizedStrings)
VORLANE_JSON_RECORD(vorlane::EntriesDictionary)
