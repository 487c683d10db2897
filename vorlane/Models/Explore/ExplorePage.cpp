#include "vorlane/Models/Explore/ExplorePage.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <mutex>

namespace vorlane {

namespace {

// Applies `transform` to `value`, or keeps `value` when there is none.
template <class V>
V transformed(const ContentCollectionTransforms::Transform<V>& transform, V value) {
    return transform ? transform(std::move(value)) : std::move(value);
}

ExplorePage makeEmptyPage() {
    ExplorePage page;
    page.style.name = "";
    page.style.fallback = "";
    return page;
}

// The replaceable empty page, created on first use.
struct EmptyPage {
    std::mutex mutex;
    ExplorePage page = makeEmptyPage();
};

EmptyPage& emptyPage() {
    static EmptyPage shared;
    return shared;
}

}  // namespace

std::vector<std::shared_ptr<const Container>> ExplorePage::containers() const {
    std::vector<std::shared_ptr<const Container>> out;
    out.reserve(containerCoders.size());
    for (const auto& coder : containerCoders) out.push_back(coder.model());
    return out;
}

std::optional<ExploreSetItem> ExplorePage::focusedEpisodeSetItem() const {
    const auto episodes = episodesContainer();
    return episodes ? episodes->focusedEpisode() : std::nullopt;
}

std::optional<PlaybackAction> ExplorePage::restartAction() const {
    std::vector<const PlaybackAction*> playbacks;
    for (const auto& coder : actionCoders)
        if (const auto* playback = coder.as<PlaybackAction>()) playbacks.push_back(playback);
    if (playbacks.size() < 2) return std::nullopt;
    for (const PlaybackAction* playback : playbacks)
        if (playback->options.size() == 1 &&
            playback->options.front().type == PlaybackOption::PlaybackOptionType::fromBeginning)
            return *playback;
    return std::nullopt;
}

std::vector<ContentContainer> ExplorePage::contentContainers() const {
    std::vector<ContentContainer> out;
    for (const auto& coder : containerCoders)
        if (const auto* set = coder.as<ExploreSet>()) out.push_back(set->contentContainer());
    return out;
}

ContentCollection ExplorePage::asContentCollection(const ContentCollectionTransforms& transforms) const {
    // The page style names a legacy content class; a style no class matches reads as the default.
    auto contentClass = CollectionContentClass::fromWire(style.effectivePageStyle().rawValue());
    if (contentClass.isCatchAll()) contentClass = CollectionContentClassCase::standardEmphasisWithHeader;
    std::vector<ActionCoder> wrapped;
    wrapped.reserve(actionCoders.size());
    for (const auto& coder : actionCoders) wrapped.emplace_back(coder.model());

    ContentCollection collection;
    collection.identifiers.key = transformed(transforms.collectionKey, std::string());
    collection.identifiers.collectionGroupId = transformed(transforms.collectionGroupId, std::string());
    collection.identifiers.contentClass = transformed(transforms.contentClass, std::move(contentClass));
    collection.identifiers.slugs = transformed(transforms.slugs, std::vector<CollectionSlug>());
    collection.identifiers.sportTagCoders = transformed(transforms.sportTags, std::vector<SportTags::Coder>());
    collection.texts = transformed(transforms.texts, visuals.contentTexts());
    collection.callToAction = transformed(transforms.callToAction, std::optional<CallToAction>());
    collection.image = transformed(transforms.image, ImageMap());
    collection.videoArtwork = transformed(transforms.videoArtwork, visuals.legacyVideoArtwork());
    collection.collectionId = transformed(transforms.collectionId, id);
    collection.type = transformed(transforms.type, CollectionType::collection);
    collection.subType = transformed(transforms.subType, CollectionSubType::standard);
    collection.experimentToken = transformed(transforms.experimentToken, std::optional<std::string>());
    collection.actionCoders = transformed(transforms.actions, std::move(wrapped));
    collection.containers = transformed(transforms.containers, contentContainers());
    return collection;
}

ExplorePage ExplorePage::empty() {
    auto& shared = emptyPage();
    std::scoped_lock lock(shared.mutex);
    return shared.page;
}

void ExplorePage::setEmpty(ExplorePage page) {
    auto& shared = emptyPage();
    std::scoped_lock lock(shared.mutex);
    shared.page = std::move(page);
}

const ExplorePageResponse& ExplorePageResponse::empty() {
    static const ExplorePageResponse none;
    return none;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExplorePage)
VORLANE_JSON_DEFINE(vorlane::ExplorePageResponse)
