#pragma once
// Where a title is available and whether it is available in kids mode.
//
//   {"region": "US", "kidsMode": false}

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct Availability {
    std::optional<std::string> region;
    bool kidsMode = true;
    bool operator==(const Availability&) const = default;
};

// An absent region is written as null; an absent or null "kidsMode" reads as kids mode.
inline auto jsonFields(json::Tag<Availability>) {
    using namespace json::rules;
    using S = Availability;
    return fields(optional("region", &S::region, Absent::writeNull), defaulted("kidsMode", &S::kidsMode, true));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Availability)
