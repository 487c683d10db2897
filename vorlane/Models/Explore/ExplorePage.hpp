#pragma once
// An Explore page: an identified, typed screen with its style, visuals, page-level actions and an
// ordered body of containers, the answer that holds it, the look-ups screens make on it, and the
// bridge that shows it to screens written for a legacy collection.
//
//   {"data": {"page": {"id": "p", "type": "page", "deeplinkId": "home", "style": {"name": "..."},
//                      "visuals": {"title": "Home"}, "containers": [...], "actions": [...]}}}

#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/MetadataDescriptors.hpp"
#include "vorlane/Models/Explore/Containers.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/FreeFormObject.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// What blocks a page. Closed: an unknown code fails the page.
enum class ExplorePageRestrictionCode { pcon, unentitled };

constexpr auto jsonVocabulary(json::Tag<ExplorePageRestrictionCode>) {
    using enum ExplorePageRestrictionCode;
    return json::vocabulary<ExplorePageRestrictionCode>("ExplorePage.ExplorePageRestrictionCode",
                                                        {{pcon, "pcon"}, {unentitled, "unentitled"}});
}

// How each part of the legacy collection built from a page is changed from its default: each
// transform takes the default and gives the value to use; an empty transform keeps the default.
struct ContentCollectionTransforms {
    template <class V>
    using Transform = std::function<V(V)>;

    Transform<std::string> collectionGroupId;
    Transform<std::string> collectionId;
    Transform<TextMap> texts;
    Transform<std::optional<CallToAction>> callToAction;
    Transform<ImageMap> image;
    Transform<std::vector<VideoArtwork>> videoArtwork;
    Transform<std::vector<ContentContainer>> containers;
    Transform<std::string> collectionKey;
    Transform<CollectionContentClass> contentClass;
    Transform<std::vector<CollectionSlug>> slugs;
    Transform<CollectionType> type;
    Transform<CollectionSubType> subType;
    Transform<std::optional<std::string>> experimentToken;
    Transform<std::vector<SportTags::Coder>> sportTags;
    Transform<std::vector<ActionCoder>> actions;
};

struct ExplorePage {
    using PageType = ExplorePageType;
    using Style = ExplorePageStyleDescriptor;
    using RestrictionCode = ExplorePageRestrictionCode;

    std::string id;
    PageType type = PageType::page;
    std::string deeplinkId;
    Style style;
    ExploreVisuals visuals;
    std::optional<RestrictionCode> restrictionCode;
    std::vector<ActionCoder> actionCoders;        // unknown actions are left out
    std::vector<ContainerCoder> containerCoders;  // unknown containers are left out
    std::optional<Personalization> personalization;
    std::optional<std::string> infoBlock;  // any failure to read it leaves it absent
    std::optional<ExploreRefresh> refresh;

    std::vector<std::shared_ptr<const Action>> actions() const { return models(actionCoders); }
    std::vector<std::shared_ptr<const Container>> containers() const;

    bool pconBlocked() const noexcept { return restrictionCode == RestrictionCode::pcon; }
    bool unentitledBlocked() const noexcept { return restrictionCode == RestrictionCode::unentitled; }

    // The first container of each kind.
    std::optional<DetailsContainer> detailsContainer() const { return firstContainer<DetailsContainer>(); }
    std::optional<EpisodesContainer> episodesContainer() const { return firstContainer<EpisodesContainer>(); }
    std::optional<ShopContainer> shopContainer() const { return firstContainer<ShopContainer>(); }
    // The focused episode of the first episodes container.
    std::optional<ExploreSetItem> focusedEpisodeSetItem() const;

    // The first action of each kind.
    std::optional<TrailerAction> trailerAction() const { return firstAction<TrailerAction>(actionCoders); }
    std::optional<PlaybackAction> playbackAction() const { return firstAction<PlaybackAction>(actionCoders); }
    std::optional<UpsellAction> upsellAction() const { return firstAction<UpsellAction>(actionCoders); }
    std::optional<ModalAction> modalAction() const { return firstAction<ModalAction>(actionCoders); }
    std::optional<ShareAction> shareAction() const { return firstAction<ShareAction>(actionCoders); }
    std::optional<DownloadAction> downloadAction() const { return firstAction<DownloadAction>(actionCoders); }
    std::optional<ModifySavesAction> modifySavesAction() const { return firstAction<ModifySavesAction>(actionCoders); }
    // Every modal action is a live modal.
    std::optional<ModalAction> liveModalAction() const { return modalAction(); }
    // With two playback actions or more: the first whose only option plays from the beginning.
    std::optional<PlaybackAction> restartAction() const;

    // The page's sets as legacy containers, in order; other containers are left out.
    std::vector<ContentContainer> contentContainers() const;
    // The page as a legacy collection, each part its default unless a transform changes it.
    ContentCollection asContentCollection(const ContentCollectionTransforms& transforms = {}) const;
    ContentCollection contentCollection() const { return asContentCollection(); }

    // A page with empty ids and style names, type `page`, an empty title and nothing else. It is
    // process-wide and replaceable: reading and replacing it are safe from any thread.
    static ExplorePage empty();
    static void setEmpty(ExplorePage page);
    // A legacy page: never present.
    static std::optional<ExplorePage> legacy() { return std::nullopt; }

    // Pages are the same page when their ids and info blocks are equal; nothing else is compared.
    bool operator==(const ExplorePage& other) const { return id == other.id && infoBlock == other.infoBlock; }

private:
    template <ContainerRecord R>
    std::optional<R> firstContainer() const {
        for (const auto& coder : containerCoders)
            if (const R* record = coder.as<R>()) return *record;
        return std::nullopt;
    }
};

inline auto jsonFields(json::Tag<ExplorePage>) {
    using namespace json::rules;
    using S = ExplorePage;
    return fields(required("id", &S::id), required("type", &S::type), required("deeplinkId", &S::deeplinkId),
                  required("style", &S::style), required("visuals", &S::visuals),
                  lenient("containers", &S::containerCoders), lenient("actions", &S::actionCoders),
                  optional("personalization", &S::personalization), optional("refresh", &S::refresh),
                  tolerant("infoBlock", &S::infoBlock), optional("restrictionCode", &S::restrictionCode));
}

inline auto jsonDerived(json::Tag<ExplorePage>) {
    using namespace json::derived;
    using S = ExplorePage;
    return members(member("actions", [](const S& page) { return page.actionCoders; }),
                   member("containers", [](const S& page) { return page.containerCoders; }),
                   member("pconBlocked", &S::pconBlocked), member("unentitledBlocked", &S::unentitledBlocked),
                   member("detailsContainer", &S::detailsContainer), member("episodesContainer", &S::episodesContainer),
                   member("shopContainer", &S::shopContainer), member("focusedEpisodeSetItem", &S::focusedEpisodeSetItem),
                   member("trailerAction", &S::trailerAction), member("playbackAction", &S::playbackAction),
                   member("upsellAction", &S::upsellAction), member("modalAction", &S::modalAction),
                   member("shareAction", &S::shareAction), member("downloadAction", &S::downloadAction),
                   member("modifySavesAction", &S::modifySavesAction), member("liveModalAction", &S::liveModalAction),
                   member("restartAction", &S::restartAction), member("contentContainers", &S::contentContainers),
                   member("contentCollection", &S::contentCollection));
}

// The answer of a page query: {"data": {"page": {...}, "errors": [...], "searchMeta": {...}}}.
struct ExplorePageResponse {
    std::optional<ExplorePage> explorePage;
    std::optional<std::vector<json::FreeFormObject>> errors;
    std::optional<SearchMeta> searchMeta;

    // No page, no errors, no search metadata.
    static const ExplorePageResponse& empty();

    bool operator==(const ExplorePageResponse&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePageResponse>) {
    using namespace json::rules;
    using S = ExplorePageResponse;
    return fields(nested("data", optional("page", &S::explorePage), optional("errors", &S::errors),
                         optional("searchMeta", &S::searchMeta)));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExplorePage)
VORLANE_JSON_RECORD(vorlane::ExplorePageResponse)
