#include "vorlane/ContentService/LiveNowInfoProvider.hpp"

#include <gtest/gtest.h>


namespace vorlane {
namespace {

using namespace std::chrono_literals;
using Map = OrderedMap<AiringState>;

// Answers live-now queries by hand and records when each was sent; every other operation fails,
// as the interface's defaults do.
class FakeContentService final : public ContentService {
public:
    struct Query { std::int64_t page; std::chrono::nanoseconds sentAt; rx::SingleObserver<Map> observer; };

    explicit FakeContentService(std::shared_ptr<rx::TestScheduler> clock) : clock_(std::move(clock)) {}

    rx::Single<Map> getLiveNow(std::int64_t page) const override {
        return rx::Single<Map>::create([this, page](rx::SingleObserver<Map> observer) {
            observer.addCancellation([this] { ++cancellations; });
            queries.push_back({page, clock_->now(), observer});
        });
    }

    mutable std::vector<Query> queries;
    mutable int cancellations = 0;


private:
    std::shared_ptr<rx::TestScheduler> clock_;
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

    auto disabled = BehaviorReader<bool>(false);
    auto neverAsks = SDKLiveNowInfoProvider::make(service, kThrottleSeconds, scheduler, disabled);
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

}  // namespace
}  // namespace vorlane
