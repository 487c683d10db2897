#pragma once
// The running time of a title in milliseconds, plain or with the service's label.
//
//   {"label": "Runtime", "runtimeMs": 5400000}

#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <string>

namespace vorlane {

struct Duration {
    std::int64_t runtimeMs = 0;
    bool operator==(const Duration&) const = default;
};

inline auto jsonFields(json::Tag<Duration>) {
    using namespace json::rules;
    return fields(required("runtimeMs", &Duration::runtimeMs));
}

struct LabeledDuration {
    std::string label;
    std::int64_t runtimeMs = 0;
    bool operator==(const LabeledDuration&) const = default;
};

inline auto jsonFields(json::Tag<LabeledDuration>) {
    using namespace json::rules;
    using S = LabeledDuration;
    return fields(required("label", &S::label), required("runtimeMs", &S::runtimeMs));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Duration)
VORLANE_JSON_RECORD(vorlane::LabeledDuration)
