#pragma once
// The timeline of a live program as an airing's event state carries it: when it starts, and
// optionally when it ends, how much of it has elapsed and how long it runs. The player
// experience's timeline has the same members, all optional; both answer the timeline interface.

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <concepts>
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

// The timeline of the program a player experience plays; the service may leave out any member.
struct PlayerTimeline {
    std::optional<std::string> startTime;
    std::optional<std::string> endTime;
    std::optional<std::int64_t> elapsedMs;
    std::optional<std::int64_t> runtimeMs;

    bool operator==(const PlayerTimeline&) const = default;
};

inline auto jsonFields(json::Tag<PlayerTimeline>) {
    using namespace json::rules;
    using S = PlayerTimeline;
    return fields(optional("startTime", &S::startTime),
                  optional("endTime", &S::endTime),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("runtimeMs", &S::runtimeMs));
}

// Records that describe a program's timeline.
template <class T>
concept TimelineProviding = requires(const T& timeline) {
    { timeline.startTime } -> std::convertible_to<std::optional<std::string>>;
    { timeline.endTime } -> std::convertible_to<std::optional<std::string>>;
    { timeline.elapsedMs } -> std::convertible_to<std::optional<std::int64_t>>;
    { timeline.runtimeMs } -> std::convertible_to<std::optional<std::int64_t>>;
};

// Whole minutes elapsed, truncated toward zero (59,999 ms is 0, -60,000 ms is -1); absent when the
// elapsed time is.
std::optional<std::int64_t> elapsedMins(const std::optional<std::int64_t>& elapsedMs) noexcept;

// The share of the program watched: elapsed over runtime, at most 1 (a negative elapsed time gives
// a negative share); 0 without an elapsed time, without a runtime, or with a runtime under 1 ms.
double contentProgress(const std::optional<std::int64_t>& elapsedMs, const std::optional<std::int64_t>& runtimeMs) noexcept;

// The timeline interface, declared once for every record that provides it.
struct TimelineFace {
    static constexpr std::string_view name = "TimelineProviding";
    template <class T>
    static constexpr bool modeledBy = TimelineProviding<T>;
    template <class T>
    static const T& view(const T& timeline) {
        return timeline;
    }
    static auto members() {
        using namespace json::derived;
        return json::derived::members(
            member("startTimeString", [](const auto& t) { return std::optional<std::string>(t.startTime); }),
            member("elapsedMins", [](const auto& t) { return elapsedMins(t.elapsedMs); }),
            member("contentProgress", [](const auto& t) { return contentProgress(t.elapsedMs, t.runtimeMs); }));
    }
};

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Timeline)
VORLANE_JSON_RECORD(vorlane::PlayerTimeline)
