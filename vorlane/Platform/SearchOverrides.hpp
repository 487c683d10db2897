#pragma once
// Per-request adjustments of the client session, apart from the session itself so that records of
// the configuration layer can hold them.

#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane::sdk {

// Per-request adjustments a host can set (a different endpoint, extra headers). The service passes
// the current value through without reading it.
struct SearchOverrides {
    std::optional<std::string> endpoint;
    OrderedMap<std::string> headers;
    bool operator==(const SearchOverrides&) const = default;
};

inline auto jsonFields(json::Tag<sdk::SearchOverrides>) {
    using namespace json::rules;
    using S = sdk::SearchOverrides;
    return fields(optional("endpoint", &S::endpoint),
                  defaulted("headers", &S::headers, vorlane::OrderedMap<std::string>{}));
}

}  // namespace vorlane::sdk

// Compiled once, in Session.cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::sdk::SearchOverrides)
