#pragma once
// The twelve action records of the Explore API, the playback options, and the interfaces the
// records share: playback (play and trailer), download, legacy browse, and records that carry
// actions of their own.

#include "vorlane/Models/Content/ContentTypeIdentifier.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/ActionVisuals.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Platform/ContentIdentifier.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorlane {

// One way to start playback offered by a playback or trailer action.
struct PlaybackOption {
    // Closed: an unknown string fails the option, and with it the action that holds it.
    enum class PlaybackOptionType { fromBeginning, resume, fromLive, play, playImax, playWidescreen };

    std::optional<PlaybackOptionType> type;
    std::optional<std::string> displayText;
    std::string infoBlock;

    bool operator==(const PlaybackOption&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<PlaybackOption::PlaybackOptionType>) {
    using enum PlaybackOption::PlaybackOptionType;
    return json::vocabulary<PlaybackOption::PlaybackOptionType>("PlaybackOption.PlaybackOptionType", {
        {fromBeginning, "from_beginning"},
        {resume, "resume"},
        {fromLive, "from_live"},
        {play, "play"},
        {playImax, "play_imax"},
        {playWidescreen, "play_widescreen"},
    });
}

inline auto jsonFields(json::Tag<PlaybackOption>) {
    using namespace json::rules;
    using S = PlaybackOption;
    return fields(optional("type", &S::type),
                  optional("displayText", &S::displayText),
                  required("infoBlock", &S::infoBlock));
}

// What the first option asks for: its type, `play` without options or without a type.
PlaybackOption::PlaybackOptionType playbackActionType(const std::vector<PlaybackOption>& options);
// The first option's info block; absent without options.
std::optional<std::string> firstInfoBlock(const std::vector<PlaybackOption>& options);
// The first option of `type`, absent when there is none.
std::optional<PlaybackOption> option(const std::vector<PlaybackOption>& options, PlaybackOption::PlaybackOptionType type);

// ---- Actions ------------------------------------------------------------------------------------

// Opens another Explore page.
struct BrowseAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::browse;

    std::string pageId;
    ExplorePageStyleDescriptor pageStyle;
    OrderedMap<std::string> params;
    std::string deeplinkId;
    std::optional<std::string> infoBlock;
    DisplayTextVisuals visuals;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const BrowseAction&) const = default;
};

inline auto jsonFields(json::Tag<BrowseAction>) {
    using namespace json::rules;
    using S = BrowseAction;
    return fields(required("pageId", &S::pageId),
                  required("pageStyle", &S::pageStyle),
                  required("params", &S::params),
                  required("deeplinkId", &S::deeplinkId),
                  optional("infoBlock", &S::infoBlock),
                  required("visuals", &S::visuals));
}

inline auto jsonDerived(json::Tag<BrowseAction>) {
    using namespace json::derived;
    return members(member("displayText", &BrowseAction::displayText));
}

// Downloads one title.
struct DownloadAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::download;

    std::string availId;
    std::optional<std::string> contentId;
    std::optional<std::string> infoBlock;
    std::string internalTitle;
    std::string resourceId;
    DisplayTextVisuals visuals;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    // The SDK's identifier of the title, by its avail id.
    sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::availId(availId); }
    bool operator==(const DownloadAction&) const = default;
};

inline auto jsonFields(json::Tag<DownloadAction>) {
    using namespace json::rules;
    using S = DownloadAction;
    return fields(required("availId", &S::availId),
                  optional("contentId", &S::contentId),
                  optional("infoBlock", &S::infoBlock),
                  required("internalTitle", &S::internalTitle),
                  required("resourceId", &S::resourceId),
                  required("visuals", &S::visuals));
}

inline auto jsonDerived(json::Tag<DownloadAction>) {
    using namespace json::derived;
    return members(member("displayText", &DownloadAction::displayText),
                   member("contentIdentifier", &DownloadAction::contentIdentifier));
}

// Downloads a whole season (tagged "downloadAll").
struct DownloadSeasonAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::downloadSeason;

    std::string seasonId;
    std::optional<std::string> infoBlock;
    DisplayTextVisuals visuals;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const DownloadSeasonAction&) const = default;
};

inline auto jsonFields(json::Tag<DownloadSeasonAction>) {
    using namespace json::rules;
    using S = DownloadSeasonAction;
    return fields(required("seasonId", &S::seasonId),
                  optional("infoBlock", &S::infoBlock),
                  required("visuals", &S::visuals));
}

inline auto jsonDerived(json::Tag<DownloadSeasonAction>) {
    using namespace json::derived;
    return members(member("displayText", &DownloadSeasonAction::displayText));
}

// What a legacy browse action opens: one item by its reference, or a collection by class and slug.
struct LegacyBrowseItem {
    EncodedIdentifier refIdType;
    std::string refId;
    bool operator==(const LegacyBrowseItem&) const = default;
};
struct LegacyBrowseCollection {
    std::string contentClass;
    std::string slug;
    bool operator==(const LegacyBrowseCollection&) const = default;
};
using LegacyBrowseTarget = std::variant<LegacyBrowseItem, LegacyBrowseCollection>;

// The item's reference id; absent for a collection.
std::optional<std::string> refId(const LegacyBrowseTarget& item);
// The legacy content type a legacy browse action's "contentType" names: "series", "airing",
// "movie" (a video) and "collection" (a standard collection); absent for anything else.
std::optional<ContentTypeIdentifier> legacyContentTypeIdentifier(const std::string& contentType);

// Opens content of the legacy content API.
struct LegacyBrowseAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::legacyBrowse;
    using Item = LegacyBrowseItem;
    using Collection = LegacyBrowseCollection;

    LegacyBrowseTarget item;
    std::string contentType;
    // Always present once decoded: the key is required.
    std::optional<std::string> infoBlock;

    std::optional<std::string> refId() const { return vorlane::refId(item); }
    std::optional<ContentTypeIdentifier> contentTypeIdentifier() const { return legacyContentTypeIdentifier(contentType); }
    bool operator==(const LegacyBrowseAction&) const = default;
};

// A legacy browse action offered as what plays next, with visuals.
struct UpNextLegacyBrowseAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::upNextLegacyBrowse;
    using Item = LegacyBrowseItem;
    using Collection = LegacyBrowseCollection;

    LegacyBrowseTarget item;
    std::string contentType;
    DisplayTextVisuals visuals;
    std::optional<std::string> infoBlock;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    std::optional<std::string> refId() const { return vorlane::refId(item); }
    std::optional<ContentTypeIdentifier> contentTypeIdentifier() const { return legacyContentTypeIdentifier(contentType); }
    bool operator==(const UpNextLegacyBrowseAction&) const = default;
};

// Shows a modal with further actions.
struct ModalAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::modal;
    enum class ModalType { live };

    ModalType modalType = ModalType::live;
    std::optional<std::string> infoBlock;
    ModalActionVisuals visuals;
    std::vector<ActionCoder> actionCoders;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const ModalAction&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<ModalAction::ModalType>) {
    using enum ModalAction::ModalType;
    return json::vocabulary<ModalAction::ModalType>("ModalAction.ModalType", {
        {live, "live"},
    });
}

inline auto jsonFields(json::Tag<ModalAction>) {
    using namespace json::rules;
    using S = ModalAction;
    // Strict: one action that does not decode fails the modal.
    return fields(required("modalType", &S::modalType),
                  optional("infoBlock", &S::infoBlock),
                  required("visuals", &S::visuals),
                  required("actions", &S::actionCoders));
}

inline auto jsonDerived(json::Tag<ModalAction>) {
    using namespace json::derived;
    return members(member("displayText", &ModalAction::displayText));
}

// Adds the title to, or removes it from, the saved list.
struct ModifySavesAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::modifySaves;

    PlaybackActionVisuals visuals;
    std::optional<std::string> infoBlock;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const ModifySavesAction&) const = default;
};

inline auto jsonFields(json::Tag<ModifySavesAction>) {
    using namespace json::rules;
    using S = ModifySavesAction;
    return fields(required("visuals", &S::visuals),
                  optional("infoBlock", &S::infoBlock));
}

inline auto jsonDerived(json::Tag<ModifySavesAction>) {
    using namespace json::derived;
    return members(member("displayText", &ModifySavesAction::displayText));
}

// Starts playback.
struct PlaybackAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::playback;
    // Closed: an unknown string fails the action.
    enum class PlaybackContentType { vod, live, linear };

    std::string resourceId;
    PlaybackContentType contentType = PlaybackContentType::vod;
    std::vector<PlaybackOption> options;
    std::string availId;
    std::optional<std::string> upNextId;
    std::string internalTitle;
    PlaybackActionVisuals visuals;
    std::string deeplinkId;
    std::optional<std::int64_t> liveRuntimeMs;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    std::optional<std::string> infoBlock() const { return firstInfoBlock(options); }
    PlaybackOption::PlaybackOptionType playbackActionType() const { return vorlane::playbackActionType(options); }
    std::optional<PlaybackOption> option(PlaybackOption::PlaybackOptionType type) const { return vorlane::option(options, type); }
    sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::availId(availId); }
    bool operator==(const PlaybackAction&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<PlaybackAction::PlaybackContentType>) {
    using enum PlaybackAction::PlaybackContentType;
    return json::vocabulary<PlaybackAction::PlaybackContentType>("PlaybackAction.PlaybackContentType", {
        {vod, "vod"},
        {live, "live"},
        {linear, "linear"},
    });
}

inline auto jsonFields(json::Tag<PlaybackAction>) {
    using namespace json::rules;
    using S = PlaybackAction;
    return fields(required("resourceId", &S::resourceId),
                  required("contentType", &S::contentType),
                  required("options", &S::options),
                  required("availId", &S::availId),
                  optional("upNextId", &S::upNextId),
                  required("internalTitle", &S::internalTitle),
                  required("visuals", &S::visuals),
                  required("deeplinkId", &S::deeplinkId),
                  optional("liveRuntimeMs", &S::liveRuntimeMs));
}

// Plays the trailer: a playback action whose answer carries only the keys a trailer needs. Once
// decoded its content type is `vod`, and it has no content id, up-next id or live runtime.
struct TrailerAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::trailer;

    std::string resourceId;
    PlaybackAction::PlaybackContentType contentType = PlaybackAction::PlaybackContentType::vod;
    std::vector<PlaybackOption> options;
    std::string availId;
    std::optional<std::string> upNextId;
    std::string internalTitle;
    PlaybackActionVisuals visuals;
    std::string deeplinkId;
    std::optional<std::int64_t> liveRuntimeMs;
    std::optional<std::string> contentId;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    std::optional<std::string> infoBlock() const { return firstInfoBlock(options); }
    PlaybackOption::PlaybackOptionType playbackActionType() const { return vorlane::playbackActionType(options); }
    std::optional<PlaybackOption> option(PlaybackOption::PlaybackOptionType type) const { return vorlane::option(options, type); }
    bool operator==(const TrailerAction&) const = default;
};

// Shares a deeplink to the title.
struct ShareAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::share;

    std::optional<std::string> infoBlock;
    std::string deeplinkId;
    ShareActionVisuals visuals;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const ShareAction&) const = default;
};

inline auto jsonFields(json::Tag<ShareAction>) {
    using namespace json::rules;
    using S = ShareAction;
    return fields(optional("infoBlock", &S::infoBlock),
                  required("deeplinkId", &S::deeplinkId),
                  required("visuals", &S::visuals));
}

inline auto jsonDerived(json::Tag<ShareAction>) {
    using namespace json::derived;
    return members(member("displayText", &ShareAction::displayText));
}

// Switches the player between aspect ratios.
struct ToggleAspectRatioAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::toggleAspectRatio;

    std::string displayText;
    std::string description;
    std::optional<std::string> infoBlock;

    bool operator==(const ToggleAspectRatioAction&) const = default;
};

inline auto jsonFields(json::Tag<ToggleAspectRatioAction>) {
    using namespace json::rules;
    using S = ToggleAspectRatioAction;
    return fields(required("displayText", &S::displayText),
                  required("description", &S::description),
                  optional("infoBlock", &S::infoBlock));
}

// Offers a subscription upgrade, with the actions it leads to.
struct UpsellAction {
    static constexpr ActionTypeIdentifier identifier = ActionTypeIdentifier::upsell;

    std::string resourceId;
    DisplayTextVisuals visuals;
    std::optional<std::string> infoBlock;
    std::vector<ActionCoder> actionCoders;

    const std::string& displayText() const noexcept { return visuals.displayText; }
    bool operator==(const UpsellAction&) const = default;
};

inline auto jsonFields(json::Tag<UpsellAction>) {
    using namespace json::rules;
    using S = UpsellAction;
    // Lenient: actions that do not decode (an unknown kind) are dropped, the rest kept in order.
    return fields(required("resourceId", &S::resourceId),
                  required("visuals", &S::visuals),
                  optional("infoBlock", &S::infoBlock),
                  lenient("actions", &S::actionCoders));
}

inline auto jsonDerived(json::Tag<UpsellAction>) {
    using namespace json::derived;
    return members(member("displayText", &UpsellAction::displayText));
}

// ---- Shared interfaces --------------------------------------------------------------------------

// Starts playback: the eleven getters of play and trailer actions (and of stored downloads).
template <class T>
concept PlaybackActionable = requires(const T& a) {
    { a.contentType } -> std::convertible_to<PlaybackAction::PlaybackContentType>;
    { a.resourceId } -> std::convertible_to<std::string>;
    { a.upNextId } -> std::convertible_to<std::optional<std::string>>;
    { a.internalTitle } -> std::convertible_to<std::string>;
    { a.availId } -> std::convertible_to<std::string>;
    { a.visuals } -> std::convertible_to<PlaybackActionVisuals>;
    { a.liveRuntimeMs } -> std::convertible_to<std::optional<std::int64_t>>;
    { a.deeplinkId } -> std::convertible_to<std::string>;
    { a.options } -> std::convertible_to<std::vector<PlaybackOption>>;
    { a.playbackActionType() } -> std::same_as<PlaybackOption::PlaybackOptionType>;
    { a.infoBlock() } -> std::convertible_to<std::optional<std::string>>;
};

// Whether two playback actionables agree on all eleven getters.
template <PlaybackActionable A, PlaybackActionable B>
bool isEqual(const A& a, const B& b) {
    return a.contentType == b.contentType && a.resourceId == b.resourceId && a.upNextId == b.upNextId &&
           a.internalTitle == b.internalTitle && a.availId == b.availId && a.visuals == b.visuals &&
           a.liveRuntimeMs == b.liveRuntimeMs && a.deeplinkId == b.deeplinkId && a.options == b.options &&
           a.playbackActionType() == b.playbackActionType() && a.infoBlock() == b.infoBlock();
}

// The playback action a playback actionable stands for.
template <PlaybackActionable A>
PlaybackAction coderModel(const A& a) {
    return PlaybackAction{.resourceId = a.resourceId,
                          .contentType = a.contentType,
                          .options = a.options,
                          .availId = a.availId,
                          .upNextId = a.upNextId,
                          .internalTitle = a.internalTitle,
                          .visuals = a.visuals,
                          .deeplinkId = a.deeplinkId,
                          .liveRuntimeMs = a.liveRuntimeMs};
}

// Downloads a title named by its avail id.
template <class T>
concept DownloadActionable = InfoBlockContaining<T> && requires(const T& a) {
    { a.contentIdentifier() } -> std::same_as<sdk::ContentIdentifier>;
    { a.availId } -> std::convertible_to<std::string>;
};

// Opens legacy content.
template <class T>
concept LegacyBrowseActionable = requires(const T& a) {
    { a.contentType } -> std::convertible_to<std::string>;
    { a.item } -> std::convertible_to<LegacyBrowseTarget>;
};

// Records with an info block and the info blocks of their actions (the first one's, and all in
// order), which they derive from the actions they hold.
template <class T>
concept InfoAndActionInfoBlockContaining = InfoBlockContaining<T> && requires(const T& a) {
    { a.actionInfoBlock() } -> std::convertible_to<std::optional<std::string>>;
    { a.actionInfoBlocks() } -> std::convertible_to<std::vector<std::string>>;
};

// Records that carry actions as coders ("actions", optional): their models in order, and the
// first browse action among them.
std::optional<std::vector<std::shared_ptr<const Action>>> actions(const std::optional<std::vector<ActionCoder>>& coders);
std::optional<BrowseAction> browseAction(const std::optional<std::vector<ActionCoder>>& coders);
// The first action of record type R among `coders`; absent when none is, or there are no coders.
template <class R>
std::optional<R> firstAction(const std::optional<std::vector<ActionCoder>>& coders) {
    if (coders)
        for (const auto& coder : *coders)
            if (const R* record = coder.as<R>()) return *record;
    return std::nullopt;
}
// The info block of the first action (absent when there are none, or it has none), and those of
// every action that has one, in order.
std::optional<std::string> firstActionInfoBlock(const std::optional<std::vector<ActionCoder>>& coders);
std::vector<std::string> actionInfoBlocks(const std::optional<std::vector<ActionCoder>>& coders);

// Records that provide a browse action from the actions they carry as coders (legacy videos,
// series and airings); each says so beside its struct.
template <class T>
inline constexpr bool providesBrowseAction = false;

// The browse-action interface, declared once: each record that provides it answers its members.
struct BrowseActionFace {
    static constexpr std::string_view name = "BrowseActionProviding";
    template <class T>
    static constexpr bool modeledBy = providesBrowseAction<T>;
    template <class T>
    static const T& view(const T& record) {
        return record;
    }
    static auto members() {
        using namespace json::derived;
        // The actions are written as the coders that hold them.
        return json::derived::members(
            member("actions", [](const auto& record) { return record.actionCoders; }),
            member("browseAction", [](const auto& record) { return vorlane::browseAction(record.actionCoders); }));
    }
};

// Which record meets which interface.
static_assert(ActionVisualsContaining<BrowseAction> && ActionVisualsContaining<DownloadAction> &&
              ActionVisualsContaining<DownloadSeasonAction> && ActionVisualsContaining<ModalAction> &&
              ActionVisualsContaining<ModifySavesAction> && ActionVisualsContaining<PlaybackAction> &&
              ActionVisualsContaining<ShareAction> && ActionVisualsContaining<TrailerAction> &&
              ActionVisualsContaining<UpNextLegacyBrowseAction> && ActionVisualsContaining<UpsellAction>);
static_assert(ActionDisplayTextContaining<ToggleAspectRatioAction> && !ActionDisplayTextContaining<LegacyBrowseAction>);
static_assert(InfoBlockContaining<LegacyBrowseAction> && InfoBlockContaining<PlaybackAction>);
static_assert(PlaybackActionable<PlaybackAction> && PlaybackActionable<TrailerAction>);
static_assert(DownloadActionable<DownloadAction>);
static_assert(LegacyBrowseActionable<LegacyBrowseAction> && LegacyBrowseActionable<UpNextLegacyBrowseAction>);

inline auto jsonDerived(json::Tag<LegacyBrowseAction>) {
    using namespace json::derived;
    return members(member("refId", &LegacyBrowseAction::refId),
                   member("contentTypeIdentifier", &LegacyBrowseAction::contentTypeIdentifier));
}

inline auto jsonDerived(json::Tag<TrailerAction>) {
    using namespace json::derived;
    return members(member("displayText", &TrailerAction::displayText),
                   member("playbackActionType", &TrailerAction::playbackActionType),
                   member("coderModel", [](const TrailerAction& a) { return coderModel(a); }));
}

inline auto jsonDerived(json::Tag<UpNextLegacyBrowseAction>) {
    using namespace json::derived;
    return members(member("displayText", &UpNextLegacyBrowseAction::displayText),
                   member("refId", &UpNextLegacyBrowseAction::refId),
                   member("contentTypeIdentifier", &UpNextLegacyBrowseAction::contentTypeIdentifier));
}

inline auto jsonDerived(json::Tag<PlaybackAction>) {
    using namespace json::derived;
    return members(member("displayText", &PlaybackAction::displayText),
                   member("playbackActionType", &PlaybackAction::playbackActionType),
                   member("contentIdentifier", &PlaybackAction::contentIdentifier),
                   member("coderModel", [](const PlaybackAction& a) { return coderModel(a); }));
}

}  // namespace vorlane

// Hand-written: "contentType" decides which keys hold the item ("refIdType" and "refId", or
// "contentClass" and "slug" for a collection), and the keys are written in that order.
VORLANE_JSON_CODEC(vorlane::LegacyBrowseAction)
VORLANE_JSON_CODEC(vorlane::UpNextLegacyBrowseAction)
// Hand-written: decoding reads only six keys and fixes the others (content type `vod`, no content
// id, up-next id or live runtime), whatever else the object holds.
VORLANE_JSON_CODEC(vorlane::TrailerAction)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::PlaybackOption)
VORLANE_JSON_RECORD(vorlane::BrowseAction)
VORLANE_JSON_RECORD(vorlane::DownloadAction)
VORLANE_JSON_RECORD(vorlane::DownloadSeasonAction)
VORLANE_JSON_RECORD(vorlane::ModalAction)
VORLANE_JSON_RECORD(vorlane::ModifySavesAction)
VORLANE_JSON_RECORD(vorlane::PlaybackAction)
VORLANE_JSON_RECORD(vorlane::ShareAction)
VORLANE_JSON_RECORD(vorlane::ToggleAspectRatioAction)
VORLANE_JSON_RECORD(vorlane::UpsellAction)
