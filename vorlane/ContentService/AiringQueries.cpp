// Airings: what airs now, a series' live and upcoming episodes, an airing by content id or airing id.

#include "vorlane/ContentService/SDKContentService.hpp"

namespace vorlane {

rx::Single<OrderedMap<AiringState>> SDKContentService::getLiveNow(std::int64_t page) const {
    return legacyQuery<AiringsContainer>(ContentQueryIdentifier::liveNow, {{"page", page}}).map([](AiringsContainer answer) {
        return std::move(answer.airings);
    });
}

rx::Single<LiveEpisodes> SDKContentService::getLiveAndUpcomingEpisodes(const EncodedIdentifier& encodedSeriesId) const {
    return legacyQuery<LiveEpisodes>(ContentQueryIdentifier::liveAndUpcomingEpisodes, {{"encodedSeriesId", encodedSeriesId}});
}

rx::Single<Airing> SDKContentService::getAiring(const std::string& contentId) const {
    return legacyQuery<AiringContainer>(ContentQueryIdentifier::airing, {{"mepoContentId", contentId}}).map([](AiringContainer answer) {
        return std::move(answer.airing);
    });
}

rx::Single<Airing> SDKContentService::getAiringByAiringId(const std::string& airingId) const {
    return legacyQuery<AiringContainer>(ContentQueryIdentifier::airingByAiringId, {{"airingId", airingId}})
        .map([](AiringContainer answer) { return std::move(answer.airing); });
}

}  // namespace vorlane
