#include "vorlane/Models/Playback/Timeline.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Timeline)
VORLANE_JSON_DEFINE(vorlane::PlayerTimeline)

namespace vorlane {

std::optional<std::int64_t> elapsedMins(const std::optional<std::int64_t>& elapsedMs) noexcept {
    if (!elapsedMs) return std::nullopt;
    return *elapsedMs / 60000;  // integer division truncates toward zero
}

double contentProgress(const std::optional<std::int64_t>& elapsedMs, const std::optional<std::int64_t>& runtimeMs) noexcept {
    if (!elapsedMs || !runtimeMs || *runtimeMs < 1) return 0;
    const double progress = static_cast<double>(*elapsedMs) / static_cast<double>(*runtimeMs);
    return progress > 1.0 ? 1.0 : progress;
}

}  // namespace vorlane
