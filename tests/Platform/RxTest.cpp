#include "vorlane/Platform/Rx/Completable.hpp"

#include "tests/Platform/RxTestSupport.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

namespace vorlane::rx {
namespace {

using namespace std::chrono_literals;

using testing::Boom;

// A source completed by hand, from any thread. Counts subscriptions and cancellations.
struct ManualSource {
    std::mutex mutex;
    std::optional<SingleObserver<int>> subscribed;
    std::atomic<int> subscriptions{0}, cancellations{0};

    Single<int> single() {
        return Single<int>::create([this](SingleObserver<int> observer) {
            ++subscriptions;
            observer.addCancellation([this] { ++cancellations; });
            std::lock_guard lock(mutex);
            subscribed = observer;
        });
    }
    SingleObserver<int> observer() { std::lock_guard lock(mutex); return subscribed.value(); }
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

TEST(RxSingle, RunsAnewOnEachSubscriptionWithSideEffectsInSubscriptionOrder) {
    std::vector<std::string> log;
    int runs = 0;
    auto single = Single<int>::create([&](SingleObserver<int> o) { log.push_back("source"), o.onSuccess(++runs); })
                      .doOnSubscribe([&] { log.push_back("inner subscribe"); })
                      .map([](int value) { return value * 10; })
                      .flatMap([](int value) { return just(value + 1); })
                      .doOnSuccess([&](int) { log.push_back("success"); })
                      .doOnSubscribe([&] { log.push_back("outer subscribe"); });
    EXPECT_TRUE(log.empty());
    for (int i = 0; i < 2; ++i) single.subscribe([&](int v) { log.push_back(std::to_string(v)); }, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"outer subscribe", "inner subscribe", "source", "success", "11",
                                             "outer subscribe", "inner subscribe", "source", "success", "21"}));
}

TEST(RxSingle, DeliversOnlyTheFirstSignalOfAMisbehavingSource) {
    auto first = std::make_exception_ptr(Boom("first")), second = std::make_exception_ptr(Boom("second"));
    // source, and 1 if the value 1 was delivered or 0 if the error `first` was
    const std::vector<std::pair<std::function<void(SingleObserver<int>)>, int>> cases = {
        {[](auto o) { o.onSuccess(1), o.onSuccess(2); }, 1}, {[&](auto o) { o.onSuccess(1), o.onError(second); }, 1},
        {[&](auto o) { o.onError(first), o.onSuccess(2); }, 0}, {[&](auto o) { o.onError(first), o.onError(second); }, 0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (bool mapped : {false, true}) {
            SCOPED_TRACE(std::to_string(i) + (mapped ? " through map" : ""));
            const auto& [source, values] = cases[i];
            const auto single = Single<int>::create(source);
            Delivered delivered;
            delivered.subscribe(mapped ? single.map([](int v) { return v; }) : single);
            EXPECT_EQ(delivered.values, values);
            EXPECT_EQ(delivered.lastValue, values);
            EXPECT_EQ(delivered.errors, values ? std::vector<std::exception_ptr>{} : std::vector{first});
        }
    }
}

TEST(RxSingle, ErrorsPassThroughOperatorsAsTheSameException) {
    auto original = std::make_exception_ptr(Boom("upstream"));
    int called = 0;
    const std::vector<std::pair<const char*, SingleStage>> stages = {
        {"map", [&](auto s) { return s.map([&](int v) { return ++called, v; }); }},
        {"flatMap", [&](auto s) { return s.flatMap([&](int v) { return ++called, just(v); }); }},
        {"doOnSuccess", [&](auto s) { return s.doOnSuccess([&](int) { ++called; }); }},
        {"doOnSubscribe", [&](auto s) { return s.doOnSubscribe([] {}); }},
        {"inner of flatMap", [&](auto s) { return just(0).flatMap([s](int) { return s; }); }},
    };
    for (const auto& [name, stage] : stages) {
        SCOPED_TRACE(name);
        Delivered delivered;
        delivered.subscribe(stage(error<int>(original)));
        EXPECT_EQ(delivered.errors, std::vector{original});
        EXPECT_EQ(delivered.values, 0);
    }
    EXPECT_EQ(called, 0);
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

TEST(RxSingle, CancellationRunsOnlyForAnUnfinishedSubscription) {
    ManualSource finished;
    Delivered delivered;
    Disposable subscription = delivered.subscribe(finished.single());
    finished.observer().onSuccess(1);
    subscription.dispose();
    EXPECT_EQ(delivered.values, 1);
    EXPECT_EQ(finished.cancellations, 0);

    // A source that registers its cancellation after the subscriber disposed is cancelled at once.
    std::optional<SingleObserver<int>> late;
    Single<int>::create([&](SingleObserver<int> o) { late = o; }).subscribe(nullptr, nullptr).dispose();
    int lateCancellations = 0;
    late->addCancellation([&] { ++lateCancellations; });
    EXPECT_EQ(lateCancellations, 1);
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

    // Move-only values travel through create, map and blockingGet.
    auto pointer = Single<std::unique_ptr<int>>::create(later([](auto o) { o.onSuccess(std::make_unique<int>(7)); }))
                       .map([](std::unique_ptr<int> p) { return *p += 1, std::move(p); });
    EXPECT_EQ(*pointer.blockingGet(), 8);

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

}  // namespace
}  // namespace vorlane::rx
