#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"
#include "vorlane/Platform/Display.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

TEST(ImageVocabularies, EveryCaseHasItsExactWireStringInOrder) {
    expectWireStrings<Image::Purpose>(
        {"hero", "hero_collection", "hero_collection_brand", "hero_collection_inline", "hero_tile", "tile_title_card",
         "title_treatment", "title_treatment_layer", "title_treatment_centered", "title_treatment_bottom", "thumbnail",
         "thumbnail_version_imax_enhanced", "thumbnail_version_ov_widescreen", "logo", "logo_dark", "logo_layer",
         "tile", "tile_inline", "tile_keystone", "tile_white", "keystone", "background", "background_details",
         "background_up_next", "teamLogo1", "teamLogo2", "league", "unknown", "brandTile", "avatarTile"});
    expectWireStrings<MediaEntity>({"collection", "series", "program", "season", "set", "avatar", "sportdata", "sport",
                                    "team", "league", "unknown"});
    expectWireStrings<Image::ScrimLabel>(
        {"080_scrim", "178_scrim", "300_scrim", "heroinline_300_scrim", "391_scrim", "461_scrim"});
    expectWireStrings<ImageFormat>({"jpeg", "png"});
    expectWireStrings<VideoArtwork::ArtworkType>({"tile", "tile_1x", "full_bleed", "full_bleed_portrait"});
    expectWireStrings<ExploreImage::Content>(
        {"tile", "background", "thumbnail", "logo", "title_treatment", "tile_white", "watermark", "subtitle"});
    expectWireStrings<ExploreImage::Context>(
        {"standard", "hero", "tile", "collection", "fixed", "partner", "details", "up_next", "unauthenticated",
         "character", "mono", "center", "organization", "team", "league", "matchup", "network", "brand", "brand_dark",
         "dark", "scoreboard", "scoreboard_dark", "bottom_right", "top_right", "stacked"});

    // The catch-all `unknown` comes first and has no wire string of its own.
    expectWireStrings<IconTypeKind, IconType>(
        {"generic_unavailable", "regional_unavailable", "service_unavailable", "pcon", "kids_mode", "watchlistEmpty"}, 1);
}

TEST(ImageVocabularies, UnknownInputFollowsEachVocabularysRule) {
    // Purposes and entities never fail to decode.
    for (const char* text : {R"("Tile")", R"("hero-tile")", R"("")", "7", "true", "null", "{}", "[]"}) {
        EXPECT_EQ(json::decode<Image::Purpose>(text), Image::Purpose::unknown) << text;
        EXPECT_EQ(json::decode<MediaEntity>(text), MediaEntity::unknown) << text;
    }
    // Constructing from a raw value does not fall back.
    EXPECT_EQ(json::fromWireString<Image::Purpose>("hero_tiles"), std::nullopt);
    EXPECT_EQ(json::fromWireString<Image::Purpose>("unknown"), Image::Purpose::unknown);
    EXPECT_EQ(json::fromWireString<ImageFormat>("jpg"), std::nullopt);

    // Closed vocabularies fail on an unknown string.
    expectRejected<ExploreImage::Context>({"upNext"});
    expectRejected<ExploreImage::Content>({"titleTreatment"});
    expectRejected<Image::ScrimLabel>({"80_scrim"});
    expectRejected<VideoArtwork::ArtworkType>({"fullBleed"});

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

using P = Image::Purpose;
constexpr AspectRatio wide = Ratio::sixteenByNine;

// A map with one image of every listed purpose, for a series at each of `ratioKeys`; each image's
// masterId names where it sits: "<purpose>@<ratio key>".
ImageMap legacyMap(const std::set<P>& purposes, const std::vector<std::string_view>& ratioKeys) {
    ImageMap map;
    for (P purpose : purposes) {
        ImagesByRatio ratios;
        for (std::string_view key : ratioKeys) {
            const std::string id = std::string(json::wireString(purpose)) + "@" + std::string(key);
            const Image image{"https://img.example/" + id, id, {}, {}, {}, {}, {}};
            ratios.insertOrAssign(std::string(key), ImagesByEntity{{"series", ImageVariants{{"default", image}}}});
        }
        map.insertOrAssign(purpose, std::move(ratios));
    }
    return map;
}

std::set<P> everyPurpose() {
    std::set<P> out;
    for (const auto& entry : json::allCases<P>()) out.insert(entry.value);
    return out;
}

// The purposes whose images a screen asking for `purpose` at 16:9 shows, in turn, as each image
// shown is taken out of a map that starts with every purpose.
std::vector<std::string> imagesShownAsTheyGoMissing(P purpose) {
    const std::string ratioKey = asString(wide);
    ImageMap map = legacyMap(everyPurpose(), {ratioKey});
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
        {P::heroCollection, {P::hero, P::heroTile}},
        {P::heroCollectionBrand, {P::heroCollection, P::hero}},
        {P::heroCollectionInline, {P::heroCollection, P::heroTile}},
        // A positioned title treatment prefers the other position to the plain one.
        {P::titleTreatmentCentered, {P::titleTreatmentBottom, P::titleTreatment}},
        {P::titleTreatmentBottom, {P::titleTreatmentCentered, P::titleTreatment}},
        {P::thumbnail, {P::tile}},
        {P::thumbnailImax, {P::tile}},
        {P::thumbnailWidescreen, {P::tile}},
        {P::tileInline, {P::tile}},
        {P::logoLayer, {P::logo}},
        {P::tile, {P::tileKeystone, P::keystone}},
        {P::backgroundDetails, {P::background, P::hero}},
        {P::backgroundUpNext, {P::background, P::backgroundDetails}},
        // Brand and avatar tiles are tiles: the tile stands in, without the tile's own stand-ins.
        {P::brandTile, {P::tile}},
        {P::avatarTile, {P::tile}},
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
        {{"0.80", "1.33"}, "thumbnail@1.33", false},
        {{"0.80", "3.00"}, "thumbnail@0.80", false},
        {{"", "0.80", "1.33"}, "thumbnail@1.33", true},
    };
    for (const auto& [ratioKeys, thumbnailShows, othersShowEmptyKey] : maps) {
        const ImageMap map = legacyMap(everyPurpose(), ratioKeys);
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
    // What a screen reads to widen a request itself: thumbnails only.
    EXPECT_EQ(holders<P>([](P p) { return fallbackAspectRatio(p) == Ratio::fourByThree; }),
              names(std::set{P::thumbnail}));
    EXPECT_EQ(holders<P>([](P p) { return fallbackAspectRatio(p).has_value() || fallbackToAnyAspectRatio(p); }),
              names(std::set{P::thumbnail}));
}

using X = ExploreImage::Context;
using C = ExploreImage::Content;

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
                // The standard context stands in for the details screen, named as asked.
                const auto found = imageFor(map, X::details, entry.value, wide, {}, true);
                EXPECT_EQ(found ? found->image.imageId : "", expected);
                if (found) {
                    EXPECT_EQ(*found, (ExploreArtworkModelParameters{found->image, X::details, entry.value, wide}));
                }
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
    using X = ExploreImage::Context;
    using C = ExploreImage::Content;
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
