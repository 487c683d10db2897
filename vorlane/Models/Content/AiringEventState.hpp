#pragma once
// Where a live event stands as the Explore API shows it (upcoming, live, aired, ...), with the
// badge label to draw and the event's timeline.

#include "vorlane/Models/Playback/Timeline.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

// Closed: an unknown string fails the record that holds it.
enum class ExploreEventState { upcoming, today, pretune, live, aired, replay, reair };

constexpr auto jsonVocabulary(json::Tag<ExploreEventState>) {
    using enum ExploreEventState;
    return json::vocabulary<ExploreEventState>("ExploreEventState", {
        {upcoming, "upcoming"},
        {today, "today"},
        {pretune, "pretune"},
        {live, "live"},
        {aired, "aired"},
        {replay, "replay"},
        {reair, "reair"},
    });
}

struct AiringEventState {
    ExploreEventState state = ExploreEventState::upcoming;
    std::string badgeLabel;
    std::optional<std::string> displayText;
    std::optional<Timeline> timeline;

    bool operator==(const AiringEventState&) const = default;
};

inline auto jsonFields(json::Tag<AiringEventState>) {
    using namespace json::rules;
    using S = AiringEventState;
    return fields(required("state", &S::state),
                  required("badgeLabel", &S::badgeLabel),
                  optional("displayText", &S::displayText),
                  optional("timeline", &S::timeline));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::AiringEventState)
