#pragma once
// Visuals that consist of one ready-made display text.
//
//   {"displayText": "Coming Friday"}

#include "vorlane/Platform/Json/Record.hpp"

#include <string>

namespace vorlane {

struct DisplayTextVisuals {
    std::string displayText;
    bool operator==(const DisplayTextVisuals&) const = default;
};

inline auto jsonFields(json::Tag<DisplayTextVisuals>) {
    using namespace json::rules;
    return fields(required("displayText", &DisplayTextVisuals::displayText));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::DisplayTextVisuals)
