#include "vorlane/Models/Content/Page.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <string>

VORLANE_JSON_DEFINE(vorlane::PageStyle)
VORLANE_JSON_DEFINE(vorlane::PageVisuals)
VORLANE_JSON_DEFINE(vorlane::ContainerContent)
VORLANE_JSON_DEFINE(vorlane::BundleContainer)
VORLANE_JSON_DEFINE(vorlane::PageSeason)
VORLANE_JSON_DEFINE(vorlane::PageContainer)
VORLANE_JSON_DEFINE(vorlane::PageContent)
VORLANE_JSON_DEFINE(vorlane::Page)

namespace vorlane {

Season fromPageSeason(const PageSeason& page, std::optional<std::string> seriesId) {
    Season season;
    season.seasonId = page.refId;
    season.seriesId = std::move(seriesId);
    season.seasonSequenceNumber = page.seasonSequenceNumber;
    season.mediaRights = page.mediaRights;
    season.image = std::nullopt;
    season.episodesMeta = page.episodesMeta;
    season.ratings = page.ratings;
    return season;
}

std::optional<PageSize> pageSizeFromRawValue(std::int64_t raw) noexcept {
    using enum PageSize;
    for (PageSize size : {zero, all, ten, fifteen, twenty, thirty, forty, fortyFive, sixty})
        if (rawValue(size) == raw) return size;
    return std::nullopt;
}

}  // namespace vorlane

vorlane::PageSize vorlane::json::Codec<vorlane::PageSize>::decode(const Value& v) {
    const std::int64_t raw = v.int64();
    if (auto size = pageSizeFromRawValue(raw)) return *size;
    v.fail(ErrorKind::dataCorrupted, "cannot initialize PageSize from invalid Int value " + std::to_string(raw));
}

void vorlane::json::Codec<vorlane::PageSize>::encode(Writer& w, const PageSize& size) { w.int64(rawValue(size)); }
