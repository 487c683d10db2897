#pragma once
// Small localized-string tables.

#include "vorlane/Platform/Json/Codec.hpp"

#include <optional>
#include <string>

namespace vorlane {

// Namespace name -> string key -> localized string.
struct IntermediateLocalizedStrings {
    OrderedMap<OrderedMap<std::string>> namespaces;
    bool operator==(const IntermediateLocalizedStrings&) const = default;
};

struct EntriesDictionary {
    OrderedMap<std::string> entries;  // under "entries_json"
    std::optional<std::string> version;
    std::optional<std::string> resourceKey;
    bool operator==(const EntriesDictionary&) const = default;
};

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::IntermediateLocalizedStrings)
VORLANE_JSON_CODEC(vorlane::EntriesDictionary)
