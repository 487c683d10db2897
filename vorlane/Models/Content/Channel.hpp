#pragma once
// The linear channel a video or airing is shown on, and where a live event stands in the legacy
// content API (before, during or after it, or no state).

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct Channel {
    std::optional<std::string> id;
    std::optional<std::string> partnerId;
    std::optional<std::string> callsign;
    std::optional<std::string> networkId;
    std::optional<std::string> networkName;
    bool operator==(const Channel&) const = default;
};

inline auto jsonFields(json::Tag<Channel>) {
    using namespace json::rules;
    using S = Channel;
    return fields(optional("id", &S::id),
                  optional("partnerId", &S::partnerId),
                  optional("callsign", &S::callsign),
                  optional("networkId", &S::networkId),
                  optional("networkName", &S::networkName));
}

// Closed: an unknown string fails the record that holds it.
enum class EventState { pre, mid, post, none };

constexpr auto jsonVocabulary(json::Tag<EventState>) {
    using enum EventState;
    return json::vocabulary<EventState>("EventState", {{pre, "PRE"}, {mid, "MID"}, {post, "POST"}, {none, "NONE"}});
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Channel)
