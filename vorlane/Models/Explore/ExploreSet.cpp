#include "vorlane/Models/Explore/ExploreSet.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>
#include <limits>

namespace vorlane {

namespace {

// A legacy set of Explore data is paged by 30, whatever the Explore page size was.
constexpr std::int64_t kLegacyExplorePageSize = 30;

// The set's name as the one legacy text a set shows: its title.
TextMap setTitleTexts(const std::optional<ExploreSetVisuals>& visuals) {
    return legacyTexts(visuals ? std::string_view(visuals->name) : std::string_view(), std::nullopt, "content");
}

}  // namespace

std::shared_ptr<const Action> ExploreSetItem::firstActionMatching(std::span<const ActionTypeIdentifier> types) const {
    if (actionCoders)
        for (const auto& coder : *actionCoders)
            if (std::ranges::find(types, coder.type()) != types.end()) return coder.model();
    return nullptr;
}

std::optional<ContentReferenceLocator> ExploreSetItem::contentReferenceLocator() const {
    if (!actionCoders) return std::nullopt;
    const auto legacy = std::ranges::find(*actionCoders, ActionTypeIdentifier::legacyBrowse, &ActionCoder::type);
    if (legacy == actionCoders->end()) return std::nullopt;
    const auto* action = legacy->as<LegacyBrowseAction>();
    if (!action) return std::nullopt;
    const auto* item = std::get_if<LegacyBrowseItem>(&action->item);
    const auto type = action->contentTypeIdentifier();
    if (!item || !type) return std::nullopt;
    return ContentReferenceLocator{EncodedIdentifier(item->refId), *type};
}

TextMap ExploreSetItem::contentTexts() const { return visuals ? visuals->contentTexts() : TextMap{}; }

ContentContainerStyle ExploreSetStyle::resolvedContainerStyle() const {
    if (ContentContainerStyle named(name); !named.isOther()) return named;
    if (ContentContainerStyle fallen(fallback); !fallen.isOther()) return fallen;
    return ContentContainerStyle::Case::standardArt;
}

ContentSet ExploreSet::contentSet() const {
    ContentSet set;
    set.type = ContentSetType::exploreSet;
    set.setId = id;
    const std::int64_t offset = pagination ? pagination->currentOffset : 0;
    const auto count = static_cast<std::int64_t>(items ? items->size() : 0);
    set.meta = {pagination && pagination->hasMore ? std::numeric_limits<std::int64_t>::max() : offset + count,
                kLegacyExplorePageSize, offset};
    set.texts = setTitleTexts(visuals);
    if (items) {
        const std::string styleName(style.resolvedContainerStyle().rawValue());
        set.items.reserve(items->size());
        for (const auto& item : *items) set.items.emplace_back(ExploreSetItemWithStyle(item, styleName));
    }
    return set;
}

ContentContainer ExploreSet::contentContainer() const {
    const ContainerType type = style.layout == "hero"   ? ContainerType::hero
                               : style.layout == "grid" ? ContainerType::grid
                                                        : ContainerType::shelf;
    std::optional<std::map<std::string, std::string>> setParams;
    if (params) setParams.emplace(params->begin(), params->end());
    auto browse = browseAction(actionCoders);
    if (pagination && pagination->hasMore && items && items->empty())
        return ContentContainer(type, style.resolvedContainerStyle(), setTitleTexts(visuals), std::nullopt,
                                ContentSetReferenceLocator{ContentSetType::exploreSet, id}, infoBlock,
                                std::move(browse), std::move(setParams), this->type, visuals);
    return ContentContainer(type, style.resolvedContainerStyle(), std::nullopt, contentSet(), infoBlock,
                            std::move(browse), visuals, std::move(setParams), this->type);
}

}  // namespace vorlane

vorlane::ExploreSet vorlane::json::Codec<vorlane::ExploreSet>::decode(const Value& v) {
    if (!v.isObject()) v.failExpected("an object");
    ExploreSet set;
    set.id = readRequired<std::string>(v, "id");
    set.type = readRequired<ExplorePageType>(v, "type");
    set.actionCoders = decodeSafelyIfPresent<ActionCoder>(v, "actions");
    set.visuals = readOptional<ExploreSetVisuals>(v, "visuals");
    set.items = decodeSafelyIfPresent<ExploreSetItem>(v, "items");
    set.infoBlock = readRequired<std::string>(v, "infoBlock");
    set.pagination = readOptional<ExplorePagination>(v, "pagination");
    set.refresh = readOptional<ExploreRefresh>(v, "refresh");
    set.params = readOptional<OrderedMap<std::string>>(v, "params");
    // The style is settled last: a set that sends none may name one in its parameters.
    if (auto style = readOptional<ExploreSetStyle>(v, "style"))
        set.style = std::move(*style);
    else if (const std::string* named = set.params ? set.params->find("setStyle") : nullptr)
        set.style = {*named, "", ""};
    return set;
}

void vorlane::json::Codec<vorlane::ExploreSet>::encode(Writer& w, const ExploreSet& set) {
    auto write = [&w](std::string_view key, const auto& value) {
        w.key(key);
        Codec<std::remove_cvref_t<decltype(value)>>::encode(w, value);
    };
    auto writeIfPresent = [&write](std::string_view key, const auto& value) {
        if (value) write(key, *value);
    };
    w.beginObject();
    write("id", set.id);
    write("style", set.style);
    writeIfPresent("actions", set.actionCoders);
    writeIfPresent("visuals", set.visuals);
    writeIfPresent("items", set.items);
    writeIfPresent("refresh", set.refresh);
    writeIfPresent("infoBlock", set.infoBlock);
    writeIfPresent("pagination", set.pagination);
    write("type", set.type);
    writeIfPresent("params", set.params);
    w.endObject();
}

VORLANE_JSON_DEFINE(vorlane::ExplorePagination)
VORLANE_JSON_DEFINE(vorlane::Personalization)
VORLANE_JSON_DEFINE(vorlane::ExploreSetItem)
VORLANE_JSON_DEFINE(vorlane::ExploreSetItemWithStyle)
VORLANE_JSON_DEFINE(vorlane::ExploreSetStyle)
VORLANE_JSON_DEFINE(vorlane::ExploreSetResponse)
