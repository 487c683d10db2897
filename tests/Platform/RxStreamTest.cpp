#include "vorlane/Platform/Rx/BehaviorSubject.hpp"
#include "vorlane/Platform/Rx/DisposeBag.hpp"
#include "vorlane/Platform/Rx/Observable.hpp"
#include "vorlane/Platform/Rx/Scheduler.hpp"

#include "tests/Platform/RxTestSupport.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vorlane::rx {
namespace {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;

using testing::Boom;

// A stream driven by hand: the observer of its latest subscription, and how often it was cancelled.
struct ManualStream {
    std::optional<ObservableObserver<int>> observer;
    int cancellations = 0;

    Observable<int> observable() {
        return Observable<int>::create([this](ObservableObserver<int> o) {
            o.addCancellation([this] { ++cancellations; });
            observer = o;
        });
    }
};

// A Single per subscription, answered by hand.
struct ManualSingles {
    std::vector<SingleObserver<int>> observers;
    int cancellations = 0;

    Single<int> single() {
        return Single<int>::create([this](SingleObserver<int> o) {
            o.addCancellation([this] { ++cancellations; });
            observers.push_back(o);
        });
    }
};

// What one subscription delivered.
struct Recorder {
    std::vector<int> values;
    std::vector<std::exception_ptr> errors;
    int completions = 0;

    Disposable subscribe(const Observable<int>& stream) {
        return stream.subscribe([this](int v) { values.push_back(v); },
                                [this](std::exception_ptr e) { errors.push_back(e); }, [this] { ++completions; });
    }
};

using StreamStage = std::function<Observable<int>(Observable<int>)>;

TEST(RxObservable, DistinctDropsRepeatsAndFlatMapLatestFollowsEachInnerStreamToItsEnd) {
    struct Case { const char* name; StreamStage stage; std::vector<int> input, expected; };
    const std::vector<Case> cases = {
        {"distinct", [](auto s) { return s.distinctUntilChanged(); }, {1, 1, 2, 2, 2, 1, 1}, {1, 2, 1}},
        {"flatMapLatest of streams",
         [](auto s) {
             return s.flatMapLatest([](int v) {
                 return Observable<int>::create([v](auto o) { o.onNext(v), o.onNext(v * 2), o.onCompleted(); });
             });
         },
         {1, 5}, {1, 2, 5, 10}},
    };
    for (const auto& [name, stage, input, expected] : cases) {
        SCOPED_TRACE(name);
        ManualStream source;
        Recorder recorder;
        recorder.subscribe(stage(source.observable()));
        for (int v : input) source.observer->onNext(v);
        source.observer->onCompleted();
        EXPECT_EQ(recorder.values, expected);
        EXPECT_EQ(recorder.completions, 1);
    }
}

TEST(RxObservable, ThrottlePassesTheFirstValueAndTheLatestOfEachWindow) {
    struct Case {
        const char* name;
        bool latest;
        std::vector<std::pair<int, int>> pushes;  // (ms, value); a value of -1 completes the source
        std::vector<std::pair<int, int>> expected;  // (ms, value) delivered
        int completedAt;                            // ms, or -1
    };
    const std::vector<Case> cases = {
        {"one value passes at once", true, {{0, 1}}, {{0, 1}}, -1},
        {"values inside a window coalesce", true, {{0, 1}, {3, 2}, {6, 3}}, {{0, 1}, {10, 3}}, -1},
        {"the delivered latest opens the next window", true, {{0, 1}, {3, 2}, {12, 3}}, {{0, 1}, {10, 2}, {20, 3}}, -1},
        {"an empty window closes", true, {{0, 1}, {15, 2}, {17, 3}}, {{0, 1}, {15, 2}, {25, 3}}, -1},
        {"without latest, values inside a window drop", false, {{0, 1}, {3, 2}, {12, 3}}, {{0, 1}, {12, 3}}, -1},
        {"completion waits for the held value", true, {{0, 1}, {3, 2}, {5, -1}}, {{0, 1}, {10, 2}}, 10},
        {"completion with nothing held is at once", true, {{0, 1}, {5, -1}}, {{0, 1}}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto scheduler = std::make_shared<TestScheduler>();
        ManualStream source;
        auto millis = [&] { return static_cast<int>(std::chrono::duration_cast<Ms>(scheduler->now()).count()); };
        std::vector<std::pair<int, int>> delivered;
        int completedAt = -1;
        source.observable().throttle(10ms, scheduler, c.latest).subscribe(
            [&](int v) { delivered.emplace_back(millis(), v); }, nullptr, [&] { completedAt = millis(); });
        for (auto [at, value] : c.pushes) {
            scheduler->advanceTo(Ms(at));
            value < 0 ? source.observer->onCompleted() : source.observer->onNext(value);
        }
        scheduler->advanceBy(1s);
        EXPECT_EQ(delivered, c.expected);
        EXPECT_EQ(completedAt, c.completedAt);
        EXPECT_EQ(scheduler->pendingCount(), 0u);
    }
}

TEST(RxObservable, FlatMapLatestDeliversOnlyTheNewestAnswerAndCompletesAfterIt) {
    ManualStream outer;
    ManualSingles inner;
    Recorder recorder;
    recorder.subscribe(outer.observable().flatMapLatest([&](int) { return inner.single(); }));
    outer.observer->onNext(1);
    outer.observer->onNext(2);
    ASSERT_EQ(inner.observers.size(), 2u);
    EXPECT_TRUE(inner.observers[0].isDisposed());
    EXPECT_EQ(inner.cancellations, 1);
    inner.observers[0].onSuccess(10);  // abandoned: never delivered
    outer.observer->onCompleted();     // the newest answer is still under way
    EXPECT_EQ(recorder.completions, 0);
    inner.observers[1].onSuccess(20);
    EXPECT_EQ(recorder.values, std::vector{20});
    EXPECT_EQ(recorder.completions, 1);
}

TEST(RxObservable, DisposeStopsDeliveryAndDisposesUpstreamTimersAndInnerSubscriptions) {
    auto scheduler = std::make_shared<TestScheduler>();
    ManualSingles inner;
    // pipeline, and how many of the two values pushed before disposal it delivered
    const std::vector<std::tuple<const char*, StreamStage, std::size_t>> pipelines = {
        {"source", [](auto s) { return s; }, 2},
        {"filter, map, distinct",
         [](auto s) { return s.filter([](int) { return true; }).map([](int v) { return v; }).distinctUntilChanged(); },
         2},
        {"throttle", [&](auto s) { return s.throttle(10ms, scheduler); }, 1},
        {"flatMapLatest", [&](auto s) { return s.flatMapLatest([&](int) { return inner.single(); }); }, 0},
    };
    for (const auto& [name, pipeline, delivered] : pipelines) {
        SCOPED_TRACE(name);
        ManualStream source;
        Recorder recorder;
        Disposable subscription;
        {
            DisposeBag bag;
            subscription = recorder.subscribe(pipeline(source.observable()));
            bag.insert(subscription);
            source.observer->onNext(1);
            source.observer->onNext(2);  // held by throttle, in flight for flatMapLatest
        }
        EXPECT_TRUE(subscription.isDisposed());
        EXPECT_EQ(source.cancellations, 1);
        EXPECT_TRUE(source.observer->isDisposed());
        source.observer->onNext(3);
        source.observer->onError(std::make_exception_ptr(Boom("late")));
        scheduler->advanceBy(1s);
        for (auto& answer : inner.observers) answer.onSuccess(99);
        EXPECT_EQ(recorder.values.size(), delivered);
        EXPECT_TRUE(recorder.errors.empty());
        EXPECT_EQ(scheduler->pendingCount(), 0u);
    }
    EXPECT_EQ(inner.cancellations, 2);  // the older answer when the newer began, the newer on dispose
}

TEST(RxObservable, AStreamEndsExactlyOnceAndAnEndingDisposesWhatIsUpstream) {
    auto first = std::make_exception_ptr(Boom("first"));
    struct Case { const char* name; std::function<void(ObservableObserver<int>)> signal; std::size_t values, errors; int completions; };
    const std::vector<Case> cases = {
        {"error twice", [&](auto o) { o.onNext(1), o.onError(first), o.onError(first), o.onNext(2); }, 1, 1, 0},
        {"error then completion", [&](auto o) { o.onError(first), o.onCompleted(); }, 0, 1, 0},
        {"completion then error", [&](auto o) { o.onCompleted(), o.onError(first), o.onNext(1); }, 0, 0, 1},
    };
    const std::vector<std::pair<const char*, StreamStage>> stages = {
        {"source", [](auto s) { return s; }},
        {"map", [](auto s) { return s.map([](int v) { return v; }); }},
        {"flatMapLatest", [](auto s) { return s.flatMapLatest([](int v) { return just(v); }); }},
        {"inner of flatMapLatest", [](auto s) { return Observable<int>::from(just(0)).flatMapLatest([s](int) { return s; }); }},
    };
    for (const auto& [stageName, stage] : stages) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(stageName) + ": " + c.name);
            Recorder recorder;
            recorder.subscribe(stage(Observable<int>::create(c.signal)));
            EXPECT_EQ(recorder.values.size(), c.values);
            EXPECT_EQ(recorder.errors.size(), c.errors);
            EXPECT_EQ(recorder.completions, c.completions);
        }
    }
    // A throwing function is the error, once, and the source above it is disposed.
    const std::vector<std::pair<const char*, StreamStage>> throwing = {
        {"filter", [](auto s) { return s.filter([](int) -> bool { throw Boom("filter"); }); }},
        {"map", [](auto s) { return s.map([](int) -> int { throw Boom("map"); }); }},
        {"flatMapLatest", [](auto s) { return s.flatMapLatest([](int) -> Single<int> { throw Boom("flatMapLatest"); }); }},
    };
    for (const auto& [name, stage] : throwing) {
        SCOPED_TRACE(name);
        ManualStream source;
        Recorder recorder;
        recorder.subscribe(stage(source.observable()));
        source.observer->onNext(1), source.observer->onNext(2);
        EXPECT_EQ(recorder.errors.size(), 1u);
        EXPECT_EQ(source.cancellations, 1);
    }
}

TEST(RxBehaviorSubject, ReplaysTheCurrentValueAndDeliversPushesInOneOrderToEveryone) {
    BehaviorSubject<int> subject(1);
    std::vector<int> first, second;
    subject.asObservable().subscribe([&](int v) {
        first.push_back(v);
        if (v == 2) subject.onNext(3);  // pushed from inside a delivery: goes after 2, to everyone
    });
    subject.onNext(2);
    subject.asObservable().subscribe([&](int v) { second.push_back(v); });
    EXPECT_EQ(subject.value(), 3);
    EXPECT_EQ(first, (std::vector{1, 2, 3}));
    EXPECT_EQ(second, std::vector{3});

    // Pushes from several threads reach a subscriber one at a time, each once, the last being the
    // value the subject reads.
    BehaviorSubject<int> shared(0);
    std::atomic<int> inside{0}, overlaps{0}, received{0};
    int last = -1;
    Disposable subscription = shared.asObservable().subscribe([&](int v) {
        overlaps += inside.fetch_add(1) != 0;
        last = v, ++received, --inside;
    });
    {
        std::vector<std::jthread> pushers;
        for (int t = 0; t < 4; ++t)
            pushers.emplace_back([&shared, t] { for (int i = 1; i <= 500; ++i) shared.onNext(t * 1000 + i); });
    }
    EXPECT_EQ(last, shared.value());
    subscription.dispose();
    shared.onNext(-5);
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(received, 1 + 4 * 500);
}

TEST(RxTestScheduler, RunsDueActionsInTimeOrderThenSchedulingOrder) {
    TestScheduler scheduler;
    std::string log;
    auto at = [&](Ms delay, char name) { return scheduler.schedule(delay, [&log, name] { log += name; }); };
    at(20ms, 'c'), at(10ms, 'a'), at(10ms, 'b'), at(-5ms, '0');
    at(15ms, 'x').dispose();
    scheduler.schedule(5ms, [&] { at(0ms, 'n'); });  // due at once, within the same advance
    scheduler.advanceBy(10ms);
    EXPECT_EQ(log, "0nab");
    scheduler.advanceTo(5ms);  // the past: nothing moves
    EXPECT_EQ(scheduler.now(), 10ms);
    scheduler.advanceTo(30ms);
    EXPECT_EQ(log, "0nabc");
    EXPECT_EQ(scheduler.now(), 30ms);
}

}  // namespace
}  // namespace vorlane::rx
