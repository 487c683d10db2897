#pragma once
// A deep link resolved by the Explore API into what to open or play for it, the well-known
// destinations and the ids the configuration gives them, and the legacy content item that stands
// for such a destination on a legacy shelf.
//
//   {"data": {"deeplink": {"actions": [{"type": "browse", "pageId": "...", ...}]}}}

#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The well-known destinations. Closed.
enum class ExploreDeeplinkRefId { home, watchlist, zelkor, movies, series, originals, threeDimensional };

constexpr auto jsonVocabulary(json::Tag<ExploreDeeplinkRefId>) {
    using enum ExploreDeeplinkRefId;
    return json::vocabulary<ExploreDeeplinkRefId>("ExploreDeeplink.RefId", {
        {home, "home"},
        {watchlist, "watchlist"},
        {zelkor, "zelkor"},
        {movies, "movies"},
        {series, "series"},
        {originals, "originals"},
        {threeDimensional, "threeDimensional"},
    });
}

// The reference id the configuration gives each destination.
struct ExploreDeeplinkConfig {
    struct RefIds {
        std::string home;
        std::string watchlist;
        std::string zelkor;
        std::string movies;
        std::string series;
        std::string originals;
        std::string threeDimensional;
        bool operator==(const RefIds&) const = default;
    };

    RefIds refIds;

    bool operator==(const ExploreDeeplinkConfig&) const = default;
};

inline auto jsonFields(json::Tag<ExploreDeeplinkConfig::RefIds>) {
    using namespace json::rules;
    using S = ExploreDeeplinkConfig::RefIds;
    return fields(required("home", &S::home), required("watchlist", &S::watchlist), required("zelkor", &S::zelkor),
                  required("movies", &S::movies), required("series", &S::series), required("originals", &S::originals),
                  required("threeDimensional", &S::threeDimensional));
}

inline auto jsonFields(json::Tag<ExploreDeeplinkConfig>) {
    using namespace json::rules;
    return fields(required("refIds", &ExploreDeeplinkConfig::refIds));
}

// The legacy content item of a well-known destination. Its content type is one process-wide
// setting (a collection at first) that may be replaced at run time, from any thread; every item
// reports the current one.
struct ExploreDeeplinkItem {
    static inline std::atomic<ContentTypeIdentifier> identifier{ContentTypeIdentifier::standardCollection};

    std::string contentId;
    TextMap texts;
    std::optional<CallToAction> callToAction;
    std::vector<VideoArtwork> videoArtwork;
    ImageMap image;
    ExploreDeeplinkRefId deeplinkId = ExploreDeeplinkRefId::home;

    bool operator==(const ExploreDeeplinkItem&) const = default;
};

inline auto jsonFields(json::Tag<ExploreDeeplinkItem>) {
    using namespace json::rules;
    using S = ExploreDeeplinkItem;
    return fields(required("contentId", &S::contentId), required("texts", &S::texts),
                  optional("callToAction", &S::callToAction), required("videoArtwork", &S::videoArtwork),
                  required("image", &S::image), required("deeplinkId", &S::deeplinkId));
}

// The configured id of a destination.
[[nodiscard]] const std::string& queryValue(ExploreDeeplinkRefId refId, const ExploreDeeplinkConfig& config);
// The legacy item of a destination, titled `title`.
[[nodiscard]] ExploreDeeplinkItem deeplinkContentItem(ExploreDeeplinkRefId refId, std::string_view title);

// The page a deep link opens: the first browse action's page and its style.
struct ExplorePageInfo {
    std::string pageId;
    ExplorePageStyleDescriptor pageStyle;

    bool operator==(const ExplorePageInfo&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePageInfo>) {
    using namespace json::rules;
    using S = ExplorePageInfo;
    return fields(required("pageId", &S::pageId), required("pageStyle", &S::pageStyle));
}

struct ExploreDeeplink {
    using ReferenceIdType = ExploreDeeplinkReferenceIdType;
    using RefId = ExploreDeeplinkRefId;

    std::vector<ActionCoder> actionCoders;  // unknown actions are left out

    ExploreDeeplink() = default;
    explicit ExploreDeeplink(const std::vector<std::shared_ptr<const Action>>& actions);

    std::vector<std::shared_ptr<const Action>> actions() const { return models(actionCoders); }
    std::optional<ExplorePageInfo> explorePageInfo() const;
    // The identifying string of the first action of kind `type` (its page, resource, season or
    // referenced item); empty when there is none or the kind has no identifier.
    std::string identifier(ActionTypeIdentifier type) const;

    bool operator==(const ExploreDeeplink&) const = default;
};

inline auto jsonDerived(json::Tag<ExploreDeeplink>) {
    using namespace json::derived;
    return members(member("explorePageInfo", &ExploreDeeplink::explorePageInfo));
}

}  // namespace vorlane

// Hand-written: read from "data" -> "deeplink" -> "actions", written flat as {"actions": [...]}.
VORLANE_JSON_CODEC(vorlane::ExploreDeeplink)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExploreDeeplinkConfig::RefIds)
VORLANE_JSON_RECORD(vorlane::ExploreDeeplinkConfig)
VORLANE_JSON_RECORD(vorlane::ExploreDeeplinkItem)
VORLANE_JSON_RECORD(vorlane::ExplorePageInfo)
