// Bookmarks, user state, bundles, personalized bundles and continue-watching answers: the
// completion and progress rules at their boundaries, progress arithmetic, the two-level decodings
// and their flat encodings, required keys and the lists that drop what fails.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/Bookmark.hpp"
#include "vorlane/Models/Content/Bundles.hpp"
#include "vorlane/Models/Content/UserState.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <unordered_set>

namespace vorlane {
namespace {

using namespace jsontesting;

template <class T>
T decodeIso(std::string_view text, json::Diagnostics* diagnostics = nullptr) {
    return json::decode<T>(text, json::DecoderSettings::iso8601(), diagnostics);
}

// The value's encoding, for the records written in another shape than the answer they read.
template <class T>
std::string writtenIso(const T& value) {
    return json::encode(value, json::EncoderSettings::iso8601());
}

// The value's encoding, after checking that it reads back as the value.
template <class T>
std::string encodeIso(const T& value) {
    std::string text = writtenIso(value);
    EXPECT_EQ(decodeIso<T>(text), value) << text;
    return text;
}

const std::string video = R"({"contentId":"v1","contentType":"full","programType":"episode","mediaMetadata":{}})";

TEST(BundlesTest, BookmarkCompletesAtTheFirstPositiveCreditsThreshold) {
    const struct {
        std::optional<double> ccMedia;
        double ccDefault, playhead;
        bool completed;
    } rows[] = {
        {0, 1200, 1200, true},  // ccMedia 0 falls back to ccDefault, reached exactly
        {0, 1200, 1199.5, false},
        {900, 5000, 1000, true},  // ccMedia wins over ccDefault
        {900, 100, 899, false},
        {std::nullopt, 0, 5000, false},  // no positive threshold: never
        {-1, 0, 5000, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ((Bookmark{"u", 0, row.playhead, 3600, row.ccMedia, row.ccDefault}.isCompleted()), row.completed)
            << row.playhead << " " << row.ccDefault;

    const Bookmark bookmark{"u", 1, 10, 100, std::nullopt, 90};
    EXPECT_EQ(encodeIso(bookmark.asContainer(sdk::ContentIdentifier::availId("a"))),
              R"({"contentIdentifier":{"availId":"a"},"userMeta":{"userId":"u","occurredOn":1,)"
              R"("playhead":10.0,"runtime":100.0,"ccDefault":90.0}})");
}

TEST(BundlesTest, EpisodeBookmarkProgressIsAFractionUntilCreditsOrEnd) {
    const struct {
        double playhead, runtime, ccThreshold, progress;
    } rows[] = {
        {50, 100, 40, 1},  // past the credits
        {50, 100, 90, 0.5}, {0, 100, 90, 0}, {-5, 100, 90, 0}, {50, 0, 90, 0},
        {90, 100, 90, 1},    // at the credits
        {100, 100, 200, 1},  // at the end
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ((EpisodeBookmark{"e", 0, row.playhead, row.runtime, row.ccThreshold}.progress()), row.progress)
            << row.playhead << "/" << row.runtime << " credits " << row.ccThreshold;

    const std::string episode = R"({"contentId":"e","occurredOn":7,"playhead":50.0,"runtime":100.0,"ccThreshold":90.0})";
    std::unordered_set<EpisodeBookmark> set{decodeIso<EpisodeBookmark>(episode), EpisodeBookmark{"e", 7, 50, 100, 90}};
    EXPECT_EQ(set.size(), 1u);
    expectEveryKeyRequired<EpisodeBookmark>(JsonValue::parse(episode));
    expectEveryKeyRequired<ContinueWatchingSeasonResponse>(JsonValue::parse(R"({"bookmarks":{"k":)" + episode + "}}"));
}

TEST(BundlesTest, ProgressGivesRuntimeAndPlayheadOnlyFromUsableNumbers) {
    const std::optional<double> none;
    const struct {
        std::optional<std::int64_t> percentage, remaining;
        double raw;
        std::optional<double> runtime, playhead;
    } rows[] = {
        {50, 600, 0.5, 1200, 600},
        {25, 300, 0.25, 400, 100},
        {1, 1, 0.01, 1 / 0.99, 0.01 / 0.99},
        {0, 600, 0, none, none},
        {50, 0, 0.5, none, none},
        {std::nullopt, 600, 0, none, none},
        {100, 300, 1, none, none},  // everything watched yet time remaining: nothing to derive
        {120, 300, 1.2, none, none},
    };
    for (const auto& row : rows) {
        const UserStateProgress progress{row.percentage, row.remaining};
        SCOPED_TRACE(json::encode(progress));
        EXPECT_DOUBLE_EQ(progress.rawProgress(), row.raw);
        EXPECT_EQ(progress.runtime().has_value(), row.runtime.has_value());
        EXPECT_EQ(progress.playhead().has_value(), row.playhead.has_value());
        EXPECT_DOUBLE_EQ(progress.runtime().value_or(-1), row.runtime.value_or(-1));
        EXPECT_DOUBLE_EQ(progress.playhead().value_or(-1), row.playhead.value_or(-1));
    }
}

TEST(BundlesTest, UserStatesReadServiceKeysAndTimestampsLeniently) {
    const std::string progress = R"("progress":{"progressPercentage":50,"secondsRemaining":600})";
    const auto state = decodeIso<UserState>(R"({"inWatchlist":true,)" + progress +
                                            R"(,"timestamp":"2024-05-01T12:30:00Z","playhead":30})");
    EXPECT_EQ(state.playhead(), 30.0);  // the raw playhead wins over the progress
    EXPECT_EQ(writtenIso(state),
              R"({"inWatchlist":true,)" + progress + R"(,"occurredOn":"2024-05-01T12:30:00Z","rawPlayhead":30.0})");
    EXPECT_EQ(decodeIso<UserState>("{" + progress + "}").playhead(), 600.0);
    EXPECT_EQ(decodeIso<UserState>("{}").playhead(), std::nullopt);
    // The written keys are not read back: a user state is read from the service's keys only.
    EXPECT_EQ(decodeIso<UserState>(R"({"occurredOn":"2024-05-01T12:30:00Z","rawPlayhead":30})"), UserState{});
    for (const char* timestamp : {R"("yesterday")", "5", R"("2024-13-01T00:00:00Z")"}) {
        json::Diagnostics diagnostics;
        EXPECT_EQ(decodeIso<UserState>(std::string(R"({"timestamp":)") + timestamp + "}", &diagnostics).occurredOn,
                  std::nullopt);
        ASSERT_EQ(diagnostics.size(), 1u) << timestamp;
        EXPECT_EQ(diagnostics.entries()[0].path, "timestamp");
    }
    EXPECT_EQ(decodeFailure<UserState>(R"({"inWatchlist":"yes"})").path(), "inWatchlist");

    const auto map = decodeIso<UserEntityStateMap>(R"({"data":{"entityStates":{"e1":{"inWatchlist":false},"e2":{}}}})");
    EXPECT_EQ(map.entityStateMap.begin()->first, "e1");
    EXPECT_EQ(decodeFailure<UserEntityStateMap>(R"({"entityStates":{}})").path(), "data");
    EXPECT_EQ(decodeFailure<UserEntityStateMap>(R"({"data":{}})").path(), "data.entityStates");

    EXPECT_EQ(decodeFailure<DownloadUserState>(R"({"progress":{}})").path(), "playheadSeconds");
    for (const auto& [timestamp, date] : {std::pair{R"("2024-05-01T12:30:00Z")", parseIso8601("2024-05-01T12:30:00Z")},
                                          std::pair{R"("last week")", std::optional<Date>()}}) {
        const auto download = decodeIso<DownloadUserState>(
            std::string(R"({"playheadSeconds":12.5,"lastWatchedTimestamp":)") + timestamp + "}");
        EXPECT_EQ(download.occurredOn(), date) << timestamp;
    }
}

TEST(BundlesTest, PersonalizedBundlesReadTheWatchlistEntryAndWriteFlat) {
    const struct {
        std::string json;
        std::string written;
    } rows[] = {
        {R"({})", R"({"isInWatchlist":false})"},
        {R"({"watchlist":{"onWatchlist":null}})", R"({"isInWatchlist":false})"},
        {R"({"watchlist":{"onWatchlist":false,"refId":"r"}})", R"({"isInWatchlist":false,"refId":"r"})"},
        {R"({"watchlist":{"onWatchlist":true,"refId":"r"}})", R"({"isInWatchlist":true,"refId":"r"})"},
        // Only the answer's shape is read: the flat, written form is not.
        {R"({"isInWatchlist":true,"refIdType":"t"})", R"({"isInWatchlist":false})"},
    };
    for (const auto& row : rows) EXPECT_EQ(writtenIso(decodeIso<PersonalizedSeriesBundle>(row.json)), row.written);

    const auto program = decodeIso<PersonalizedProgramBundle>(
        R"({"resume":{"contentIdentifier":{"contentId":"c"},"userMeta":{"userId":"u","occurredOn":1,"playhead":10,)"
        R"("runtime":100,"ccDefault":90}}})");
    EXPECT_EQ(program.resume->userMeta.playhead, 10);
    EXPECT_NE(writtenIso(program).find(R"("resume":{"contentIdentifier")"), std::string::npos);
    EXPECT_EQ(decodeFailure<PersonalizedSeriesBundle>(R"({"resume":{"contentId":"v"}})").path(), "resume.contentType");
    EXPECT_EQ(decodeFailure<PersonalizedSeriesBundle>(R"({"watchlist":{"onWatchlist":"yes"}})").path(),
              "watchlist.onWatchlist");
}

TEST(BundlesTest, ContinueWatchingReadsFreeFormLabelsWithoutEverFailing) {
    const struct {
        std::string labels;
        bool isInWatchlist;
        std::size_t reported;
    } rows[] = {
        {R"({"watchlistLabel":{"onWatchlist":true},"other":[1]})", true, 0},
        {R"({"watchlistLabel":{"onWatchlist":"yes"}})", false, 1},
        {R"({"watchlistLabel":["onWatchlist"]})", false, 1},
        {R"({"watchlistLabel":{}})", false, 0},
        {R"([true])", false, 1},
        {R"(null)", false, 0},
    };
    for (const auto& row : rows) {
        json::Diagnostics diagnostics;
        const auto response = decodeIso<ContinueWatchingSeriesResponse>(
            R"({"labels":)" + row.labels + R"(,"resume":)" + video + "}", &diagnostics);
        EXPECT_EQ(response.isInWatchlist, row.isInWatchlist) << row.labels;
        EXPECT_EQ(diagnostics.size(), row.reported) << row.labels;
        EXPECT_EQ(response.resume->contentId, "v1");
        EXPECT_EQ(writtenIso(response).rfind(R"({"isInWatchlist":)", 0), 0u);
    }
    EXPECT_EQ(writtenIso(decodeIso<ContinueWatchingVideoResponse>(R"({"labels":{"watchlistLabel":{"onWatchlist":true}}})")),
              R"({"isInWatchlist":true})");
    EXPECT_FALSE(decodeIso<ContinueWatchingVideoResponse>("{}").isInWatchlist);
    EXPECT_FALSE(decodeIso<ContinueWatchingVideoResponse>(R"({"isInWatchlist":true})").isInWatchlist);
}

TEST(BundlesTest, BundlesRequireTheirPartsAndDropFailingLabelsAndPanels) {
    const std::string extras = R"({"meta":{"hits":0},"videos":[]})";
    const std::string shop =
        R"({"type":"shop","style":{"name":"shop"},"content":{"title":"t","subTitle":"s","legalCopy":"l","linkCopy":"c",)"
        R"("linkCopyUrl":"u","link":"k","image":{"qrCode":"q","background":"b","backgroundMobile":"m",)"
        R"("goToShopOstrel":"g","shopOstrelLogo":"o"}}})";
    const std::string withoutLink = R"({"type":"shop","style":{"name":"shop"},"content":{"title":"t"}})";
    JsonValue bundle = JsonValue::parse(
        R"({"series":{"seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}},"seasons":{"seasons":[]},"extras":)" +
        extras + R"(,"promoLabels":[{"type":"NewlyAdded","subType":"series"},{"type":"Unknown"}],"containers":[)" +
        withoutLink + "," + shop + "]}");
    const auto decoded = decodeIso<SeriesBundle>(bundle.dump());
    EXPECT_EQ(decoded.promoLabels->size(), 1u);
    ASSERT_EQ(decoded.containers->size(), 1u);
    EXPECT_EQ(decoded.containers->front().content.link, "k");
    EXPECT_EQ(decoded.exploreDeeplinkParams().refId, "ES1");
    encodeIso(decoded);
    for (const char* key : {"series", "seasons", "extras"}) {
        JsonValue partial = bundle;
        partial.erase(key);
        EXPECT_EQ(decodeFailure<SeriesBundle>(partial.dump()).path(), key);
    }
    bundle.erase("containers");
    EXPECT_FALSE(decodeIso<SeriesBundle>(bundle.dump()).containers);

    JsonValue videoBundle = JsonValue::parse(R"({"video":)" + video + R"(,"extras":)" + extras +
                                             R"(,"promoLabels":[],"containers":[)" + shop + "]}");
    EXPECT_EQ(decodeIso<VideoBundle>(videoBundle.dump()).containers.size(), 1u);
    for (const char* key : {"video", "extras", "promoLabels", "containers"}) {
        JsonValue partial = videoBundle;
        partial.erase(key);
        const auto failure = decodeFailure<VideoBundle>(partial.dump());
        EXPECT_EQ(failure.kind(), ErrorKind::keyNotFound) << key;
        EXPECT_EQ(failure.path(), key);
    }
}

}  // namespace
}  // namespace vorlane
