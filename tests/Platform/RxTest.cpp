#include "vorlane/Platform/Rx/BehaviorSubject.hpp"
#include "vorlane/Platform/Rx/Completable.hpp"
#include "vorlane/Platform/Rx/DisposeBag.hpp"
#include "vorlane/Platform/Rx/Observable.hpp"
#include "vorlane/Platform/Rx/Scheduler.hpp"

#include "tests/Platform/RxTestSupport.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

namespace vorlane::rx {
namespace {

using namespace std::chrono_literals;

using testing::Boom;

// A Single completed by hand, from any thread: the observers of its subscriptions, in order, and how
// often it was subscribed to and cancelled.
struct ManualSource {
    std::mutex mutex;
    std::vector<SingleObserver<int>> subscribed;
    std::atomic<int> subscriptions{0}, cancellations{0};

    Single<int> single() {
        return Single<int>::create([this](SingleObserver<int> observer) {
            ++subscriptions;
            observer.addCancellation([this] { ++cancellations; });
            std::lock_guard lock(mutex);
            subscribed.push_back(observer);
        });
    }
    // The latest subscription's observer (throws when there is none).
    SingleObserver<int> observer() { std::lock_guard lock(mutex); return subscribed.at(subscribed.size() - 1); }
};

// What one subscription delivered; values may arrive from any thread, errors only synchronously.
struct Delivered {
    std::atomic<int> values{0}, lastValue{0};
    std::vector<std::exception_ptr> errors;

    Disposable subscribe(const Single<int>& single) {
        return single.subscribe([this](int value) { lastValue = value, ++values; },
                                [this](std::exception_ptr error) { errors.push_back(error); });
    }
};

using SingleStage = std::function<Single<int>(Single<int>)>;

TEST(RxSingle, DeliversOnlyTheFirstSignalOfAMisbehavingSource) {
    auto first = std::make_exception_ptr(Boom("first")), second = std::make_exception_ptr(Boom("second"));
    // source, and 1 if the value 1 was delivered or 0 if the error `first` was
    const std::vector<std::pair<std::function<void(SingleObserver<int>)>, int>> cases = {
        {[](auto o) { o.onSuccess(1), o.onSuccess(2); }, 1}, {[&](auto o) { o.onSuccess(1), o.onError(second); }, 1},
        {[&](auto o) { o.onError(first), o.onSuccess(2); }, 0}, {[&](auto o) { o.onError(first), o.onError(second); }, 0},
    };
    for (const auto& [source, values] : cases) {
        for (bool mapped : {false, true}) {
            const auto single = Single<int>::create(source);
            Delivered delivered;
            delivered.subscribe(mapped ? single.map([](int v) { return v; }) : single);
            EXPECT_EQ(delivered.values, values) << mapped;
            EXPECT_EQ(delivered.lastValue, values) << mapped;
            EXPECT_EQ(delivered.errors, values ? std::vector<std::exception_ptr>{} : std::vector{first});
        }
    }
}

TEST(RxSingle, ExceptionsThrownByFunctionsBecomeTheErrorButSubscriberExceptionsDoNot) {
    int sourceRuns = 0;
    auto source = Single<int>::create([&](SingleObserver<int> o) { ++sourceRuns, o.onSuccess(1); });
    const std::vector<std::pair<const char*, SingleStage>> stages = {
        {"source", [](auto) { return Single<int>::create([](auto) { throw Boom("source"); }); }},
        {"map", [](auto s) { return s.map([](int) -> int { throw Boom("map"); }); }},
        {"flatMap", [](auto s) { return s.flatMap([](int) -> Single<int> { throw Boom("flatMap"); }); }},
        {"doOnSuccess", [](auto s) { return s.doOnSuccess([](int) { throw Boom("doOnSuccess"); }); }},
        {"doOnSubscribe", [](auto s) { return s.doOnSubscribe([] { throw Boom("doOnSubscribe"); }); }},
    };
    for (const auto& [name, stage] : stages) {
        SCOPED_TRACE(name);
        int laterStages = 0;
        try {
            stage(source).map([&](int v) { return ++laterStages, v; }).blockingGet();
            ADD_FAILURE() << "no error";
        } catch (const Boom& e) {
            EXPECT_STREQ(e.what(), name);
        }
        EXPECT_EQ(laterStages, 0);
    }
    EXPECT_EQ(sourceRuns, 3);  // not for the throwing source, nor when doOnSubscribe throws

    int errors = 0;
    EXPECT_THROW(just(1).map([](int v) { return v; }).subscribe([](int) { throw Boom("subscriber"); }, [&](auto) { ++errors; }),
                 Boom);
    EXPECT_EQ(errors, 0);
}

TEST(RxSingle, DisposeBeforeCompletionSuppressesDeliveryAndCancelsOnce) {
    const std::vector<std::pair<const char*, SingleStage>> pipelines = {
        {"source", [](auto s) { return s; }},
        {"map", [](auto s) { return s.map([](int v) { return v + 1; }).doOnSuccess([](int) {}); }},
        {"outer of flatMap", [](auto s) { return s.flatMap([](int v) { return just(v); }); }},
        {"inner of flatMap", [](auto s) { return just(0).flatMap([s](int) { return s; }); }},
        {"after Completable", [](auto s) { return complete().andThen(s); }},
    };
    for (const auto& [name, pipeline] : pipelines) {
        SCOPED_TRACE(name);
        ManualSource source;
        Delivered delivered;
        Disposable subscription = delivered.subscribe(pipeline(source.single()));
        ASSERT_EQ(source.subscriptions, 1);
        {
            std::vector<std::jthread> disposers;
            for (int i = 0; i < 4; ++i) disposers.emplace_back([copy = subscription] { copy.dispose(); });
        }
        std::thread([observer = source.observer()] { observer.onSuccess(5); }).join();
        subscription.dispose();

        EXPECT_TRUE(subscription.isDisposed());
        EXPECT_TRUE(source.observer().isDisposed());
        EXPECT_EQ(source.cancellations, 1);
        EXPECT_EQ(delivered.values, 0);
        EXPECT_TRUE(delivered.errors.empty());
    }
}

TEST(RxSingle, DisposeRacingCompletionNeverBothDeliversAndCancels) {
    for (bool mapped : {false, true}) {
        for (int i = 0; i < 300; ++i) {
            ManualSource source;
            Delivered delivered;
            Disposable subscription =
                delivered.subscribe(mapped ? source.single().map([](int v) { return v; }) : source.single());
            // Both sides start together; every other iteration the completer lets dispose() go first.
            std::latch start(2);
            std::thread completer([observer = source.observer(), &start, i] {
                start.arrive_and_wait();
                if (i % 2 != 0) std::this_thread::yield();
                observer.onSuccess(1);
            });
            start.arrive_and_wait();
            subscription.dispose();
            completer.join();
            // Directly, exactly one side wins. Through map, the source may finish while the map
            // stage is being disposed: then nothing is left to cancel and nothing is delivered.
            const int outcomes = delivered.values + source.cancellations;
            ASSERT_LE(outcomes, 1) << "iteration " << i;
            if (!mapped) { ASSERT_EQ(outcomes, 1) << "iteration " << i; }
        }
    }
}

TEST(RxSingle, BlockingWaitsTakeResultsFromAnotherThreadOrTimeOutAndDispose) {
    std::vector<std::jthread> workers;
    auto later = [&workers](auto signal) {
        return [&workers, signal](auto observer) {
            workers.emplace_back([observer, signal] { std::this_thread::sleep_for(10ms), signal(observer); });
        };
    };
    EXPECT_EQ(Single<int>::create(later([](auto o) { o.onSuccess(42); })).blockingGet(), 42);

    auto failure = std::make_exception_ptr(Boom("late"));
    try {
        Single<int>::create(later([failure](auto o) { o.onError(failure); })).blockingGet(1s);
        ADD_FAILURE() << "no error";
    } catch (const Boom&) {
        EXPECT_EQ(std::current_exception(), failure);
    }


    ManualSource never;
    EXPECT_THROW(never.single().blockingGet(20ms), TimeoutError);
    EXPECT_EQ(never.cancellations, 1);
    EXPECT_THROW(Completable::create([](CompletableObserver) {}).blockingAwait(20ms), TimeoutError);
}

TEST(RxCompletable, AndThenRunsStagesInOrderAndAnErrorSkipsTheRest) {
    std::vector<std::string> log;
    std::optional<CompletableObserver> first;
    auto step = [&log](std::string name) {
        return Completable::create([&log, name](CompletableObserver o) { log.push_back(name), o.onCompleted(); });
    };
    auto single = Completable::create([&](CompletableObserver o) { log.push_back("first"), first = o; })
                      .andThen(step("second"))
                      .andThen(just(7).doOnSubscribe([&] { log.push_back("single"); }));
    EXPECT_TRUE(log.empty());
    single.subscribe([&](int v) { log.push_back(std::to_string(v)); }, nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"first"});
    std::thread([&] { first->onCompleted(); }).join();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "single", "7"}));

    log.clear();
    auto original = std::make_exception_ptr(Boom("first"));
    Delivered delivered;
    auto skipped = just(1).doOnSubscribe([&] { log.push_back("skipped single"); });
    delivered.subscribe(error<Completable>(original).andThen(step("skipped")).andThen(skipped));
    EXPECT_EQ(delivered.errors, std::vector{original});
    auto failing = step("before").andThen(error<Completable>(Boom("second"))).andThen(step("after"));
    EXPECT_THROW(failing.blockingAwait(), Boom);
    EXPECT_EQ(log, std::vector<std::string>{"before"});  // only the stage before the failing one
}

using Ms = std::chrono::milliseconds;


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

TEST(RxObservable, DisposeStopsDeliveryAndDisposesUpstreamTimersAndInnerSubscriptions) {
    auto scheduler = std::make_shared<TestScheduler>();
    ManualSource inner;
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
        for (auto& answer : inner.subscribed) answer.onSuccess(99);
        EXPECT_EQ(recorder.values.size(), delivered);
        EXPECT_TRUE(recorder.errors.empty());
        EXPECT_EQ(scheduler->pendingCount(), 0u);
    }
    EXPECT_EQ(inner.cancellations, 2);  // the older answer when the newer began, the newer on dispose
}

TEST(RxObservable, AStreamEndsExactlyOnce) {
    auto first = std::make_exception_ptr(Boom("first"));
    struct Case { const char* name; std::function<void(ObservableObserver<int>)> signal; std::size_t values, errors; int completions; };
    const std::vector<Case> cases = {
        {"error twice", [&](auto o) { o.onNext(1), o.onError(first), o.onError(first), o.onNext(2); }, 1, 1, 0},
        {"error then completion", [&](auto o) { o.onError(first), o.onCompleted(); }, 0, 1, 0},
        {"completion then error", [&](auto o) { o.onCompleted(), o.onError(first), o.onNext(1); }, 0, 0, 1},
    };
    const std::vector<std::pair<const char*, StreamStage>> stages = {
        {"source", [](auto s) { return s; }}, {"map", [](auto s) { return s.map([](int v) { return v; }); }},
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
}

TEST(RxBehaviorSubject, ReplaysTheCurrentValueAndDeliversNestedPushesInOrderToEveryone) {
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
}

}  // namespace
}  // namespace vorlane::rx
