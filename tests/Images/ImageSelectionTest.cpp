#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace vorlane {
namespace {

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(VORLANE_TEST_DATA_DIR) + "/images/" + name);
    EXPECT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

constexpr AspectRatio wide = 16.0 / 9.0;
constexpr AspectRatio classic = 4.0 / 3.0;

TEST(ImageMapSelection, FollowsEntityRootPurposeAndFallbackChain) {
    using P = ImagePurpose;
    using M = MediaEntity;
    const auto images = json::decode<ImageMap>(readFixture("legacy_image_map.json"));
    struct Row {
        P purpose;
        AspectRatio ratio;
        std::optional<M> entity;
        std::string_view expected;  // masterId; empty when nothing is found
    };
    const Row rows[] = {
        {P::tile, wide, M::program, "tile-178-program"},
        {P::tile, wide, std::nullopt, "tile-178-series"},  // no entity: the first entity entry
        {P::tile, wide, M::league, "tile-178-series"},     // missing entity: retried without one
        {P::tile, 3.0, std::nullopt, "tile-keystone-300"}, // no 3.00 and no "" under tile: first fallback
        {P::tile, classic, std::nullopt, ""},              // neither fallback has 1.33 or ""
        {P::background, classic, M::series, "bg-empty-key"},
        {P::background, wide, M::series, "bg-178"},
        {P::backgroundDetails, classic, std::nullopt, "bg-empty-key"},
        {P::thumbnail, classic, M::series, "thumb-133-program"},  // thumbnails are looked up for programs
        {P::thumbnail, 1.0, M::program, "thumb-100-series"},       // no program at 1.00: first entity
        {P::thumbnail, wide, M::series, "thumb-133-program"},    // missing ratio: 4:3, not ""
        {P::thumbnailImax, wide, M::series, "tile-178-series"},  // only plain thumbnails get 4:3
        {P::hero, wide, std::nullopt, ""},                       // first entity has no "default": no other tried
        {P::hero, wide, M::series, "hero-178-series"},
        {P::brandTile, wide, std::nullopt, "tile-178-series"},  // root purpose
        {P::brandTile, 3.0, std::nullopt, ""},                  // tile's own fallbacks are not tried
        {P::heroCollection, 3.0, std::nullopt, "hero-tile-300"},
        {P::heroCollectionBrand, 3.0, std::nullopt, ""},  // heroCollection's fallbacks are not tried
        {P::logo, wide, M::series, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(json::wireString(row.purpose)) + " at " + asString(row.ratio));
        const auto found = imageFor(images, row.purpose, row.ratio, row.entity);
        if (row.expected.empty()) {
            EXPECT_EQ(found, std::nullopt);
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(found->image.masterId, row.expected);
        EXPECT_EQ(found->purpose, row.purpose);
        EXPECT_EQ(found->aspectRatio, row.ratio);
    }
}

TEST(ImageMapSelection, ThumbnailFallsBackToTileOrAnyRatio) {
    const auto image = [](const char* id) { return ImageVariants{{"default", Image{"u", id, {}, {}, {}, {}, {}}}}; };
    const ImageMap onlyTile{{"tile", {{"1.78", {{"series", image("X")}}}}}};
    EXPECT_EQ(imageFor(onlyTile, ImagePurpose::thumbnail, wide, MediaEntity::series),
              (ImageModelParameters{*anyImage(onlyTile), ImagePurpose::thumbnail, wide}));
    const ImageMap noClassic{{"thumbnail", {{"0.80", {{"program", image("A")}}}, {"3.00", {{"program", image("B")}}}}}};
    EXPECT_EQ(imageFor(noClassic, ImagePurpose::thumbnail, wide)->image.masterId, "A");
}

TEST(ImageMap, AnyAllAndPurposesWalkTheMapInOrder) {
    const auto images = json::decode<ImageMap>(readFixture("legacy_image_map.json"));
    std::vector<std::string> ids;
    for (const auto& image : allImages(images)) ids.push_back(image.masterId);
    EXPECT_EQ(ids, (std::vector<std::string>{"tile-178-series", "tile-178-program", "bg-178", "bg-empty-key",
                                             "thumb-100-series", "thumb-133-series", "thumb-133-program",
                                             "thumb-empty-key",
                                             "hero-178-series", "hero-tile-300", "tile-keystone-300", "mystery"}));
    using P = ImagePurpose;
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
    using P = ImagePurpose;
    using M = MediaEntity;
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
    using X = ExploreImageContext;
    using C = ExploreImageContent;
    const auto images = json::decode<ExploreImageMap>(readFixture("explore_image_map.json"));
    struct Row {
        X context;
        C content;
        AspectRatio ratio;
        std::vector<ExploreArtworkComponents> fallbacks;
        bool toStandard;
        std::string_view expected;  // imageId; empty when nothing is found
        X resultContext;
        C resultContent;
        AspectRatio resultRatio;
    };
    const std::vector<Row> rows = {
        {X::tile, C::background, wide, {}, false, "tile-bg-178", X::tile, C::background, wide},
        {X::tile, C::titleTreatment, 1.0, {}, false, "tile-tt-332", X::tile, C::titleTreatment, 1.0},
        {X::tile, C::thumbnail, 3.0, {}, false, "tile-thumb-133", X::tile, C::thumbnail, 3.0},
        {X::hero, C::thumbnail, wide, {}, false, "hero-thumb-300", X::hero, C::thumbnail, wide},  // any ratio: first
        {X::tile, C::background, classic, {}, false, "", {}, {}, 0},  // backgrounds have no ratio fallback
        // A fallback list disables the request's ratio fallbacks and names the fallback that was found.
        {X::tile, C::titleTreatment, 1.0, {{X::tile, C::background, wide}}, false, "tile-bg-178", X::tile,
         C::background, wide},
        {X::tile, C::thumbnail, 3.0, {{X::hero, C::logo, wide}}, true, "", {}, {}, 0},
        {X::hero, C::logo, 1.0,
         {{X::hero, C::thumbnail, 1.0}, {X::standard, C::background, 1.0}, {X::tile, C::background, wide}}, false,
         "std-bg-100", X::standard, C::background, 1.0},
        {X::hero, C::logo, 1.0, {{X::tile, C::thumbnail, wide}}, true, "", {}, {}, 0},  // fallbacks are exact
        // The standard context, with ratio fallbacks, named as the requested context.
        {X::details, C::logo, 3.0, {}, true, "std-logo-300", X::details, C::logo, 3.0},
        {X::details, C::logo, 3.0, {}, false, "", {}, {}, 0},
        {X::details, C::thumbnail, wide, {}, true, "std-thumb-080", X::details, C::thumbnail, wide},
        {X::tile, C::logo, 3.0, {{X::hero, C::logo, 3.0}}, true, "", {}, {}, 0},  // not with a fallback list
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        const auto found = imageFor(images, row.context, row.content, row.ratio, row.fallbacks, row.toStandard);
        if (row.expected.empty()) {
            EXPECT_EQ(found, std::nullopt);
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(found->image.imageId, row.expected);
        EXPECT_EQ(found->context, row.resultContext);
        EXPECT_EQ(found->content, row.resultContent);
        EXPECT_EQ(found->aspectRatio, row.resultRatio);
    }
}

}  // namespace
}  // namespace vorlane
