#pragma once
// How Explore pages, sets, items and containers look: titles and their text-to-speech forms,
// descriptions keyed by length, prompts, artwork, ratings, metadata strings, attribution, badges,
// restriction and empty-state messages; and the translation of titles, descriptions and motion
// artwork into the text map and video artwork of legacy content.
//
//   {"title": "Harbor Lights", "description": {"medium": "A keeper ...", "brief": "A keeper."},
//    "artwork": {"hero": {"background": {"1.78": {"imageId": "hl-bg"}}}},
//    "videoArtwork": {"tile": {"videoId": "https://media.example/hl-tile.mp4"}}}

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/AiringEventState.hpp"
#include "vorlane/Models/Content/Credits.hpp"
#include "vorlane/Models/Content/Duration.hpp"
#include "vorlane/Models/Content/Genres.hpp"
#include "vorlane/Models/Content/LabeledSport.hpp"
#include "vorlane/Models/Content/MetastringParts.hpp"
#include "vorlane/Models/Content/NetworkAttribution.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Releases.hpp"
#include "vorlane/Models/Content/ShopImage.hpp"
#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Models/Explore/EmptyState.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Playback/AudioVisual.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// Description kind ("full", "medium", "brief", ...) -> text, in document order.
using DescriptionMap = OrderedMap<std::string>;
// Motion artwork keyed by its kind ("tile", "full_bleed", ...), in document order.
using ExploreVideoArtworkMap = OrderedMap<ExploreVideoArtwork>;

// One entry of the legacy text map built from Explore visuals.
struct ExploreToContentText {
    std::string field;
    std::string type;
    std::string sourceEntity;
    std::string language;
    std::string content;

    bool operator==(const ExploreToContentText&) const = default;
};

// The legacy text map of a title and its descriptions: the title under "title" / "full", then
// each description under "description" / its kind, all under `sourceEntity`, each as a "default"
// text in language "en". A later entry with the same field, type and entity replaces an earlier one.
[[nodiscard]] TextMap legacyTexts(std::string_view title, const std::optional<DescriptionMap>& description,
                                  std::string_view sourceEntity);

// The legacy video artwork of an Explore motion-artwork map: one artwork per key that names a
// legacy artwork type ("tile", "tile_1x", "full_bleed", "full_bleed_portrait") and has a video id,
// with that id as its one URL and no regions; other keys and artwork without an id are skipped.
[[nodiscard]] std::vector<VideoArtwork> legacyVideoArtwork(const std::optional<ExploreVideoArtworkMap>& videoArtwork);

// The call to action of a promotion shown on a page.
struct ExplorePromoLabel {
    std::string promoLabelType;  // free text
    std::string header;
    std::optional<std::string> subheader;

    bool operator==(const ExplorePromoLabel&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePromoLabel>) {
    using namespace json::rules;
    using S = ExplorePromoLabel;
    return fields(required("promoLabelType", &S::promoLabelType), required("header", &S::header),
                  optional("subheader", &S::subheader));
}

// A prompt a page shows, such as the invitation to pick a profile.
struct ExploreVisualsPrompt {
    std::string title;
    std::string description;
    std::optional<ExploreImageMap> artwork;

    bool operator==(const ExploreVisualsPrompt&) const = default;
};

inline auto jsonFields(json::Tag<ExploreVisualsPrompt>) {
    using namespace json::rules;
    using S = ExploreVisualsPrompt;
    return fields(required("title", &S::title), required("description", &S::description),
                  optional("artwork", &S::artwork));
}

// The visuals of a page.
struct ExploreVisuals {
    std::string title;
    std::optional<std::string> featuredTitle;
    std::optional<std::string> featuredTitleTts;
    std::optional<DescriptionMap> description;
    std::optional<ExplorePromoLabel> promoLabel;
    std::optional<AiringEventState> airingEventState;
    std::optional<ExploreImageMap> artwork;
    std::optional<ExploreVideoArtworkMap> videoArtwork;
    std::optional<std::vector<CreditGroup>> credits;  // groups that do not decode are dropped
    std::optional<MetastringParts> metastringParts;
    std::optional<ExplorePageRestriction> restriction;
    std::optional<std::string> serviceAttribution;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<EmptyState> emptyState;
    std::optional<std::string> emptyStateCode;
    std::optional<ExploreVisualsPrompt> prompt;

    // The title and descriptions as legacy texts of a program.
    [[nodiscard]] TextMap contentTexts() const { return legacyTexts(title, description, "program"); }
    [[nodiscard]] std::vector<VideoArtwork> legacyVideoArtwork() const {
        return vorlane::legacyVideoArtwork(videoArtwork);
    }

    bool operator==(const ExploreVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ExploreVisuals>) {
    using namespace json::rules;
    using S = ExploreVisuals;
    return fields(required("title", &S::title), optional("featuredTitle", &S::featuredTitle),
                  optional("featuredTitleTts", &S::featuredTitleTts), optional("description", &S::description),
                  optional("promoLabel", &S::promoLabel), optional("airingEventState", &S::airingEventState),
                  optional("artwork", &S::artwork), optional("videoArtwork", &S::videoArtwork),
                  lenientIfPresent("credits", &S::credits), optional("metastringParts", &S::metastringParts),
                  optional("restriction", &S::restriction), optional("serviceAttribution", &S::serviceAttribution),
                  optional("networkAttribution", &S::networkAttribution), optional("emptyState", &S::emptyState),
                  optional("emptyStateCode", &S::emptyStateCode), optional("prompt", &S::prompt));
}

inline auto jsonDerived(json::Tag<ExploreVisuals>) {
    using namespace json::derived;
    return members(member("contentTexts", &ExploreVisuals::contentTexts),
                   member("legacyVideoArtwork", &ExploreVisuals::legacyVideoArtwork));
}

// The prompt of an item: a plain one, or one inviting an upgrade.
struct ExploreItemPrompt {
    // Closed: an unknown string fails the prompt.
    enum class ExploreItemPromptType { generic, upsell };

    ExploreItemPromptType type{};
    std::string text;
    std::optional<std::string> textTts;

    bool operator==(const ExploreItemPrompt&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<ExploreItemPrompt::ExploreItemPromptType>) {
    using enum ExploreItemPrompt::ExploreItemPromptType;
    return json::vocabulary<ExploreItemPrompt::ExploreItemPromptType>("ExploreItemPrompt.ExploreItemPromptType", {
        {generic, "generic"},
        {upsell, "upsell"},
    });
}

inline auto jsonFields(json::Tag<ExploreItemPrompt>) {
    using namespace json::rules;
    using S = ExploreItemPrompt;
    return fields(required("type", &S::type), required("text", &S::text), optional("textTts", &S::textTts));
}

struct ExploreBadgingUpsell {
    std::string displayText;
    bool operator==(const ExploreBadgingUpsell&) const = default;
};

inline auto jsonFields(json::Tag<ExploreBadgingUpsell>) {
    using namespace json::rules;
    return fields(required("displayText", &ExploreBadgingUpsell::displayText));
}

// The badges drawn on an item: an upgrade badge and the state of a live event.
struct ExploreBadging {
    std::optional<ExploreBadgingUpsell> upsell;
    std::optional<AiringEventState> airingEventState;
    bool operator==(const ExploreBadging&) const = default;
};

inline auto jsonFields(json::Tag<ExploreBadging>) {
    using namespace json::rules;
    using S = ExploreBadging;
    return fields(optional("upsell", &S::upsell), optional("airingEventState", &S::airingEventState));
}

// The visuals of an item of a set.
struct ExploreSetItemVisuals {
    std::string title;
    std::optional<std::string> featuredTitle;
    std::optional<DescriptionMap> description;
    std::optional<std::string> prompt;
    std::optional<std::string> promptTts;
    std::optional<ExploreItemPrompt> itemPrompt;
    std::optional<std::string> fullEpisodeTitle;
    std::optional<std::string> fullEpisodeTitleTts;
    std::optional<std::string> episodeTitle;
    std::optional<std::string> seasonNumber;   // display text, not a number
    std::optional<std::string> episodeNumber;  // display text, not a number
    std::optional<std::string> seasonName;
    std::optional<std::string> seasonNameTts;
    std::optional<std::int64_t> durationMs;
    std::optional<ExploreImageMap> artwork;
    std::optional<ExploreImageMap> unfocusedArtwork;
    std::optional<ExploreVideoArtworkMap> videoArtwork;
    std::optional<RatingInfo> ratingInfo;
    std::optional<MetastringParts> metastringParts;
    std::optional<NetworkAttribution> networkAttribution;
    std::optional<ExploreBadging> badging;

    // The item prompt's text when there is an item prompt, else the plain prompt.
    [[nodiscard]] std::optional<std::string> promptText() const {
        return itemPrompt ? std::optional<std::string>(itemPrompt->text) : prompt;
    }
    // The item prompt's spoken text when it has one, else the plain prompt's.
    [[nodiscard]] std::optional<std::string> promptTextTts() const {
        return itemPrompt && itemPrompt->textTts ? itemPrompt->textTts : promptTts;
    }
    // The title and descriptions as legacy texts of a program.
    [[nodiscard]] TextMap contentTexts() const { return legacyTexts(title, description, "program"); }

    bool operator==(const ExploreSetItemVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetItemVisuals>) {
    using namespace json::rules;
    using S = ExploreSetItemVisuals;
    return fields(required("title", &S::title), optional("featuredTitle", &S::featuredTitle),
                  optional("description", &S::description), optional("prompt", &S::prompt),
                  optional("promptTts", &S::promptTts), optional("itemPrompt", &S::itemPrompt),
                  optional("fullEpisodeTitle", &S::fullEpisodeTitle),
                  optional("fullEpisodeTitleTts", &S::fullEpisodeTitleTts), optional("episodeTitle", &S::episodeTitle),
                  optional("seasonNumber", &S::seasonNumber), optional("episodeNumber", &S::episodeNumber),
                  optional("seasonName", &S::seasonName), optional("seasonNameTts", &S::seasonNameTts),
                  optional("durationMs", &S::durationMs), optional("artwork", &S::artwork),
                  optional("unfocusedArtwork", &S::unfocusedArtwork), optional("videoArtwork", &S::videoArtwork),
                  optional("ratingInfo", &S::ratingInfo), optional("metastringParts", &S::metastringParts),
                  optional("networkAttribution", &S::networkAttribution), optional("badging", &S::badging));
}

inline auto jsonDerived(json::Tag<ExploreSetItemVisuals>) {
    using namespace json::derived;
    return members(member("promptText", &ExploreSetItemVisuals::promptText),
                   member("promptTextTts", &ExploreSetItemVisuals::promptTextTts),
                   member("contentTexts", &ExploreSetItemVisuals::contentTexts));
}

// The visuals of a set.
struct ExploreSetVisuals {
    std::string name;
    std::optional<std::string> description;
    std::optional<std::string> prompt;
    std::optional<ExploreImageMap> artwork;

    bool operator==(const ExploreSetVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetVisuals>) {
    using namespace json::rules;
    using S = ExploreSetVisuals;
    return fields(required("name", &S::name), optional("description", &S::description),
                  optional("prompt", &S::prompt), optional("artwork", &S::artwork));
}

// The visuals of a details container: the title's descriptors, each with its display label.
struct DetailsContainerVisuals {
    std::string name;
    std::string title;
    std::optional<DescriptionMap> description;
    std::optional<std::vector<CreditGroup>> credits;  // groups that do not decode are dropped
    std::optional<LabeledDuration> duration;
    std::optional<LabeledReleaseYearRange> releaseYearRange;
    std::optional<LabeledGenres> genres;
    std::optional<LabeledRatingInfo> ratingInfo;
    std::optional<LabeledAudioVisual> audioVisual;
    std::optional<LabeledContentAdvisory> contentAdvisory;
    std::optional<LabeledSport> sport;
    std::optional<LabeledSportsLeague> sportsLeague;
    std::optional<MetastringPremiereDate> premiereDate;

    bool operator==(const DetailsContainerVisuals&) const = default;
};

inline auto jsonFields(json::Tag<DetailsContainerVisuals>) {
    using namespace json::rules;
    using S = DetailsContainerVisuals;
    return fields(required("name", &S::name), required("title", &S::title), optional("description", &S::description),
                  lenientIfPresent("credits", &S::credits), optional("duration", &S::duration),
                  optional("releaseYearRange", &S::releaseYearRange), optional("genres", &S::genres),
                  optional("ratingInfo", &S::ratingInfo), optional("audioVisual", &S::audioVisual),
                  optional("contentAdvisory", &S::contentAdvisory), optional("sport", &S::sport),
                  optional("sportsLeague", &S::sportsLeague), optional("premiereDate", &S::premiereDate));
}

// The visuals of the shop panel.
struct ShopContainerVisuals {
    std::string name;
    std::string title;
    std::string subtitle;
    std::string link;
    std::string linkCopy;
    std::string linkCopyUrl;
    std::optional<std::string> legalCopy;
    std::string goToShopOstrelTts;  // the spoken call to action
    std::string shopOstrelTts;      // the spoken name of the shop
    ShopImage image;

    bool operator==(const ShopContainerVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ShopContainerVisuals>) {
    using namespace json::rules;
    using S = ShopContainerVisuals;
    return fields(required("name", &S::name), required("title", &S::title), required("subtitle", &S::subtitle),
                  required("link", &S::link), required("linkCopy", &S::linkCopy),
                  required("linkCopyUrl", &S::linkCopyUrl), optional("legalCopy", &S::legalCopy),
                  required("goToShopOstrelTts", &S::goToShopOstrelTts), required("shopOstrelTts", &S::shopOstrelTts),
                  required("image", &S::image));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExplorePromoLabel)
VORLANE_JSON_RECORD(vorlane::ExploreVisualsPrompt)
VORLANE_JSON_RECORD(vorlane::ExploreVisuals)
VORLANE_JSON_RECORD(vorlane::ExploreItemPrompt)
VORLANE_JSON_RECORD(vorlane::ExploreBadgingUpsell)
VORLANE_JSON_RECORD(vorlane::ExploreBadging)
VORLANE_JSON_RECORD(vorlane::ExploreSetItemVisuals)
VORLANE_JSON_RECORD(vorlane::ExploreSetVisuals)
VORLANE_JSON_RECORD(vorlane::DetailsContainerVisuals)
VORLANE_JSON_RECORD(vorlane::ShopContainerVisuals)
