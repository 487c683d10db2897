#pragma once
// A season of a legacy series with its paging metadata and promo labels, the page of episodes the
// episodes query returns, and the header record of an Explore season.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct Season {
    struct Meta {
        struct Labels {
            std::optional<std::vector<PromoLabel>> promoLabels;
            bool operator==(const Labels&) const = default;
        };
        std::optional<Labels> labels;
        bool operator==(const Meta&) const = default;
    };

    // Where a page of the season's episodes starts, how long pages are and how many there are.
    struct EpisodesMeta {
        std::int64_t offset = 0;
        std::int64_t pageSize = 0;
        std::int64_t hits = 0;
        bool operator==(const EpisodesMeta&) const = default;
    };

    std::string seasonId;
    std::optional<std::string> seriesId;
    std::int64_t seasonSequenceNumber = 0;
    TextMap texts;
    std::optional<MediaRights> mediaRights;
    // Empty when the answer has none; absent only for a season built from a details page.
    std::optional<ImageMap> image;
    std::optional<Meta> meta;
    std::optional<EpisodesMeta> episodesMeta;
    std::optional<std::vector<Rating>> ratings;

    const std::string& contentId() const noexcept { return seasonId; }
    bool operator==(const Season&) const = default;
};

inline auto jsonFields(json::Tag<Season::Meta::Labels>) {
    using namespace json::rules;
    return fields(lenientIfPresent("promoLabels", &Season::Meta::Labels::promoLabels));
}

inline auto jsonFields(json::Tag<Season::Meta>) {
    using namespace json::rules;
    return fields(optional("labels", &Season::Meta::labels));
}

// Note the snake-case "page_size".
inline auto jsonFields(json::Tag<Season::EpisodesMeta>) {
    using namespace json::rules;
    using S = Season::EpisodesMeta;
    return fields(required("offset", &S::offset), required("page_size", &S::pageSize), required("hits", &S::hits));
}

inline auto jsonFields(json::Tag<Season>) {
    using namespace json::rules;
    using S = Season;
    return fields(optional("seriesId", &S::seriesId),
                  required("seasonId", &S::seasonId),
                  required("seasonSequenceNumber", &S::seasonSequenceNumber),
                  defaulted("text", &S::texts),
                  optional("mediaRights", &S::mediaRights),
                  defaulted("image", &S::image, ImageMap{}),
                  optional("meta", &S::meta),
                  optional("episodesMeta", &S::episodesMeta),
                  lenientIfPresent("ratings", &S::ratings));
}

inline auto jsonDerived(json::Tag<Season>) {
    using namespace json::derived;
    return members(member("contentId", &Season::contentId));
}

// One page of a season's episodes.
struct EpisodesPageSet {
    struct Meta {
        std::int64_t hits = 0;
        bool operator==(const Meta&) const = default;
    };

    Meta meta;
    std::vector<Video> videos;  // an episode that fails to decode is left out

    bool operator==(const EpisodesPageSet&) const = default;
};

inline auto jsonFields(json::Tag<EpisodesPageSet::Meta>) {
    using namespace json::rules;
    return fields(required("hits", &EpisodesPageSet::Meta::hits));
}

inline auto jsonFields(json::Tag<EpisodesPageSet>) {
    using namespace json::rules;
    using S = EpisodesPageSet;
    return fields(required("meta", &S::meta), lenient("videos", &S::videos));
}

// The header of an Explore season: its name, the episode count to show and its rating.
struct SeasonVisuals {
    std::string name;
    std::string episodeCountDisplayText;
    std::optional<RatingInfo> ratingInfo;
    bool operator==(const SeasonVisuals&) const = default;
};

inline auto jsonFields(json::Tag<SeasonVisuals>) {
    using namespace json::rules;
    using S = SeasonVisuals;
    return fields(required("name", &S::name),
                  required("episodeCountDisplayText", &S::episodeCountDisplayText),
                  optional("ratingInfo", &S::ratingInfo));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Season::Meta::Labels)
VORLANE_JSON_RECORD(vorlane::Season::Meta)
VORLANE_JSON_RECORD(vorlane::Season::EpisodesMeta)
VORLANE_JSON_RECORD(vorlane::Season)
VORLANE_JSON_RECORD(vorlane::EpisodesPageSet::Meta)
VORLANE_JSON_RECORD(vorlane::EpisodesPageSet)
VORLANE_JSON_RECORD(vorlane::SeasonVisuals)
