#include "vorlane/Models/Download/DownloadMetadata.hpp"

#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <utility>

VORLANE_JSON_DEFINE(vorlane::SeriesDownloadMetadataV1_3)
VORLANE_JSON_DEFINE(vorlane::SeriesDownloadMetadataV1_1)
VORLANE_JSON_DEFINE(vorlane::DownloadMetadataV1_4)
VORLANE_JSON_DEFINE(vorlane::DownloadMetadataV1_3)
VORLANE_JSON_DEFINE(vorlane::DownloadMetadataV1_2)
VORLANE_JSON_DEFINE(vorlane::DownloadMetadataV1_1)

namespace vorlane {

std::optional<std::int64_t> episodeSeriesSequenceNumber(std::int64_t seasonNumber, std::int64_t episodeNumber) noexcept {
    std::int64_t seasons = 0, number = 0;
    if (__builtin_mul_overflow(seasonNumber, std::int64_t{10000}, &seasons)) return std::nullopt;
    if (__builtin_add_overflow(seasons, episodeNumber, &number)) return std::nullopt;
    return number;
}

SeriesDownloadMetadataV1_3 SeriesDownloadMetadataV1_1::toLatest() const {
    return {.seriesId = seriesId,
            .seriesName = seriesName,
            .seriesImageId = seriesImageId,
            .seasonNumber = seasonNumber,
            .seasonName = seasonName,
            .episodeNumber = episodeNumber,
            .seriesInfoBlock = std::string(legacySeriesInfoBlock)};
}

MetastringParts DownloadMetadataV1_4::metastringParts() const {
    MetastringParts parts;
    if (rating) parts.ratingInfo = RatingInfo{*rating, {}};
    if (runtimeMs) parts.runtime = Duration{*runtimeMs};
    return parts;
}

std::optional<ExploreArtworkModelParameters> DownloadMetadataV1_4::upNextOfflineImage() const {
    const auto& images = playerExperience.image;
    if (!images) return std::nullopt;
    using Context = ExploreImage::Context;
    using Content = ExploreImage::Content;
    if (auto thumbnail = imageFor(*images, Context::standard, Content::thumbnail, Ratio::sixteenByNine, {}, true))
        return thumbnail;
    return imageFor(*images, Context::details, Content::background, Ratio::sixteenByNine, {}, true);
}

namespace {

// A current record from an older one: the fields every version has, copied, and those that the
// older version keeps elsewhere or lacks, as given. Migration metadata and user state are never
// carried over.
template <class Older>
DownloadMetadataV1_4 latestFrom(const Older& old, std::string resourceId, std::optional<std::string> upNextId,
                                std::string internalTitle, std::string deeplinkId,
                                std::optional<SeriesDownloadMetadataV1_3> seriesMetadata) {
    return {.resourceId = std::move(resourceId),
            .upNextId = std::move(upNextId),
            .internalTitle = std::move(internalTitle),
            .deeplinkId = std::move(deeplinkId),
            .availId = old.availId,
            .contentId = old.contentId,
            .pid = old.pid,
            .title = old.title,
            .rating = old.rating,
            .imageId = old.imageId,
            .runtimeMs = old.runtimeMs,
            .elapsedMs = old.elapsedMs,
            .seriesMetadata = std::move(seriesMetadata),
            .playerExperience = old.playerExperience,
            .networkAttribution = old.networkAttribution,
            .description = old.description,
            .contentBlocked = old.contentBlocked,
            .migrationMetadata = std::nullopt,
            .userState = std::nullopt};
}

std::optional<SeriesDownloadMetadataV1_3> latestSeriesPart(const std::optional<SeriesDownloadMetadataV1_1>& series) {
    if (!series) return std::nullopt;
    return series->toLatest();
}

}  // namespace

DownloadMetadataV1_4 DownloadMetadataV1_3::toLatest() const {
    return latestFrom(*this, resourceId, upNextId, internalTitle, deeplinkId, seriesMetadata);
}

DownloadMetadataV1_4 DownloadMetadataV1_2::toLatest() const {
    return latestFrom(*this, resourceId, std::nullopt, internalTitle, deeplinkId, latestSeriesPart(seriesMetadata));
}

DownloadMetadataV1_4 DownloadMetadataV1_1::toLatest(std::string resourceId, std::string internalTitle,
                                                    std::string deeplinkId) const {
    return latestFrom(*this, std::move(resourceId), std::nullopt, std::move(internalTitle), std::move(deeplinkId),
                      latestSeriesPart(seriesMetadata));
}

}  // namespace vorlane

namespace vorlane::json {

DownloadMetadataWrapper Codec<DownloadMetadataWrapper>::decode(const Value& v) {
    return {decodeSafely<DownloadMetadataV1_4>(requiredObject(v, "data"), "downloadMetadata")};
}

void Codec<DownloadMetadataWrapper>::encode(Writer& w, const DownloadMetadataWrapper& wrapper) {
    w.beginObject();
    w.key("downloadMetadata");
    encodeList<Codec<DownloadMetadataV1_4>>(w, wrapper.downloadMetadata);
    w.endObject();
}

}  // namespace vorlane::json
