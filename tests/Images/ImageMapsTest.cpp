// Image records and the two image maps: their keys, the lenient artwork URLs, and how an image is
// selected through ratio, entity and purpose fallbacks.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace vorlane {
namespace {

using namespace jsontesting;
using P = Image::Purpose;
using M = MediaEntity;
using X = ExploreImage::Context;
using C = ExploreImage::Content;

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(VORLANE_TEST_DATA_DIR) + "/images/" + name);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

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
        {R"({"masterId": "m1"})", Failure{ErrorKind::keyNotFound, "url"}},
        {R"({"url": "https://i.example/a.jpg"})", Failure{ErrorKind::keyNotFound, "masterId"}},
        {R"({"url": 5, "masterId": "m1"})", Failure{ErrorKind::typeMismatch, "url"}},
        {"{" + url + R"("masterId": null})", Failure{ErrorKind::valueNotFound, "masterId"}},
        {"{" + url + R"("masterId": "m1", "_aspectRatio": "1.78"})", Failure{ErrorKind::typeMismatch, "_aspectRatio"}},
    });
    EXPECT_EQ(json::encode(minimal), R"({"url":"https://i.example/a.jpg","masterId":"m1"})");
    EXPECT_EQ(json::encode(full), R"({"url":"https://i.example/a.jpg","masterId":"m1","masterWidth":1920,)"
                                  R"("masterHeight":1080,"_aspectRatio":1.78,"_purpose":"hero_tile",)"
                                  R"("_sourceEntity":"series"})");

    // Inside an image map the failure names the purpose, ratio and entity keys.
    const auto error = decodeFailure<ImageMap>(R"({"tile": {"1.78": {"series": {"default": {"url": "u"}}}}})");
    EXPECT_EQ(error.kind(), ErrorKind::keyNotFound);
    EXPECT_EQ(error.path(), "tile.1.78.series.default.masterId");
}

TEST(VideoArtwork, LenientUrlsAndInvalidUrlsBecomeAbsent) {
    json::Diagnostics diagnostics;
    const auto artwork = json::decode<VideoArtwork>(readFixture("video_artwork.json"), {}, &diagnostics);
    EXPECT_EQ(artwork.purpose, VideoArtwork::ArtworkType::fullBleed);
    using URL = VideoArtwork::ArtworkURL;
    EXPECT_EQ(artwork.urls, (std::vector<URL>{{"https://media.example/art/1.mp4?v=2#t=0", {"DE", "FR"}},
                                              {std::nullopt, {"US"}},
                                              {"https://media.example/art/2.mp4", {}},
                                              {std::nullopt, {}}}));
    std::vector<std::string> paths;
    for (const auto& entry : diagnostics.entries()) paths.push_back(entry.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"mediaMetadata.urls[1].url", "mediaMetadata.urls[3]",
                                               "mediaMetadata.urls[4]", "mediaMetadata.urls[5].url"}));
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
        {R"({"purpose": "tile_1x"})", Failure{ErrorKind::keyNotFound, "mediaMetadata"}},
        {R"({"purpose": "tile_1x", "mediaMetadata": null})", Failure{ErrorKind::valueNotFound, "mediaMetadata"}},
        {R"({"purpose": "tile_1x", "mediaMetadata": {"urls": {}}})",
         Failure{ErrorKind::typeMismatch, "mediaMetadata.urls"}},
        {R"({"mediaMetadata": {}})", Failure{ErrorKind::keyNotFound, "purpose"}},
        {R"({"purpose": "fullBleed", "mediaMetadata": {}})", Failure{ErrorKind::dataCorrupted, "purpose"}},
    });

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
    const auto images = json::decode<ImageMap>(readFixture("legacy_image_map.json"));
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
        {P::brandTile, 3.0, std::nullopt, ""},                  // tile's own fallbacks are not tried
        {P::heroCollection, 3.0, std::nullopt, "hero-tile-300"},
        {P::heroCollectionBrand, 3.0, std::nullopt, ""},  // heroCollection's fallbacks are not tried
        {P::logo, wide, M::series, ""},
    };
    for (const auto& [purpose, ratio, entity, expected] : rows) {
        SCOPED_TRACE(std::string(json::wireString(purpose)) + " at " + asString(ratio));
        const auto found = imageFor(images, purpose, ratio, entity);
        EXPECT_EQ(found ? found->image.masterId : "", expected);
        if (found) { EXPECT_EQ(*found, (ImageModelParameters{found->image, purpose, ratio})); }
    }

    const auto image = [](const char* id) { return ImageVariants{{"default", Image{"u", id, {}, {}, {}, {}, {}}}}; };
    // A thumbnail falls back to the tile, or to its first ratio when 4:3 is missing too.
    const ImageMap onlyTile{{"tile", {{"1.78", {{"series", image("X")}}}}}};
    EXPECT_EQ(imageFor(onlyTile, P::thumbnail, wide, M::series),
              (ImageModelParameters{*anyImage(onlyTile), P::thumbnail, wide}));
    const ImageMap noClassic{{"thumbnail", {{"0.80", {{"program", image("A")}}}, {"3.00", {{"program", image("B")}}}}}};
    const auto fromFirstRatio = imageFor(noClassic, P::thumbnail, wide);
    ASSERT_TRUE(fromFirstRatio);
    EXPECT_EQ(fromFirstRatio->image.masterId, "A");
}

TEST(ImageMap, AnyAllAndPurposesWalkTheMapInOrder) {
    const auto images = json::decode<ImageMap>(readFixture("legacy_image_map.json"));
    std::vector<std::string> ids;
    for (const auto& image : allImages(images)) ids.push_back(image.masterId);
    EXPECT_EQ(ids, (std::vector<std::string>{"tile-178-series", "tile-178-program", "bg-178", "bg-empty-key",
                                             "thumb-100-series", "thumb-133-series", "thumb-133-program",
                                             "thumb-empty-key", "hero-178-series", "hero-tile-300",
                                             "tile-keystone-300", "mystery"}));
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
    const auto images = json::decode<ExploreImageMap>(readFixture("explore_image_map.json"));
    using Found = std::optional<std::tuple<std::string_view, X, C, AspectRatio>>;  // imageId, components named
    const std::tuple<X, C, AspectRatio, std::vector<ExploreArtworkComponents>, bool, Found> rows[] = {
        {X::tile, C::background, wide, {}, false, Found{{"tile-bg-178", X::tile, C::background, wide}}},
        {X::tile, C::titleTreatment, 1.0, {}, false, Found{{"tile-tt-332", X::tile, C::titleTreatment, 1.0}}},
        {X::tile, C::thumbnail, 3.0, {}, false, Found{{"tile-thumb-133", X::tile, C::thumbnail, 3.0}}},
        {X::hero, C::thumbnail, wide, {}, false, Found{{"hero-thumb-300", X::hero, C::thumbnail, wide}}},  // any: first
        {X::tile, C::background, classic, {}, false, std::nullopt},  // backgrounds have no ratio fallback
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

}  // namespace
}  // namespace vorlane
