#pragma once
// The sport and the league of a sports title with the display label the service supplies, as a
// details screen lists them.
//
//   {"label": "League", "name": "Coastal Premier League"}

#include "vorlane/Platform/Json/Record.hpp"

#include <string>

namespace vorlane {

struct LabeledSport {
    std::string label;
    std::string name;
    bool operator==(const LabeledSport&) const = default;
};

inline auto jsonFields(json::Tag<LabeledSport>) {
    using namespace json::rules;
    return fields(required("label", &LabeledSport::label), required("name", &LabeledSport::name));
}

struct LabeledSportsLeague {
    std::string label;
    std::string name;
    bool operator==(const LabeledSportsLeague&) const = default;
};

inline auto jsonFields(json::Tag<LabeledSportsLeague>) {
    using namespace json::rules;
    return fields(required("label", &LabeledSportsLeague::label), required("name", &LabeledSportsLeague::name));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::LabeledSport)
VORLANE_JSON_RECORD(vorlane::LabeledSportsLeague)
