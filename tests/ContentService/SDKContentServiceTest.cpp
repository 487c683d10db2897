#include "tests/ContentService/ServiceFixture.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

namespace vorlane::test {
struct Probe {
    std::string id;
    std::optional<Date> date;
    bool operator==(const Probe&) const = default;
};
inline auto jsonFields(json::Tag<Probe>) {
    using namespace json::rules;
    return fields(required("id", &Probe::id), optional("date", &Probe::date));
}
}  // namespace vorlane::test

VORLANE_JSON_DEFINE(vorlane::test::Probe)

namespace vorlane {
namespace {

using test::Probe;
using Q = ContentQueryIdentifier;

ContentQueryConfiguration configuration() {
    ContentQueryConfiguration config;
    for (const auto& [query, id, version] : {std::tuple{Q::video, "core/video", "5.1"}, {Q::explorePage, "x/page", "v1"},
                                             {Q::userState, "x/state", "v2"}, {Q::putItemInWatchlist, "core/put", "5.1"}})
        config.queryDescriptors.insertOrAssign(query, ContentQueryDescriptor{id, version});
    return config;
}

struct Fixture : test::ServiceFixture {
    Fixture() : ServiceFixture(configuration()) {}
};

void expectServiceError(const std::function<void()>& action, SDKContentServiceError expected) {
    try {
        action();
        FAIL() << "no error";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), make_error_code(expected));
        EXPECT_STREQ(error.code().category().name(), "SDKContentServiceError");
    }
}

TEST_F(Fixture, MissingDescriptorFailsAtOnceAndSendsNothing) {
    config.set(ContentQueryConfiguration{});
    using enum SDKContentServiceError;
    expectServiceError([&] { service.legacyQuery<Probe>(Q::video, {}).blockingGet(); }, nullQueryId);
    expectServiceError([&] { service.exploreGet<Probe>(Q::explorePage, {}, {}).blockingGet(); }, nullQueryId);
    expectServiceError([&] { service.exploreGet<Probe>(Q::exploreSet, {}, {}, missingDescriptor).blockingGet(); },
                       missingDescriptor);
    expectServiceError([&] { service.explorePost<Probe>(Q::userState, "{}").blockingGet(); }, nullQueryId);
    expectServiceError([&] { service.rawQuery(Q::putItemInWatchlist, {}, "watchlist.put", 635).blockingGet(); },
                       nullQueryId);
    EXPECT_TRUE(session->calls().empty());
    EXPECT_EQ(session->apiRequests(), 0u);
    EXPECT_TRUE(tracker->reports.empty());
}

TEST_F(Fixture, LegacyQueryCarriesStandardVariablesUnderTheOperationsOwn) {
    struct Row { std::optional<std::int64_t> rating; QueryVariables operation; std::string expected; };
    const Row rows[] = {
        {1350, {{"contentId", EncodedIdentifier("enc-1")}},
         R"({"contentId":"enc-1","appLanguage":"en-GB","region":"US","apiVersion":"5.1","impliedMaturityRating":1350,"kidsModeEnabled":false,"liveAndUnratedEnabled":true})"},
        {std::nullopt, {},
         R"({"appLanguage":"en-GB","region":"US","apiVersion":"5.1","kidsModeEnabled":false,"liveAndUnratedEnabled":true})"},
        {0, {{"region", JsonValue("FR")}, {"apiVersion", JsonValue(7)}},
         R"({"region":"FR","apiVersion":7,"appLanguage":"en-GB","impliedMaturityRating":0,"kidsModeEnabled":false,"liveAndUnratedEnabled":true})"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rating.set(rows[i].rating);
        session->enqueueAnswer(R"({"id":"a"})");
        EXPECT_EQ(service.legacyQuery<Probe>(Q::video, rows[i].operation).blockingGet().id, "a");
        const auto call = session->calls().at(i);
        EXPECT_EQ(call.kind, SessionCallKind::search);
        EXPECT_EQ(call.queryId, "core/video");
        EXPECT_EQ(call.variables->dump(), rows[i].expected) << "row " << i;
    }
}

TEST_F(Fixture, RegionFallsBackAndReportsOnceWhenEmpty) {
    // portability country, current country, region sent, portability country reported (absent: no report)
    const std::tuple<std::optional<std::string>, std::string, std::string, std::optional<std::string>> rows[] = {
        {"DE", "US", "DE", std::nullopt}, {std::string(), "US", "US", std::nullopt},
        {std::nullopt, "US", "US", std::nullopt}, {std::nullopt, "", "", "nil"}, {std::string(), "", "", ""}};
    for (const auto& [portable, current, region, reported] : rows) {
        SCOPED_TRACE(portable.value_or("<absent>") + "/" + current);
        tracker->reports.clear();
        portability.set(portable);
        currentCountry.set(current);
        session->enqueueAnswer(R"({"id":"a"})");
        service.legacyQuery<Probe>(Q::video, {}).blockingGet();
        EXPECT_EQ(session->calls().back().variables->at("region"), region);
        if (!reported) {
            EXPECT_TRUE(tracker->reports.empty());
            continue;
        }
        ASSERT_EQ(tracker->reports.size(), 1u);
        const auto& report = tracker->reports[0];
        EXPECT_EQ(report.message, "Region not found in content API call");
        EXPECT_EQ(json::encode(report.tags), R"({"regionWasEmpty":"true"})");
        EXPECT_EQ(json::encode(report.info),
                  R"({"portabilityCountry":")" + *reported + R"(","currentCountry":""})");
    }
}

TEST_F(Fixture, ExploreQueriesCarryNoStandardVariablesAndUseDefaultDates) {
    session->enqueueAnswer(R"({"id":"p","date":1.5})");
    auto page = service.exploreGet<Probe>(Q::explorePage, JsonValue{{"pageId", "home"}}, JsonValue::object()).blockingGet();
    EXPECT_EQ(page.date, Date(std::chrono::milliseconds(1500)) + referenceDateOffset);
    session->enqueueAnswer(R"({"id":"s"})");
    service.explorePost<Probe>(Q::userState, R"({"pids":["a"]})").blockingGet();

    auto calls = session->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, SessionCallKind::execute);
    EXPECT_EQ(calls[0].queryId + " " + calls[0].apiVersion.value_or("-"), "x/page v1");
    EXPECT_EQ(calls[0].variables->dump(), R"({"pageId":"home"})");
    EXPECT_EQ(calls[0].params->dump(), "{}");
    EXPECT_EQ(calls[1].queryId + " " + calls[1].apiVersion.value_or("-"), "x/state v2");
    EXPECT_FALSE(calls[1].variables);
    EXPECT_EQ(calls[1].body, R"({"pids":["a"]})");
    EXPECT_TRUE(tracker->reports.empty());

    // The legacy path reads ISO 8601 dates; the Explore path does not.
    const std::string isoAnswer = R"({"id":"x","date":"2024-05-01T12:00:00Z"})";
    session->enqueueAnswer(isoAnswer);
    EXPECT_TRUE(service.legacyQuery<Probe>(Q::video, {}).blockingGet().date);
    session->enqueueAnswer(isoAnswer);
    const auto error = jsontesting::thrownDecodingError([&] { service.exploreGet<Probe>(Q::explorePage, {}, {}).blockingGet(); });
    EXPECT_EQ(error.kind(), json::ErrorKind::typeMismatch);
    EXPECT_EQ(error.path(), "date");
}

TEST_F(Fixture, StartIsLoggedAtSubscriptionNotAtCall) {
    LogCapture capture;
    session->enqueueAnswer(R"({"id":"a"})"), session->enqueueAnswer(R"({"id":"b"})");
    auto legacy = service.legacyQuery<Probe>(Q::video, {{"contentId", JsonValue("c1")}});
    auto explore = service.exploreGet<Probe>(Q::explorePage, JsonValue{{"pageId", "p"}}, std::nullopt);
    EXPECT_EQ(capture.size(), 0u);
    EXPECT_TRUE(session->calls().empty());

    legacy.blockingGet(), explore.blockingGet();
    auto entries = capture.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].category, LogCategory::content);
    EXPECT_EQ(entries[0].level, LogLevel::debug);
    EXPECT_EQ(entries[0].function, "logRequest(for:variables:)");
    EXPECT_EQ(entries[0].message,
              R"(Executing request: core/video, variables: {"contentId":"c1","appLanguage":"en-GB","region":"US","apiVersion":"5.1","impliedMaturityRating":1350,"kidsModeEnabled":false,"liveAndUnratedEnabled":true})");
    EXPECT_EQ(entries[1].function, "logExploreRequest(for:variables:exploreParams:)");
    EXPECT_EQ(entries[1].message, R"(Executing request: x/page, variables: {"pageId":"p"}, exploreParams: {})");
}

TEST_F(Fixture, ErrorsReachTheSubscriberUnchanged) {
    session->enqueueAnswer(R"({"id":5})");
    const auto error = jsontesting::thrownDecodingError([&] { service.legacyQuery<Probe>(Q::video, {}).blockingGet(); });
    EXPECT_EQ(error.path(), "id");
    EXPECT_EQ(error.kind(), json::ErrorKind::typeMismatch);
    auto sessionError = std::make_exception_ptr(std::runtime_error("offline"));
    session->enqueueError(sessionError);
    std::exception_ptr received;
    service.exploreGet<Probe>(Q::explorePage, {}, {}).subscribe([](Probe) {}, [&](auto e) { received = e; });
    EXPECT_EQ(received, sessionError);
}

TEST_F(Fixture, InputsAreReadAtCallTimeAlsoByEarlierCopies) {
    SDKContentService copy = service;
    session->enqueueAnswer(R"({"id":"a"})"), session->enqueueAnswer(R"({"id":"b"})");
    service.legacyQuery<Probe>(Q::video, {}).blockingGet();
    sdk::SearchOverrides changed;
    changed.endpoint = "https://staging.invalid";
    language.set("fr-CA"), kids.set(true), overrides.set(changed);
    copy.legacyQuery<Probe>(Q::video, {}).blockingGet();

    auto calls = session->calls();
    EXPECT_EQ(calls[0].variables->at("appLanguage"), "en-GB");
    EXPECT_EQ(calls[1].variables->at("appLanguage"), "fr-CA");
    EXPECT_EQ(calls[1].variables->at("kidsModeEnabled"), true);
    EXPECT_EQ(calls[1].overrides, changed);
}

TEST_F(Fixture, RawQuerySendsOnlyTheOperationsVariablesWithoutOverrides) {
    LogCapture capture;
    session->enqueueAnswer("ignored bytes");
    const QueryVariables variables{{"refId", JsonValue("r1")}, {"refIdType", JsonValue("programId")}};
    EXPECT_EQ(service.rawQuery(Q::putItemInWatchlist, variables, "watchlist.put", 635).blockingGet(), "ignored bytes");
    auto call = session->calls().at(0);
    EXPECT_EQ(call.kind, SessionCallKind::query);
    EXPECT_EQ(call.queryId, "core/put");
    EXPECT_EQ(call.variables->dump(), R"({"refId":"r1","refIdType":"programId"})");
    EXPECT_FALSE(call.overrides);
    ASSERT_EQ(capture.size(), 1u);
    EXPECT_EQ(capture.entries()[0].message,
              R"(Executing request: watchlist.put, variables: {"refId":"r1","refIdType":"programId"})");
}

TEST_F(Fixture, AnswerFromAnotherThreadCompletesTheResult) {
    session->enqueueAnswerFromThread(R"({"id":"late"})", std::chrono::milliseconds(20));
    EXPECT_EQ(service.legacyQuery<Probe>(Q::video, {}).blockingGet(std::chrono::seconds(5)).id, "late");
    EXPECT_THROW(service.legacyQuery<Probe>(Q::video, {}).blockingGet(), ScriptedSessionError);
}

}  // namespace
}  // namespace vorlane
