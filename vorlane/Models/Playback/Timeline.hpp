#pragma once
// The timeline of a live program as an airing's event state carries it: when it starts, and
// optionally when it ends, how much of it has elapsed and how long it runs.

#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane {

struct Timeline {
    std::string startTime;
    std::optional<std::string> endTime;
    std::optional<std::int64_t> elapsedMs;
    std::optional<std::int64_t> runtimeMs;

    bool operator==(const Timeline&) const = default;
};

inline auto jsonFields(json::Tag<Timeline>) {
    using namespace json::rules;
    using S = Timeline;
    return fields(required("startTime", &S::startTime),
                  optional("endTime", &S::endTime),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("runtimeMs", &S::runtimeMs));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Timeline)
