#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Platform/Collections.hpp"
#include "vorlane/Platform/Either.hpp"
#include "vorlane/Platform/Notifications.hpp"
#include "vorlane/Platform/Persistence.hpp"
#include "vorlane/Platform/TimeInterval.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace vorlane {
namespace {

TEST(BehaviorReaderTest, CopiesSeeEverySetWholeWhileSnapshotsKeepTheirValue) {
    // Each value is a run of one repeated letter; a torn read would mix letters.
    BehaviorReader<std::string> reader(std::string(64, 'a'));
    const BehaviorReader<std::string> copy = reader;
    const auto before = reader.snapshot();
    std::atomic<bool> stop{false};
    std::atomic<int> tornReads{0};
    {
        std::vector<std::jthread> readers;
        for (int i = 0; i < 3; ++i)
            readers.emplace_back([&, copy] {
                while (!stop.load()) {
                    const std::string seen = copy.value();
                    if (seen.find_first_not_of(seen.front()) != std::string::npos) ++tornReads;
                }
            });
        for (int i = 0; i < 2000; ++i) reader.set(std::string(64 + i % 7, static_cast<char>('a' + i % 26)));
        stop = true;
    }
    EXPECT_EQ(tornReads.load(), 0);
    EXPECT_EQ(copy.value(), std::string(64 + 1999 % 7, static_cast<char>('a' + 1999 % 26)));
    EXPECT_EQ(*before, std::string(64, 'a'));
}

struct Action { virtual ~Action() = default; };
struct PlaybackAction : Action {};
struct LivePlaybackAction : PlaybackAction {};
struct TrailerAction : Action {};

TEST(CollectionsTest, FirstOfTypeFindsTheFirstElementOfTheDynamicTypeOrNothing) {
    using List = std::vector<std::shared_ptr<const Action>>;
    const auto trailer = std::make_shared<const TrailerAction>();
    const auto live = std::make_shared<const LivePlaybackAction>();
    const auto plain = std::make_shared<const PlaybackAction>();
    const List mixed{nullptr, trailer, live, plain};
    EXPECT_EQ(firstOfType<PlaybackAction>(mixed), live) << "a derived type counts as the type";
    EXPECT_EQ(firstOfType<LivePlaybackAction>(List{plain, live}), live);
    EXPECT_EQ(firstOfType<TrailerAction>(mixed), trailer);
    EXPECT_EQ(firstOfType<TrailerAction>(List{plain, live}), nullptr);
    EXPECT_EQ(firstOfType<TrailerAction>(List{}), nullptr);
}

TEST(EitherTest, EqualityComparesCaseThenValue) {
    using Same = Either<int, int>;  // the case must be told apart by position, not by type
    EXPECT_EQ(Same::fromLeft(1), Same::fromLeft(1));
    EXPECT_NE(Same::fromLeft(1), Same::fromLeft(2));
    EXPECT_NE(Same::fromLeft(1), Same::fromRight(1));
    EXPECT_EQ(Same::fromRight(3), Same::fromRight(3));
    struct NoEquality {};
    static_assert(!std::equality_comparable<Either<NoEquality, int>>);
    static_assert(std::equality_comparable<Either<std::string, int>>);
}

TEST(AspectRatioTest, TextFormIsTheRatioKeyAndParsingTakesDecimalsOrWidthToHeight) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, std::string>> texts{
        {Ratio::one, "1.00"}, {Ratio::three, "3.00"}, {Ratio::eighty, "0.80"}, {Ratio::fourByThree, "1.33"},
        {Ratio::sixteenByNine, "1.78"}, {Ratio::threeThirtyTwo, "3.32"}, {Ratio::threeNinetyOne, "3.91"},
        {Ratio::fourSixOne, "4.61"}, {2.0 / 3.0, "0.67"}, {1280.0 / 720.0, "1.78"},
        // 1.775 and 0.705 are stored just below themselves; an exact tie rounds to even, as printf does.
        {1.775, "1.77"}, {0.705, "0.70"}, {0.125, "0.12"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"}, {inf, "inf"}, {-inf, "-inf"},
    };
    for (const auto& [ratio, expected] : texts) EXPECT_EQ(asString(ratio), expected) << ratio;
    EXPECT_EQ(asString(std::numeric_limits<double>::max()).size(), 309u + 3u);

    const auto none = std::nullopt;
    const std::vector<std::pair<std::string, std::optional<double>>> parses{
        {"16:9", 16.0 / 9.0}, {"1.78", 1.78}, {"4:3", 4.0 / 3.0}, {"2.39:1", 2.39}, {"0.8", 0.8}, {".5", 0.5},
        {"0:1", none}, {"1:0", none}, {"abc", none}, {"", none}, {"-1", none}, {"0", none}, {"16:", none}, {":9", none},
        {"16:9:1", none}, {"-16:-9", none}, {" 1.78", none}, {"1.78x", none}, {"inf", none}, {"nan", none},
        {"1e400", none}, {"1e300:1e-300", none}, {"1e-300:1e300", none},
    };
    for (const auto& [text, expected] : parses) {
        const auto parsed = parseAspectRatio(text);
        ASSERT_EQ(parsed.has_value(), expected.has_value()) << '"' << text << '"';
        if (expected) { EXPECT_DOUBLE_EQ(*parsed, *expected) << text; }
    }
    EXPECT_EQ(asString(*parseAspectRatio("16:9")), asString(Ratio::sixteenByNine));
}

TEST(TimeIntervalTest, SecondsBecomeClampedRoundedIntervals) {
    using namespace std::chrono;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, nanoseconds>> cases{
        {0.5, 500ms}, {0.1, 100ms}, {2.0, 2s}, {1.5e-9, 2ns}, {1e-10, 0ns}, {0.0, 0ns}, {-1.0, 0ns}, {nan, 0ns},
        {-inf, 0ns}, {inf, kMaximumInterval}, {1e300, kMaximumInterval}, {1e10, kMaximumInterval},
    };
    for (const auto& [seconds, expected] : cases) EXPECT_EQ(secondsToInterval(seconds), expected) << seconds;
    // Adding the cap to the current time must not overflow.
    EXPECT_GT(system_clock::now() + kMaximumInterval, system_clock::now());
}

struct StoredAvatar final : Persistable {
    std::string name;
    explicit StoredAvatar(std::string n) : name(std::move(n)) {}
    PersistableSchema schema() const override { return {"Avatar", 2}; }
    PersistedBytes encode() const override { return {name.begin(), name.end()}; }
    static StoredAvatar decode(std::span<const std::uint8_t> bytes) { return StoredAvatar({bytes.begin(), bytes.end()}); }
};
struct StoredSetting final : Persistable {
    PersistableSchema schema() const override { return {"Setting", 1}; }
    PersistedBytes encode() const override { return {}; }
};

TEST(InMemoryPersistentStoreTest, SavesLoadsListsAndRemovesBySchema) {
    InMemoryPersistentStore store;
    store.save("b", StoredAvatar("Fox")), store.save("a", StoredAvatar("Owl")), store.save("s", StoredSetting());
    store.save("b", StoredAvatar("Heron"));  // replaces
    const auto heron = store.load("b");
    ASSERT_TRUE(heron.has_value());
    EXPECT_EQ(heron->schema, (PersistableSchema{"Avatar", 2}));
    EXPECT_EQ(heron->bytes, (PersistedBytes{'H', 'e', 'r', 'o', 'n'}));
    EXPECT_EQ(store.loadRecord<StoredAvatar>("a")->name, "Owl");
    EXPECT_EQ(store.keys("Avatar"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store.keys("Setting"), std::vector<std::string>{"s"});

    EXPECT_TRUE(store.remove("a"));
    EXPECT_FALSE(store.remove("a"));
    EXPECT_FALSE(store.loadRecord<StoredAvatar>("a").has_value());
    EXPECT_EQ(store.keys("Avatar"), std::vector<std::string>{"b"});
}

constexpr NotificationName otherName{"somethingElse"};

TEST(NotificationCenterTest, DeliversNameAndUserInfoToObserversOfThatNameInOrder) {
    NotificationCenter center;
    std::vector<std::string> calls;
    auto first = center.addObserver(NotificationName::watchlistUpdated, [&](const Notification& n) {
        EXPECT_FALSE(n.object.has_value());
        calls.push_back(std::string(n.name.rawValue()) + " " +
                        (std::any_cast<bool>(n.userInfo.at(NotificationUserInfoKey::isAdd)) ? "add " : "remove ") +
                        std::any_cast<std::string>(n.userInfo.at(NotificationUserInfoKey::with)));
    });
    auto second = center.addObserver(NotificationName::watchlistUpdated, [&](const Notification&) { calls.push_back("second"); });
    auto other = center.addObserver(otherName, [&](const Notification&) { calls.push_back("other"); });
    center.post(NotificationName::watchlistUpdated, {},
                {{NotificationUserInfoKey::source, std::string("{}")}, {NotificationUserInfoKey::isAdd, false},
                 {NotificationUserInfoKey::with, std::string("detailsPage")}});
    EXPECT_EQ(calls, (std::vector<std::string>{"watchlistUpdated remove detailsPage", "second"}));
}

TEST(NotificationCenterTest, RemovalTakesEffectImmediatelyIncludingDuringAPost) {
    NotificationCenter center;
    std::vector<std::string> calls;
    ObservationToken self, later;
    self = center.addObserver(otherName, [&](const Notification&) {
        calls.push_back("self");
        self.cancel();   // removes itself while being called
        later.cancel();  // and an observer this post has not reached yet
    });
    later = center.addObserver(otherName, [&](const Notification&) { calls.push_back("later"); });
    auto kept = center.addObserver(otherName, [&](const Notification&) { calls.push_back("kept"); });
    (void)center.addObserver(otherName, [&](const Notification&) { calls.push_back("dropped token"); });
    center.post(otherName);
    center.post(otherName);
    EXPECT_FALSE(self.active());
    // Reassigning a token removes the observer it held.
    kept = center.addObserver(otherName, [&](const Notification&) { calls.push_back("replacement"); });
    center.post(otherName);
    EXPECT_EQ(calls, (std::vector<std::string>{"self", "kept", "kept", "replacement"}));

    // Tokens outlive their center safely.
    {
        NotificationCenter shortLived;
        later = shortLived.addObserver(otherName, [](const Notification&) {});
    }
    later.cancel();
    EXPECT_FALSE(later.active());
}

TEST(NotificationCenterTest, RemovalWaitsForACallbackRunningOnAnotherThread) {
    NotificationCenter center;
    std::promise<void> entered;
    std::atomic<bool> finished{false};
    auto token = center.addObserver(otherName, [&](const Notification&) {
        entered.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    });
    std::jthread poster([&] { center.post(otherName); });
    entered.get_future().wait();
    token.cancel();
    EXPECT_TRUE(finished.load()) << "cancel returned while the callback was still running";
}

}  // namespace
}  // namespace vorlane
