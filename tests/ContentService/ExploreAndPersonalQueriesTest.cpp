// The Explore and personalization operations: what each sends (maps absent or empty, params in
// order, the deeplink action), the bookmark rule, POST bodies, bookmark imports, the watchlist's
// notification, and their failures.

#include "tests/ContentService/ServiceFixture.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/QueryFactory.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Notifications.hpp"

#include <gtest/gtest.h>

#include <any>
#include <cmath>
#include <limits>

namespace vorlane {
namespace {

using test::everyQuery;
using test::expectErrorCode;

struct ExploreQueries : test::ServiceFixture {
    ExploreQueries() : ServiceFixture(everyQuery()) {}

    // Runs `single` on `answer` and returns the call it made.
    template <class T>
    SessionCall callOf(const rx::Single<T>& single, const std::string& answer = "{}") {
        session->enqueueAnswer(answer);
        try {
            single.blockingGet();
        } catch (const std::exception&) {  // the answers here need not decode; what was sent matters
        }
        return session->calls().back();
    }
};

std::string dumped(const std::optional<JsonValue>& map) { return map ? map->dump() : "absent"; }

TEST_F(ExploreQueries, EachSendsItsMapsAbsentOrAlwaysAndInOrder) {
    using RefType = ExploreDeeplinkReferenceIdType;
    const auto playback = std::optional(ActionTypeIdentifier::playback);
    const JsonValue callerParams = JsonValue::parse(R"({"offset":99,"limit":1,"region":"US"})");
    struct Row { SessionCall call; std::string queryId, variables, params; };
    const Row rows[] = {
        {callOf(service.getExplorePage("p1", std::nullopt, std::nullopt)), "core/explorePage", R"({"pageId":"p1"})", "{}"},
        {callOf(service.getExplorePage("p1", 4, 20)), "core/explorePage", R"({"pageId":"p1"})",
         R"({"limit":20,"enhancedContainersLimit":4})"},
        // The caller's params follow and cannot replace the offset and limit.
        {callOf(service.getExploreSet("s1", 0, 15, callerParams)), "core/exploreSet", R"({"setId":"s1"})",
         R"({"offset":0,"limit":15,"region":"US"})"},
        {callOf(service.getExploreSet("s1", 30, std::nullopt, JsonValue())), "core/exploreSet", R"({"setId":"s1"})",
         R"({"offset":30})"},
        {callOf(service.getSeason("se", std::nullopt, std::nullopt)), "core/season", R"({"seasonId":"se"})", "{}"},
        {callOf(service.getSeason("se", 10, -5)), "core/season", R"({"seasonId":"se"})", R"({"limit":10,"offset":-5})"},
        {callOf(service.getExploreUpNext("c1")), "core/exploreUpNext", "absent", R"({"contentId":"c1"})"},
        {callOf(service.getPlayerExperience("a1")), "core/playerExperience", R"({"availId":"a1"})", "absent"},
        // Sent as typed: no percent-encoding.
        {callOf(service.unifiedSearch("a/b c")), "core/unifiedSearch", "absent", R"({"query":"a/b c"})"},
        {callOf(service.unifiedSearchLanding()), "core/unifiedSearch", "absent", R"({"query":""})"},
        // Only a deeplink id sends the action, and only when there is one.
        {callOf(service.getExploreDeeplink("r", RefType::deeplinkId, playback)), "core/deeplink", "absent",
         R"({"refId":"r","refIdType":"deeplinkId","action":"playback"})"},
        {callOf(service.getExploreDeeplink("r", RefType::deeplinkId, std::nullopt)), "core/deeplink", "absent",
         R"({"refId":"r","refIdType":"deeplinkId"})"},
        {callOf(service.getExploreDeeplink("r", RefType::channelId, playback)), "core/deeplink", "absent",
         R"({"refId":"r","refIdType":"channelId"})"},
        {callOf(service.getExploreDeeplink("r", RefType::encodedFamilyId, playback)), "core/deeplink", "absent",
         R"({"refId":"r","refIdType":"encodedFamilyId"})"},
        {callOf(service.getExploreDeeplink("r", RefType::encodedSeriesId, playback)), "core/deeplink", "absent",
         R"({"refId":"r","refIdType":"encodedSeriesId"})"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.queryId + " " + row.params);
        EXPECT_EQ(row.call.kind, SessionCallKind::execute);
        EXPECT_EQ(row.call.queryId, row.queryId);
        EXPECT_EQ(row.call.apiVersion, "5.1");
        EXPECT_EQ(dumped(row.call.variables), row.variables);
        EXPECT_EQ(dumped(row.call.params), row.params);
        EXPECT_FALSE(row.call.body);
    }
}

TEST_F(ExploreQueries, TheBookmarkRuleChoosesTheKeyAndTheVariables) {
    const std::string id = R"({"encodedSeriesId":"S1")";
    const std::string good = R"("contentId":"c","mediaId":"m","occurredOn":1700000000)";
    // upsert -> query id, and the variables before the standard ones ("" for the plain key's)
    const std::pair<std::string, std::string> rows[] = {
        {R"({"lastBookmark":{)" + good + R"(,"playhead":12.9}})", R"(,"contentId":"c","mediaId":"m","playhead":12,"occurredOn":1700000000)"},
        {R"({"lastBookmark":{)" + good + R"(,"playhead":-3.7}})", R"(,"contentId":"c","mediaId":"m","playhead":-3,"occurredOn":1700000000)"},
        {R"({"lastBookmark":{)" + good + R"(,"playhead":12}})", ""},  // an integer playhead is the wrong type
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":1.5}})", ""},
        {R"({"lastBookmark":{"contentId":7,"mediaId":"m","playhead":1.5,"occurredOn":1}})", ""},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":1.5,"occurredOn":1.5}})", ""},
        {R"({"lastBookmark":{}})", ""},
        {R"({"lastBookmark":[1]})", ""},
        {R"({"other":{}})", ""},
        {"{}", ""},
        {"null", ""},
    };
    for (const auto& [upsert, bookmark] : rows) {
        SCOPED_TRACE(upsert);
        const auto call = callOf(service.getPersonalizedSeriesBundle(EncodedIdentifier("S1"), JsonValue::parse(upsert)));
        EXPECT_EQ(call.queryId, bookmark.empty() ? "core/personalizedSeriesBundle" : "core/personalizedSeriesBundleWithBookmark");
        EXPECT_EQ(call.variables->dump().rfind(id + bookmark + R"(,"appLanguage")", 0), 0u) << call.variables->dump();
    }
    // The program bundle and continue watching follow the same rule under their own keys.
    const auto upsert = JsonValue::parse(std::string(R"({"lastBookmark":{)") + good + R"(,"playhead":1.0}})");
    EXPECT_EQ(callOf(service.getPersonalizedProgramBundle(EncodedIdentifier("F"), upsert)).queryId,
              "core/personalizedProgramBundleWithBookmark");
    EXPECT_EQ(callOf(service.getContinueWatchingVideo(EncodedIdentifier("F"), JsonValue())).queryId,
              "core/continueWatchingVideo");
    EXPECT_EQ(callOf(service.getContinueWatchingVideo(EncodedIdentifier("F"), upsert)).variables->dump().rfind(
                  R"({"encodedFamilyId":"F","contentId":"c")", 0),
              0u);
}

TEST_F(ExploreQueries, PostBodiesAreEncodedAsSentAndSplitByKind) {
    using sdk::ContentIdentifier;
    const struct { SessionCall call; std::string body; } rows[] = {
        {callOf(service.getUserState({"p1", "p2"})), "{\n  \"pids\": [\n    \"p1\",\n    \"p2\"\n  ]\n}"},
        {callOf(service.getDownloadMetadata({ContentIdentifier::contentId("c1"), ContentIdentifier::availId("a1"),
                                             ContentIdentifier::contentId("c2")})),
         "{\n  \"availIds\": [\n    \"a1\"\n  ],\n  \"contentIds\": [\n    \"c1\",\n    \"c2\"\n  ]\n}"},
        {callOf(service.getDownloadMetadata(std::vector<ContentIdentifier>{})), "{\n  \"availIds\": [],\n  \"contentIds\": []\n}"},
        {callOf(service.getDownloadMetadata(std::string("season-1"))), "{\n  \"seasonId\": \"season-1\"\n}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.call.kind, SessionCallKind::execute);
        EXPECT_EQ(row.call.body, row.body);
        EXPECT_FALSE(row.call.variables);
        EXPECT_FALSE(row.call.params);
    }
    JsonValue body = JsonValue::object();
    body["pids"] = JsonValue::array({1.0, std::numeric_limits<double>::quiet_NaN()});
    EXPECT_EQ(jsontesting::thrownMessage<std::invalid_argument>([&] { postBody(body); }),
              "the request body cannot hold the non-finite number at body.pids[1]");
}

TEST_F(ExploreQueries, DownloadMetadataImportsItsBookmarksOnlyForAProfile) {
    const std::string answer =
        R"({"data":{"downloadMetadata":[{"resourceId":"r","internalTitle":"i","deeplinkId":"d","availId":"a1",
           "contentId":"c1","pid":"p","title":"t","imageId":"im","runtimeMs":2700500,"playerExperience":{"targetLanguage":"en"},
           "userState":{"playheadSeconds":812.5,"lastWatchedTimestamp":"2026-12-05T21:14:09Z"}},
          {"resourceId":"r","internalTitle":"i","deeplinkId":"d","availId":"a2","pid":"p","title":"t","imageId":"im",
           "playerExperience":{"targetLanguage":"en"}}]}})";
    const auto run = [&] {
        session->enqueueAnswer(answer);
        return service.getDownloadMetadata(std::string("s")).blockingGet();
    };
    EXPECT_EQ(run().size(), 2u);
    EXPECT_EQ(session->calls().back().kind, SessionCallKind::execute) << "no profile: nothing imported";
    profile.set(std::string("profile-7"));
    EXPECT_EQ(run().size(), 2u);
    const auto imported = session->calls().back();
    ASSERT_EQ(imported.kind, SessionCallKind::importBookmarks);
    const std::vector<sdk::Bookmark> expected = {
        {"c1", "profile-7", 812.5, 2700.5, 1796505249},
        {"a2", "profile-7", 0, std::nullopt, std::nullopt},  // no content id: named by its avail id
    };
    EXPECT_EQ(imported.bookmarks, expected);
}

TEST_F(ExploreQueries, WatchlistChangesLogTheirNameAndNotifyWithTheirUserInfo) {
    std::vector<std::string> notified;
    auto token = NotificationCenter::defaultCenter().addObserver(
        NotificationName::watchlistUpdated, [&](const Notification& n) {
            EXPECT_FALSE(n.object.has_value());
            notified.push_back(userInfoJson(n.userInfo));
        });
    LogCapture log;
    const auto source = JsonValue::parse(R"({"page":"details"})");
    const auto put = callOf(service.putItemInWatchlist("w", "r1", "encodedSeriesId", source), "not even JSON");
    EXPECT_EQ(put.kind, SessionCallKind::query);
    EXPECT_EQ(put.queryId, "core/putItemInWatchlist");
    EXPECT_EQ(put.variables->dump(), R"({"refId":"r1","refIdType":"encodedSeriesId"})");
    session->enqueueAnswer("");
    EXPECT_EQ(service.deleteItemFromWatchlist("w2", "r1", "t", JsonValue()).blockingGet(),
              (WatchlistResponse{.isAdd = false, .errorMessages = {}}));
    EXPECT_EQ(notified, (std::vector<std::string>{R"({"isAdd":true,"source":{"page":"details"},"with":"w"})",
                                                  R"({"isAdd":false,"source":null,"with":"w2"})"}));
    std::vector<std::string> messages;
    for (const auto& entry : log.entries()) messages.push_back(entry.message);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            R"(Executing request: watchlist.put, variables: {"refId":"r1","refIdType":"encodedSeriesId"})",
                            R"(Executing request: watchlist.delete, variables: {"refId":"r1","refIdType":"t"})"}));

    // A failed change posts nothing.
    session->enqueueError(std::make_exception_ptr(std::runtime_error("offline")));
    EXPECT_THROW(service.putItemInWatchlist("w", "r", "t", JsonValue()).blockingGet(), std::runtime_error);
    EXPECT_EQ(notified.size(), 2u);
}

TEST_F(ExploreQueries, FailuresAreTheDocumentedOnes) {
    config.set(ContentQueryConfiguration{});
    const auto none = std::nullopt;
    expectErrorCode([&] { service.getExplorePage("p", none, none).blockingGet(); }, SDKContentServiceError::nullQueryId);
    expectErrorCode([&] { service.getExploreSet("s", 0, none, JsonValue()).blockingGet(); },
                    SDKContentServiceError::missingDescriptor);
    expectErrorCode([&] { service.getUserState({"p"}).blockingGet(); }, SDKContentServiceError::nullQueryId);
    expectErrorCode([&] { service.getPersonalizedSeriesBundle(EncodedIdentifier("S"), JsonValue()).blockingGet(); },
                    SDKContentServiceError::nullQueryId);
    expectErrorCode([&] { service.putItemInWatchlist("w", "r", "t", JsonValue()).blockingGet(); },
                    SDKContentServiceError::nullQueryId);
    EXPECT_TRUE(session->calls().empty());

    // Decoder errors come through as they are; an Explore set with no set is no ContentSet.
    config.set(everyQuery());
    session->enqueueAnswer(R"({"data":{"page":{"id":7}}})");
    const std::string message = jsontesting::thrownMessage<json::DecodingError>(
        [&] { service.getExplorePage("p", none, none).blockingGet(); });
    EXPECT_NE(message.find("data.page.id"), std::string::npos) << message;
    session->enqueueAnswer(R"({"data":{}})");
    EXPECT_EQ(service.getExploreSet("s", 0, none, JsonValue()).blockingGet(), ExploreSetResponse{});
    session->enqueueAnswer(R"({"data":{}})");
    expectErrorCode([&] { service.getContent({ContentSetType::exploreSet, "s"}, std::nullopt).blockingGet(); },
                    SDKContentServiceError::missing);
    const auto call = callOf(service.getContent({ContentSetType::exploreSet, "s"}, ItemPage{40, PageSize::twenty}));
    EXPECT_EQ(dumped(call.params), R"({"offset":40,"limit":20})");
}

}  // namespace
}  // namespace vorlane
