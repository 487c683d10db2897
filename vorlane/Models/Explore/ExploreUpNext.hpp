#pragma once
// What plays next when playback ends: the service's ordered candidates, or, for a title played
// from a download, one candidate built on the device from the next episode's stored metadata.
//
//   {"data": {"upNext": {"items": [{"type": "upNext", "sequentialEpisode": true, "item": {...}}]}}}

#include "vorlane/Models/Download/DownloadMetadata.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <variant>
#include <vector>

namespace vorlane {

struct ExploreUpNextItem {
    ExplorePageType type = ExplorePageType::upNext;
    bool sequentialEpisode = false;  // the next episode of the same series, not a recommendation
    ExploreSetItem item;

    bool operator==(const ExploreUpNextItem&) const = default;
};

inline auto jsonFields(json::Tag<ExploreUpNextItem>) {
    using namespace json::rules;
    using S = ExploreUpNextItem;
    return fields(required("type", &S::type), required("sequentialEpisode", &S::sequentialEpisode),
                  required("item", &S::item));
}

// Where an up-next answer came from: built on the device from stored download metadata, or
// decoded from the service. Written as one key named after the case:
// {"local": {"downloadMetadata": {...}}} or {"remote": {}}.
struct ExploreUpNextSource {
    struct Local {
        DownloadMetadataV1_4 downloadMetadata;
        bool operator==(const Local&) const = default;
    };
    struct Remote {
        bool operator==(const Remote&) const = default;
    };

    std::variant<Remote, Local> value;

    const Local* local() const noexcept { return std::get_if<Local>(&value); }
    bool isRemote() const noexcept { return std::holds_alternative<Remote>(value); }

    bool operator==(const ExploreUpNextSource&) const = default;
};

// The item visuals of a downloaded title: its title, description, series position, runtime,
// rating, artwork and network from the stored metadata; the playback action's display text as
// the prompt.
[[nodiscard]] ExploreSetItemVisuals itemVisualsFor(const DownloadMetadataV1_4& downloadMetadata,
                                                   const PlaybackActionVisuals& playbackVisuals,
                                                   std::optional<MetastringParts> metastringParts = std::nullopt);

struct ExploreUpNextResponse {
    using Source = ExploreUpNextSource;

    std::vector<ExploreUpNextItem> items;  // items that fail are left out
    Source source;

    ExploreUpNextResponse() = default;
    // A remote answer.
    explicit ExploreUpNextResponse(std::vector<ExploreUpNextItem> items) : items(std::move(items)) {}
    // The local answer for a downloaded next episode: one item of type `upNext` whose only action
    // plays it, with the action's up-next id as its id (empty without one) and its info block (empty
    // without one).
    template <PlaybackActionable A>
    ExploreUpNextResponse(ExplorePageType type, bool sequentialEpisode, const DownloadMetadataV1_4& downloadMetadata,
                          const A& playbackAction)
        : ExploreUpNextResponse(localItem(type, downloadMetadata, coderModel(playbackAction),
                                          playbackAction.infoBlock()),
                                sequentialEpisode, downloadMetadata) {}

    bool operator==(const ExploreUpNextResponse&) const = default;

private:
    ExploreUpNextResponse(ExploreSetItem item, bool sequentialEpisode, const DownloadMetadataV1_4& downloadMetadata);
    static ExploreSetItem localItem(ExplorePageType type, const DownloadMetadataV1_4& downloadMetadata,
                                    PlaybackAction playback, std::optional<std::string> infoBlock);
};

}  // namespace vorlane

// Hand-written: the one key named after the case.
VORLANE_JSON_CODEC(vorlane::ExploreUpNextSource)
// Hand-written: read from "data" -> "upNext" -> "items" (the source is then remote), written flat
// as {"items": [...], "source": ...}.
VORLANE_JSON_CODEC(vorlane::ExploreUpNextResponse)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExploreUpNextItem)
