#include "tests/ContentService/ServiceFixture.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "tests/Platform/RxTestSupport.hpp"
#include "vorlane/ContentService/LiveNowInfoProvider.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Rx/RealTimeScheduler.hpp"

#include <gtest/gtest.h>

namespace vorlane::test {
struct Probe { std::string id; std::optional<Date> date; bool operator==(const Probe&) const = default; };
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

TEST_F(Fixture, MissingDescriptorFailsAtOnceAndSendsNothing) {
    config.set(ContentQueryConfiguration{});
    using enum SDKContentServiceError;
    using test::expectErrorCode;
    expectErrorCode([&] { service.legacyQuery<Probe>(Q::video, {}).blockingGet(); }, nullQueryId);
    expectErrorCode([&] { service.exploreGet<Probe>(Q::explorePage, {}, {}).blockingGet(); }, nullQueryId);
    expectErrorCode([&] { service.exploreGet<Probe>(Q::exploreSet, {}, {}, missingDescriptor).blockingGet(); }, missingDescriptor);
    expectErrorCode([&] { service.explorePost<Probe>(Q::userState, "{}").blockingGet(); }, nullQueryId);
    expectErrorCode([&] { service.rawQuery(Q::putItemInWatchlist, {}, "watchlist.put", 635).blockingGet(); }, nullQueryId);
    EXPECT_TRUE(session->calls().empty());
    EXPECT_EQ(session->apiRequests(), 0u);
    EXPECT_TRUE(tracker->reports.empty());
}

TEST_F(Fixture, LegacyQueryCarriesStandardVariablesUnderTheOperationsOwn) {
    struct Row { std::optional<std::int64_t> rating; QueryVariables operation; std::string expected; };
    const Row rows[] = {
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
    service.explorePost<Probe>(Q::userState, JsonValue::parse(R"({"pids":["a"]})")).blockingGet();

    auto calls = session->calls();
    ASSERT_EQ(jsontesting::eachOf(calls, &SessionCall::queryId), (std::vector<std::string>{"x/page", "x/state"}));
    EXPECT_EQ(jsontesting::eachOf(calls, &SessionCall::apiVersion), (std::vector<std::optional<std::string>>{"v1", "v2"}));
    EXPECT_EQ(calls[0].kind, SessionCallKind::execute);
    EXPECT_EQ(calls[0].variables->dump(), R"({"pageId":"home"})");
    EXPECT_EQ(calls[0].params->dump(), "{}");
    EXPECT_FALSE(calls[1].variables);
    EXPECT_EQ(calls[1].body, "{\n  \"pids\": [\n    \"a\"\n  ]\n}");
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
    EXPECT_EQ(jsontesting::eachOf(capture.entries(), &LogEntry::function),
              (std::vector<std::string>{"logRequest(for:variables:)", "logExploreRequest(for:variables:exploreParams:)"}));
    EXPECT_EQ(jsontesting::eachOf(capture.entries(), &LogEntry::message),
              (std::vector<std::string>{
                  R"(Executing request: core/video, variables: {"contentId":"c1","appLanguage":"en-GB","region":"US","apiVersion":"5.1","impliedMaturityRating":1350,"kidsModeEnabled":false,"liveAndUnratedEnabled":true})",
                  R"(Executing request: x/page, variables: {"pageId":"p"}, exploreParams: {})"}));
}

TEST_F(Fixture, InputsAreReadAtCallTimeAlsoByEarlierCopies) {
    SDKContentService copy = service;
    session->enqueueAnswer(R"({"id":"a"})"), session->enqueueAnswer(R"({"id":"b"})");
    service.legacyQuery<Probe>(Q::video, {}).blockingGet();
    const sdk::SearchOverrides changed{"https://staging.invalid", {}};
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

using namespace std::chrono_literals;
using Map = OrderedMap<AiringState>;

// Answers live-now queries by hand and records when each was sent; every other operation fails,
// as the interface's defaults do.
struct FakeContentService final : ContentService {
    struct Query { std::int64_t page; std::chrono::nanoseconds sentAt; rx::SingleObserver<Map> observer; };

    explicit FakeContentService(std::shared_ptr<rx::TestScheduler> clock) : clock(std::move(clock)) {}

    rx::Single<Map> getLiveNow(std::int64_t page) const override {
        return rx::Single<Map>::create([this, page](rx::SingleObserver<Map> observer) {
            observer.addCancellation([this] { ++cancellations; });
            queries.push_back({page, clock->now(), observer});
        });
    }

    std::shared_ptr<rx::TestScheduler> clock;
    mutable std::vector<Query> queries;
    mutable int cancellations = 0;
};

AiringState state(EventState eventState) {
    AiringState airing;
    airing.startDate = "2026-12-06T18:00:00Z";
    airing.eventState = eventState;
    return airing;
}

struct LiveNowProviderTest : ::testing::Test {
    static constexpr double kThrottleSeconds = 5;

    std::shared_ptr<rx::TestScheduler> scheduler = std::make_shared<rx::TestScheduler>();
    std::shared_ptr<FakeContentService> service = std::make_shared<FakeContentService>(scheduler);
    BehaviorReader<bool> enabled{true};
    std::shared_ptr<SDKLiveNowInfoProvider> provider =
        SDKLiveNowInfoProvider::make(service, kThrottleSeconds, scheduler, enabled);

    // Answers the latest query and lets every window close.
    void answer(Map airings) {
        service->queries.back().observer.onSuccess(std::move(airings));
        scheduler->advanceBy(1min);
    }
};

TEST_F(LiveNowProviderTest, EachAnswerReplacesTheMapUntilAQueryFails) {
    std::vector<std::optional<AiringState>> seen, missing;
    provider->liveNowAiringState("a").subscribe([&](auto entry) { seen.push_back(entry); });
    provider->liveNowAiringState("nowhere").subscribe([&](auto entry) { missing.push_back(entry); });
    ASSERT_EQ(service->queries.size(), 1u);  // asked for at construction, at once
    EXPECT_EQ(service->queries[0].page, 1);

    answer(Map{{"a", state(EventState::pre)}});
    provider->updateLiveNowInfoCache();
    answer(Map{{"a", state(EventState::pre)}, {"b", state(EventState::mid)}});  // same entry: not repeated
    provider->updateLiveNowInfoCache();
    answer(Map{{"a", state(EventState::mid)}});
    provider->updateLiveNowInfoCache();
    answer(Map{{"b", state(EventState::post)}});  // no longer holds "a"

    EXPECT_EQ(seen, (std::vector<std::optional<AiringState>>{std::nullopt, state(EventState::pre),
                                                             state(EventState::mid), std::nullopt}));
    EXPECT_EQ(missing, std::vector<std::optional<AiringState>>{std::nullopt});
    EXPECT_EQ(provider->currentLiveNowAiringState("a"), std::nullopt);
    EXPECT_EQ(provider->currentLiveNowAiringState("b"), state(EventState::post));
    EXPECT_EQ(provider->currentLiveNowAiringState("nowhere"), std::nullopt);

    // A failed query ends refreshing; the last map stays readable.
    provider->updateLiveNowInfoCache();
    service->queries.back().observer.onError(std::make_exception_ptr(std::runtime_error("offline")));
    for (int i = 0; i < 2; ++i) provider->updateLiveNowInfoCache(), scheduler->advanceBy(1min);
    EXPECT_EQ(service->queries.size(), 5u);
    EXPECT_EQ(provider->currentLiveNowAiringState("b"), state(EventState::post));
}

TEST_F(LiveNowProviderTest, UpdatesInsideOneWindowMakeOneQueryWhichAbandonsTheOlderAnswer) {
    for (auto at : {1s, 2s}) scheduler->advanceTo(at), provider->updateLiveNowInfoCache();
    scheduler->advanceBy(1min);
    ASSERT_EQ(service->queries.size(), 2u);
    EXPECT_EQ(service->queries[1].sentAt, 5s);  // when the window the first query opened closes
    EXPECT_EQ(service->cancellations, 1);
    service->queries[0].observer.onSuccess(Map{{"a", state(EventState::pre)}});
    EXPECT_EQ(provider->currentLiveNowAiringState("a"), std::nullopt);
}

TEST_F(LiveNowProviderTest, DisabledRequestsSendNothingAndKeepTheMap) {
    answer(Map{{"a", state(EventState::mid)}});
    enabled.set(false);
    provider->updateLiveNowInfoCache();
    scheduler->advanceBy(1min);
    provider->updateLiveNowInfoCache();
    EXPECT_EQ(service->queries.size(), 1u);
    EXPECT_EQ(provider->currentLiveNowAiringState("a"), state(EventState::mid));

    enabled.set(true);  // read when a request is made, not when the provider was built
    provider->updateLiveNowInfoCache();
    EXPECT_EQ(service->queries.size(), 2u);

}

TEST_F(LiveNowProviderTest, DroppingTheProviderEndsRefreshingAndCancelsTheQueryUnderWay) {
    std::vector<std::optional<AiringState>> seen;
    provider->liveNowAiringState("a").subscribe([&](auto entry) { seen.push_back(entry); });
    provider->updateLiveNowInfoCache();  // held for the window that the first query opened
    ASSERT_EQ(scheduler->pendingCount(), 1u);
    provider.reset();
    EXPECT_EQ(service->cancellations, 1);
    EXPECT_EQ(scheduler->pendingCount(), 0u);
    service->queries[0].observer.onSuccess(Map{{"a", state(EventState::mid)}});
    scheduler->advanceBy(1min);
    EXPECT_EQ(service->queries.size(), 1u);
    EXPECT_EQ(seen, std::vector<std::optional<AiringState>>{std::nullopt});
}

// Answers the first live-now query with "a" before its event and every later one with "a" under
// way, and records when each was asked on the scheduler's clock.
struct TimedLiveNowService final : ContentService {
    explicit TimedLiveNowService(std::shared_ptr<rx::RealTimeScheduler> clock) : clock(std::move(clock)) {}

    rx::Single<Map> getLiveNow(std::int64_t) const override {
        std::lock_guard lock(mutex);
        askedAt.push_back(clock->now());
        return rx::just(Map{{"a", state(askedAt.size() == 1 ? EventState::pre : EventState::mid)}});
    }

    std::shared_ptr<rx::RealTimeScheduler> clock;
    mutable std::mutex mutex;
    mutable std::vector<rx::Scheduler::Duration> askedAt;
};

TEST(LiveNowProviderOnRealTime, RefreshesWhenTheThrottleWindowCloses) {
    constexpr double throttleSeconds = 0.02;
    rx::testing::Arrivals arrivals;
    std::vector<std::optional<AiringState>> seen;  // written before each arrival, read after
    auto scheduler = std::make_shared<rx::RealTimeScheduler>();
    auto service = std::make_shared<TimedLiveNowService>(scheduler);
    auto provider = SDKLiveNowInfoProvider::make(service, throttleSeconds, scheduler, BehaviorReader<bool>(true));
    provider->liveNowAiringState("a").subscribe([&](std::optional<AiringState> entry) {
        seen.push_back(entry), arrivals.add("value");
    });
    provider->updateLiveNowInfoCache();  // inside the window the first query opened: held until it closes
    ASSERT_TRUE(arrivals.waitFor(2));
    EXPECT_EQ(seen, (std::vector<std::optional<AiringState>>{state(EventState::pre), state(EventState::mid)}));
    EXPECT_EQ(provider->currentLiveNowAiringState("a"), state(EventState::mid));
    std::lock_guard lock(service->mutex);
    ASSERT_EQ(service->askedAt.size(), 2u);
    EXPECT_GE(service->askedAt[1] - service->askedAt[0], 10ms) << "the second waits for the window to close";
}

}  // namespace
}  // namespace vorlane
