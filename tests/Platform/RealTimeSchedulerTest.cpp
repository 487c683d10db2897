// The real-time scheduler: deadline order, cancellation before a worker starts an action, actions
// that schedule, cancel, stop and drop their scheduler, stopping with work pending, and throwing
// actions. (The live-now provider refreshing on it is tested with the provider.) Delays are tens of
// milliseconds; every wait is bounded.

#include "tests/Platform/RxTestSupport.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Rx/RealTimeScheduler.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace vorlane::rx {
namespace {

using namespace std::chrono_literals;
using testing::Arrivals;
using Names = std::vector<std::string>;

TEST(RealTimeScheduler, RunsByDeadlineAndEqualDeadlinesInSchedulingOrderNeverEarly) {
    Arrivals arrivals;
    std::atomic<int> early{0};
    RealTimeScheduler scheduler(1);  // declared last: stopped before what its actions use goes
    const auto base = scheduler.now() + 30ms;
    for (const auto& entry : {std::pair{20ms, "last"}, {0ms, "tie 1"}, {0ms, "tie 2"}, {-10ms, "before"}, {0ms, "tie 3"}})
        scheduler.scheduleAt(base + entry.first, [&, time = base + entry.first, name = entry.second] {
            if (scheduler.now() < time) ++early;
            arrivals.add(name);
        });
    scheduler.schedule(-1s, [&] { arrivals.add("at once"); });  // a negative delay counts as none
    ASSERT_TRUE(arrivals.waitFor(6));
    EXPECT_EQ(arrivals.names(), (Names{"at once", "before", "tie 1", "tie 2", "tie 3", "last"}));
    EXPECT_EQ(early, 0);
}

TEST(RealTimeScheduler, DisposingBeforeAWorkerStartsTheActionDropsAndReleasesIt) {
    Arrivals arrivals;
    std::promise<void> open;
    auto token = std::make_shared<int>(0);
    RealTimeScheduler scheduler(1);
    scheduler.schedule(0ms, [&, gate = open.get_future().share()] { gate.wait(), arrivals.add("held"); });
    // One waits for its deadline, the other is due but queued behind the held worker.
    const Disposable notDue = scheduler.schedule(20ms, [&, token] { arrivals.add("not due"); });
    const Disposable due = scheduler.schedule(0ms, [&, token] { arrivals.add("due"); });
    std::this_thread::sleep_for(5ms);
    notDue.dispose(), due.dispose();
    EXPECT_EQ(token.use_count(), 1);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    open.set_value();
    scheduler.schedule(30ms, [&] { arrivals.add("after both deadlines"); });
    ASSERT_TRUE(arrivals.waitFor(2));
    EXPECT_EQ(arrivals.names(), (Names{"held", "after both deadlines"}));
}

TEST(RealTimeScheduler, ActionsScheduleAndCancelOthersWhileASlowOneHoldsAWorker) {
    Arrivals arrivals;
    std::promise<void> open;
    Disposable victim;
    RealTimeScheduler scheduler(2);
    scheduler.schedule(0ms, [&, gate = open.get_future().share()] { gate.wait(), arrivals.add("slow"); });
    scheduler.schedule(1ms, [&] {
        arrivals.add("first");
        victim = scheduler.schedule(15ms, [&] { arrivals.add("cancelled"); });
        scheduler.schedule(1ms, [&] {
            arrivals.add("second");
            victim.dispose();
            scheduler.schedule(25ms, [&] { arrivals.add("third"); });
        });
    });
    const bool arrived = arrivals.waitFor(3);
    const Names seen = arrivals.names();
    open.set_value();  // before any assertion: the scheduler's destructor waits for the held action
    ASSERT_TRUE(arrived);
    EXPECT_EQ(seen, (Names{"first", "second", "third"}));
    ASSERT_TRUE(arrivals.waitFor(4));
}

TEST(RealTimeScheduler, StopDropsWhatHasNotStartedLetsRunningActionsFinishAndMayComeFromAnAction) {
    Arrivals arrivals;
    auto token = std::make_shared<int>(0);
    std::atomic<bool> finished{false};
    {
        RealTimeScheduler scheduler(2);
        scheduler.schedule(0ms, [&] { arrivals.add("running"), std::this_thread::sleep_for(30ms), finished = true; });
        scheduler.schedule(1h, [&, token] { arrivals.add("not due"); });
        scheduler.schedule(Scheduler::Duration::max(), [&, token] { arrivals.add("never due"); });
        ASSERT_TRUE(arrivals.waitFor(1));
        scheduler.stop();
        EXPECT_TRUE(finished);
        EXPECT_EQ(token.use_count(), 1);
        scheduler.stop();
        EXPECT_TRUE(scheduler.schedule(0ms, [&, token] { arrivals.add("after stop"); }).isDisposed());
        EXPECT_EQ(token.use_count(), 1);
    }
    // From an action, stop() does not wait for its own worker; nor does dropping the last reference.
    auto stopping = std::make_shared<RealTimeScheduler>(1);
    stopping->schedule(0ms, [&, raw = stopping.get()] {
        raw->stop();
        arrivals.add(raw->schedule(0ms, [] {}).isDisposed() ? "stopped" : "still running");
    });
    ASSERT_TRUE(arrivals.waitFor(2));
    stopping.reset();
    auto dropping = std::make_shared<RealTimeScheduler>(1);
    dropping->schedule(5ms, [&arrivals, keep = dropping]() mutable { keep.reset(), arrivals.add("dropped"); });
    dropping.reset();
    ASSERT_TRUE(arrivals.waitFor(3));
    EXPECT_EQ(arrivals.names(), (Names{"running", "stopped", "dropped"}));
}

TEST(RealTimeScheduler, AThrowingActionIsLoggedAndItsWorkerCarriesOn) {
    LogCapture capture;
    Arrivals arrivals;
    RealTimeScheduler scheduler(1);
    scheduler.schedule(0ms, [] { throw std::runtime_error("disk on fire"); });
    scheduler.schedule(1ms, [] { throw 42; });
    scheduler.schedule(2ms, [&] { arrivals.add("after"); });
    ASSERT_TRUE(arrivals.waitFor(1));
    Names errors;
    for (const LogEntry& entry : capture.entries())
        if (entry.category == LogCategory::shared && entry.level == LogLevel::error) errors.push_back(entry.message);
    EXPECT_EQ(errors, (Names{"An action run by the real-time scheduler threw: disk on fire",
                             "An action run by the real-time scheduler threw: an exception that is not a std::exception"}));
}

}  // namespace
}  // namespace vorlane::rx
