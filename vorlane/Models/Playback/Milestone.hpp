#pragma once
// Milestones: points in a title's timeline the player reacts to (intro and recap to skip, end
// credits, the up-next prompt, a thumbnail frame, the start and end of a broadcast). The legacy
// content API sends them with videos and airings as a dictionary from milestone type to a list of
// milestones, each milestone carrying one or more times.

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct Milestone {
    // The key of the milestone dictionary. Closed: the type's own decoding fails on any other
    // string (the dictionary itself keeps such keys as strings).
    enum class MilestoneType {
        upNext,
        introStart,
        introEnd,
        recapStart,
        recapEnd,
        tagStart,
        tagEnd,
        clipStart,
        clipEnd,
        thumbnailFrame,
        broadcastStart,
        broadcastEnd,
        firstFrameOfCompositionForDisplay,
        lastFrameOfCompositionForDisplay,
        firstFrameOfTitleCredits,
        lastFrameOfTitleCredits,
        firstFrameOfIntermission,
        lastFrameOfIntermission,
        firstFrameOfRatingsSlate,
        lastFrameOfRatingsSlate,
        firstFrameOfEndCredits,
        lastFrameOfEndCredits,
        firstFrameOfMovingEndCredits,
        lastFrameOfMovingEndCredits,
        firstFrameOfEpisodeRecap,
        lastFrameOfEpisodeRecap,
        firstFrameOfEpisodeIntro,
        lastFrameOfEpisodeIntro,
        firstFrameOfNextPreview,
        lastFrameOfNextPreview,
        firstFrameOfCommercialBlack,
        lastFrameOfCommercialBlack,
    };

    // How a time is measured. Only `offset` times (milliseconds from the start of the media) are
    // ever used; decoding never fails (anything but "offset" reads as `unknown`), while
    // json::fromWireString stays strict.
    enum class MilestoneTimeType { offset, unknown };

    struct MilestoneTime {
        std::int64_t startMillis = 0;
        MilestoneTimeType type = MilestoneTimeType::unknown;
        bool operator==(const MilestoneTime&) const = default;
    };

    std::string id;
    std::vector<MilestoneTime> milestoneTime;

    // The startMillis of the first `offset` time; absent without one (`unknown` times never count,
    // even when they come first).
    std::optional<std::int64_t> startMilliseconds() const noexcept;
    // The same time in seconds (1500 ms gives 1.5).
    std::optional<double> startSeconds() const noexcept;

    bool operator==(const Milestone&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<Milestone::MilestoneType>) {
    using enum Milestone::MilestoneType;
    // Three naming styles: lower snake case, the upper snake case broadcast pair, and frame codes.
    // The ratings slate uses B and the next preview UN; neither follows from the case names.
    return json::vocabulary<Milestone::MilestoneType>("Milestone.MilestoneType", {
        {upNext, "up_next"},
        {introStart, "intro_start"},
        {introEnd, "intro_end"},
        {recapStart, "recap_start"},
        {recapEnd, "recap_end"},
        {tagStart, "tag_start"},
        {tagEnd, "tag_end"},
        {clipStart, "clip_start"},
        {clipEnd, "clip_end"},
        {thumbnailFrame, "thumbnail_frame"},
        {broadcastStart, "BROADCAST_START"},
        {broadcastEnd, "BROADCAST_END"},
        {firstFrameOfCompositionForDisplay, "FFOC"},
        {lastFrameOfCompositionForDisplay, "LFOC"},
        {firstFrameOfTitleCredits, "FFTC"},
        {lastFrameOfTitleCredits, "LFTC"},
        {firstFrameOfIntermission, "FFOI"},
        {lastFrameOfIntermission, "LFOI"},
        {firstFrameOfRatingsSlate, "FFOB"},
        {lastFrameOfRatingsSlate, "LFOB"},
        {firstFrameOfEndCredits, "FFEC"},
        {lastFrameOfEndCredits, "LFEC"},
        {firstFrameOfMovingEndCredits, "FFMC"},
        {lastFrameOfMovingEndCredits, "LFMC"},
        {firstFrameOfEpisodeRecap, "FFER"},
        {lastFrameOfEpisodeRecap, "LFER"},
        {firstFrameOfEpisodeIntro, "FFEI"},
        {lastFrameOfEpisodeIntro, "LFEI"},
        {firstFrameOfNextPreview, "FFUN"},
        {lastFrameOfNextPreview, "LFUN"},
        {firstFrameOfCommercialBlack, "FFCB"},
        {lastFrameOfCommercialBlack, "LFCB"},
    });
}

constexpr auto jsonVocabulary(json::Tag<Milestone::MilestoneTimeType>) {
    using enum Milestone::MilestoneTimeType;
    return json::vocabulary<Milestone::MilestoneTimeType>("Milestone.MilestoneTimeType", {
        {offset, "offset"},
        {unknown, "unknown"},
    }).neverFailing(unknown);
}

// A time needs "startMillis" (an integer) and the key "type", whose value never fails.
inline auto jsonFields(json::Tag<Milestone::MilestoneTime>) {
    using namespace json::rules;
    using S = Milestone::MilestoneTime;
    return fields(required("startMillis", &S::startMillis), required("type", &S::type));
}

// A time that fails to decode is dropped from its milestone; the list itself is required.
inline auto jsonFields(json::Tag<Milestone>) {
    using namespace json::rules;
    using S = Milestone;
    return fields(required("id", &S::id), lenient("milestoneTime", &S::milestoneTime));
}

inline auto jsonDerived(json::Tag<Milestone>) {
    using namespace json::derived;
    return members(member("startMilliseconds", &Milestone::startMilliseconds),
                   member("startSeconds", &Milestone::startSeconds));
}

// The milestones of a video or airing, keyed by milestone-type wire string in document order. A
// key that names no milestone type stays, reachable only by its string; a milestone that fails to
// decode fails the dictionary.
using MilestoneDictionary = OrderedMap<std::vector<Milestone>>;

// The milestones that have a start time, earliest first (milestones with equal start times keep
// their list order).
[[nodiscard]] std::vector<Milestone> chronological(const std::vector<Milestone>& milestones);

// The list under the type's wire string (exact, case-sensitive), or an empty list.
[[nodiscard]] const std::vector<Milestone>& milestones(const MilestoneDictionary& dictionary,
                                                       Milestone::MilestoneType type) noexcept;
// The first and the last element of `chronological` of that list; absent when no milestone of the
// type has an `offset` time, even though `milestones` returns them.
[[nodiscard]] std::optional<Milestone> firstOccurrence(const MilestoneDictionary& dictionary,
                                                       Milestone::MilestoneType type);
[[nodiscard]] std::optional<Milestone> latestOccurrence(const MilestoneDictionary& dictionary,
                                                        Milestone::MilestoneType type);

inline auto jsonDerived(json::Tag<std::vector<Milestone>>) {
    using namespace json::derived;
    return members(member("chronological", [](const std::vector<Milestone>& list) { return chronological(list); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Milestone::MilestoneTime)
VORLANE_JSON_RECORD(vorlane::Milestone)
