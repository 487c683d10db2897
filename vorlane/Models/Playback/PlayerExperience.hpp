#pragma once
// What the player shows beside the stream: title and subtitle with their spoken forms, languages,
// the rating with its advisories and extra warnings, disclaimers shown before the content, the
// network and service presenting it, the timeline of a live program, the other versions of the
// title the viewer can switch to, and analytics values for playback events. The Explore API
// answers it under {"data": {"playerExperience": {...}, "errors": [...]}}; every download record
// keeps one so that it is there offline.
//
//   {"targetLanguage": "en", "title": "Harbor Lights", "disclaimers": [{"text": "Smoking"}],
//    "timeline": {"elapsedMs": 30000, "runtimeMs": 2640000}, "analytics": {"programType": "episode"}}

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Models/Content/NetworkAttribution.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Playback/Timeline.hpp"
#include "vorlane/Platform/Json/FreeFormObject.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// A notice shown before the content ("Smoking", "Flashing lights"), drawn like a rating image when
// it has one: the same text, image identifier and cache key as the Explore rating and advisories.
struct Disclaimer {
    std::string text;
    std::optional<std::string> imageId;

    // text, image identifier (empty without one), the size truncated toward zero and "h" or "w",
    // joined with "_": {"Smoking", none} at height 31.7 is "Smoking__31_h".
    [[nodiscard]] std::string cacheKey(double size, bool isHeight) const {
        return ratingImageCacheKey(text, imageId, size, isHeight);
    }
    bool operator==(const Disclaimer&) const = default;
};

inline auto jsonFields(json::Tag<Disclaimer>) {
    using namespace json::rules;
    using S = Disclaimer;
    return fields(required("text", &S::text), optional("imageId", &S::imageId));
}

static_assert(RatingImageShowing<Disclaimer>);

// Texts shown with the rating: an extra warning and the distributor's notice.
struct RatingAdditionalInfo {
    std::optional<std::string> warning;
    std::optional<std::string> distribution;

    bool operator==(const RatingAdditionalInfo&) const = default;
};

inline auto jsonFields(json::Tag<RatingAdditionalInfo>) {
    using namespace json::rules;
    using S = RatingAdditionalInfo;
    return fields(optional("warning", &S::warning), optional("distribution", &S::distribution));
}

// One version of the title the viewer can switch to, and the playback action that plays it.
struct PlaybackVariant {
    std::string availId;
    PlaybackAction playbackAction;  // the action's own keys, without a "type" tag

    bool operator==(const PlaybackVariant&) const = default;
};

inline auto jsonFields(json::Tag<PlaybackVariant>) {
    using namespace json::rules;
    using S = PlaybackVariant;
    return fields(required("availId", &S::availId), required("playbackAction", &S::playbackAction));
}

// Versions offered under one heading ("Audio versions"). Strict: one variant that does not decode
// fails the grouping.
struct PlaybackVariantGrouping {
    std::string displayText;
    std::vector<PlaybackVariant> playbackVariants;

    bool operator==(const PlaybackVariantGrouping&) const = default;
};

inline auto jsonFields(json::Tag<PlaybackVariantGrouping>) {
    using namespace json::rules;
    using S = PlaybackVariantGrouping;
    return fields(required("displayText", &S::displayText), required("playbackVariants", &S::playbackVariants));
}

// Only the target language is required; every other member stays absent when the answer leaves it
// out, and is written only when present.
struct PlayerExperience {
    std::optional<std::string> availId;
    std::optional<std::string> title;
    std::optional<std::string> internalTitle;
    std::optional<std::string> subtitle;
    std::optional<std::string> subtitleTts;  // the subtitle for speech output
    std::optional<std::string> originalLanguage;
    std::string targetLanguage;
    std::optional<ExploreImageMap> image;
    std::optional<RatingInfo> ratingInfo;
    std::optional<RatingAdditionalInfo> ratingAdditionalInfo;
    std::optional<std::vector<Disclaimer>> disclaimers;  // a disclaimer that does not decode is dropped
    std::optional<std::string> heritageDisplayText;
    std::optional<PlayerTimeline> timeline;
    std::optional<std::string> infoBlock;  // opaque, passed on unchanged
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<NetworkAttribution> playerNetworkAttribution;
    std::optional<std::string> serviceAttribution;
    std::optional<ExploreImageMap> serviceAttributionImage;
    std::optional<std::vector<PlaybackVariantGrouping>> playbackVariantGroupings;
    std::optional<OrderedMap<std::string>> analytics;

    bool operator==(const PlayerExperience&) const = default;
};

inline auto jsonFields(json::Tag<PlayerExperience>) {
    using namespace json::rules;
    using S = PlayerExperience;
    return fields(optional("availId", &S::availId),
                  optional("title", &S::title),
                  optional("internalTitle", &S::internalTitle),
                  optional("subtitle", &S::subtitle),
                  optional("subtitleTts", &S::subtitleTts),
                  optional("originalLanguage", &S::originalLanguage),
                  required("targetLanguage", &S::targetLanguage),
                  optional("image", &S::image),
                  optional("ratingInfo", &S::ratingInfo),
                  optional("ratingAdditionalInfo", &S::ratingAdditionalInfo),
                  lenientIfPresent("disclaimers", &S::disclaimers),
                  optional("heritageDisplayText", &S::heritageDisplayText),
                  optional("timeline", &S::timeline),
                  optional("infoBlock", &S::infoBlock),
                  optional("networkAttribution", &S::networkAttribution),
                  optional("playerNetworkAttribution", &S::playerNetworkAttribution),
                  optional("serviceAttribution", &S::serviceAttribution),
                  optional("serviceAttributionImage", &S::serviceAttributionImage),
                  optional("playbackVariantGroupings", &S::playbackVariantGroupings),
                  optional("analytics", &S::analytics));
}

// The answer of the player-experience query. A missing "data" object fails; a "data" object
// without a player experience gives none. Each error is kept as the object the service sent.
struct PlayerExperienceResponse {
    std::optional<PlayerExperience> playerExperience;
    std::optional<std::vector<json::FreeFormObject>> errors;

    bool operator==(const PlayerExperienceResponse&) const = default;
};

inline auto jsonFields(json::Tag<PlayerExperienceResponse>) {
    using namespace json::rules;
    using S = PlayerExperienceResponse;
    return fields(nested("data", optional("playerExperience", &S::playerExperience), optional("errors", &S::errors)));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Disclaimer)
VORLANE_JSON_RECORD(vorlane::RatingAdditionalInfo)
VORLANE_JSON_RECORD(vorlane::PlaybackVariant)
VORLANE_JSON_RECORD(vorlane::PlaybackVariantGrouping)
VORLANE_JSON_RECORD(vorlane::PlayerExperience)
VORLANE_JSON_RECORD(vorlane::PlayerExperienceResponse)
