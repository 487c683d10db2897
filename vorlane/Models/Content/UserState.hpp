#pragma once
// What the service keeps about one title for one user: whether it is on the watchlist, how far the
// user got (as a percentage and the seconds that remain), when they last watched and where the
// playhead stands; the same keyed by entity id, and the user state kept with a download.

#include "vorlane/Platform/Date.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane {

// Progress as the service reports it. The runtime and playhead in seconds follow from the two
// numbers: with f the fraction watched and r the seconds remaining, runtime = r / (1 - f) and
// playhead = f * r / (1 - f).
struct UserStateProgress {
    std::optional<std::int64_t> progressPercentage;
    std::optional<std::int64_t> secondsRemaining;

    // The fraction watched, 0 without a percentage.
    double rawProgress() const noexcept;
    // Both need a percentage and a remaining time of at least 1 each. A percentage of 100 or more
    // with time still remaining contradicts itself (the formulas would divide by zero or give a
    // negative runtime), so it gives no runtime and no playhead either rather than a guess.
    std::optional<double> runtime() const noexcept;
    std::optional<double> playhead() const noexcept;

    bool operator==(const UserStateProgress&) const = default;
};

inline auto jsonFields(json::Tag<UserStateProgress>) {
    using namespace json::rules;
    using S = UserStateProgress;
    return fields(optional("progressPercentage", &S::progressPercentage),
                  optional("secondsRemaining", &S::secondsRemaining));
}

inline auto jsonDerived(json::Tag<UserStateProgress>) {
    using namespace json::derived;
    return members(member("rawProgress", &UserStateProgress::rawProgress),
                   member("runtime", &UserStateProgress::runtime),
                   member("playhead", &UserStateProgress::playhead));
}

// Read from the service as {"inWatchlist", "progress", "timestamp", "playhead"}; written as
// {"inWatchlist", "progress", "occurredOn", "rawPlayhead"}, and that form reads back as well.
struct UserState {
    std::optional<bool> inWatchlist;
    std::optional<UserStateProgress> progress;
    std::optional<Date> occurredOn;  // from an ISO 8601 "timestamp"; text that does not parse reads as absent
    std::optional<double> rawPlayhead;

    // The playhead the service sent, else the one its progress implies, else absent.
    std::optional<double> playhead() const noexcept;

    bool operator==(const UserState&) const = default;
};

// The user states of several titles by entity id, under {"data": {"entityStates": {...}}}.
struct UserEntityStateMap {
    OrderedMap<UserState> entityStateMap;
    bool operator==(const UserEntityStateMap&) const = default;
};

// The user state kept with a download.
struct DownloadUserState {
    double playhead = 0;
    std::optional<UserStateProgress> progress;
    std::optional<std::string> lastWatchedTimestamp;

    // The parsed `lastWatchedTimestamp`; absent when there is none or it is not an ISO 8601 date.
    std::optional<Date> occurredOn() const;

    bool operator==(const DownloadUserState&) const = default;
};

inline auto jsonFields(json::Tag<DownloadUserState>) {
    using namespace json::rules;
    using S = DownloadUserState;
    return fields(required("playheadSeconds", &S::playhead),
                  optional("progress", &S::progress),
                  optional("lastWatchedTimestamp", &S::lastWatchedTimestamp));
}

inline auto jsonDerived(json::Tag<DownloadUserState>) {
    using namespace json::derived;
    return members(member("occurredOn", &DownloadUserState::occurredOn));
}

}  // namespace vorlane

// Hand-written: the date and the playhead are read under other keys than they are written under,
// and a timestamp that does not parse is dropped rather than failing the state.
VORLANE_JSON_CODEC(vorlane::UserState)

namespace vorlane {

inline auto jsonFields(json::Tag<UserEntityStateMap>) {
    using namespace json::rules;
    using S = UserEntityStateMap;
    return fields(nested("data", required("entityStates", &S::entityStateMap)));
}

inline auto jsonDerived(json::Tag<UserState>) {
    using namespace json::derived;
    return members(member("playhead", &UserState::playhead));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::UserStateProgress)
VORLANE_JSON_RECORD(vorlane::DownloadUserState)
VORLANE_JSON_RECORD(vorlane::UserEntityStateMap)
