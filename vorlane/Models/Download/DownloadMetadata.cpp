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

DownloadMetadataV1_4 DownloadMetadataV1_3::toLatest() const {
    return {.resourceId = resourceId,
            .upNextId = upNextId,
            .internalTitle = internalTitle,
            .deeplinkId = deeplinkId,
            .availId = availId,
            .contentId = contentId,
            .pid = pid,
            .title = title,
            .rating = rating,
            .imageId = imageId,
            .runtimeMs = runtimeMs,
            .elapsedMs = elapsedMs,
            .seriesMetadata = seriesMetadata,
            .playerExperience = playerExperience,
            .networkAttribution = networkAttribution,
            .description = description,
            .contentBlocked = contentBlocked,
            .migrationMetadata = std::nullopt,
            .userState = std::nullopt};
}

namespace {

std::optional<SeriesDownloadMetadataV1_3> latestSeriesPart(const std::optional<SeriesDownloadMetadataV1_1>& series) {
    if (!series) return std::nullopt;
    return series->toLatest();
}

}  // namespace

DownloadMetadataV1_4 DownloadMetadataV1_2::toLatest() const {
    return {.resourceId = resourceId,
            .upNextId = std::nullopt,
            .internalTitle = internalTitle,
            .deeplinkId = deeplinkId,
            .availId = availId,
            .contentId = contentId,
            .pid = pid,
            .title = title,
            .rating = rating,
            .imageId = imageId,
            .runtimeMs = runtimeMs,
            .elapsedMs = elapsedMs,
            .seriesMetadata = latestSeriesPart(seriesMetadata),
            .playerExperience = playerExperience,
            .networkAttribution = networkAttribution,
            .description = description,
            .contentBlocked = contentBlocked,
            .migrationMetadata = std::nullopt,
            .userState = std::nullopt};
}

DownloadMetadataV1_4 DownloadMetadataV1_1::toLatest(std::string resourceId, std::string internalTitle,
                                                    std::string deeplinkId) const {
    return {.resourceId = std::move(resourceId),
            .upNextId = std::nullopt,
            .internalTitle = std::move(internalTitle),
            .deeplinkId = std::move(deeplinkId),
            .availId = availId,
            .contentId = contentId,
            .pid = pid,
            .title = title,
            .rating = rating,
            .imageId = imageId,
            .runtimeMs = runtimeMs,
            .elapsedMs = elapsedMs,
            .seriesMetadata = latestSeriesPart(seriesMetadata),
            .playerExperience = playerExperience,
            .networkAttribution = networkAttribution,
            .description = description,
            .contentBlocked = contentBlocked,
            .migrationMetadata = std::nullopt,
            .userState = std::nullopt};
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
