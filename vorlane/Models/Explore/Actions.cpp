#include "vorlane/Models/Explore/Actions.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Json/TaggedCoder.hpp"

#include <stdexcept>
#include <utility>

namespace vorlane {

PlaybackOption::PlaybackOptionType playbackActionType(const std::vector<PlaybackOption>& options) {
    if (options.empty() || !options.front().type) return PlaybackOption::PlaybackOptionType::play;
    return *options.front().type;
}

std::optional<std::string> firstInfoBlock(const std::vector<PlaybackOption>& options) {
    if (options.empty()) return std::nullopt;
    return options.front().infoBlock;
}

std::optional<PlaybackOption> option(const std::vector<PlaybackOption>& options, PlaybackOption::PlaybackOptionType type) {
    for (const auto& candidate : options)
        if (candidate.type == type) return candidate;
    return std::nullopt;
}

std::optional<std::string> refId(const LegacyBrowseTarget& item) {
    if (const auto* single = std::get_if<LegacyBrowseItem>(&item)) return single->refId;
    return std::nullopt;
}

std::optional<ContentTypeIdentifier> legacyContentTypeIdentifier(const std::string& contentType) {
    if (contentType == "series") return ContentTypeIdentifier::series;
    if (contentType == "airing") return ContentTypeIdentifier::airing;
    if (contentType == "movie") return ContentTypeIdentifier::video;
    if (contentType == "collection") return ContentTypeIdentifier::standardCollection;
    return std::nullopt;
}

ActionCoder::ActionCoder(ActionTypeIdentifier type, std::shared_ptr<const Action> model)
    : type_(type), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("an action coder needs an action");
}

ActionCoder::ActionCoder(std::shared_ptr<const Action> model)
    : type_(model ? model->identifier() : ActionTypeIdentifier::browse), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("an action coder needs an action");
}

std::vector<std::shared_ptr<const Action>> models(const std::vector<ActionCoder>& coders) {
    std::vector<std::shared_ptr<const Action>> out;
    out.reserve(coders.size());
    for (const auto& coder : coders) out.push_back(coder.model());
    return out;
}

std::optional<std::vector<std::shared_ptr<const Action>>> actions(const std::optional<std::vector<ActionCoder>>& coders) {
    if (!coders) return std::nullopt;
    return models(*coders);
}

std::optional<BrowseAction> browseAction(const std::optional<std::vector<ActionCoder>>& coders) {
    return firstAction<BrowseAction>(coders);
}

std::optional<std::string> firstActionInfoBlock(const std::optional<std::vector<ActionCoder>>& coders) {
    if (!coders || coders->empty()) return std::nullopt;
    return coders->front().model()->infoBlock();
}

std::vector<std::string> actionInfoBlocks(const std::optional<std::vector<ActionCoder>>& coders) {
    std::vector<std::string> out;
    if (coders)
        for (const auto& coder : *coders)
            if (auto block = coder.model()->infoBlock()) out.push_back(std::move(*block));
    return out;
}

namespace {

constexpr std::string_view kCollection = "collection";

// The item of a legacy browse action, by the form its content type selects.
LegacyBrowseTarget decodeLegacyItem(const json::Value& object, const std::string& contentType) {
    using json::readRequired;
    if (contentType == kCollection)
        return LegacyBrowseCollection{readRequired<std::string>(object, "contentClass"),
                                      readRequired<std::string>(object, "slug")};
    return LegacyBrowseItem{readRequired<EncodedIdentifier>(object, "refIdType"), readRequired<std::string>(object, "refId")};
}

void encodeLegacyItem(json::Writer& w, const std::string& contentType, const LegacyBrowseTarget& item) {
    w.key("contentType");
    w.string(contentType);
    if (const auto* single = std::get_if<LegacyBrowseItem>(&item)) {
        w.key("refIdType");
        json::Codec<EncodedIdentifier>::encode(w, single->refIdType);
        w.key("refId");
        w.string(single->refId);
    } else {
        const auto& collection = std::get<LegacyBrowseCollection>(item);
        w.key("contentClass");
        w.string(collection.contentClass);
        w.key("slug");
        w.string(collection.slug);
    }
}

void encodeInfoBlock(json::Writer& w, const std::optional<std::string>& infoBlock) {
    if (!infoBlock) return;
    w.key("infoBlock");
    w.string(*infoBlock);
}

void requireObject(const json::Value& v) {
    if (!v.isObject()) v.failExpected("an object");
}

// The record each tag decodes as.
using T = ActionTypeIdentifier;
template <auto Tag, class R>
using Case = json::TaggedCase<Tag, ActionModel<R>>;
using ActionRecords = json::TaggedRecords<Action, ActionTypeIdentifier,
                                          Case<T::browse, BrowseAction>,
                                          Case<T::download, DownloadAction>,
                                          Case<T::downloadSeason, DownloadSeasonAction>,
                                          Case<T::legacyBrowse, LegacyBrowseAction>,
                                          Case<T::modal, ModalAction>,
                                          Case<T::modifySaves, ModifySavesAction>,
                                          Case<T::playback, PlaybackAction>,
                                          Case<T::share, ShareAction>,
                                          Case<T::trailer, TrailerAction>,
                                          Case<T::toggleAspectRatio, ToggleAspectRatioAction>,
                                          Case<T::upNextLegacyBrowse, UpNextLegacyBrowseAction>,
                                          Case<T::upsell, UpsellAction>>;
static_assert(json::allCases<ActionTypeIdentifier>().size() == 12, "every action tag has a row above");

constexpr std::string_view kTagKey = "type";
constexpr std::string_view kKind = "action";

}  // namespace

}  // namespace vorlane

// An action model reads and writes exactly its record.
template <class R>
struct vorlane::json::Codec<vorlane::ActionModel<R>> {
    static vorlane::ActionModel<R> decode(const Value& v) { return vorlane::ActionModel<R>(Codec<R>::decode(v)); }
    static void encode(Writer& w, const vorlane::ActionModel<R>& model) { Codec<R>::encode(w, model.record()); }
};

vorlane::LegacyBrowseAction vorlane::json::Codec<vorlane::LegacyBrowseAction>::decode(const Value& v) {
    requireObject(v);
    LegacyBrowseAction out;
    out.contentType = readRequired<std::string>(v, "contentType");
    out.item = decodeLegacyItem(v, out.contentType);
    out.infoBlock = readRequired<std::string>(v, "infoBlock");
    return out;
}

void vorlane::json::Codec<vorlane::LegacyBrowseAction>::encode(Writer& w, const LegacyBrowseAction& action) {
    w.beginObject();
    encodeLegacyItem(w, action.contentType, action.item);
    encodeInfoBlock(w, action.infoBlock);
    w.endObject();
}

vorlane::UpNextLegacyBrowseAction vorlane::json::Codec<vorlane::UpNextLegacyBrowseAction>::decode(const Value& v) {
    requireObject(v);
    UpNextLegacyBrowseAction out;
    out.contentType = readRequired<std::string>(v, "contentType");
    out.item = decodeLegacyItem(v, out.contentType);
    out.visuals = readRequired<DisplayTextVisuals>(v, "visuals");
    out.infoBlock = readTolerant<std::string>(v, "infoBlock");
    return out;
}

void vorlane::json::Codec<vorlane::UpNextLegacyBrowseAction>::encode(Writer& w, const UpNextLegacyBrowseAction& action) {
    w.beginObject();
    encodeLegacyItem(w, action.contentType, action.item);
    w.key("visuals");
    Codec<DisplayTextVisuals>::encode(w, action.visuals);
    encodeInfoBlock(w, action.infoBlock);
    w.endObject();
}

vorlane::TrailerAction vorlane::json::Codec<vorlane::TrailerAction>::decode(const Value& v) {
    requireObject(v);
    TrailerAction out;
    out.resourceId = readRequired<std::string>(v, "resourceId");
    out.internalTitle = readRequired<std::string>(v, "internalTitle");
    out.deeplinkId = readRequired<std::string>(v, "deeplinkId");
    out.visuals = readRequired<PlaybackActionVisuals>(v, "visuals");
    out.options = readRequired<std::vector<PlaybackOption>>(v, "options");
    out.availId = readRequired<std::string>(v, "availId");
    return out;
}

// Writes the keys decoding reads, in the same order.
void vorlane::json::Codec<vorlane::TrailerAction>::encode(Writer& w, const TrailerAction& action) {
    w.beginObject();
    w.key("resourceId");
    w.string(action.resourceId);
    w.key("internalTitle");
    w.string(action.internalTitle);
    w.key("deeplinkId");
    w.string(action.deeplinkId);
    w.key("visuals");
    Codec<PlaybackActionVisuals>::encode(w, action.visuals);
    w.key("options");
    Codec<std::vector<PlaybackOption>>::encode(w, action.options);
    w.key("availId");
    w.string(action.availId);
    w.endObject();
}

vorlane::ActionCoder vorlane::json::Codec<vorlane::ActionCoder>::decode(const Value& v) {
    auto [type, model] = decodeTagged<ActionRecords, ActionTypeIdentifier>(v, kTagKey, kKind);
    return ActionCoder(type, std::move(model));
}

void vorlane::json::Codec<vorlane::ActionCoder>::encode(Writer& w, const ActionCoder& coder) {
    encodeTagged<ActionRecords>(w, kTagKey, coder.type(), *coder.model(), kKind);
}

VORLANE_JSON_DEFINE(vorlane::PlaybackOption)
VORLANE_JSON_DEFINE(vorlane::BrowseAction)
VORLANE_JSON_DEFINE(vorlane::DownloadAction)
VORLANE_JSON_DEFINE(vorlane::DownloadSeasonAction)
VORLANE_JSON_DEFINE(vorlane::ModalAction)
VORLANE_JSON_DEFINE(vorlane::ModifySavesAction)
VORLANE_JSON_DEFINE(vorlane::PlaybackAction)
VORLANE_JSON_DEFINE(vorlane::ShareAction)
VORLANE_JSON_DEFINE(vorlane::ToggleAspectRatioAction)
VORLANE_JSON_DEFINE(vorlane::UpsellAction)
