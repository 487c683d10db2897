#pragma once
// What a details screen asks the legacy content API for: everything about one title in one
// answer (bundles), and the personalized part beside it (on the watchlist, where to resume), as
// the personalized bundles and continue-watching answers carry it.

#include "vorlane/Models/Content/Bookmark.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Models/Content/ResultContainers.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <variant>
#include <string>
#include <vector>

namespace vorlane {

// A series with its seasons and extras, its promo labels and extra panels (a promo label or panel
// that fails is left out).
struct SeriesBundle {
    Series series;
    SeasonsContainer seasons;
    VideosContainer extras;
    std::optional<std::vector<PromoLabel>> promoLabels;
    std::optional<std::vector<BundleContainer>> containers;

    // A bundle is deep-linked as its series is.
    ExploreDeeplinkParams exploreDeeplinkParams() const { return series.exploreDeeplinkParams(); }

    bool operator==(const SeriesBundle&) const = default;
};

inline auto jsonFields(json::Tag<SeriesBundle>) {
    using namespace json::rules;
    using S = SeriesBundle;
    return fields(required("series", &S::series),
                  required("seasons", &S::seasons),
                  required("extras", &S::extras),
                  lenientIfPresent("promoLabels", &S::promoLabels),
                  lenientIfPresent("containers", &S::containers));
}

inline auto jsonDerived(json::Tag<SeriesBundle>) {
    using namespace json::derived;
    return members(member("exploreDeeplinkParams", &SeriesBundle::exploreDeeplinkParams));
}

// A video with its extras, promo labels and extra panels. Both lists must be sent, even empty;
// an element of either that fails is left out.
struct VideoBundle {
    Video video;
    VideosContainer extras;
    std::vector<PromoLabel> promoLabels;
    std::vector<BundleContainer> containers;

    bool operator==(const VideoBundle&) const = default;
};

inline auto jsonFields(json::Tag<VideoBundle>) {
    using namespace json::rules;
    using S = VideoBundle;
    return fields(required("video", &S::video),
                  required("extras", &S::extras),
                  lenient("promoLabels", &S::promoLabels),
                  lenient("containers", &S::containers));
}

// The watchlist entry of a title: how the watchlist names it and whether it is on it.
struct Watchlist {
    std::optional<std::string> refId;
    std::optional<std::string> refIdType;
    std::optional<bool> onWatchlist;
    bool operator==(const Watchlist&) const = default;
};

inline auto jsonFields(json::Tag<Watchlist>) {
    using namespace json::rules;
    using S = Watchlist;
    return fields(optional("refId", &S::refId), optional("refIdType", &S::refIdType),
                  optional("onWatchlist", &S::onWatchlist));
}

// What a change to the legacy watchlist yields: whether it put the item on the list (or deleted
// it), and the service's messages, none when it succeeded.
struct WatchlistResponse {
    bool isAdd = false;
    std::vector<std::string> errorMessages;
    bool operator==(const WatchlistResponse&) const = default;
};

inline auto jsonFields(json::Tag<WatchlistResponse>) {
    using namespace json::rules;
    using S = WatchlistResponse;
    return fields(required("isAdd", &S::isAdd), required("errorMessages", &S::errorMessages));
}

// The two kinds of change, each with its flag set.
struct WatchlistPutResponse : WatchlistResponse {
    WatchlistPutResponse() : WatchlistResponse{.isAdd = true, .errorMessages = {}} {}
};
struct WatchlistDeleteResponse : WatchlistResponse {
    WatchlistDeleteResponse() : WatchlistResponse{.isAdd = false, .errorMessages = {}} {}
};

// The personalized part of a bundle: read from {"watchlist": {...}, "resume": ...}, on the
// watchlist only when the entry says `onWatchlist: true`; written flat as {"isInWatchlist",
// "refId", "refIdType", "resume"}, which reads back too. A program resumes at a bookmark, a
// series at the video to play.
template <class Resume>
struct PersonalizedBundle {
    bool isInWatchlist = false;
    std::optional<std::string> refId;
    std::optional<std::string> refIdType;
    std::optional<Resume> resume;
    bool operator==(const PersonalizedBundle&) const = default;
};

using PersonalizedProgramBundle = PersonalizedBundle<BookmarkContainer>;
using PersonalizedSeriesBundle = PersonalizedBundle<Video>;

// The continue-watching answer of a title: read from {"labels": {...}, "resume": ...}, where the
// free-form labels say whether it is on the watchlist under watchlistLabel.onWatchlist (anything
// else there reads as not on it); written flat as {"isInWatchlist", "resume"}, which reads back
// too.
template <class Resume>
struct ContinueWatchingResponse {
    bool isInWatchlist = false;
    std::optional<Resume> resume;
    bool operator==(const ContinueWatchingResponse&) const = default;
};

using ContinueWatchingSeriesResponse = ContinueWatchingResponse<Video>;
using ContinueWatchingVideoResponse = ContinueWatchingResponse<BookmarkContainer>;

// The bookmarks of a season's episodes, by the key the service gives each.
struct ContinueWatchingSeasonResponse {
    OrderedMap<EpisodeBookmark> bookmarks;
    bool operator==(const ContinueWatchingSeasonResponse&) const = default;
};

inline auto jsonFields(json::Tag<ContinueWatchingSeasonResponse>) {
    using namespace json::rules;
    return fields(required("bookmarks", &ContinueWatchingSeasonResponse::bookmarks));
}

// What the bundle query answers for a title: a series with its seasons and extras, a video with
// its extras, or a collection.
using ContentBundle = std::variant<SeriesBundle, VideoBundle, ContentCollection>;

}  // namespace vorlane

// Hand-written: both read a two-level answer and write a flat record (defined in Bundles.cpp for
// the two resume types each is used with).
template <class Resume>
struct vorlane::json::Codec<vorlane::PersonalizedBundle<Resume>> {
    static vorlane::PersonalizedBundle<Resume> decode(const Value& v);
    static void encode(Writer& w, const vorlane::PersonalizedBundle<Resume>& bundle);
};

template <class Resume>
struct vorlane::json::Codec<vorlane::ContinueWatchingResponse<Resume>> {
    static vorlane::ContinueWatchingResponse<Resume> decode(const Value& v);
    static void encode(Writer& w, const vorlane::ContinueWatchingResponse<Resume>& response);
};

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SeriesBundle)
VORLANE_JSON_RECORD(vorlane::VideoBundle)
VORLANE_JSON_RECORD(vorlane::Watchlist)
VORLANE_JSON_RECORD(vorlane::WatchlistResponse)
VORLANE_JSON_RECORD(vorlane::ContinueWatchingSeasonResponse)
