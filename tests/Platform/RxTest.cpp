#include "vorlane/Platform/Rx/Completable.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vorlane::rx {
namespace {

using namespace std::chrono_literals;

struct Boom : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A source completed by hand, from any thread. Counts subscriptions and cancellations.
struct ManualSource {
    std::mutex mutex;
    std::vector<SingleObserver<int>> observers;
    std::atomic<int> subscriptions{0};
    std::atomic<int> cancellations{0};

    Single<int> single() {
        return Single<int>::create([this](SingleObserver<int> observer) {
            ++subscriptions;
            observer.addCancellation([this] { ++cancellations; });
            std::lock_guard lock(mutex);
            observers.push_back(observer);
        });
    }
    SingleObserver<int> observer() {
        std::lock_guard lock(mutex);
        return observers.at(0);
    }
};

// What one subscription delivered; safe to fill from any thread.
struct Delivered {
    std::atomic<int> values{0};
    std::atomic<int> lastValue{0};
    std::vector<std::exception_ptr> errors;  // only written by synchronous sources

    Disposable subscribe(const Single<int>& single) {
        return single.subscribe(
            [this](int value) {
                lastValue = value;
                ++values;
            },
            [this](std::exception_ptr error) { errors.push_back(error); });
    }
};

using Stage = std::function<Single<int>(Single<int>)>;

TEST(RxSingle, RunsTheSourceOnlyWhenSubscribedAndAnewEachTime) {
    int runs = 0;
    auto single = Single<int>::create([&](SingleObserver<int> observer) { observer.onSuccess(++runs); })
                      .map([](int value) { return value * 10; })
                      .flatMap([](int value) { return just(value + 1); })
                      .doOnSuccess([](int) {})
                      .doOnSubscribe([] {});
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(single.blockingGet(), 11);
    EXPECT_EQ(single.blockingGet(), 21);
    EXPECT_EQ(runs, 2);
}

TEST(RxSingle, DeliversOnlyTheFirstSignalOfAMisbehavingSource) {
    auto first = std::make_exception_ptr(Boom("first"));
    auto second = std::make_exception_ptr(Boom("second"));
    struct Case {
        const char* name;
        std::function<void(SingleObserver<int>)> source;
        int values;  // 1: the value 1 was delivered; 0: the error `first` was
    };
    const std::vector<Case> cases = {
        {"success twice", [](auto o) { o.onSuccess(1), o.onSuccess(2); }, 1},
        {"success then error", [&](auto o) { o.onSuccess(1), o.onError(second); }, 1},
        {"error then success", [&](auto o) { o.onError(first), o.onSuccess(2); }, 0},
        {"error twice", [&](auto o) { o.onError(first), o.onError(second); }, 0},
    };
    for (const auto& c : cases) {
        for (bool mapped : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (mapped ? " through map" : ""));
            auto single = Single<int>::create(c.source);
            Delivered delivered;
            delivered.subscribe(mapped ? single.map([](int v) { return v; }) : single);
            EXPECT_EQ(delivered.values, c.values);
            EXPECT_EQ(delivered.lastValue, c.values);
            ASSERT_EQ(delivered.errors.size(), 1u - c.values);
            if (!delivered.errors.empty()) {
                EXPECT_EQ(delivered.errors[0], first);
            }
        }
    }
}

TEST(RxSingle, ErrorsPassThroughOperatorsAsTheSameException) {
    auto original = std::make_exception_ptr(Boom("upstream"));
    int called = 0;
    const std::vector<std::pair<const char*, Stage>> stages = {
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
        ASSERT_EQ(delivered.errors.size(), 1u);
        EXPECT_EQ(delivered.errors[0], original);
        EXPECT_EQ(delivered.values, 0);
    }
    EXPECT_EQ(called, 0);
}

TEST(RxSingle, ExceptionsThrownByFunctionsBecomeTheError) {
    int sourceRuns = 0;
    auto source = Single<int>::create([&](SingleObserver<int> o) { ++sourceRuns, o.onSuccess(1); });
    const std::vector<std::pair<const char*, Stage>> stages = {
        {"source", [](auto) { return Single<int>::create([](auto) { throw Boom("source"); }); }},
        {"map", [](auto s) { return s.map([](int) -> int { throw Boom("map"); }); }},
        {"flatMap", [](auto s) { return s.flatMap([](int) -> Single<int> { throw Boom("flatMap"); }); }},
        {"doOnSuccess", [](auto s) { return s.doOnSuccess([](int) { throw Boom("doOnSuccess"); }); }},
        {"doOnSubscribe", [](auto s) { return s.doOnSubscribe([] { throw Boom("doOnSubscribe"); }); }},
    };
    for (const auto& [name, stage] : stages) {
        SCOPED_TRACE(name);
        int laterStages = 0;
        auto single = stage(source).map([&](int v) { return ++laterStages, v; });
        try {
            single.blockingGet();
            ADD_FAILURE() << "no error";
        } catch (const Boom& e) {
            EXPECT_STREQ(e.what(), name);
        }
        EXPECT_EQ(laterStages, 0);
    }
    EXPECT_EQ(sourceRuns, 3);  // not for the throwing source, nor when doOnSubscribe throws
}

TEST(RxSingle, SideEffectsRunInSubscriptionOrder) {
    std::vector<std::string> log;
    auto single = Single<int>::create([&](SingleObserver<int> o) { log.push_back("source"), o.onSuccess(1); })
                      .doOnSubscribe([&] { log.push_back("inner subscribe"); })
                      .doOnSuccess([&](int) { log.push_back("success"); })
                      .doOnSubscribe([&] { log.push_back("outer subscribe"); });
    single.subscribe([&](int) { log.push_back("delivered"); }, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"outer subscribe", "inner subscribe", "source", "success", "delivered"}));
}

TEST(RxSingle, DisposeBeforeCompletionSuppressesDeliveryAndCancelsOnce) {
    const std::vector<std::pair<const char*, Stage>> pipelines = {
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

        std::vector<std::thread> disposers;
        for (int i = 0; i < 4; ++i) {
            disposers.emplace_back([copy = subscription] { copy.dispose(); });
        }
        for (auto& t : disposers) {
            t.join();
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
            auto single = mapped ? source.single().map([](int v) { return v; }) : source.single();
            Disposable subscription = delivered.subscribe(single);
            // Both sides start together; every other iteration the completer lets dispose() go first.
            std::latch start(2);
            std::thread completer([observer = source.observer(), &start, i] {
                start.arrive_and_wait();
                if (i % 2 != 0) {
                    std::this_thread::yield();
                }
                observer.onSuccess(1);
            });
            start.arrive_and_wait();
            subscription.dispose();
            completer.join();
            // Directly, exactly one side wins. Through map, the source may finish while the map
            // stage is being disposed: then nothing is left to cancel and nothing is delivered.
            const int outcomes = delivered.values + source.cancellations;
            ASSERT_LE(outcomes, 1) << "iteration " << i;
            if (!mapped) {
                ASSERT_EQ(outcomes, 1) << "iteration " << i;
            }
        }
    }
}

TEST(RxSingle, BlockingGetWaitsForAResultFromAnotherThread) {
    std::vector<std::jthread> workers;
    auto later = [&workers](auto signal) {
        return [&workers, signal](auto observer) {
            workers.emplace_back([observer, signal] {
                std::this_thread::sleep_for(10ms);
                signal(observer);
            });
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
}

TEST(RxSingle, TimedWaitsGiveUpAndDispose) {
    ManualSource never;
    EXPECT_THROW(never.single().blockingGet(20ms), TimeoutError);
    EXPECT_EQ(never.cancellations, 1);
    EXPECT_THROW(Completable::create([](CompletableObserver) {}).blockingAwait(20ms), TimeoutError);
}

TEST(RxSingle, SubscriberExceptionsAreNotFedBackAsErrors) {
    int errors = 0;
    auto single = just(1).map([](int v) { return v; });
    EXPECT_THROW(single.subscribe([](int) { throw Boom("subscriber"); }, [&](auto) { ++errors; }), Boom);
    EXPECT_EQ(errors, 0);
}

TEST(RxCompletable, AndThenRunsStagesInOrder) {
    std::vector<std::string> log;
    std::optional<CompletableObserver> first;
    auto step = [&log](std::string name) {
        return Completable::create([&log, name](CompletableObserver o) { log.push_back(name), o.onCompleted(); });
    };
    auto single = Completable::create([&](CompletableObserver o) { log.push_back("first"), first = o; })
                      .andThen(step("second"))
                      .andThen(just(7).doOnSubscribe([&] { log.push_back("single"); }));
    EXPECT_TRUE(log.empty());

    std::atomic<int> value{0};
    single.subscribe([&](int v) { value = v; }, nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"first"});
    std::thread([&] { first->onCompleted(); }).join();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "single"}));
    EXPECT_EQ(value, 7);
}

TEST(RxCompletable, AnErrorSkipsTheRemainingStages) {
    auto original = std::make_exception_ptr(Boom("first"));
    int laterRuns = 0;
    auto counted = Completable::create([&](CompletableObserver o) { ++laterRuns, o.onCompleted(); });

    Delivered delivered;
    delivered.subscribe(error<Completable>(original).andThen(counted).andThen(just(1).doOnSubscribe([&] { ++laterRuns; })));
    ASSERT_EQ(delivered.errors.size(), 1u);
    EXPECT_EQ(delivered.errors[0], original);

    EXPECT_THROW(counted.andThen(error<Completable>(Boom("second"))).andThen(counted).blockingAwait(), Boom);
    EXPECT_EQ(laterRuns, 1);  // only the stage before the failing one
}

}  // namespace
}  // namespace vorlane::rx
