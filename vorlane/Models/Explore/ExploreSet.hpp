#pragma once
// Explore sets and their items: the shelf of an Explore page with its style and paging, each item
// with its actions, the set answer, and how both are shown to screens written for the legacy
// content model (an item is legacy content tagged "ExploreSetItem"; a set becomes a legacy set or
// container).
//
//   {"id": "set-1", "type": "set", "style": {"name": "standard_art", "fallback": "", "layout": "shelf"},
//    "items": [{"type": "set", "id": "item-1", "visuals": {...}, "actions": [...]}],
//    "infoBlock": "...", "pagination": {"hasMore": true, "hasPrev": false, "currentOffset": 0}}

#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentContainer.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/UserState.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/FreeFormObject.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorlane {

struct ExplorePagination {
    bool hasMore = false;
    bool hasPrev = false;
    std::int64_t currentOffset = 0;
    std::optional<std::int64_t> totalCount;

    bool operator==(const ExplorePagination&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePagination>) {
    using namespace json::rules;
    using S = ExplorePagination;
    return fields(required("hasMore", &S::hasMore), required("hasPrev", &S::hasPrev),
                  required("currentOffset", &S::currentOffset), optional("totalCount", &S::totalCount));
}

// Who the page or item is personalised for, and their state with it.
struct Personalization {
    std::string pid;
    std::optional<UserState> userState;

    bool operator==(const Personalization&) const = default;
};

inline auto jsonFields(json::Tag<Personalization>) {
    using namespace json::rules;
    using S = Personalization;
    return fields(required("pid", &S::pid), optional("userState", &S::userState));
}

struct ExploreSetItem {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::explore;

    ExplorePageType type = ExplorePageType::set;
    std::string id;
    std::optional<std::vector<ActionCoder>> actionCoders;  // unknown actions are left out
    std::optional<ExploreSetItemVisuals> visuals;
    std::optional<Personalization> personalization;
    std::optional<std::string> infoBlock;  // any failure to read it leaves it absent

    std::optional<std::vector<std::shared_ptr<const Action>>> actions() const { return vorlane::actions(actionCoders); }
    std::optional<BrowseAction> browseAction() const { return firstAction<BrowseAction>(actionCoders); }
    std::optional<PlaybackAction> playbackAction() const { return firstAction<PlaybackAction>(actionCoders); }
    std::optional<DownloadAction> downloadAction() const { return firstAction<DownloadAction>(actionCoders); }
    std::optional<UpsellAction> upsellAction() const { return firstAction<UpsellAction>(actionCoders); }
    std::optional<UpNextLegacyBrowseAction> upNextLegacyBrowseAction() const {
        return firstAction<UpNextLegacyBrowseAction>(actionCoders);
    }
    bool hasDownloadAction() const { return downloadAction().has_value(); }
    std::optional<std::string> actionInfoBlock() const { return firstActionInfoBlock(actionCoders); }
    std::vector<std::string> actionInfoBlocks() const { return vorlane::actionInfoBlocks(actionCoders); }
    // The first action whose type is one of `types`, in the item's order.
    std::shared_ptr<const Action> firstActionMatching(std::span<const ActionTypeIdentifier> types) const;
    // Where the legacy content API has this item: from its first legacy browse action, when that
    // opens a series, airing, movie or collection by reference.
    std::optional<ContentReferenceLocator> contentReferenceLocator() const;
    // The visuals' title and descriptions as legacy texts; empty without visuals.
    TextMap contentTexts() const;

    bool operator==(const ExploreSetItem&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetItem>) {
    using namespace json::rules;
    using S = ExploreSetItem;
    return fields(required("type", &S::type), required("id", &S::id), lenientIfPresent("actions", &S::actionCoders),
                  optional("visuals", &S::visuals), optional("personalization", &S::personalization),
                  tolerant("infoBlock", &S::infoBlock));
}

inline auto jsonDerived(json::Tag<ExploreSetItem>) {
    using namespace json::derived;
    using S = ExploreSetItem;
    return members(member("actions", [](const S& item) { return item.actionCoders; }),
                   member("browseAction", &S::browseAction), member("playbackAction", &S::playbackAction),
                   member("downloadAction", &S::downloadAction), member("upsellAction", &S::upsellAction),
                   member("upNextLegacyBrowseAction", &S::upNextLegacyBrowseAction),
                   member("hasDownloadAction", &S::hasDownloadAction), member("actionInfoBlock", &S::actionInfoBlock),
                   member("actionInfoBlocks", &S::actionInfoBlocks),
                   member("contentReferenceLocator", &S::contentReferenceLocator));
}

// An item with the style name of the shelf it is shown on: how a set's items reach legacy screens.
struct ExploreSetItemWithStyle {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::explore;

    ExploreSetItem setItem;
    std::optional<std::string> style;

    ExploreSetItemWithStyle() = default;
    explicit ExploreSetItemWithStyle(ExploreSetItem item, std::optional<std::string> style = std::nullopt)
        : setItem(std::move(item)), style(std::move(style)) {}

    bool operator==(const ExploreSetItemWithStyle&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetItemWithStyle>) {
    using namespace json::rules;
    using S = ExploreSetItemWithStyle;
    return fields(required("setItem", &S::setItem), optional("style", &S::style));
}

// Explore items as legacy content: the item's id, its visuals' texts (computed once, when the
// model is built), no call to action, no artwork; the wrapper answers for the item it holds.
template <class R>
concept ExploreItemContent = std::same_as<R, ExploreSetItem> || std::same_as<R, ExploreSetItemWithStyle>;

template <ExploreItemContent R>
inline constexpr bool contentModelCachesDerivedValues<R> = true;

template <ExploreItemContent R>
class ContentModel<R> final : public Content {
public:
    ContentModel() = default;
    explicit ContentModel(R record) : record_(std::move(record)), texts_(item().contentTexts()) {}

    const R& record() const noexcept { return record_; }

    ContentTypeIdentifier identifier() const override { return R::identifier; }
    const std::string& contentId() const override { return item().id; }
    const TextMap& texts() const override { return texts_; }
    const std::optional<CallToAction>& callToAction() const override { return noCallToAction_; }
    const std::vector<VideoArtwork>& videoArtwork() const override { return noVideoArtwork_; }
    const ImageMap& image() const override { return noImage_; }

private:
    const ExploreSetItem& item() const noexcept {
        if constexpr (std::same_as<R, ExploreSetItem>)
            return record_;
        else
            return record_.setItem;
    }

    R record_;
    TextMap texts_;
    std::optional<CallToAction> noCallToAction_;
    std::vector<VideoArtwork> noVideoArtwork_;
    ImageMap noImage_;
};

// Layout and style names of a set or season, kept as sent.
struct ExploreSetStyle {
    std::string name = "standard_art";
    std::string fallback;
    std::string layout;

    // The legacy container style: the name when it is a known style, else the fallback when that
    // is, else `standardArt`.
    ContentContainerStyle resolvedContainerStyle() const;

    bool operator==(const ExploreSetStyle&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetStyle>) {
    using namespace json::rules;
    using S = ExploreSetStyle;
    return fields(required("name", &S::name), required("fallback", &S::fallback), required("layout", &S::layout));
}

inline auto jsonDerived(json::Tag<ExploreSetStyle>) {
    using namespace json::derived;
    return members(member("resolvedContainerStyle", &ExploreSetStyle::resolvedContainerStyle));
}

struct ExploreSet {
    using Style = ExploreSetStyle;

    std::string id;
    Style style;  // when absent: params' "setStyle" as the name, else "standard_art"
    std::optional<std::vector<ActionCoder>> actionCoders;  // unknown actions are left out
    std::optional<ExploreSetVisuals> visuals;
    std::optional<std::vector<ExploreSetItem>> items;  // items that fail are left out
    std::optional<ExploreRefresh> refresh;
    std::optional<std::string> infoBlock;  // required on the wire
    std::optional<ExplorePagination> pagination;
    ExplorePageType type = ExplorePageType::set;
    std::optional<OrderedMap<std::string>> params;

    std::optional<std::vector<std::shared_ptr<const Action>>> actions() const { return vorlane::actions(actionCoders); }
    std::optional<std::string> actionInfoBlock() const { return firstActionInfoBlock(actionCoders); }
    std::vector<std::string> actionInfoBlocks() const { return vorlane::actionInfoBlocks(actionCoders); }

    // The set as a legacy set of type `exploreSet`: pages of 30, its items each with the set's
    // resolved style name, its name as the title text.
    ContentSet contentSet() const;
    // The set as a legacy container: hero or grid by its layout (a shelf otherwise); a reference
    // to load later when more items exist but none came with it, the content set otherwise.
    ContentContainer contentContainer() const;

    bool operator==(const ExploreSet&) const = default;
};

static_assert(InfoAndActionInfoBlockContaining<ExploreSet> && InfoAndActionInfoBlockContaining<ExploreSetItem>);

}  // namespace vorlane

// Hand-written: the style is resolved after every other key (an absent "style" falls back to
// "params"."setStyle"); everything else is read and written as declared.
VORLANE_JSON_CODEC(vorlane::ExploreSet)

namespace vorlane {

inline auto jsonDerived(json::Tag<ExploreSet>) {
    using namespace json::derived;
    using S = ExploreSet;
    return members(member("actions", [](const S& set) { return set.actionCoders; }),
                   member("actionInfoBlock", &S::actionInfoBlock), member("actionInfoBlocks", &S::actionInfoBlocks),
                   member("contentSet", &S::contentSet), member("contentContainer", &S::contentContainer));
}

// The answer of a set query: {"data": {"set": {...}, "errors": [...]}}.
struct ExploreSetResponse {
    std::optional<ExploreSet> exploreSet;
    std::optional<std::vector<json::FreeFormObject>> errors;

    bool operator==(const ExploreSetResponse&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSetResponse>) {
    using namespace json::rules;
    using S = ExploreSetResponse;
    return fields(nested("data", optional("set", &S::exploreSet), optional("errors", &S::errors)));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExplorePagination)
VORLANE_JSON_RECORD(vorlane::Personalization)
VORLANE_JSON_RECORD(vorlane::ExploreSetItem)
VORLANE_JSON_RECORD(vorlane::ExploreSetItemWithStyle)
VORLANE_JSON_RECORD(vorlane::ExploreSetStyle)
VORLANE_JSON_RECORD(vorlane::ExploreSetResponse)
