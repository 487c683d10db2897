#include "vorlane/Models/Content/Airing.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <string_view>

VORLANE_JSON_DEFINE(vorlane::CustomMediaLocationTag)
VORLANE_JSON_DEFINE(vorlane::CustomMediaLocation)
VORLANE_JSON_DEFINE(vorlane::AiringState)
VORLANE_JSON_DEFINE(vorlane::Airing)
VORLANE_JSON_DEFINE(vorlane::LiveEpisodes)
VORLANE_JSON_DEFINE(vorlane::UpcomingAiring)
VORLANE_JSON_DEFINE(vorlane::ProgramBundle)
VORLANE_JSON_DEFINE(vorlane::AiringsContainer)
VORLANE_JSON_DEFINE(vorlane::AiringContainer)

namespace vorlane {

std::string Airing::playbackUrl() const {
    const auto& urls = mediaMetadata.playbackUrls;
    if (urls.empty()) return {};
    // The rel names the stream's kind among other words, so it is matched as a substring.
    const std::string_view wanted = linear.value_or(false) ? "linear" : "event";
    for (const auto& url : urls)
        if (url.rel.find(wanted) != std::string::npos) return url.href;
    return urls.front().href;
}

std::optional<AiringState> Airing::airingState() const {
    if (!eventState) return std::nullopt;
    return AiringState{startDate, endDate, mediaMetadata, *eventState};
}

std::optional<ExploreDeeplinkParams> Airing::exploreDeeplinkParams() const {
    if (!encodedSeriesId) return std::nullopt;
    return ExploreDeeplinkParams{encodedSeriesId->identifier, ExploreDeeplinkReferenceIdType::encodedSeriesId,
                                 std::nullopt};
}

}  // namespace vorlane
