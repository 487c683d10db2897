#include "vorlane/Models/Playback/Milestone.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>

namespace vorlane {

std::optional<std::int64_t> Milestone::startMilliseconds() const noexcept {
    for (const auto& time : milestoneTime)
        if (time.type == MilestoneTimeType::offset) return time.startMillis;
    return std::nullopt;
}

std::optional<double> Milestone::startSeconds() const noexcept {
    if (auto millis = startMilliseconds()) return static_cast<double>(*millis) / 1000.0;
    return std::nullopt;
}

std::vector<Milestone> chronological(const std::vector<Milestone>& milestones) {
    struct Timed {
        std::int64_t start;
        const Milestone* milestone;
    };
    std::vector<Timed> timed;
    timed.reserve(milestones.size());
    for (const auto& milestone : milestones)
        if (auto start = milestone.startMilliseconds()) timed.push_back({*start, &milestone});
    std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.start < b.start; });
    std::vector<Milestone> out;
    out.reserve(timed.size());
    for (const auto& entry : timed) out.push_back(*entry.milestone);
    return out;
}

const std::vector<Milestone>& milestones(const MilestoneDictionary& dictionary, Milestone::MilestoneType type) noexcept {
    static const std::vector<Milestone> none;
    const auto* list = dictionary.find(type);
    return list ? *list : none;
}

// The two occurrences scan the list once, choosing what `chronological` would put first (the
// earliest start, the earlier in the list on a tie) or last (the latest start, the later on a tie).
std::optional<Milestone> firstOccurrence(const MilestoneDictionary& dictionary, Milestone::MilestoneType type) {
    const Milestone* first = nullptr;
    std::int64_t earliest = 0;
    for (const auto& milestone : milestones(dictionary, type)) {
        auto start = milestone.startMilliseconds();
        if (start && (!first || *start < earliest)) {
            first = &milestone;
            earliest = *start;
        }
    }
    return first ? std::optional<Milestone>(*first) : std::nullopt;
}

std::optional<Milestone> latestOccurrence(const MilestoneDictionary& dictionary, Milestone::MilestoneType type) {
    const Milestone* latest = nullptr;
    std::int64_t last = 0;
    for (const auto& milestone : milestones(dictionary, type)) {
        auto start = milestone.startMilliseconds();
        if (start && (!latest || *start >= last)) {
            latest = &milestone;
            last = *start;
        }
    }
    return latest ? std::optional<Milestone>(*latest) : std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::Milestone::MilestoneTime)
VORLANE_JSON_DEFINE(vorlane::Milestone)
