#pragma once
// The metadata kept with a downloaded title, so that its title, rating, artwork, series position
// and player information can be shown offline long after the download. The host stores the
// records with the downloaded files and reads them back in later releases, so each of the four
// versions of the record stays decodable as it was stored, and each converts to the current
// version, DownloadMetadataV1_4, the only one the rest of the library works with.
//
// Fields by version (every field keeps its key, type and optionality wherever it occurs):
//   V1_1: availId, contentId?, pid, title, rating?, imageId, runtimeMs?, elapsedMs?,
//         seriesMetadata? (series V1_1), playerExperience, networkAttribution?, description?,
//         contentBlocked?
//   V1_2: resourceId, internalTitle, deeplinkId, then the fields of V1_1
//   V1_3: as V1_2 with upNextId? after resourceId, migrationMetadata? at the end, and the series
//         part of V1_3
//   V1_4: as V1_3 with userState? at the end
//
// The service answers {"data": {"downloadMetadata": [V1_4, ...]}}.

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Models/Content/MetadataDescriptors.hpp"
#include "vorlane/Models/Content/MetastringParts.hpp"
#include "vorlane/Models/Content/NetworkAttribution.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/UserState.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/ActionVisuals.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Playback/PlayerExperience.hpp"
#include "vorlane/Platform/ContentIdentifier.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// ---- The series part ----------------------------------------------------------------------------

// Records that place an episode in its series by season and episode number.
template <class T>
concept EpisodeSequenceNumberGenerating = requires(const T& episode) {
    { episode.seasonNumber } -> std::convertible_to<std::int64_t>;
    { episode.episodeNumber } -> std::convertible_to<std::int64_t>;
};

// The episode's position across the whole series, season × 10000 + episode (season 2, episode 5
// is 20005); absent only when that does not fit in 64 bits.
std::optional<std::int64_t> episodeSeriesSequenceNumber(std::int64_t seasonNumber, std::int64_t episodeNumber) noexcept;

// What a record converted from version 1.1 holds as the series' info block, which that version
// did not keep.
inline constexpr std::string_view legacySeriesInfoBlock = "Undefined: LegacyMigration From ExploreAPI v1.1";

// The series part of the current version.
struct SeriesDownloadMetadataV1_3 {
    std::string seriesId;
    std::string seriesName;
    std::string seriesImageId;
    std::int64_t seasonNumber = 0;
    std::string seasonName;
    std::int64_t episodeNumber = 0;
    std::string seriesInfoBlock;  // opaque, passed on unchanged

    std::optional<std::int64_t> episodeSeriesSequenceNumber() const noexcept {
        return vorlane::episodeSeriesSequenceNumber(seasonNumber, episodeNumber);
    }
    bool operator==(const SeriesDownloadMetadataV1_3&) const = default;
};

inline auto jsonFields(json::Tag<SeriesDownloadMetadataV1_3>) {
    using namespace json::rules;
    using S = SeriesDownloadMetadataV1_3;
    return fields(required("seriesId", &S::seriesId),
                  required("seriesName", &S::seriesName),
                  required("seriesImageId", &S::seriesImageId),
                  required("seasonNumber", &S::seasonNumber),
                  required("seasonName", &S::seasonName),
                  required("episodeNumber", &S::episodeNumber),
                  required("seriesInfoBlock", &S::seriesInfoBlock));
}

inline auto jsonDerived(json::Tag<SeriesDownloadMetadataV1_3>) {
    using namespace json::derived;
    return members(member("episodeSeriesSequenceNumber", &SeriesDownloadMetadataV1_3::episodeSeriesSequenceNumber));
}

// The series part of versions 1.1 and 1.2: no info block.
struct SeriesDownloadMetadataV1_1 {
    std::string seriesId;
    std::string seriesName;
    std::string seriesImageId;
    std::int64_t seasonNumber = 0;
    std::string seasonName;
    std::int64_t episodeNumber = 0;

    std::optional<std::int64_t> episodeSeriesSequenceNumber() const noexcept {
        return vorlane::episodeSeriesSequenceNumber(seasonNumber, episodeNumber);
    }
    // The same six fields, with `legacySeriesInfoBlock` as the info block.
    SeriesDownloadMetadataV1_3 toLatest() const;
    bool operator==(const SeriesDownloadMetadataV1_1&) const = default;
};

inline auto jsonFields(json::Tag<SeriesDownloadMetadataV1_1>) {
    using namespace json::rules;
    using S = SeriesDownloadMetadataV1_1;
    return fields(required("seriesId", &S::seriesId),
                  required("seriesName", &S::seriesName),
                  required("seriesImageId", &S::seriesImageId),
                  required("seasonNumber", &S::seasonNumber),
                  required("seasonName", &S::seasonName),
                  required("episodeNumber", &S::episodeNumber));
}

inline auto jsonDerived(json::Tag<SeriesDownloadMetadataV1_1>) {
    using namespace json::derived;
    using S = SeriesDownloadMetadataV1_1;
    return members(member("episodeSeriesSequenceNumber", &S::episodeSeriesSequenceNumber),
                   member("toLatest", &S::toLatest));
}

static_assert(EpisodeSequenceNumberGenerating<SeriesDownloadMetadataV1_1> &&
              EpisodeSequenceNumberGenerating<SeriesDownloadMetadataV1_3>);

// ---- The current version ------------------------------------------------------------------------

// A stored download plays like a playback action of a vod title with no options (so its action
// type is `play`), empty visuals, no live runtime and no info block; it downloads by its avail id.
struct DownloadMetadataV1_4 {
    std::string resourceId;
    std::optional<std::string> upNextId;
    std::string internalTitle;
    std::string deeplinkId;
    std::string availId;
    std::optional<std::string> contentId;
    std::string pid;
    std::string title;
    std::optional<ExploreRating> rating;
    std::string imageId;
    std::optional<std::int64_t> runtimeMs;
    std::optional<std::int64_t> elapsedMs;
    std::optional<SeriesDownloadMetadataV1_3> seriesMetadata;
    PlayerExperience playerExperience;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<std::string> description;
    std::optional<bool> contentBlocked;
    std::optional<MigrationMetadata> migrationMetadata;
    std::optional<DownloadUserState> userState;

    // What it answers as a playback action: the same for every stored download.
    static constexpr PlaybackAction::PlaybackContentType contentType = PlaybackAction::PlaybackContentType::vod;
    static constexpr std::optional<std::int64_t> liveRuntimeMs = std::nullopt;
    static inline const std::vector<PlaybackOption> options{};
    static inline const PlaybackActionVisuals visuals{};  // empty display text, nothing else
    PlaybackOption::PlaybackOptionType playbackActionType() const noexcept {
        return PlaybackOption::PlaybackOptionType::play;
    }
    std::optional<std::string> infoBlock() const noexcept { return std::nullopt; }

    // The SDK's identifier of the title, by its avail id.
    sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::availId(availId); }
    // The player experience's original language.
    std::optional<std::string> originalLanguage() const { return playerExperience.originalLanguage; }
    // The rating (with no advisories) and the runtime; no other part.
    MetastringParts metastringParts() const;
    // The image the offline up-next prompt shows, from the player experience's images at 16:9: the
    // standard thumbnail, else the details background (each also looked up in the standard
    // context); absent without player-experience images.
    std::optional<ExploreArtworkModelParameters> upNextOfflineImage() const;
    std::optional<std::string> downloadActionInfoBlock() const {
        return migrationMetadata ? std::optional(migrationMetadata->downloadActionInfoBlock) : std::nullopt;
    }
    std::optional<std::string> seriesInfoBlock() const {
        return seriesMetadata ? std::optional(seriesMetadata->seriesInfoBlock) : std::nullopt;
    }

    bool operator==(const DownloadMetadataV1_4&) const = default;
};

inline auto jsonFields(json::Tag<DownloadMetadataV1_4>) {
    using namespace json::rules;
    using S = DownloadMetadataV1_4;
    return fields(required("resourceId", &S::resourceId),
                  optional("upNextId", &S::upNextId),
                  required("internalTitle", &S::internalTitle),
                  required("deeplinkId", &S::deeplinkId),
                  required("availId", &S::availId),
                  optional("contentId", &S::contentId),
                  required("pid", &S::pid),
                  required("title", &S::title),
                  optional("rating", &S::rating),
                  required("imageId", &S::imageId),
                  optional("runtimeMs", &S::runtimeMs),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("seriesMetadata", &S::seriesMetadata),
                  required("playerExperience", &S::playerExperience),
                  optional("networkAttribution", &S::networkAttribution),
                  optional("description", &S::description),
                  optional("contentBlocked", &S::contentBlocked),
                  optional("migrationMetadata", &S::migrationMetadata),
                  optional("userState", &S::userState));
}

inline auto jsonDerived(json::Tag<DownloadMetadataV1_4>) {
    using namespace json::derived;
    using S = DownloadMetadataV1_4;
    return members(member("upNextOfflineImage", &S::upNextOfflineImage),
                   member("metastringParts", &S::metastringParts),
                   member("contentIdentifier", &S::contentIdentifier),
                   member("originalLanguage", &S::originalLanguage),
                   member("downloadActionInfoBlock", &S::downloadActionInfoBlock),
                   member("seriesInfoBlock", &S::seriesInfoBlock),
                   member("playbackActionType", &S::playbackActionType),
                   member("infoBlock", &S::infoBlock),
                   member("coderModel", [](const S& metadata) { return coderModel(metadata); }));
}

static_assert(PlaybackActionable<DownloadMetadataV1_4> && DownloadActionable<DownloadMetadataV1_4> &&
              InfoBlockContaining<DownloadMetadataV1_4>);

// ---- Earlier versions, as stored ----------------------------------------------------------------

struct DownloadMetadataV1_3 {
    std::string resourceId;
    std::optional<std::string> upNextId;
    std::string internalTitle;
    std::string deeplinkId;
    std::string availId;
    std::optional<std::string> contentId;
    std::string pid;
    std::string title;
    std::optional<ExploreRating> rating;
    std::string imageId;
    std::optional<std::int64_t> runtimeMs;
    std::optional<std::int64_t> elapsedMs;
    std::optional<SeriesDownloadMetadataV1_3> seriesMetadata;
    PlayerExperience playerExperience;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<std::string> description;
    std::optional<bool> contentBlocked;
    std::optional<MigrationMetadata> migrationMetadata;

    // Every field copied except the migration metadata, which the current version does not carry
    // over from a stored 1.3 record; no user state.
    DownloadMetadataV1_4 toLatest() const;
    bool operator==(const DownloadMetadataV1_3&) const = default;
};

inline auto jsonFields(json::Tag<DownloadMetadataV1_3>) {
    using namespace json::rules;
    using S = DownloadMetadataV1_3;
    return fields(required("resourceId", &S::resourceId),
                  optional("upNextId", &S::upNextId),
                  required("internalTitle", &S::internalTitle),
                  required("deeplinkId", &S::deeplinkId),
                  required("availId", &S::availId),
                  optional("contentId", &S::contentId),
                  required("pid", &S::pid),
                  required("title", &S::title),
                  optional("rating", &S::rating),
                  required("imageId", &S::imageId),
                  optional("runtimeMs", &S::runtimeMs),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("seriesMetadata", &S::seriesMetadata),
                  required("playerExperience", &S::playerExperience),
                  optional("networkAttribution", &S::networkAttribution),
                  optional("description", &S::description),
                  optional("contentBlocked", &S::contentBlocked),
                  optional("migrationMetadata", &S::migrationMetadata));
}

inline auto jsonDerived(json::Tag<DownloadMetadataV1_3>) {
    using namespace json::derived;
    return members(member("toLatest", &DownloadMetadataV1_3::toLatest));
}

struct DownloadMetadataV1_2 {
    std::string resourceId;
    std::string internalTitle;
    std::string deeplinkId;
    std::string availId;
    std::optional<std::string> contentId;
    std::string pid;
    std::string title;
    std::optional<ExploreRating> rating;
    std::string imageId;
    std::optional<std::int64_t> runtimeMs;
    std::optional<std::int64_t> elapsedMs;
    std::optional<SeriesDownloadMetadataV1_1> seriesMetadata;
    PlayerExperience playerExperience;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<std::string> description;
    std::optional<bool> contentBlocked;

    // Every field copied, the series part converted; no up-next id, migration metadata or user state.
    DownloadMetadataV1_4 toLatest() const;
    bool operator==(const DownloadMetadataV1_2&) const = default;
};

inline auto jsonFields(json::Tag<DownloadMetadataV1_2>) {
    using namespace json::rules;
    using S = DownloadMetadataV1_2;
    return fields(required("resourceId", &S::resourceId),
                  required("internalTitle", &S::internalTitle),
                  required("deeplinkId", &S::deeplinkId),
                  required("availId", &S::availId),
                  optional("contentId", &S::contentId),
                  required("pid", &S::pid),
                  required("title", &S::title),
                  optional("rating", &S::rating),
                  required("imageId", &S::imageId),
                  optional("runtimeMs", &S::runtimeMs),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("seriesMetadata", &S::seriesMetadata),
                  required("playerExperience", &S::playerExperience),
                  optional("networkAttribution", &S::networkAttribution),
                  optional("description", &S::description),
                  optional("contentBlocked", &S::contentBlocked));
}

inline auto jsonDerived(json::Tag<DownloadMetadataV1_2>) {
    using namespace json::derived;
    return members(member("toLatest", &DownloadMetadataV1_2::toLatest));
}

struct DownloadMetadataV1_1 {
    std::string availId;
    std::optional<std::string> contentId;
    std::string pid;
    std::string title;
    std::optional<ExploreRating> rating;
    std::string imageId;
    std::optional<std::int64_t> runtimeMs;
    std::optional<std::int64_t> elapsedMs;
    std::optional<SeriesDownloadMetadataV1_1> seriesMetadata;
    PlayerExperience playerExperience;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<std::string> description;
    std::optional<bool> contentBlocked;

    // Version 1.1 did not keep the three identifiers of playback; the caller supplies them. The
    // other fields are copied and the series part converted; no up-next id, migration metadata or
    // user state.
    DownloadMetadataV1_4 toLatest(std::string resourceId, std::string internalTitle, std::string deeplinkId) const;
    bool operator==(const DownloadMetadataV1_1&) const = default;
};

inline auto jsonFields(json::Tag<DownloadMetadataV1_1>) {
    using namespace json::rules;
    using S = DownloadMetadataV1_1;
    return fields(required("availId", &S::availId),
                  optional("contentId", &S::contentId),
                  required("pid", &S::pid),
                  required("title", &S::title),
                  optional("rating", &S::rating),
                  required("imageId", &S::imageId),
                  optional("runtimeMs", &S::runtimeMs),
                  optional("elapsedMs", &S::elapsedMs),
                  optional("seriesMetadata", &S::seriesMetadata),
                  required("playerExperience", &S::playerExperience),
                  optional("networkAttribution", &S::networkAttribution),
                  optional("description", &S::description),
                  optional("contentBlocked", &S::contentBlocked));
}

// ---- The service's answer -----------------------------------------------------------------------

// Read from {"data": {"downloadMetadata": [...]}}, leniently: a record that does not decode is
// dropped, the others kept in order; a missing "data" object or list fails. Written as
// {"downloadMetadata": [...]}, the form the host stores, which does not read back as an answer.
struct DownloadMetadataWrapper {
    std::vector<DownloadMetadataV1_4> downloadMetadata;

    bool operator==(const DownloadMetadataWrapper&) const = default;
};

}  // namespace vorlane

// Hand-written: the list is read inside "data" and written without it.
VORLANE_JSON_CODEC(vorlane::DownloadMetadataWrapper)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SeriesDownloadMetadataV1_3)
VORLANE_JSON_RECORD(vorlane::SeriesDownloadMetadataV1_1)
VORLANE_JSON_RECORD(vorlane::DownloadMetadataV1_4)
VORLANE_JSON_RECORD(vorlane::DownloadMetadataV1_3)
VORLANE_JSON_RECORD(vorlane::DownloadMetadataV1_2)
VORLANE_JSON_RECORD(vorlane::DownloadMetadataV1_1)
