#pragma once
// The typed wrappers in which single legacy queries answer: the seasons of a series, a page of
// videos, one video, several series, related items and avatars. Their lists are strict (one bad
// element fails the answer) except related items, which drop what fails.

#include "vorlane/Models/Content/Avatar.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/Season.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct SeasonsContainer {
    std::vector<Season> seasons;
    bool operator==(const SeasonsContainer&) const = default;
};

inline auto jsonFields(json::Tag<SeasonsContainer>) {
    using namespace json::rules;
    return fields(required("seasons", &SeasonsContainer::seasons));
}

struct VideosContainer {
    // Paging of the videos; each value is optional ("page_size" is the only key of the page size).
    struct Meta {
        std::optional<std::int64_t> offset;
        std::optional<std::int64_t> pageSize;
        std::optional<std::int64_t> hits;
        bool operator==(const Meta&) const = default;
    };

    Meta meta;
    std::vector<Video> videos;
    bool operator==(const VideosContainer&) const = default;
};

inline auto jsonFields(json::Tag<VideosContainer::Meta>) {
    using namespace json::rules;
    using S = VideosContainer::Meta;
    return fields(optional("offset", &S::offset), optional("page_size", &S::pageSize), optional("hits", &S::hits));
}

inline auto jsonFields(json::Tag<VideosContainer>) {
    using namespace json::rules;
    return fields(required("meta", &VideosContainer::meta), required("videos", &VideosContainer::videos));
}

struct SingleVideoContainer {
    std::optional<Video> video;
    bool operator==(const SingleVideoContainer&) const = default;
};

inline auto jsonFields(json::Tag<SingleVideoContainer>) {
    using namespace json::rules;
    return fields(optional("video", &SingleVideoContainer::video));
}

struct SeriesContainer {
    std::vector<Series> series;
    bool operator==(const SeriesContainer&) const = default;
};

inline auto jsonFields(json::Tag<SeriesContainer>) {
    using namespace json::rules;
    return fields(required("series", &SeriesContainer::series));
}

// Items related to a title, of any content kind; an item that fails to decode is left out.
struct RelatedContainer {
    std::vector<ContentCoder> items;
    std::optional<std::string> experimentToken;

    std::vector<std::shared_ptr<const Content>> content() const { return models(items); }
    bool operator==(const RelatedContainer&) const = default;
};

inline auto jsonFields(json::Tag<RelatedContainer>) {
    using namespace json::rules;
    using S = RelatedContainer;
    return fields(lenient("items", &S::items), optional("experimentToken", &S::experimentToken));
}

inline auto jsonDerived(json::Tag<RelatedContainer>) {
    using namespace json::derived;
    return members(member("content", [](const RelatedContainer& r) { return r.items; }));
}

struct AvatarsContainer {
    std::vector<Avatar> avatars;
    bool operator==(const AvatarsContainer&) const = default;
};

inline auto jsonFields(json::Tag<AvatarsContainer>) {
    using namespace json::rules;
    return fields(required("avatars", &AvatarsContainer::avatars));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SeasonsContainer)
VORLANE_JSON_RECORD(vorlane::VideosContainer::Meta)
VORLANE_JSON_RECORD(vorlane::VideosContainer)
VORLANE_JSON_RECORD(vorlane::SingleVideoContainer)
VORLANE_JSON_RECORD(vorlane::SeriesContainer)
VORLANE_JSON_RECORD(vorlane::RelatedContainer)
VORLANE_JSON_RECORD(vorlane::AvatarsContainer)
