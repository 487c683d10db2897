#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Platform/Json/Record.hpp"
#include "vorlane/Transport/ScriptedSession.hpp"

#include <gtest/gtest.h>

namespace vorlane::test {
struct Probe {
    std::string id;
    std::optional<Date> date;
    bool operator==(const Probe&) const = default;
};
}  // namespace vorlane::test

VORLANE_JSON_CODEC(vorlane::test::Probe)
VORLANE_JSON_RECORD(vorlane::test::Probe, required("id", &Self::id), optional("date", &Self::date))

namespace vorlane {
namespace {

using test::Probe;

class RecordingTracker : public NonFatalErrorTracker {
public:
    using NonFatalErrorTracker::logNonFatalError;
    void logNonFatalError(const std::string& message, const StringDictionary& tags,
                          const StringDictionary& additionalInfo) const override {
        reports.push_back({message, tags, additionalInfo});
    }
    struct Report {
        std::string message;
        StringDictionary tags, info;
    };
    mutable std::vector<Report> reports;
};

ContentQueryConfiguration configuration() {
    ContentQueryConfiguration config;
    config.queryDescriptors.insertOrAssign(ContentQueryIdentifier::video, ContentQueryDescriptor{"core/video", "5.1"});
    config.queryDescriptors.insertOrAssign(ContentQueryIdentifier::explorePage, ContentQueryDescriptor{"x/page", "v1"});
    config.queryDescriptors.insertOrAssign(ContentQueryIdentifier::userState, ContentQueryDescriptor{"x/state", "v2"});
    config.queryDescriptors.insertOrAssign(ContentQueryIdentifier::putItemInWatchlist,
                                           ContentQueryDescriptor{"core/put", "5.1"});
    return config;
}

struct Fixture : ::testing::Test {
    std::shared_ptr<ScriptedSession> session = std::make_shared<ScriptedSession>();
    std::shared_ptr<RecordingTracker> tracker = std::make_shared<RecordingTracker>();
    BehaviorReader<ContentQueryConfiguration> config{configuration()};
    BehaviorReader<std::string> currentCountry{"US"};
    BehaviorReader<std::optional<std::int64_t>> rating{std::optional<std::int64_t>(1350)};
    BehaviorReader<std::optional<std::string>> portability{std::optional<std::string>()};
    BehaviorReader<bool> kids{false};
    BehaviorReader<std::string> language{"en-GB"};
    BehaviorReader<sdk::SearchOverrides> overrides{sdk::SearchOverrides{}};
    BehaviorReader<bool> liveAndUnrated{true};
    BehaviorReader<std::optional<std::string>> profile{std::optional<std::string>()};
    SDKContentService service{session,  nullptr, tracker,   "partner", config,         currentCountry, rating,
                              portability, kids, language, overrides, liveAndUnrated, profile};

    JsonValue sentVariables(std::size_t index = 0) const { return *session->calls().at(index).variables; }
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
    expectServiceError([&] { service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet(); },
                       SDKContentServiceError::nullQueryId);
    expectServiceError([&] { service.exploreGet<Probe>(ContentQueryIdentifier::explorePage, {}, {}).blockingGet(); },
                       SDKContentServiceError::nullQueryId);
    expectServiceError([&] {
        service.exploreGet<Probe>(ContentQueryIdentifier::exploreSet, {}, {}, SDKContentServiceError::missingDescriptor)
            .blockingGet();
    }, SDKContentServiceError::missingDescriptor);
    expectServiceError([&] { service.explorePost<Probe>(ContentQueryIdentifier::userState, "{}").blockingGet(); },
                       SDKContentServiceError::nullQueryId);
    expectServiceError([&] { service.rawQuery(ContentQueryIdentifier::putItemInWatchlist, {}, "watchlist.put", 635).blockingGet(); },
                       SDKContentServiceError::nullQueryId);
    EXPECT_TRUE(session->calls().empty());
    EXPECT_EQ(session->apiRequests(), 0u);
    EXPECT_TRUE(tracker->reports.empty());
}

TEST_F(Fixture, LegacyQueryCarriesStandardVariablesUnderTheOperationsOwn) {
    struct Row {
        std::optional<std::int64_t> rating;
        QueryVariables operation;
        std::string expected;
    };
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
        EXPECT_EQ(service.legacyQuery<Probe>(ContentQueryIdentifier::video, rows[i].operation).blockingGet().id, "a");
        const auto call = session->calls().at(i);
        EXPECT_EQ(call.kind, SessionCallKind::search);
        EXPECT_EQ(call.queryId, "core/video");
        EXPECT_EQ(call.variables->dump(), rows[i].expected) << "row " << i;
    }
}

TEST_F(Fixture, RegionFallsBackAndReportsOnceWhenEmpty) {
    struct Row {
        std::optional<std::string> portability;
        std::string current;
        std::string region;
        std::optional<std::string> reportedPortability;  // absent: no report
    };
    const Row rows[] = {
        {"DE", "US", "DE", std::nullopt},
        {std::string(), "US", "US", std::nullopt},
        {std::nullopt, "US", "US", std::nullopt},
        {std::nullopt, "", "", "nil"},
        {std::string(), "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.portability.value_or("<absent>") + "/" + row.current);
        tracker->reports.clear();
        portability.set(row.portability);
        currentCountry.set(row.current);
        session->enqueueAnswer(R"({"id":"a"})");
        service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet();
        EXPECT_EQ(session->calls().back().variables->at("region"), row.region);
        if (!row.reportedPortability) {
            EXPECT_TRUE(tracker->reports.empty());
            continue;
        }
        ASSERT_EQ(tracker->reports.size(), 1u);
        const auto& report = tracker->reports[0];
        EXPECT_EQ(report.message, "Region not found in content API call");
        EXPECT_EQ(json::encode(report.tags), R"({"regionWasEmpty":"true"})");
        EXPECT_EQ(json::encode(report.info),
                  R"({"portabilityCountry":")" + *row.reportedPortability + R"(","currentCountry":""})");
    }
}

TEST_F(Fixture, ExploreQueriesCarryNoStandardVariablesAndUseDefaultDates) {
    session->enqueueAnswer(R"({"id":"p","date":1.5})");
    auto page = service.exploreGet<Probe>(ContentQueryIdentifier::explorePage, JsonValue{{"pageId", "home"}},
                                          JsonValue::object())
                    .blockingGet();
    EXPECT_EQ(page.date, Date(std::chrono::milliseconds(1500)) + referenceDateOffset);
    session->enqueueAnswer(R"({"id":"s"})");
    service.explorePost<Probe>(ContentQueryIdentifier::userState, R"({"pids":["a"]})").blockingGet();

    auto calls = session->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, SessionCallKind::execute);
    EXPECT_EQ(calls[0].queryId, "x/page");
    EXPECT_EQ(calls[0].apiVersion, "v1");
    EXPECT_EQ(calls[0].variables->dump(), R"({"pageId":"home"})");
    EXPECT_EQ(calls[0].params->dump(), "{}");
    EXPECT_EQ(calls[1].queryId, "x/state");
    EXPECT_EQ(calls[1].apiVersion, "v2");
    EXPECT_FALSE(calls[1].variables);
    EXPECT_EQ(calls[1].body, R"({"pids":["a"]})");
    EXPECT_TRUE(tracker->reports.empty());

    // The legacy path reads ISO 8601 dates; the Explore path does not.
    const std::string isoAnswer = R"({"id":"x","date":"2024-05-01T12:00:00Z"})";
    session->enqueueAnswer(isoAnswer);
    EXPECT_TRUE(service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet().date);
    session->enqueueAnswer(isoAnswer);
    try {
        service.exploreGet<Probe>(ContentQueryIdentifier::explorePage, {}, {}).blockingGet();
        FAIL();
    } catch (const json::DecodingError& error) {
        EXPECT_EQ(error.kind(), json::ErrorKind::typeMismatch);
        EXPECT_EQ(error.path(), "date");
    }
}

TEST_F(Fixture, StartIsLoggedAtSubscriptionNotAtCall) {
    LogCapture capture;
    session->enqueueAnswer(R"({"id":"a"})");
    session->enqueueAnswer(R"({"id":"b"})");
    auto legacy = service.legacyQuery<Probe>(ContentQueryIdentifier::video, {{"contentId", JsonValue("c1")}});
    auto explore = service.exploreGet<Probe>(ContentQueryIdentifier::explorePage, JsonValue{{"pageId", "p"}}, std::nullopt);
    EXPECT_EQ(capture.size(), 0u);
    EXPECT_TRUE(session->calls().empty());

    legacy.blockingGet();
    explore.blockingGet();
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
    try {
        service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet();
        FAIL();
    } catch (const json::DecodingError& error) {
        EXPECT_EQ(error.path(), "id");
        EXPECT_EQ(error.kind(), json::ErrorKind::typeMismatch);
    }
    auto sessionError = std::make_exception_ptr(std::runtime_error("offline"));
    session->enqueueError(sessionError);
    std::exception_ptr received;
    service.exploreGet<Probe>(ContentQueryIdentifier::explorePage, {}, {}).subscribe([](Probe) {}, [&](auto e) { received = e; });
    EXPECT_EQ(received, sessionError);

    EXPECT_THROW(SDKContentService::requireMember<int>(std::nullopt), std::system_error);
    EXPECT_EQ(SDKContentService::requireMember<int>(3), 3);
}

TEST_F(Fixture, InputsAreReadAtCallTimeAlsoByEarlierCopies) {
    SDKContentService copy = service;
    session->enqueueAnswer(R"({"id":"a"})");
    session->enqueueAnswer(R"({"id":"b"})");
    service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet();
    language.set("fr-CA");
    kids.set(true);
    sdk::SearchOverrides changed;
    changed.endpoint = "https://staging.invalid";
    overrides.set(changed);
    copy.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet();

    auto calls = session->calls();
    EXPECT_EQ(calls[0].variables->at("appLanguage"), "en-GB");
    EXPECT_EQ(calls[1].variables->at("appLanguage"), "fr-CA");
    EXPECT_EQ(calls[1].variables->at("kidsModeEnabled"), true);
    EXPECT_EQ(calls[1].overrides, changed);
}

TEST_F(Fixture, RawQuerySendsOnlyTheOperationsVariablesWithoutOverrides) {
    LogCapture capture;
    session->enqueueAnswer("ignored bytes");
    EXPECT_EQ(service.rawQuery(ContentQueryIdentifier::putItemInWatchlist,
                               {{"refId", JsonValue("r1")}, {"refIdType", JsonValue("programId")}}, "watchlist.put", 635)
                  .blockingGet(),
              "ignored bytes");
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
    EXPECT_EQ(service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet(std::chrono::seconds(5)).id, "late");
    EXPECT_THROW(service.legacyQuery<Probe>(ContentQueryIdentifier::video, {}).blockingGet(), ScriptedSessionError);
}

}  // namespace
}  // namespace vorlane
