#include "vorlane/Models/Content/ContentCollection.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <utility>

VORLANE_JSON_DEFINE(vorlane::AssociatedCollectionGroup)
VORLANE_JSON_DEFINE(vorlane::CollectionSlug)
VORLANE_JSON_DEFINE(vorlane::ContentCollectionIdentifiers)
VORLANE_JSON_DEFINE(vorlane::AssociatedContentCollection)
VORLANE_JSON_DEFINE(vorlane::ContentSet::Meta)
VORLANE_JSON_DEFINE(vorlane::ContentSet)
VORLANE_JSON_DEFINE(vorlane::ContentContainer)
VORLANE_JSON_DEFINE(vorlane::ContentCollection)

namespace vorlane {

std::vector<std::shared_ptr<const SportTag>> ContentCollectionIdentifiers::sportTags() const {
    std::vector<std::shared_ptr<const SportTag>> tags;
    if (!sportTagCoders) return tags;
    tags.reserve(sportTagCoders->size());
    for (const auto& coder : *sportTagCoders) tags.push_back(coder.model());
    return tags;
}

std::optional<std::string> ContentCollectionIdentifiers::associatedCollectionParentGroupId() const {
    for (const auto& group : associatedCollectionGroups)
        if (group.associationType == AssociationType::parent) return group.collectionGroupId;
    return std::nullopt;
}

ContentCollectionIdentifiers emptyCollectionIdentifiers() {
    ContentCollectionIdentifiers identifiers;
    identifiers.contentClass = CollectionContentClass::other("");
    return identifiers;
}

const AssociatedContentCollection& AssociatedContentCollection::empty() {
    static const AssociatedContentCollection none = [] {
        AssociatedContentCollection collection;
        collection.identifiers = emptyCollectionIdentifiers();
        return collection;
    }();
    return none;
}

const ContentCollection& ContentCollection::empty() {
    static const ContentCollection none = [] {
        ContentCollection collection;
        collection.identifiers = emptyCollectionIdentifiers();
        return collection;
    }();
    return none;
}

std::optional<std::vector<std::shared_ptr<const Action>>> ContentCollection::actions() const {
    if (!actionCoders) return std::nullopt;
    return models(*actionCoders);
}

// ---- Sets and references ------------------------------------------------------------------------

ContentSet ContentSet::of(SetType type, std::string setId, Meta meta, TextMap texts,
                          const std::vector<std::shared_ptr<const Content>>& content,
                          std::optional<std::string> experimentToken, std::optional<bool> shouldRefresh,
                          std::optional<AssociatedContentCollection> associatedCollection) {
    ContentSet set;
    set.type = type;
    set.setId = std::move(setId);
    set.meta = meta;
    set.texts = std::move(texts);
    set.experimentToken = std::move(experimentToken);
    set.shouldRefresh = shouldRefresh;
    set.associatedCollection = std::move(associatedCollection);
    set.items.reserve(content.size());
    for (const auto& model : content) set.items.emplace_back(model);
    return set;
}

const std::string& ContentSetCoder::id() const noexcept {
    if (const auto* complete = set()) return complete->setId;
    return reference()->refId;
}

ContentSetType ContentSetCoder::setType() const noexcept {
    if (const auto* complete = set()) return complete->type;
    return reference()->refType;
}

ContentContainer::ContentContainer(ContainerType type, ContentContainerStyle style, std::optional<Image> background,
                                   ContentSet set, std::optional<std::string> infoBlock,
                                   std::optional<BrowseAction> browseAction, std::optional<ExploreSetVisuals> visuals,
                                   std::optional<std::map<std::string, std::string>> exploreSetParams,
                                   std::optional<ExplorePageType> exploreSetType)
    : type(type), exploreSetType(exploreSetType), style(std::move(style)), background(std::move(background)),
      infoBlock(std::move(infoBlock)), browseAction(std::move(browseAction)), visuals(std::move(visuals)),
      exploreSetParams(std::move(exploreSetParams)), setDecoder{std::move(set), {}} {}

ContentContainer::ContentContainer(ContainerType type, ContentContainerStyle style, TextMap texts,
                                   std::optional<Image> background, ContentSetReferenceLocator reference,
                                   std::optional<std::string> infoBlock, std::optional<BrowseAction> browseAction,
                                   std::optional<std::map<std::string, std::string>> exploreSetParams,
                                   std::optional<ExplorePageType> exploreSetType,
                                   std::optional<ExploreSetVisuals> visuals)
    : type(type), exploreSetType(exploreSetType), style(std::move(style)), background(std::move(background)),
      infoBlock(std::move(infoBlock)), browseAction(std::move(browseAction)), visuals(std::move(visuals)),
      exploreSetParams(std::move(exploreSetParams)), setDecoder{std::move(reference), std::move(texts)} {}

}  // namespace vorlane

vorlane::ContentSetCoder vorlane::json::Codec<vorlane::ContentSetCoder>::decode(const Value& v) {
    if (!v.isObject()) v.failExpected("an object");
    TextMap texts;
    if (auto text = v.member("text"); text && !text->isNull()) texts = Codec<TextMap>::decode(*text);
    // A "refType" that names a set type makes a reference; anything else about it (missing, null,
    // an unknown name) means the object is a complete set.
    if (auto refType = v.member("refType"); refType && refType->isString()) {
        if (auto type = fromWireString<ContentSetType>(refType->string())) {
            auto refId = v.member("refId");
            if (!refId) v.failMissingKey("refId");
            return {ContentSetReferenceLocator{*type, Codec<std::string>::decode(*refId)}, std::move(texts)};
        }
    }
    return {Codec<ContentSet>::decode(v), std::move(texts)};
}

void vorlane::json::Codec<vorlane::ContentSetCoder>::encode(Writer& w, const ContentSetCoder& coder) {
    if (const auto* set = coder.set()) {
        Codec<ContentSet>::encode(w, *set);
        return;
    }
    const auto& reference = *coder.reference();
    w.beginObject();
    w.key("refType");
    Codec<ContentSetType>::encode(w, reference.refType);
    w.key("refId");
    w.string(reference.refId);
    w.key("text");
    Codec<TextMap>::encode(w, coder.texts);
    w.endObject();
}
