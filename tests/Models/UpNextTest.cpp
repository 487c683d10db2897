// The legacy up next: its two vocabularies (one hyphenated, one not), the decision table row by
// row with its errors, the one logged case and its description, and the keys a response needs.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Playback/UpNext.hpp"
#include "vorlane/Platform/Log.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <system_error>
#include <variant>

namespace vorlane {
namespace {

using namespace jsontesting;

const auto iso = json::DecoderSettings::iso8601();

std::string videoJson(const std::string& id) {
    return R"({"contentId":")" + id + R"(","contentType":"full","programType":"episode","mediaMetadata":{}})";
}

// A response of `type`, with items of the given program types (none when empty) and `videos`
// candidate videos.
UpNextResponse response(const std::string& type, const std::string& from, const std::string& to, int videos = 2) {
    std::string list;
    for (int i = 0; i < videos; ++i) {
        if (i) list += ',';
        list += videoJson(std::string("v").append(std::to_string(i + 1)));
    }
    std::string json = R"({"upNextType":")" + type + R"(","video":{"meta":{},"videos":[)" + list + "]}";
    if (!from.empty()) json += R"(,"itemFrom":{"programType":")" + from + R"("})";
    if (!to.empty()) json += R"(,"itemTo":{"programType":")" + to + R"("})";
    return json::decode<UpNextResponse>(json + R"(,"parentItemTo":{"encodedSeriesId":"ES"},"experimentToken":"x"})", iso);
}

TEST(UpNextTest, VocabulariesHaveTheirExactWireStrings) {
    expectWireStrings<UpNextType>({"sequential", "recommendation", "sneak-peek", "stop"});
    expectRejected<UpNextType>({"sneakpeek", "Stop", "sneak_peek"});
    expectWireStrings<UpNextContentType>({"movie", "nextEpisode", "newSeries", "sneakpeek", "extra", "sports"});
    expectRejected<UpNextContentType>({"sneak-peek", "next_episode"});
}

TEST(UpNextTest, DecisionTableRowByRow) {
    using Expected = std::variant<UpNextContentType, UpNextError>;
    using enum UpNextContentType;
    const struct {
        std::string type, from, to;
        int videos;
        Expected expected;
        std::string logged;
    } rows[] = {
        {"sequential", "episode", "episode", 2, nextEpisode, ""},
        {"sequential", "", "episode", 2, UpNextError::unsupportedType, "UpNextResponse [sequential] unknown \u2192 episode"},
        {"sequential", "movie", "episode", 2, UpNextError::unsupportedType, "UpNextResponse [sequential] movie \u2192 episode"},
        {"sequential", "episode", "short-form", 2, UpNextError::unsupportedType,
         "UpNextResponse [sequential] episode \u2192 short-form"},
        {"sequential", "episode", "", 2, UpNextError::itemToMissing, ""},
        {"recommendation", "", "episode", 2, newSeries, ""},
        {"recommendation", "episode", "movie", 2, movie, ""},
        {"recommendation", "", "supplement", 2, extra, ""},
        {"recommendation", "", "promotional", 2, extra, ""},
        {"recommendation", "", "short-form", 2, movie, ""},
        {"recommendation", "", "sports", 2, sports, ""},
        {"recommendation", "", "other", 2, movie, ""},
        {"recommendation", "", "live", 2, movie, ""},  // an unknown program type reads as other
        {"recommendation", "", "", 2, UpNextError::itemToMissing, ""},
        {"sneak-peek", "sports", "movie", 2, sneakpeek, ""},
        {"sneak-peek", "", "", 2, UpNextError::itemToMissing, ""},
        {"stop", "episode", "episode", 2, UpNextError::noUpNext, ""},
        {"stop", "", "", 0, UpNextError::noUpNext, ""},
        {"sequential", "episode", "episode", 0, UpNextError::videoMissing, ""},
        {"recommendation", "", "movie", 0, UpNextError::videoMissing, ""},
    };
    for (const auto& row : rows) {
        const auto r = response(row.type, row.from, row.to, row.videos);
        SCOPED_TRACE(r.description() + " with " + std::to_string(row.videos) + " videos");
        LogCapture capture;
        const auto result = UpNext::from(r);
        if (const auto* contentType = std::get_if<UpNextContentType>(&row.expected)) {
            ASSERT_TRUE(result.isLeft());
            const UpNext& upNext = result.left();
            EXPECT_EQ(upNext.contentType, *contentType);
            EXPECT_EQ(upNext.video.contentId, "v1");  // the first candidate
            EXPECT_EQ(upNext.itemTo, r.itemTo);
            EXPECT_EQ(upNext.parentItemTo, r.parentItemTo);
            EXPECT_EQ(upNext.experimentToken, "x");
        } else {
            ASSERT_TRUE(result.isRight());
            EXPECT_EQ(result.right(), std::get<UpNextError>(row.expected));
        }
        const auto entries = capture.entries();
        if (row.logged.empty()) {
            EXPECT_TRUE(entries.empty());
        } else {
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(entries[0].category, LogCategory::content);
            EXPECT_EQ(entries[0].level, LogLevel::error);
            EXPECT_EQ(entries[0].message, "Could not determine upnext type: " + row.logged);
        }
    }
    EXPECT_EQ(response("sneak-peek", "episode", "movie").description(), "UpNextResponse [sneakpeek] episode \u2192 movie");
}

TEST(UpNextTest, ResponseNeedsTypeVideoAndItemProgramTypesAndRoundTrips) {
    JsonValue full = JsonValue::parse(
        R"({"upNextType":"recommendation","video":{"meta":{"hits":1},"videos":[]},"itemTo":{"programType":"movie",)"
        R"("programSource":{"image":{"tile":{"1.78":{"program":{"default":{"url":"u","masterId":"m"}}}}}}},)"
        R"("parentItemTo":{"currentAvailability":{"appears":"2026-03-01T00:00:00Z"},"encodedSeriesId":"ES"}})");
    const auto decoded = json::decode<UpNextResponse>(full.dump(), iso);
    EXPECT_EQ(decoded.parentItemTo->currentAvailability->appears, parseIso8601("2026-03-01T00:00:00Z"));
    EXPECT_FALSE(decoded.itemTo->programSource->image().empty());
    EXPECT_EQ(JsonValue::parse(json::encode(decoded, json::EncoderSettings::iso8601())), full);
    for (const char* key : {"upNextType", "video"}) {
        JsonValue partial = full;
        partial.erase(key);
        EXPECT_EQ(decodeFailure<UpNextResponse>(partial.dump()).path(), key);
    }
    full["itemTo"].erase("programType");
    EXPECT_EQ(decodeFailure<UpNextResponse>(full.dump()).path(), "itemTo.programType");
}

TEST(UpNextTest, ErrorsAreAnErrorCodeCategoryWithAReadableMessagePerCase) {
    const UpNextError cases[] = {UpNextError::noUpNext, UpNextError::videoMissing, UpNextError::unsupportedType,
                                 UpNextError::itemToMissing};
    for (int i = 0; i < 4; ++i) {
        const std::error_code code = cases[i];
        EXPECT_EQ(code.value(), i);
        EXPECT_STREQ(code.category().name(), "UpNextError");
        EXPECT_TRUE(code.message().starts_with(std::string(toString(cases[i])) + ": ")) << code.message();
    }
    EXPECT_THROW(throw std::system_error(UpNextError::videoMissing), std::system_error);
}

}  // namespace
}  // namespace vorlane
