#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"

#include "tests/Platform/Json/JsonTestSupport.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vorlane {
namespace {

using jsontesting::Failure;
using jsontesting::Row;
using json::ErrorKind;

TEST(Image, RequiredUrlAndMasterIdOptionalUnderscoreFields) {
    const Image minimal{"https://i.example/a.jpg", "m1", {}, {}, {}, {}, {}};
    Image full = minimal;
    full.masterWidth = 1920;
    full.masterHeight = 1080;
    full.aspectRatio = 1.78;
    full.purpose = ImagePurpose::heroTile;
    full.sourceEntity = MediaEntity::series;
    Image unknowns = minimal;
    unknowns.purpose = ImagePurpose::unknown;
    unknowns.sourceEntity = MediaEntity::unknown;

    jsontesting::expectRows<Image>(
        {
            {R"({"url": "https://i.example/a.jpg", "masterId": "m1"})", minimal},
            {R"({"url": "https://i.example/a.jpg", "masterId": "m1", "masterWidth": 1920, "masterHeight": 1080,
                 "_aspectRatio": 1.78, "_purpose": "hero_tile", "_sourceEntity": "series"})",
             full},
            // Plain keys are not the underscore fields.
            {R"({"url": "https://i.example/a.jpg", "masterId": "m1", "purpose": "tile", "aspectRatio": 1.0})", minimal},
            {R"({"url": "https://i.example/a.jpg", "masterId": "m1", "_purpose": null, "_sourceEntity": null})", minimal},
            {R"({"url": "https://i.example/a.jpg", "masterId": "m1", "_purpose": "Hero", "_sourceEntity": 3})", unknowns},
            {R"({"masterId": "m1"})", Failure{ErrorKind::keyNotFound, "url"}},
            {R"({"url": "https://i.example/a.jpg"})", Failure{ErrorKind::keyNotFound, "masterId"}},
            {R"({"url": 5, "masterId": "m1"})", Failure{ErrorKind::typeMismatch, "url"}},
            {R"({"url": "https://i.example/a.jpg", "masterId": null})", Failure{ErrorKind::valueNotFound, "masterId"}},
            {R"({"url": "u", "masterId": "m1", "masterWidth": "wide"})", Failure{ErrorKind::typeMismatch, "masterWidth"}},
            {R"({"url": "u", "masterId": "m1", "_aspectRatio": "1.78"})", Failure{ErrorKind::typeMismatch, "_aspectRatio"}},
        },
        [](const std::string& text) { return json::decode<Image>(text); });

    EXPECT_EQ(json::encode(minimal), R"({"url":"https://i.example/a.jpg","masterId":"m1"})");
    EXPECT_EQ(json::encode(full), R"({"url":"https://i.example/a.jpg","masterId":"m1","masterWidth":1920,)"
                                  R"("masterHeight":1080,"_aspectRatio":1.78,"_purpose":"hero_tile",)"
                                  R"("_sourceEntity":"series"})");

    // Inside an image map the failure names the purpose, ratio and entity keys.
    const auto error = jsontesting::decodeFailure<ImageMap>(
        R"({"tile": {"1.78": {"series": {"default": {"url": "https://i.example/a.jpg"}}}}})");
    EXPECT_EQ(error.kind(), ErrorKind::keyNotFound);
    EXPECT_EQ(error.path(), "tile.1.78.series.default.masterId");
}

TEST(VideoArtwork, LenientUrlsAndInvalidUrlsBecomeAbsent) {
    std::ifstream in(std::string(VORLANE_TEST_DATA_DIR) + "/images/video_artwork.json");
    std::stringstream text;
    text << in.rdbuf();
    json::Diagnostics diagnostics;
    const auto artwork = json::decode<VideoArtwork>(text.str(), {}, &diagnostics);
    EXPECT_EQ(artwork.purpose, VideoArtworkType::fullBleed);
    using URL = VideoArtwork::ArtworkURL;
    EXPECT_EQ(artwork.urls, (std::vector<URL>{{"https://media.example/art/1.mp4?v=2#t=0", {"DE", "FR"}},
                                              {std::nullopt, {"US"}},
                                              {"https://media.example/art/2.mp4", {}},
                                              {std::nullopt, {}}}));
    std::vector<std::string> paths;
    for (const auto& entry : diagnostics.entries()) paths.push_back(entry.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"mediaMetadata.urls[1].url", "mediaMetadata.urls[3]",
                                               "mediaMetadata.urls[4]", "mediaMetadata.urls[5].url"}));
    EXPECT_EQ(json::encode(artwork),
              R"({"purpose":"full_bleed","mediaMetadata":{"urls":[{"url":"https://media.example/art/1.mp4?v=2#t=0",)"
              R"("regions":["DE","FR"]},{"regions":["US"]},{"url":"https://media.example/art/2.mp4","regions":[]},)"
              R"({"regions":[]}]}})");

    const VideoArtwork noUrls{VideoArtworkType::tile_1x, {}};
    jsontesting::expectRows<VideoArtwork>(
        {
            {R"({"purpose": "tile_1x", "mediaMetadata": {}})", noUrls},
            {R"({"purpose": "tile_1x", "mediaMetadata": {"urls": null}})", noUrls},
            {R"({"purpose": "tile_1x"})", Failure{ErrorKind::keyNotFound, "mediaMetadata"}},
            {R"({"purpose": "tile_1x", "mediaMetadata": null})", Failure{ErrorKind::valueNotFound, "mediaMetadata"}},
            {R"({"purpose": "tile_1x", "mediaMetadata": {"urls": {}}})",
             Failure{ErrorKind::typeMismatch, "mediaMetadata.urls"}},
            {R"({"mediaMetadata": {}})", Failure{ErrorKind::keyNotFound, "purpose"}},
            {R"({"purpose": "fullBleed", "mediaMetadata": {}})", Failure{ErrorKind::dataCorrupted, "purpose"}},
        },
        [](const std::string& json) { return json::decode<VideoArtwork>(json); });

    struct UrlRow {
        std::string_view text;
        bool valid;
    };
    const UrlRow urls[] = {
        {"https://img.example/a.jpg", true}, {"http://h/p?q=1&r=%2F#frag", true}, {"urn:isbn:0451450523", true},
        {"", false}, {"img.example/a.jpg", false}, {"/relative/a.jpg", false}, {"https://img.example/a b.jpg", false},
        {"https://i.example/\ta", false}, {"https://i.example/%2", false}, {"https://i.example/a#b#c", false},
        {"1http://x", false}, {"https:", false}, {"https://i.example/\xC3\xA9", false}, {"https://i/{id}", false},
    };
    for (const auto& row : urls) EXPECT_EQ(isValidUrl(row.text), row.valid) << row.text;
}

TEST(ExploreImage, RecordsReadTheirKeys) {
    EXPECT_EQ(json::decode<ExploreImage>(R"({"imageId": "abc"})"), ExploreImage{"abc"});
    EXPECT_EQ(jsontesting::decodeFailure<ExploreImage>(R"({"id": "abc"})").path(), "imageId");
    EXPECT_EQ(json::decode<ExploreVideoArtwork>(R"({"videoId": "v1"})"), ExploreVideoArtwork{"v1"});
    EXPECT_EQ(json::decode<ExploreVideoArtwork>(R"({})"), ExploreVideoArtwork{});
    EXPECT_EQ(json::encode(ExploreVideoArtwork{}), "{}");
    const auto error = jsontesting::decodeFailure<ExploreImageMap>(R"({"tile": {"tile": {"1.78": {}}}})");
    EXPECT_EQ(error.path(), "tile.tile.1.78.imageId");
}

}  // namespace
}  // namespace vorlane
