// The legacy details page: its vocabularies, the page season's episodes metadata read under one
// key and written under another, the strict season list inside a container that the page's
// lenient container list then drops, the page-season conversion and the integer page sizes.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/Page.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vorlane {
namespace {

using namespace jsontesting;

const std::string season =
    R"({"type":"season","refId":"S1","refType":"season","seasonSequenceNumber":2,"mediaRights":{"downloadBlocked":false},)"
    R"("episodes_meta":{"offset":0,"page_size":15,"hits":40},"ratings":[{"system":"MPAA","value":"PG","advisories":[]},{"value":"PG"}]})";

std::string page(const std::string& styleName, const std::string& containers) {
    return R"({"refId":"P1","pageType":"details","style":{"name":")" + styleName +
           R"("},"content":{"visuals":{"headline":"H"},"mepoData":{"seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}}},)"
           R"("containers":)" + containers + "}";
}

TEST(PageModelTest, VocabulariesHaveTheirExactWireStrings) {
    expectWireStrings<PageContainerType>({"episodes", "extras", "related", "details", "shop"});
    expectRejected<PageContainerType>({"Episodes", "carousel"});
    expectWireStrings<PageType>({"details"});
    expectRejected<PageType>({"Details", "detail"});
    expectWireStrings<PageSeasonType>({"season"});
    expectWireStrings<PageSeasonRefType>({"season"});
    expectRejected<PageSeasonRefType>({"series"});
}

TEST(PageModelTest, PageSizesAreTheirIntegerRawValues) {
    const std::pair<std::int64_t, PageSize> sizes[] = {
        {0, PageSize::zero},     {-1, PageSize::all},   {10, PageSize::ten},
        {15, PageSize::fifteen}, {20, PageSize::twenty}, {30, PageSize::thirty},
        {40, PageSize::forty},   {45, PageSize::fortyFive}, {60, PageSize::sixty},
    };
    for (const auto& [raw, size] : sizes) {
        EXPECT_EQ(pageSizeFromRawValue(raw), size) << raw;
        EXPECT_EQ(json::decode<PageSize>(std::to_string(raw)), size);
        EXPECT_EQ(json::encode(size), std::to_string(raw));
    }
    for (std::int64_t raw : {25, 1, 100, -2}) EXPECT_EQ(pageSizeFromRawValue(raw), std::nullopt) << raw;
    EXPECT_EQ(decodeFailure<PageSize>("25").kind(), ErrorKind::dataCorrupted);
    EXPECT_EQ(decodeFailure<PageSize>(R"("10")").kind(), ErrorKind::typeMismatch);
    EXPECT_EQ(decodeFailure<PageSize>("10.5").kind(), ErrorKind::dataCorrupted);
}

TEST(PageModelTest, PageSeasonReadsEpisodesMetaUnderSnakeCaseAndWritesItUnderItsName) {
    const auto decoded = json::decode<PageSeason>(season);
    EXPECT_EQ(decoded.episodesMeta, (Season::EpisodesMeta{0, 15, 40}));
    ASSERT_TRUE(decoded.ratings);
    EXPECT_EQ(decoded.ratings->size(), 1u);  // the rating without a system is left out
    const std::string written = json::encode(decoded);
    EXPECT_NE(written.find(R"("episodesMeta":{"offset":0,"page_size":15,"hits":40})"), std::string::npos) << written;
    EXPECT_EQ(written.find("episodes_meta"), std::string::npos) << written;

    JsonValue complete = JsonValue::parse(season);
    complete.erase("ratings");
    for (const auto& [key, value] : complete.items()) {
        JsonValue partial = complete;
        partial.erase(key);
        const auto failure = decodeFailure<PageSeason>(partial.dump());
        EXPECT_EQ(failure.kind(), ErrorKind::keyNotFound) << key;
        EXPECT_EQ(failure.path(), key);
    }
    JsonValue renamed = complete;
    renamed["episodesMeta"] = renamed["episodes_meta"];
    renamed.erase("episodes_meta");
    EXPECT_EQ(decodeFailure<PageSeason>(renamed.dump()).path(), "episodes_meta");

    const Season converted = fromPageSeason(decoded, "s1");
    EXPECT_EQ(converted, (Season{"S1", "s1", 2, TextMap{}, decoded.mediaRights, std::nullopt, std::nullopt,
                                 decoded.episodesMeta, decoded.ratings}));
    EXPECT_FALSE(converted.image);  // absent, unlike a decoded season without "image"
    EXPECT_EQ(fromPageSeason(decoded, std::nullopt).seriesId, std::nullopt);
}

TEST(PageModelTest, PageDropsContainersThatFailAndRequiresItsKeys) {
    const std::string seasonWithoutMeta = R"({"type":"season","refId":"S2","refType":"season","seasonSequenceNumber":3,)"
                                          R"("mediaRights":{}})";
    const std::string containers =
        R"([{"type":"episodes","refId":"s1","refType":"series","style":{"name":"episodes"},"seasons":[)" + season + "]}," +
        R"({"type":"episodes","style":{"name":"episodes"},"seasons":[)" + season + "," + seasonWithoutMeta + "]}," +
        R"({"type":"carousel","style":{"name":"x"}},)" + R"({"type":"extras","style":{"name":"extras"}}])";
    const auto decoded = json::decode<Page>(page("anthology", containers));
    ASSERT_EQ(decoded.containers.size(), 2u);
    EXPECT_EQ(decoded.containers[0].seasons->size(), 1u);
    EXPECT_EQ(decoded.containers[1].type, PageContainerType::extras);
    EXPECT_EQ(decoded.content.mepoData.seriesId, "s1");
    EXPECT_TRUE(decoded.isAnthology());
    EXPECT_FALSE(json::decode<Page>(page("Anthology", "[]")).isAnthology());

    const JsonValue complete = JsonValue::parse(page("standard", "[]"));
    for (const char* key : {"refId", "pageType", "style", "content", "containers"}) {
        JsonValue partial = complete;
        partial.erase(key);
        EXPECT_EQ(decodeFailure<Page>(partial.dump()).path(), key);
    }
    JsonValue detail = complete;
    detail["pageType"] = "detail";
    EXPECT_EQ(decodeFailure<Page>(detail.dump()).path(), "pageType");
    JsonValue withoutSeries = complete;
    withoutSeries["content"].erase("mepoData");
    EXPECT_EQ(decodeFailure<Page>(withoutSeries.dump()).path(), "content.mepoData");
}

TEST(PageModelTest, ShopPanelNeedsEveryString) {
    expectEveryKeyRequired<ContainerContent>(JsonValue::parse(
        R"({"title":"t","subTitle":"s","legalCopy":"l","linkCopy":"c","linkCopyUrl":"u","link":"k","image":)"
        R"({"qrCode":"q","background":"b","backgroundMobile":"m","goToShopOstrel":"g","shopOstrelLogo":"o"}})"));
}

}  // namespace
}  // namespace vorlane
