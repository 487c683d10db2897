// The inspector's screens: the shelves and tiles of a page, collection or set, drawn from the
// decoded answer with the model's own choices.
//
// What the model decides:
//   - which shelves and tiles exist, and their order: the decoded lists (what a lenient list
//     dropped is gone);
//   - an Explore set's legacy container type (hero, grid or shelf, from its layout), its style
//     and whether it is a set to load later: ExploreSet::contentContainer(), whose style is
//     ExploreSetStyle::resolvedContainerStyle() (a season's names resolve the same way);
//   - the season an episodes block shows and the episode it opens on:
//     EpisodesContainer::focusedSeason() and focusedEpisode();
//   - a details or shop block's style: ExplorePageStyleDescriptor::effectivePageStyle();
//   - a tile's image: imageFor() on the item's Explore image map (context, content, ratio, the
//     fallback list, the standard context) or on its legacy image map (purpose, ratio, entity,
//     then the purpose's root and fallback purposes);
//   - whether an originals badge is drawn: showOriginalsLabel() of the purpose the shelf asks for;
//   - the promotional label of a details page: mainPromoLabel();
//   - texts: the visuals' titles, and TextMap::first for legacy texts.
//
// What the inspector decides, because the model leaves it to screens: which artwork a shelf asks
// its tiles for (`ShelfArt`: a family of styles gives a purpose, or a context and content, and a
// ratio), and how a chosen image is labelled with the step of the selection that supplied it
// (found by asking the same selection narrower questions).

#include "tools/vorlane/InspectorScreens.hpp"

#include "tools/vorlane/InspectorHtml.hpp"

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/ContentSet.hpp"
#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Models/Content/Season.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Explore/Containers.hpp"
#include "vorlane/Models/Explore/ExplorePage.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace vorlane::inspector {
namespace screenDrawing {
namespace {

// Posters: the ratio key "0.71" the service sends portrait tiles under.
constexpr AspectRatio kPosterRatio = 0.71;

// The artwork a shelf asks its tiles for, by its container type and the family its style belongs
// to. The model names no artwork per style (screens choose it), so these requests are the
// inspector's own; what each request then finds is the model's selection.
enum class ShelfArt { hero, details, brand, avatar, poster, continueWatching, episode, logo, standard };

ShelfArt shelfArt(ContainerType type, const ContentContainerStyle& style) {
    using C = ContentContainerStyleCase;
    if (type == ContainerType::hero || style.isHeroInline() || style.isHeroSingle()) return ShelfArt::hero;
    switch (style.kind()) {
        case C::hero:
        case C::heroCarousel:
        case C::heroInteractive:
        case C::heroSingle:
        case C::heroFullBleed: return ShelfArt::hero;
        case C::avatars: return ShelfArt::avatar;
        case C::poster:
        case C::posterVertical:
        case C::posterArt: return ShelfArt::poster;
        case C::continueWatching:
        case C::continueWatchingSet:
        case C::continueWatchingArt:
        case C::continueWatchingExploreSet: return ShelfArt::continueWatching;
        case C::episode:
        case C::standardRegularEpisode: return ShelfArt::episode;
        case C::collectionLogos:
        case C::logoRound: return ShelfArt::logo;
        default: break;
    }
    if (style.isBrand() || style.isExploreBrand()) return ShelfArt::brand;
    return ShelfArt::standard;
}

struct LegacyArtRequest {
    Image::Purpose purpose;
    AspectRatio ratio;
};

LegacyArtRequest legacyRequest(ShelfArt art, const ContentContainerStyle& style) {
    using P = Image::Purpose;
    switch (art) {
        case ShelfArt::hero: return {style.isHeroInline() ? P::heroCollectionInline : P::heroCollection, Ratio::threeNinetyOne};
        case ShelfArt::details: return {P::backgroundDetails, Ratio::sixteenByNine};
        case ShelfArt::brand: return {P::brandTile, Ratio::sixteenByNine};
        case ShelfArt::avatar: return {P::avatarTile, Ratio::one};
        case ShelfArt::poster: return {P::tile, kPosterRatio};
        case ShelfArt::continueWatching:
        case ShelfArt::episode: return {P::thumbnail, Ratio::sixteenByNine};
        case ShelfArt::logo: return {P::logo, Ratio::sixteenByNine};
        case ShelfArt::standard: break;
    }
    return {P::tile, Ratio::sixteenByNine};
}

// Without fallbacks the request also falls back to its content's ratios and to the standard context.
struct ExploreArtRequest {
    ExploreArtworkComponents wanted;
    std::vector<ExploreArtworkComponents> fallbacks;
};

ExploreArtRequest exploreRequest(ShelfArt art) {
    using X = ExploreImage::Context;
    using K = ExploreImage::Content;
    constexpr AspectRatio wide = Ratio::sixteenByNine;
    switch (art) {
        case ShelfArt::hero:
            return {{X::hero, K::background, Ratio::threeNinetyOne},
                    {{X::hero, K::background, wide}, {X::standard, K::background, wide}}};
        case ShelfArt::details: return {{X::details, K::background, wide}, {}};
        case ShelfArt::brand: return {{X::brand, K::tile, wide}, {{X::standard, K::tile, wide}}};
        case ShelfArt::avatar: return {{X::standard, K::tile, Ratio::one}, {}};
        case ShelfArt::poster: return {{X::standard, K::tile, kPosterRatio}, {{X::standard, K::tile, wide}}};
        case ShelfArt::continueWatching: return {{X::standard, K::background, wide}, {{X::standard, K::tile, wide}}};
        case ShelfArt::episode: return {{X::standard, K::thumbnail, wide}, {}};
        case ShelfArt::logo: return {{X::standard, K::logo, wide}, {}};
        case ShelfArt::standard: break;
    }
    return {{X::standard, K::tile, wide}, {}};
}

// The image a tile shows and how it was chosen.
struct Art {
    std::string image;       // its id or URL; empty when nothing matched
    std::string attributes;  // data-* attributes naming the request and the step that supplied it
    std::string text;        // the same, to read
};

std::string attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + escaped(value) + "\"";
}

std::string components(const ExploreArtworkComponents& c) {
    return std::string(json::wireString(c.context)) + "/" + std::string(json::wireString(c.content)) + "/" +
           asString(c.aspectRatio);
}

Art exploreArt(const std::optional<ExploreImageMap>& artwork, const ExploreArtRequest& request) {
    static const ExploreImageMap kNoImages;
    const ExploreImageMap& images = artwork ? *artwork : kNoImages;
    const ExploreArtworkComponents& wanted = request.wanted;
    const auto chosen = imageFor(images, wanted.context, wanted.content, wanted.aspectRatio, request.fallbacks, true);
    std::string matched = "none";
    if (chosen) {
        const ExploreArtworkComponents supplied{chosen->context, chosen->content, chosen->aspectRatio};
        // A fallback list names the entry that supplied the image; otherwise the selection is
        // asked again, first for the exact entry, then without the standard context.
        if (!request.fallbacks.empty())
            matched = supplied == wanted ? "exact" : "fallback " + components(supplied);
        else if (imageFor(images, wanted.context, wanted.content, wanted.aspectRatio, {wanted}, false))
            matched = "exact";
        else if (imageFor(images, wanted.context, wanted.content, wanted.aspectRatio, {}, false))
            matched = "ratio fallback";
        else
            matched = "standard context";
    }
    Art art;
    if (chosen) art.image = chosen->image.imageId;
    art.attributes = attribute("data-context", json::wireString(wanted.context)) +
                     attribute("data-content", json::wireString(wanted.content)) +
                     attribute("data-ratio", asString(wanted.aspectRatio)) + attribute("data-fallback", matched);
    art.text = components(wanted) + " · " + matched + (chosen ? " · " + art.image : std::string());
    return art;
}

// Which step of the legacy selection supplied its image: each purpose of the chain (the one
// asked for, its root, its fallbacks) is asked alone, in the chain's order.
std::string suppliedBy(const ImageMap& images, const LegacyArtRequest& request, std::optional<MediaEntity> entity) {
    std::vector<std::pair<Image::Purpose, std::string>> chain{{request.purpose, ""}};
    if (rootPurpose(request.purpose) != request.purpose) chain.emplace_back(rootPurpose(request.purpose), "root purpose ");
    for (const Image::Purpose fallback : fallbackPurposes(request.purpose)) chain.emplace_back(fallback, "fallback purpose ");
    for (const auto& step : chain) {
        const auto* ratios = images.find(step.first);
        if (!ratios) continue;
        ImageMap alone;
        alone.insertOrAssign(step.first, *ratios);
        if (!imageFor(alone, step.first, request.ratio, step.first == request.purpose ? entity : std::nullopt)) continue;
        const bool atRatio = ratios->find(asString(request.ratio)) != nullptr;
        if (step.second.empty()) return atRatio ? "exact" : "ratio fallback";
        return step.second + std::string(json::wireString(step.first)) + (atRatio ? "" : " (ratio fallback)");
    }
    return "unknown";
}

Art legacyArt(const ImageMap& images, const LegacyArtRequest& request, std::optional<MediaEntity> entity) {
    const auto chosen = imageFor(images, request.purpose, request.ratio, entity);
    const std::string matched = chosen ? suppliedBy(images, request, entity) : "none";
    Art art;
    if (chosen) art.image = chosen->image.url;
    art.attributes = attribute("data-purpose", json::wireString(request.purpose)) +
                     attribute("data-ratio", asString(request.ratio)) +
                     (entity ? attribute("data-entity", json::wireString(*entity)) : std::string()) +
                     attribute("data-fallback", matched);
    art.text = std::string(json::wireString(request.purpose)) + " " + asString(request.ratio) +
               (entity ? " " + std::string(json::wireString(*entity)) : std::string()) + " · " + matched +
               (chosen ? " · " + art.image : std::string());
    return art;
}

// The entity a screen asks images of a kind of content for.
std::optional<MediaEntity> entityOf(ContentTypeIdentifier type) {
    switch (type) {
        case ContentTypeIdentifier::video:
        case ContentTypeIdentifier::airing: return MediaEntity::program;
        case ContentTypeIdentifier::series: return MediaEntity::series;
        case ContentTypeIdentifier::standardCollection:
        case ContentTypeIdentifier::personalizedCollection: return MediaEntity::collection;
        case ContentTypeIdentifier::avatar: return MediaEntity::avatar;
        case ContentTypeIdentifier::explore: break;
    }
    return std::nullopt;
}

// The full title of legacy texts, or the first full text of any field.
std::string titleText(const TextMap& texts) {
    if (auto title = texts.first(TextMetadata::Field::title, TextMetadata::TextType::full)) return title->content;
    if (auto any = texts.first(TextMetadata::TextType::full)) return any->content;
    return {};
}

struct Tile {
    std::string item;
    AspectRatio ratio = Ratio::sixteenByNine;
    Art art;
    std::string title;
    std::vector<std::pair<std::string, std::string>> badges;  // (kind, text); kind "promo" for a promotional label
    std::string record;                                      // compact JSON
    bool focused = false;
};

struct Shelf {
    std::string kind;       // set, season, details, episodes, shop, container, or a page container's type
    std::string container;  // its id, where it has one
    std::string season;     // the season it shows, for episodes
    std::string style;      // the style the model resolved
    std::string sentStyle;  // the style name as sent, when it differs
    std::string layout;     // the legacy container type, where there is one
    std::string title;
    bool reference = false;  // a set a later query loads: no tiles yet
    std::vector<Tile> tiles;
};

std::string aspectRatioCss(AspectRatio ratio) {
    if (ratio == Ratio::sixteenByNine) return "16 / 9";
    if (ratio == Ratio::fourByThree) return "4 / 3";
    return asString(ratio) + " / 1";
}

std::string tileHtml(const Tile& tile) {
    std::string out = "<div class=\"tile\"" + attribute("data-ratio", asString(tile.ratio)) +
                      attribute("data-item", tile.item) + (tile.focused ? attribute("data-focused", "true") : "") +
                      " style=\"aspect-ratio: " + aspectRatioCss(tile.ratio) + "\">";
    out += "<div class=\"art\"" + attribute("data-image", tile.art.image) + tile.art.attributes + ">" +
           escaped(tile.art.text) + "</div>";
    out += "<div class=\"title\">" + escaped(tile.title) + "</div><div class=\"badges\">";
    for (const auto& badge : tile.badges)
        out += "<span" + attribute("class", badge.first == "promo" ? "promo" : "badge") +
               attribute("data-kind", badge.first) + ">" + escaped(badge.second) + "</span>";
    out += "</div><pre class=\"record\">" + escaped(tile.record) + "</pre></div>";
    return out;
}

std::string shelfHtml(const Shelf& shelf) {
    std::string out = "<div class=\"shelf\"" + attribute("data-kind", shelf.kind) + attribute("data-style", shelf.style);
    if (!shelf.container.empty()) out += attribute("data-container", shelf.container);
    if (!shelf.season.empty()) out += attribute("data-season", shelf.season);
    if (!shelf.layout.empty()) out += attribute("data-layout", shelf.layout);
    if (shelf.reference) out += attribute("data-reference", "true");
    std::string style = shelf.style;
    if (!shelf.sentStyle.empty() && shelf.sentStyle != shelf.style) style += " (sent as " + shelf.sentStyle + ")";
    if (!shelf.layout.empty()) style += " · " + shelf.layout;
    out += "><h2>" + (shelf.title.empty() ? std::string() : escaped(shelf.title) + " ") + "<small>" + escaped(style) +
           "</small></h2><div class=\"tiles\">";
    for (const Tile& tile : shelf.tiles) out += tileHtml(tile);
    return out + "</div></div>";
}

// ---- Explore -------------------------------------------------------------------------------

Tile exploreTile(const ExploreSetItem& item, const ExploreArtRequest& request, const json::EncoderSettings& encoding) {
    Tile tile;
    tile.item = item.id;
    tile.ratio = request.wanted.aspectRatio;
    static const std::optional<ExploreImageMap> kNoArtwork;
    tile.art = exploreArt(item.visuals ? item.visuals->artwork : kNoArtwork, request);
    if (item.visuals) {
        tile.title = item.visuals->title;
        if (const auto& badging = item.visuals->badging) {
            if (badging->upsell) tile.badges.emplace_back("upsell", badging->upsell->displayText);
            if (badging->airingEventState) tile.badges.emplace_back("event", badging->airingEventState->badgeLabel);
        }
    }
    tile.record = json::encode(item, encoding);
    return tile;
}

Shelf setShelf(const ExploreSet& set, const json::EncoderSettings& encoding) {
    const ContentContainer legacy = set.contentContainer();
    Shelf shelf;
    shelf.kind = "set";
    shelf.container = set.id;
    shelf.style = std::string(legacy.style.rawValue());
    shelf.sentStyle = set.style.name;
    shelf.layout = std::string(json::wireString(legacy.type));
    shelf.title = set.visuals ? set.visuals->name : "";
    shelf.reference = std::holds_alternative<ContentSetReferenceLocator>(legacy.content());
    const ExploreArtRequest request = exploreRequest(shelfArt(legacy.type, legacy.style));
    if (set.items)
        for (const auto& item : *set.items) shelf.tiles.push_back(exploreTile(item, request, encoding));
    return shelf;
}

Shelf seasonShelf(const ExploreSeason& season, std::optional<std::string> focusedItem, const json::EncoderSettings& encoding) {
    Shelf shelf;
    shelf.kind = "season";
    shelf.container = season.id;
    shelf.style = std::string(ExploreSetStyle{season.style.name, season.style.fallback, season.style.layout}
                                  .resolvedContainerStyle()
                                  .rawValue());
    shelf.sentStyle = season.style.name;
    shelf.title = season.visuals ? season.visuals->name : "";
    const ExploreArtRequest request = exploreRequest(ShelfArt::episode);
    if (season.items)
        for (const auto& item : *season.items) {
            shelf.tiles.push_back(exploreTile(item, request, encoding));
            shelf.tiles.back().focused = focusedItem == item.id;
        }
    return shelf;
}

// An episodes block has no id of its own: it shows the season it is focused on (or its first).
Shelf episodesShelf(const EpisodesContainer& episodes, const json::EncoderSettings& encoding) {
    const auto focused = episodes.focusedSeason();
    const ExploreSeason* season = focused ? &*focused : episodes.seasons.empty() ? nullptr : &episodes.seasons.front();
    Shelf shelf;
    if (season) {
        const auto episode = episodes.focusedEpisode();
        shelf = seasonShelf(*season, episode ? std::optional<std::string>(episode->id) : std::nullopt, encoding);
        shelf.season = std::move(shelf.container);
        shelf.container.clear();
    }
    shelf.kind = "episodes";
    shelf.style = std::string(episodes.style.effectivePageStyle().rawValue());
    shelf.sentStyle = episodes.style.name;
    shelf.title = episodes.visuals.name + (season && season->visuals ? " · " + season->visuals->name : "");
    return shelf;
}

// A details block: one tile for the title it describes, with the page's artwork and promotional label.
Shelf detailsShelf(const ExplorePage& page, const DetailsContainer& details, const json::EncoderSettings& encoding) {
    Shelf shelf;
    shelf.kind = "details";
    shelf.style = std::string(details.style.effectivePageStyle().rawValue());
    shelf.sentStyle = details.style.name;
    shelf.title = details.visuals.title;
    Tile tile;
    tile.item = page.id;
    const ExploreArtRequest request = exploreRequest(ShelfArt::details);
    tile.ratio = request.wanted.aspectRatio;
    tile.art = exploreArt(page.visuals.artwork, request);
    tile.title = details.visuals.title;
    if (const auto& promo = page.visuals.promoLabel) tile.badges.emplace_back("promo", promo->header);
    tile.record = json::encode(details, encoding);
    shelf.tiles.push_back(std::move(tile));
    return shelf;
}

Shelf shopShelf(const ShopContainer& shop) {
    Shelf shelf;
    shelf.kind = "shop";
    shelf.style = std::string(shop.style.effectivePageStyle().rawValue());
    shelf.sentStyle = shop.style.name;
    shelf.title = shop.visuals.title;
    return shelf;
}

std::vector<Shelf> shelvesOf(const ExplorePage& page, const json::EncoderSettings& encoding) {
    std::vector<Shelf> shelves;
    for (const ContainerCoder& coder : page.containerCoders) {
        if (const auto* set = coder.as<ExploreSet>())
            shelves.push_back(setShelf(*set, encoding));
        else if (const auto* details = coder.as<DetailsContainer>())
            shelves.push_back(detailsShelf(page, *details, encoding));
        else if (const auto* episodes = coder.as<EpisodesContainer>())
            shelves.push_back(episodesShelf(*episodes, encoding));
        else if (const auto* shop = coder.as<ShopContainer>())
            shelves.push_back(shopShelf(*shop));
    }
    return shelves;
}

std::vector<Shelf> shelvesOf(const ExplorePageResponse& answer, const json::EncoderSettings& encoding) {
    return answer.explorePage ? shelvesOf(*answer.explorePage, encoding) : std::vector<Shelf>{};
}

std::vector<Shelf> shelvesOf(const ExploreSet& set, const json::EncoderSettings& encoding) {
    return {setShelf(set, encoding)};
}

std::vector<Shelf> shelvesOf(const ExploreSetResponse& answer, const json::EncoderSettings& encoding) {
    return answer.exploreSet ? shelvesOf(*answer.exploreSet, encoding) : std::vector<Shelf>{};
}

std::vector<Shelf> shelvesOf(const ExploreSeason& season, const json::EncoderSettings& encoding) {
    return {seasonShelf(season, std::nullopt, encoding)};
}

std::vector<Shelf> shelvesOf(const ExploreSeasonResponse& answer, const json::EncoderSettings& encoding) {
    return shelvesOf(answer.season, encoding);
}

// ---- Legacy --------------------------------------------------------------------------------

std::optional<std::string> originalsBadge(const ContentCoder& coder) {
    const std::optional<Image::OriginalsBadgeLabel>* badging = nullptr;
    if (const auto* video = coder.as<Video>()) badging = &video->badging;
    if (const auto* series = coder.as<Series>()) badging = &series->badging;
    if (!badging || !*badging) return std::nullopt;
    return std::string((*badging)->rawValue());
}

Tile legacyTile(const ContentCoder& coder, const LegacyArtRequest& request, const json::EncoderSettings& encoding) {
    const Content& content = *coder.model();
    Tile tile;
    tile.item = content.contentId();
    tile.ratio = request.ratio;
    tile.art = legacyArt(content.image(), request, entityOf(coder.type()));
    tile.title = titleText(content.texts());
    if (showOriginalsLabel(request.purpose))
        if (auto badge = originalsBadge(coder)) tile.badges.emplace_back("originals", *badge);
    tile.record = json::encode(coder, encoding);
    return tile;
}

Shelf legacySetShelf(const ContentSet& set, const ContentContainerStyle& style, const json::EncoderSettings& encoding) {
    Shelf shelf;
    shelf.kind = "set";
    shelf.container = set.setId;
    shelf.style = std::string(style.rawValue());
    shelf.title = titleText(set.texts);
    const LegacyArtRequest request = legacyRequest(shelfArt(ContainerType::shelf, style), style);
    for (const auto& item : set.items) shelf.tiles.push_back(legacyTile(item, request, encoding));
    return shelf;
}

std::vector<Shelf> shelvesOf(const ContentCollection& collection, const json::EncoderSettings& encoding) {
    std::vector<Shelf> shelves;
    for (const ContentContainer& container : collection.containers) {
        Shelf shelf;
        shelf.kind = "container";
        shelf.container = container.id();
        shelf.style = std::string(container.style.rawValue());
        shelf.layout = std::string(json::wireString(container.type));
        shelf.title = titleText(container.texts());
        shelf.reference = container.setDecoder.reference() != nullptr;
        const LegacyArtRequest request = legacyRequest(shelfArt(container.type, container.style), container.style);
        if (const ContentSet* set = container.setDecoder.set())
            for (const auto& item : set->items) shelf.tiles.push_back(legacyTile(item, request, encoding));
        shelves.push_back(std::move(shelf));
    }
    return shelves;
}

// A set answered alone has no container: its style is the one its set type names.
std::vector<Shelf> shelvesOf(const ContentSet& set, const json::EncoderSettings& encoding) {
    return {legacySetShelf(set, ContentContainerStyle(json::wireString(set.type)), encoding)};
}

std::vector<Shelf> shelvesOf(const EpisodesPageSet& episodes, const json::EncoderSettings& encoding) {
    Shelf shelf;
    shelf.kind = "episodes";
    if (!episodes.videos.empty() && episodes.videos.front().seasonId) shelf.season = *episodes.videos.front().seasonId;
    const ContentContainerStyle style(ContentContainerStyleCase::episode);
    shelf.style = std::string(style.rawValue());
    const LegacyArtRequest request = legacyRequest(ShelfArt::episode, style);
    for (const Video& video : episodes.videos) shelf.tiles.push_back(legacyTile(ContentCoder(video), request, encoding));
    return {shelf};
}

// A details page: its containers in order; the details panel shows the series, the episodes
// panel its seasons; the other panels are loaded by reference.
std::vector<Shelf> shelvesOf(const Page& page, const json::EncoderSettings& encoding) {
    std::vector<Shelf> shelves;
    for (const PageContainer& container : page.containers) {
        Shelf shelf;
        shelf.kind = std::string(json::wireString(container.type));
        if (container.refId) shelf.container = *container.refId;
        shelf.style = container.style.name;
        if (container.type == PageContainerType::details) {
            const ContentCoder series(page.content.mepoData);
            const ContentContainerStyle style(container.style.name);
            Tile tile = legacyTile(series, legacyRequest(ShelfArt::details, style), encoding);
            if (page.promoLabels)
                if (auto label = mainPromoLabel(*page.promoLabels, true, true, std::nullopt))
                    tile.badges.emplace_back("promo", std::string(json::wireString(label->type)));
            shelf.title = tile.title;
            shelf.tiles.push_back(std::move(tile));
        } else if (container.seasons) {
            const LegacyArtRequest request = legacyRequest(ShelfArt::episode, ContentContainerStyle(container.style.name));
            for (const PageSeason& season : *container.seasons) {
                Tile tile;
                tile.item = season.refId;
                tile.ratio = request.ratio;
                tile.art = legacyArt(ImageMap{}, request, MediaEntity::season);
                tile.title = "Season " + std::to_string(season.seasonSequenceNumber);
                tile.record = json::encode(season, encoding);
                shelf.tiles.push_back(std::move(tile));
            }
        } else {
            shelf.reference = container.refId.has_value();
        }
        shelves.push_back(std::move(shelf));
    }
    return shelves;
}

// ---- Dispatch ------------------------------------------------------------------------------

template <class T>
std::string render(std::string_view type, std::string_view raw) {
    const DecodableType* registered = findDecodableType<T>();
    const json::DecoderSettings settings = registered ? registered->settings() : json::DecoderSettings{};
    const T value = json::decode<T>(raw, settings);
    const std::vector<Shelf> shelves = shelvesOf(value, json::EncoderSettings{settings.dates});
    std::string out = "<section id=\"screen\"" + attribute("data-type", type) + ">";
    if (shelves.empty()) out += "<p class=\"empty\">Nothing to draw: the answer holds no shelves.</p>";
    for (const Shelf& shelf : shelves) out += shelfHtml(shelf);
    return out + "</section>";
}

struct ScreenType {
    std::string_view name;
    std::string (*render)(std::string_view type, std::string_view raw);
};

constexpr ScreenType kScreenTypes[] = {
    {"ContentCollection", &render<ContentCollection>},
    {"ContentSet", &render<ContentSet>},
    {"EpisodesPageSet", &render<EpisodesPageSet>},
    {"ExplorePage", &render<ExplorePage>},
    {"ExplorePageResponse", &render<ExplorePageResponse>},
    {"ExploreSeason", &render<ExploreSeason>},
    {"ExploreSeasonResponse", &render<ExploreSeasonResponse>},
    {"ExploreSet", &render<ExploreSet>},
    {"ExploreSetResponse", &render<ExploreSetResponse>},
    {"Page", &render<Page>},
};

const ScreenType* screenType(std::string_view name) {
    for (const ScreenType& type : kScreenTypes)
        if (type.name == name) return &type;
    return nullptr;
}

}  // namespace
}  // namespace screenDrawing

bool screenable(std::string_view type) { return screenDrawing::screenType(type) != nullptr; }

std::string renderScreen(std::string_view type, std::string_view raw) {
    const auto* screen = screenDrawing::screenType(type);
    if (!screen) throw std::invalid_argument("\"" + std::string(type) + "\" is not drawn as a screen");
    return screen->render(type, raw);
}

}  // namespace vorlane::inspector
