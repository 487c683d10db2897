// Image records and the two image maps: their keys, the lenient artwork URLs, and how an image is
// selected through ratio, entity and purpose fallbacks; then the image vocabularies, the fallback
// chain of every purpose and the presentation hints.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Platform/Display.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>


namespace vorlane {
namespace {

using namespace jsontesting;
using P = Image::Purpose;
using M = MediaEntity;
using X = ExploreImage::Context;
using C = ExploreImage::Content;

constexpr AspectRatio wide = 16.0 / 9.0, classic = 4.0 / 3.0;

TEST(Image, RequiredUrlAndMasterIdOptionalUnderscoreFields) {
    const std::string url = R"("url": "https://i.example/a.jpg", )";
    const Image minimal{"https://i.example/a.jpg", "m1", {}, {}, {}, {}, {}};
    const Image full{"https://i.example/a.jpg", "m1", 1920, 1080, 1.78, P::heroTile, M::series};
    const Image unknowns{"https://i.example/a.jpg", "m1", {}, {}, {}, P::unknown, M::unknown};
    expectDecodes<Image>({
        {"{" + url + R"("masterId": "m1"})", minimal},
        {"{" + url + R"("masterId": "m1", "masterWidth": 1920, "masterHeight": 1080, "_aspectRatio": 1.78,
                        "_purpose": "hero_tile", "_sourceEntity": "series"})", full},
        // Plain keys are not the underscore fields.
        {"{" + url + R"("masterId": "m1", "purpose": "tile", "aspectRatio": 1.0})", minimal},
        {"{" + url + R"("masterId": "m1", "_purpose": null, "_sourceEntity": null})", minimal},
        {"{" + url + R"("masterId": "m1", "_purpose": "Hero", "_sourceEntity": 3})", unknowns},
        {R"({"url": 5, "masterId": "m1"})", Failure{ErrorKind::typeMismatch, "url"}},
        {"{" + url + R"("masterId": null})", Failure{ErrorKind::valueNotFound, "masterId"}},
        {"{" + url + R"("masterId": "m1", "_aspectRatio": "1.78"})", Failure{ErrorKind::typeMismatch, "_aspectRatio"}},
    });
    EXPECT_EQ(json::encode(minimal), R"({"url":"https://i.example/a.jpg","masterId":"m1"})");
    expectKeysRequired<Image>(JsonValue::parse(json::encode(minimal)));
    EXPECT_EQ(json::encode(full), R"({"url":"https://i.example/a.jpg","masterId":"m1","masterWidth":1920,)"
                                  R"("masterHeight":1080,"_aspectRatio":1.78,"_purpose":"hero_tile",)"
                                  R"("_sourceEntity":"series"})");

    // Inside an image map the failure names the purpose, ratio and entity keys.
    expectDecodes<ImageMap>({{R"({"tile": {"1.78": {"series": {"default": {"url": "u"}}}}})",
                              Failure{ErrorKind::keyNotFound, "tile.1.78.series.default.masterId"}}});
}

TEST(VideoArtwork, LenientUrlsAndInvalidUrlsBecomeAbsent) {
    json::Diagnostics diagnostics;
    const auto artwork = json::decode<VideoArtwork>(testData("images/video_artwork.json"), {}, &diagnostics);
    EXPECT_EQ(artwork.purpose, VideoArtwork::ArtworkType::fullBleed);
    using URL = VideoArtwork::ArtworkURL;
    EXPECT_EQ(artwork.urls, (std::vector<URL>{{"https://media.example/art/1.mp4?v=2#t=0", {"DE", "FR"}},
                                              {std::nullopt, {"US"}},
                                              {"https://media.example/art/2.mp4", {}},
                                              {std::nullopt, {}}}));
    EXPECT_EQ(eachOf(diagnostics.entries(), &json::Diagnostic::path),
              (std::vector<std::string>{"mediaMetadata.urls[1].url", "mediaMetadata.urls[3]", "mediaMetadata.urls[4]",
                                        "mediaMetadata.urls[5].url"}));
    // An element without a valid URL writes "" (itself not a URL), so what is written reads back the same.
    EXPECT_EQ(json::encode(artwork),
              R"({"purpose":"full_bleed","mediaMetadata":{"urls":[{"url":"https://media.example/art/1.mp4?v=2#t=0",)"
              R"("regions":["DE","FR"]},{"url":"","regions":["US"]},{"url":"https://media.example/art/2.mp4","regions":[]},)"
              R"({"url":"","regions":[]}]}})");
    EXPECT_EQ(json::decode<VideoArtwork>(json::encode(artwork)), artwork);

    const VideoArtwork noUrls{VideoArtwork::ArtworkType::tile_1x, {}};
    expectDecodes<VideoArtwork>({
        {R"({"purpose": "tile_1x", "mediaMetadata": {}})", noUrls},
        {R"({"purpose": "tile_1x", "mediaMetadata": {"urls": null}})", noUrls},
        {R"({"purpose": "tile_1x", "mediaMetadata": null})", Failure{ErrorKind::valueNotFound, "mediaMetadata"}},
        {R"({"purpose": "tile_1x", "mediaMetadata": {"urls": {}}})",
         Failure{ErrorKind::typeMismatch, "mediaMetadata.urls"}},
        {R"({"purpose": "fullBleed", "mediaMetadata": {}})", Failure{ErrorKind::dataCorrupted, "purpose"}},
    });
    expectKeysRequired<VideoArtwork>(JsonValue::parse(R"({"purpose": "tile_1x", "mediaMetadata": {}})"));

    const std::pair<std::string_view, bool> urls[] = {
        {"https://img.example/a.jpg", true}, {"http://h/p?q=1&r=%2F#frag", true}, {"urn:isbn:0451450523", true},
        {"", false}, {"img.example/a.jpg", false}, {"/relative/a.jpg", false}, {"https://img.example/a b.jpg", false},
        {"https://i.example/\ta", false}, {"https://i.example/%2", false}, {"https://i.example/a#b#c", false},
        {"1http://x", false}, {"https:", false}, {"https://i.example/\xC3\xA9", false}, {"https://i/{id}", false},
    };
    for (const auto& [text, valid] : urls) EXPECT_EQ(isValidUrl(text), valid) << text;
}

TEST(ExploreImage, RecordsReadTheirKeys) {
    EXPECT_EQ(json::decode<ExploreImage>(R"({"imageId": "abc"})"), ExploreImage{"abc"});
    EXPECT_EQ(decodeFailure<ExploreImage>(R"({"id": "abc"})").path(), "imageId");
    EXPECT_EQ(json::decode<ExploreVideoArtwork>(R"({"videoId": "v1"})"), ExploreVideoArtwork{"v1"});
    EXPECT_EQ(json::decode<ExploreVideoArtwork>(R"({})"), ExploreVideoArtwork{});
    EXPECT_EQ(json::encode(ExploreVideoArtwork{}), "{}");
    EXPECT_EQ(decodeFailure<ExploreImageMap>(R"({"tile": {"tile": {"1.78": {}}}})").path(), "tile.tile.1.78.imageId");
}

TEST(ImageMapSelection, FollowsEntityRootPurposeAndFallbackChain) {
    const auto images = json::decode<ImageMap>(testData("images/legacy_image_map.json"));
    // purpose, ratio, entity, masterId found (empty: nothing)
    const std::tuple<P, AspectRatio, std::optional<M>, std::string_view> rows[] = {
        {P::tile, wide, M::program, "tile-178-program"},
        {P::tile, wide, std::nullopt, "tile-178-series"},  // no entity: the first entity entry
        {P::tile, wide, M::league, "tile-178-series"},     // missing entity: retried without one
        {P::tile, 3.0, std::nullopt, "tile-keystone-300"}, // no 3.00 and no "" under tile: first fallback
        {P::tile, classic, std::nullopt, ""},              // neither fallback has 1.33 or ""
        {P::background, classic, M::series, "bg-empty-key"}, {P::background, wide, M::series, "bg-178"},
        {P::backgroundDetails, classic, std::nullopt, "bg-empty-key"},
        {P::thumbnail, classic, M::series, "thumb-133-program"},  // thumbnails are looked up for programs
        {P::thumbnail, 1.0, M::program, "thumb-100-series"},       // no program at 1.00: first entity
        {P::thumbnail, wide, M::series, "thumb-133-program"},      // missing ratio: 4:3, not ""
        {P::thumbnailImax, wide, M::series, "tile-178-series"},    // only plain thumbnails get 4:3
        {P::hero, wide, std::nullopt, ""},                         // first entity has no "default": no other tried
        {P::hero, wide, M::series, "hero-178-series"},
        {P::brandTile, wide, std::nullopt, "tile-178-series"},  // root purpose
        {P::logo, wide, M::series, ""},
    };
    for (const auto& [purpose, ratio, entity, expected] : rows) {
        SCOPED_TRACE(std::string(json::wireString(purpose)) + " at " + asString(ratio));
        const auto found = imageFor(images, purpose, ratio, entity);
        EXPECT_EQ(found ? found->image.masterId : "", expected);
        if (found) { EXPECT_EQ(*found, (ImageModelParameters{found->image, purpose, ratio})); }
    }
}

TEST(ImageMap, AnyAllAndPurposesWalkTheMapInOrder) {
    const auto images = json::decode<ImageMap>(testData("images/legacy_image_map.json"));
    EXPECT_EQ(eachOf(allImages(images), &Image::masterId),
              (std::vector<std::string>{"tile-178-series", "tile-178-program", "bg-178", "bg-empty-key", "thumb-100-series",
                                        "thumb-133-series", "thumb-133-program", "thumb-empty-key", "hero-178-series",
                                        "hero-tile-300", "tile-keystone-300", "mystery"}));
    EXPECT_EQ(allPurposes(images),
              (std::vector<P>{P::tile, P::background, P::thumbnail, P::hero, P::heroTile, P::tileKeystone}));
    EXPECT_EQ(anyImage(images).value_or(Image{}).masterId, "tile-178-series");

    // The first entity entry's first image, whatever its key; any empty level gives nothing.
    const auto alternate = json::decode<ImageMap>(
        R"({"hero": {"1.78": {"program": {"alternate": {"url": "https://i.example/a", "masterId": "alt"}}}}})");
    EXPECT_EQ(anyImage(alternate).value_or(Image{}).masterId, "alt");
    EXPECT_TRUE(allImages(alternate).empty());
    for (const char* text : {"{}", R"({"hero": {}})", R"({"hero": {"1.78": {}}})", R"({"hero": {"1.78": {"x": {}}}})"})
        EXPECT_EQ(anyImage(json::decode<ImageMap>(text)), std::nullopt) << text;
}

TEST(ImageMap, ToDictionaryPlacesImagesByOwnFieldsOrFallbacks) {
    const auto image = [](std::string id, std::optional<P> purpose, std::optional<M> entity,
                          std::optional<AspectRatio> ratio) { return Image{"u", id, {}, {}, ratio, purpose, entity}; };
    const std::vector<Image> images = {
        image("first", P::tile, M::series, wide),        image("noPurpose", std::nullopt, M::series, wide),
        image("noEntity", P::tile, std::nullopt, wide),  image("noRatio", P::hero, M::program, std::nullopt),
        image("second", P::tile, M::series, wide),       image("logo", P::logo, M::series, 3.0),
    };
    // purpose key/ratio key/entity key/variant key=masterId, in map order
    const auto placements = [](const ImageMap& map) {
        std::vector<std::string> out;
        for (const auto& [purpose, ratios] : map)
            for (const auto& [ratio, entities] : ratios)
                for (const auto& [entity, variants] : entities)
                    for (const auto& [key, stored] : variants)
                        out.push_back(purpose + "/" + ratio + "/" + entity + "/" + key + "=" + stored.masterId);
        return out;
    };
    EXPECT_EQ(placements(toDictionary(images)),
              (std::vector<std::string>{"tile/1.78/series/default=second", "logo/3.00/series/default=logo"}));
    EXPECT_EQ(placements(toDictionary(images, P::background, M::season, 1.0)),
              (std::vector<std::string>{"tile/1.78/series/default=second", "tile/1.78/season/default=noEntity",
                                        "background/1.78/series/default=noPurpose", "hero/1.00/program/default=noRatio",
                                        "logo/3.00/series/default=logo"}));
    // Each of the three must come from the image or a fallback; the image is stored unchanged.
    EXPECT_EQ(toDictionary(images, P::background, M::season).find("hero"), nullptr);
    EXPECT_EQ(anyImage(toDictionary({images[3]}, P::background, M::season, 1.0)), images[3]);
}

TEST(ExploreImageMapSelection, RatioFallbacksFallbackListAndStandardContext) {
    const auto images = json::decode<ExploreImageMap>(testData("images/explore_image_map.json"));
    using Found = std::optional<std::tuple<std::string_view, X, C, AspectRatio>>;  // imageId, components named
    const std::tuple<X, C, AspectRatio, std::vector<ExploreArtworkComponents>, bool, Found> rows[] = {
        {X::tile, C::titleTreatment, 1.0, {}, false, Found{{"tile-tt-332", X::tile, C::titleTreatment, 1.0}}},
        // A fallback list disables the request's ratio fallbacks and names the fallback that was found.
        {X::tile, C::titleTreatment, 1.0, {{X::tile, C::background, wide}}, false,
         Found{{"tile-bg-178", X::tile, C::background, wide}}},
        {X::tile, C::thumbnail, 3.0, {{X::hero, C::logo, wide}}, true, std::nullopt},
        {X::hero, C::logo, 1.0,
         {{X::hero, C::thumbnail, 1.0}, {X::standard, C::background, 1.0}, {X::tile, C::background, wide}}, false,
         Found{{"std-bg-100", X::standard, C::background, 1.0}}},
        {X::hero, C::logo, 1.0, {{X::tile, C::thumbnail, wide}}, true, std::nullopt},  // fallbacks are exact
        // The standard context, with ratio fallbacks, named as the requested context.
        {X::details, C::logo, 3.0, {}, true, Found{{"std-logo-300", X::details, C::logo, 3.0}}},
        {X::details, C::logo, 3.0, {}, false, std::nullopt},
        {X::details, C::thumbnail, wide, {}, true, Found{{"std-thumb-080", X::details, C::thumbnail, wide}}},
        {X::tile, C::logo, 3.0, {{X::hero, C::logo, 3.0}}, true, std::nullopt},  // not with a fallback list
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [context, content, ratio, fallbacks, toStandard, expected] = rows[i];
        const auto found = imageFor(images, context, content, ratio, fallbacks, toStandard);
        const Found named =
            found ? Found(std::in_place, found->image.imageId, found->context, found->content, found->aspectRatio) : Found();
        EXPECT_EQ(named, expected) << "row " << i;
    }
}

TEST(ImageVocabularies, EveryCaseHasItsExactWireStringInOrderAndUnknownInputFollowsEachVocabularysRule) {
    expectWireStrings<Image::Purpose>(
        {"hero", "hero_collection", "hero_collection_brand", "hero_collection_inline", "hero_tile", "tile_title_card",
         "title_treatment", "title_treatment_layer", "title_treatment_centered", "title_treatment_bottom", "thumbnail",
         "thumbnail_version_imax_enhanced", "thumbnail_version_ov_widescreen", "logo", "logo_dark", "logo_layer",
         "tile", "tile_inline", "tile_keystone", "tile_white", "keystone", "background", "background_details",
         "background_up_next", "teamLogo1", "teamLogo2", "league", "unknown", "brandTile", "avatarTile"});
    expectWireStrings<MediaEntity>({"collection", "series", "program", "season", "set", "avatar", "sportdata", "sport",
                                    "team", "league", "unknown"});
    expectClosedVocabulary<Image::ScrimLabel>(
        {"080_scrim", "178_scrim", "300_scrim", "heroinline_300_scrim", "391_scrim", "461_scrim"}, {"80_scrim"});
    expectWireStrings<ImageFormat>({"jpeg", "png"});
    expectClosedVocabulary<VideoArtwork::ArtworkType>({"tile", "tile_1x", "full_bleed", "full_bleed_portrait"}, {"fullBleed"});
    expectClosedVocabulary<ExploreImage::Content>(
        {"tile", "background", "thumbnail", "logo", "title_treatment", "tile_white", "watermark", "subtitle"},
        {"titleTreatment"});
    expectClosedVocabulary<ExploreImage::Context>(
        {"standard", "hero", "tile", "collection", "fixed", "partner", "details", "up_next", "unauthenticated",
         "character", "mono", "center", "organization", "team", "league", "matchup", "network", "brand", "brand_dark",
         "dark", "scoreboard", "scoreboard_dark", "bottom_right", "top_right", "stacked"},
        {"upNext"});

    // The catch-all `unknown` comes first and has no wire string of its own.
    expectWireStrings<IconTypeKind, IconType>(
        {"generic_unavailable", "regional_unavailable", "service_unavailable", "pcon", "kids_mode", "watchlistEmpty"}, 1);

    // Purposes and entities never fail to decode.
    for (const char* text : {R"("Tile")", R"("hero-tile")", R"("")", "7", "true", "null", "{}", "[]"}) {
        EXPECT_EQ(json::decode<Image::Purpose>(text), Image::Purpose::unknown) << text;
        EXPECT_EQ(json::decode<MediaEntity>(text), MediaEntity::unknown) << text;
    }
    // Constructing from a raw value does not fall back.
    EXPECT_EQ(json::fromWireString<Image::Purpose>("hero_tiles"), std::nullopt);
    EXPECT_EQ(json::fromWireString<Image::Purpose>("unknown"), Image::Purpose::unknown);
    EXPECT_EQ(json::fromWireString<ImageFormat>("jpg"), std::nullopt);

    // Open vocabularies keep the text and write it back.
    expectKeptAsCatchAll<IconType>({"sparkles", "Pcon"});
    expectKeptAsCatchAll<Image::OriginalsBadgeLabel>({"Some Studio"});
}

// The wire strings, in case order, of the cases for which `holds` is true.
template <class E, class Predicate>
std::vector<std::string_view> holders(Predicate holds) {
    std::vector<std::string_view> out;
    for (const auto& entry : json::allCases<E>())
        if (holds(entry.value)) out.push_back(entry.wire);
    return out;
}

template <class E>
std::vector<std::string_view> names(const std::set<E>& members) {
    return holders<E>([&](E value) { return members.contains(value); });
}

// A map with one image of every purpose, for a series at each of `ratioKeys`; each image's
// masterId names where it sits: "<purpose>@<ratio key>".
ImageMap legacyMap(const std::vector<std::string_view>& ratioKeys) {
    ImageMap map;
    for (const auto& [purpose, wire] : json::allCases<P>()) {
        ImagesByRatio ratios;
        for (std::string_view key : ratioKeys) {
            const std::string id = std::string(wire) + "@" + std::string(key);
            const Image image{"https://img.example/" + id, id, {}, {}, {}, {}, {}};
            ratios.insertOrAssign(std::string(key), ImagesByEntity{{"series", ImageVariants{{"default", image}}}});
        }
        map.insertOrAssign(purpose, std::move(ratios));
    }
    return map;
}

// The purposes whose images a screen asking for `purpose` at 16:9 shows, in turn, as each image
// shown is taken out of a map that starts with every purpose.
std::vector<std::string> imagesShownAsTheyGoMissing(P purpose) {
    const std::string ratioKey = asString(wide);
    ImageMap map = legacyMap({ratioKey});
    std::vector<std::string> shown;
    while (const auto found = imageFor(map, purpose, wide, MediaEntity::series)) {
        EXPECT_EQ(found->purpose, purpose);  // named as requested, whichever purpose supplied it
        EXPECT_EQ(found->aspectRatio, wide);
        const std::string supplier = found->image.masterId.substr(0, found->image.masterId.find('@'));
        shown.push_back(supplier);
        if (!map.erase(supplier)) break;  // each image shown leaves the map, so this ends
    }
    return shown;
}

TEST(ImagePurpose, FallbackChainsAsImagesGoMissing) {
    // Where the map lacks a purpose, a screen shows these stand-ins in order, and no stand-in's own
    // stand-ins; every purpose not listed shows only its own image.
    const std::map<P, std::vector<P>> standIns = {
        {P::heroCollection, {P::hero, P::heroTile}}, {P::heroCollectionBrand, {P::heroCollection, P::hero}},
        {P::heroCollectionInline, {P::heroCollection, P::heroTile}},
        // A positioned title treatment prefers the other position to the plain one.
        {P::titleTreatmentCentered, {P::titleTreatmentBottom, P::titleTreatment}},
        {P::titleTreatmentBottom, {P::titleTreatmentCentered, P::titleTreatment}}, {P::thumbnail, {P::tile}},
        {P::thumbnailImax, {P::tile}}, {P::thumbnailWidescreen, {P::tile}}, {P::tileInline, {P::tile}},
        {P::logoLayer, {P::logo}}, {P::tile, {P::tileKeystone, P::keystone}},
        {P::backgroundDetails, {P::background, P::hero}}, {P::backgroundUpNext, {P::background, P::backgroundDetails}},
        // Brand and avatar tiles are tiles: the tile stands in, without the tile's own stand-ins.
        {P::brandTile, {P::tile}}, {P::avatarTile, {P::tile}},
    };
    for (const auto& entry : json::allCases<P>()) {
        std::vector<std::string> expected{std::string(entry.wire)};
        if (const auto it = standIns.find(entry.value); it != standIns.end())
            for (P standIn : it->second) expected.emplace_back(json::wireString(standIn));
        EXPECT_EQ(imagesShownAsTheyGoMissing(entry.value), expected) << entry.wire;
    }
}

TEST(ImagePurpose, OnlyPlainThumbnailsFallBackToClassicThenAnyRatio) {
    // Every purpose has images at some ratios, none at the 16:9 asked for. The plain thumbnail takes
    // 4:3, else the first ratio; every other purpose (and its stand-ins) only the "" key.
    const std::tuple<std::vector<std::string_view>, std::string_view, bool> maps[] = {
        // ratio keys in the map, what the thumbnail shows, whether every other purpose shows its "" image
        {{"0.80", "1.33"}, "thumbnail@1.33", false}, {{"0.80", "3.00"}, "thumbnail@0.80", false},
        {{"", "0.80", "1.33"}, "thumbnail@1.33", true},
    };
    for (const auto& [ratioKeys, thumbnailShows, othersShowEmptyKey] : maps) {
        const ImageMap map = legacyMap(ratioKeys);
        for (const auto& entry : json::allCases<P>()) {
            SCOPED_TRACE(entry.wire);
            const auto found = imageFor(map, entry.value, wide, MediaEntity::series);
            const std::string expected = entry.value == P::thumbnail ? std::string(thumbnailShows)
                                         : othersShowEmptyKey       ? std::string(entry.wire) + "@"
                                                                    : std::string();
            EXPECT_EQ(found ? found->image.masterId : "", expected) << ratioKeys.size() << " ratio keys";
        }
    }
}

TEST(ImagePurpose, PresentationHintsFollowTheKindOfArtwork) {
    // Placeholders for tiles, thumbnails, heroes, title cards and purposes this build does not
    // know; not for layered art (title treatments, logos), backgrounds, collection heroes and
    // sports marks.
    const std::set<P> placeholder = {P::hero, P::heroTile, P::tileTitleCard, P::thumbnail, P::thumbnailImax,
                                     P::thumbnailWidescreen, P::tile, P::tileInline, P::tileKeystone,
                                     P::tileWhite, P::keystone, P::unknown, P::brandTile, P::avatarTile};
    // The title is drawn as text where a placeholder is drawn, except over an avatar, which has no
    // title, and in place of a title's own background (plain and details, not up next).
    std::set<P> textOnFailure = placeholder;
    textOnFailure.erase(P::avatarTile);
    textOnFailure.insert({P::background, P::backgroundDetails});
    // Art drawn over other art is transparent png; photographs are jpeg.
    const std::set<P> png = {P::heroTile, P::titleTreatment, P::titleTreatmentLayer, P::titleTreatmentCentered,
                             P::titleTreatmentBottom, P::logo, P::logoDark, P::logoLayer, P::tileWhite,
                             P::teamLogo1, P::teamLogo2, P::brandTile, P::avatarTile};
    // The originals badge sits on catalogue tiles and the hero tile.
    const std::set<P> originalsBadge = {P::heroTile, P::tile, P::tileKeystone, P::keystone};

    EXPECT_EQ(holders<P>([](P p) { return usePlaceholder(p); }), names(placeholder));
    EXPECT_EQ(holders<P>([](P p) { return showTextOnFailure(p); }), names(textOnFailure));
    EXPECT_EQ(holders<P>([](P p) { return format(p) == ImageFormat::png; }), names(png));
    EXPECT_EQ(holders<P>([](P p) { return showOriginalsLabel(p); }), names(originalsBadge));
    EXPECT_EQ(holders<P>([](P p) { return supportsScrimLabel(p); }), names(std::set{P::heroTile}));
}


// Every content in `context`, each at each of `ratioKeys`; imageIds read "<content>@<ratio key>".
ExploreImageMap exploreMap(X context, const std::vector<std::string_view>& ratioKeys) {
    ExploreImagesByContent contents;
    for (const auto& entry : json::allCases<C>()) {
        ExploreImagesByRatio ratios;
        for (std::string_view key : ratioKeys)
            ratios.insertOrAssign(std::string(key), ExploreImage{std::string(entry.wire) + "@" + std::string(key)});
        contents.insertOrAssign(entry.value, std::move(ratios));
    }
    ExploreImageMap map;
    map.insertOrAssign(context, std::move(contents));
    return map;
}

TEST(ExploreImageContent, RatioFallbacksPerContentInOwnAndStandardContext) {
    // Nothing at the 16:9 asked for: title treatments take 3.32, thumbnails 4:3 and else the
    // first ratio; every other content shows nothing.
    const std::tuple<std::vector<std::string_view>, std::map<C, std::string>> cases[] = {
        {{"0.80", "1.33", "3.32"}, {{C::titleTreatment, "title_treatment@3.32"}, {C::thumbnail, "thumbnail@1.33"}}},
        {{"0.80", "1.00"}, {{C::thumbnail, "thumbnail@0.80"}}},
    };
    for (const auto& [ratioKeys, shown] : cases) {
        for (const X stored : {X::details, X::standard}) {
            const ExploreImageMap map = exploreMap(stored, ratioKeys);
            for (const auto& entry : json::allCases<C>()) {
                SCOPED_TRACE(std::string(entry.wire) + " stored in " + std::string(json::wireString(stored)));
                const auto it = shown.find(entry.value);
                const std::string expected = it == shown.end() ? "" : it->second;
                // The standard context stands in for the details screen.
                const auto found = imageFor(map, X::details, entry.value, wide, {}, true);
                EXPECT_EQ(found ? found->image.imageId : "", expected);
                const bool own = stored == X::details;
                EXPECT_EQ(imageFor(map, X::details, entry.value, wide, {}, false).has_value(), own && !expected.empty());
                // An explicit fallback list is tried exactly: no ratio fallback, no standard context.
                EXPECT_EQ(imageFor(map, X::details, entry.value, wide, {{X::details, entry.value, 2.0}}, true),
                          std::nullopt);
            }
        }
    }
}

TEST(ExploreImageContent, PlaceholderAndFormatHints) {
    EXPECT_EQ(holders<C>([](C c) { return usePlaceholder(c); }), names(std::set{C::tile, C::thumbnail}));
    // Layered art is png in every context; tiles are png only in brand rows; the rest is jpeg.
    const std::set<C> layered = {C::logo, C::titleTreatment, C::tileWhite, C::watermark};
    for (const auto& context : json::allCases<X>()) {
        std::set<C> png = layered;
        if (context.value == X::brand) png.insert(C::tile);
        EXPECT_EQ(holders<C>([&](C c) { return imageFormat(context.value, c) == ImageFormat::png; }), names(png))
            << context.wire;
    }
}

TEST(ExploreImage, ShowTextOnFailureByContextContentAndSizeClass) {
    // context, content, expected on a regular display, expected on a compact one
    const std::tuple<X, C, bool, bool> rows[] = {
        {X::standard, C::logo, false, false},     {X::tile, C::background, false, false},
        {X::collection, C::background, false, false}, {X::upNext, C::background, false, false},
        {X::character, C::background, false, false},  {X::details, C::background, false, true},
        {X::hero, C::background, true, true},     {X::upNext, C::tile, false, false},
        {X::character, C::thumbnail, false, false},   {X::details, C::tile, true, true},
    };
    for (const auto& [context, content, regular, compact] : rows) {
        SCOPED_TRACE(std::string(json::wireString(context)) + "/" + std::string(json::wireString(content)));
        Display::setHorizontalSizeClass(SizeClass::regular);
        EXPECT_EQ(ExploreImage::showTextOnFailure(context, content), regular);
        Display::setHorizontalSizeClass(SizeClass::compact);
        EXPECT_EQ(ExploreImage::showTextOnFailure(context, content), compact);
    }
    Display::setHorizontalSizeClass(SizeClass::regular);
}

TEST(ImageScrimLabel, ChosenByExactRatioAndInlineHeroStyle) {
    using S = Image::ScrimLabel;
    const ContentContainerStyle heroInline(ContentContainerStyleCase::heroInline);
    const ContentContainerStyle hero(ContentContainerStyleCase::hero);
    const std::tuple<AspectRatio, const ContentContainerStyle*, std::optional<S>> rows[] = {
        {16.0 / 9.0, &heroInline, S::scrim178}, {3.0, nullptr, S::scrim300},  {3.0, &hero, S::scrim300},
        {3.0, &heroInline, S::heroInlineScrim300}, {3.91, nullptr, S::scrim391}, {0.8, nullptr, S::scrim80},
        {4.61, &heroInline, S::scrim461},       {1.78, nullptr, std::nullopt}, {4.0 / 3.0, nullptr, std::nullopt},
    };
    for (const auto& [ratio, style, expected] : rows) EXPECT_EQ(scrimLabel(ratio, style), expected) << ratio;
}

}  // namespace
}  // namespace vorlane
