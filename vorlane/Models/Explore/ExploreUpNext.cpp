#include "vorlane/Models/Explore/ExploreUpNext.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <string>

namespace vorlane {

ExploreSetItemVisuals itemVisualsFor(const DownloadMetadataV1_4& downloadMetadata,
                                     const PlaybackActionVisuals& playbackVisuals,
                                     std::optional<MetastringParts> metastringParts) {
    ExploreSetItemVisuals visuals;
    visuals.title = downloadMetadata.title;
    if (downloadMetadata.description) visuals.description = DescriptionMap{{"medium", *downloadMetadata.description}};
    if (!playbackVisuals.displayText.empty()) visuals.prompt = playbackVisuals.displayText;
    if (const auto& series = downloadMetadata.seriesMetadata) {
        visuals.episodeTitle = downloadMetadata.title;
        visuals.seasonNumber = std::to_string(series->seasonNumber);
        visuals.episodeNumber = std::to_string(series->episodeNumber);
        visuals.seasonName = series->seasonName;
    }
    visuals.durationMs = downloadMetadata.runtimeMs;
    visuals.artwork = downloadMetadata.playerExperience.image;
    if (downloadMetadata.rating) visuals.ratingInfo = RatingInfo{*downloadMetadata.rating, {}};
    visuals.metastringParts = std::move(metastringParts);
    visuals.networkAttribution = downloadMetadata.networkAttribution;
    return visuals;
}

ExploreSetItem ExploreUpNextResponse::localItem(ExplorePageType type, const DownloadMetadataV1_4& downloadMetadata,
                                                PlaybackAction playback, std::optional<std::string> infoBlock) {
    ExploreSetItem item;
    item.type = type;
    item.id = playback.upNextId.value_or("");
    item.visuals = itemVisualsFor(downloadMetadata, playback.visuals);
    item.actionCoders = std::vector<ActionCoder>{ActionCoder(std::move(playback))};
    item.personalization = Personalization{downloadMetadata.pid, std::nullopt};
    item.infoBlock = std::move(infoBlock).value_or("");
    return item;
}

ExploreUpNextResponse::ExploreUpNextResponse(ExploreSetItem item, bool sequentialEpisode,
                                             const DownloadMetadataV1_4& downloadMetadata)
    : items{ExploreUpNextItem{ExplorePageType::upNext, sequentialEpisode, std::move(item)}},
      source{Source::Local{downloadMetadata}} {}

}  // namespace vorlane

namespace {

constexpr std::string_view kLocalKey = "local";
constexpr std::string_view kRemoteKey = "remote";

}  // namespace

vorlane::ExploreUpNextSource vorlane::json::Codec<vorlane::ExploreUpNextSource>::decode(const Value& v) {
    if (!v.isObject()) v.failExpected("an object");
    if (auto local = v.member(kLocalKey)) {
        if (!local->isObject()) local->failExpected("an object");
        return {ExploreUpNextSource::Local{readRequired<DownloadMetadataV1_4>(*local, "downloadMetadata")}};
    }
    if (auto remote = v.member(kRemoteKey)) {
        if (!remote->isObject()) remote->failExpected("an object");
        return {ExploreUpNextSource::Remote{}};
    }
    v.fail(ErrorKind::dataCorrupted, "expected one key, \"local\" or \"remote\"");
}

void vorlane::json::Codec<vorlane::ExploreUpNextSource>::encode(Writer& w, const ExploreUpNextSource& source) {
    w.beginObject();
    if (const auto* local = source.local()) {
        w.key(kLocalKey);
        w.beginObject();
        w.key("downloadMetadata");
        Codec<DownloadMetadataV1_4>::encode(w, local->downloadMetadata);
        w.endObject();
    } else {
        w.key(kRemoteKey);
        w.beginObject();
        w.endObject();
    }
    w.endObject();
}

vorlane::ExploreUpNextResponse vorlane::json::Codec<vorlane::ExploreUpNextResponse>::decode(const Value& v) {
    return ExploreUpNextResponse(decodeSafely<ExploreUpNextItem>(requiredObject(requiredObject(v, "data"), "upNext"), "items"));
}

void vorlane::json::Codec<vorlane::ExploreUpNextResponse>::encode(Writer& w, const ExploreUpNextResponse& response) {
    w.beginObject();
    w.key("items");
    Codec<std::vector<ExploreUpNextItem>>::encode(w, response.items);
    w.key("source");
    Codec<ExploreUpNextSource>::encode(w, response.source);
    w.endObject();
}

VORLANE_JSON_DEFINE(vorlane::ExploreUpNextItem)
