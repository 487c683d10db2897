#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Platform/Collections.hpp"
#include "vorlane/Platform/Either.hpp"
#include "vorlane/Platform/Persistence.hpp"
#include "vorlane/Platform/TimeInterval.hpp"

namespace vorlane {
namespace {

TEST(BehaviorReaderTest, CopiesMadeBeforeASetReadTheNewValue) {
    BehaviorReader<std::string> host("US");
    const BehaviorReader<std::string> heldByService = host;
    const auto capturedByClosure = [reader = heldByService] { return reader.value(); };
    const auto before = host.snapshot();

    host.set("DE");

    EXPECT_EQ(heldByService.value(), "DE");
    EXPECT_EQ(capturedByClosure(), "DE");
    EXPECT_EQ(*before, "US") << "a snapshot taken earlier keeps the value it saw";
}

TEST(BehaviorReaderTest, ConcurrentReadersOnlyEverSeeWholeValues) {
    // Each value is a run of one repeated letter; a torn read would mix letters.
    BehaviorReader<std::string> reader(std::string(64, 'a'));
    std::atomic<bool> stop{false};
    std::atomic<int> tornReads{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&, copy = reader] {
            while (!stop.load()) {
                const std::string seen = copy.value();
                if (seen.find_first_not_of(seen.front()) != std::string::npos) ++tornReads;
            }
        });
    }
    for (int i = 0; i < 2000; ++i) reader.set(std::string(64 + i % 7, static_cast<char>('a' + i % 26)));
    stop = true;
    for (auto& thread : readers) thread.join();
    EXPECT_EQ(tornReads.load(), 0);
    EXPECT_EQ(reader.value(), std::string(64 + 1999 % 7, static_cast<char>('a' + 1999 % 26)));
}

struct Action {
    virtual ~Action() = default;
};
struct PlaybackAction : Action {
    int id = 0;
    explicit PlaybackAction(int i) : id(i) {}
};
struct LivePlaybackAction : PlaybackAction {
    using PlaybackAction::PlaybackAction;
};
struct TrailerAction : Action {};

TEST(FirstOfTypeTest, FindsTheFirstElementOfTheDynamicTypeOrNothing) {
    using List = std::vector<std::shared_ptr<const Action>>;
    const auto trailer = std::make_shared<const TrailerAction>();
    const auto live = std::make_shared<const LivePlaybackAction>(1);
    const auto plain = std::make_shared<const PlaybackAction>(2);

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

    using Mixed = Either<std::string, int>;
    const auto right = Mixed::fromRight(7);
    EXPECT_FALSE(right.isLeft());
    EXPECT_EQ(right.rightIfPresent() ? *right.rightIfPresent() : 0, 7);
    EXPECT_EQ(right.leftIfPresent(), nullptr);
    EXPECT_THROW((void)right.left(), std::bad_variant_access);

    struct NoEquality {};
    static_assert(!std::equality_comparable<Either<NoEquality, int>>);
    static_assert(std::equality_comparable<Mixed>);
}

TEST(AspectRatioTest, TextFormIsTheRatioKey) {
    const std::vector<std::pair<double, std::string>> cases{
        {Ratio::one, "1.00"},
        {Ratio::three, "3.00"},
        {Ratio::eighty, "0.80"},
        {Ratio::fourByThree, "1.33"},
        {Ratio::sixteenByNine, "1.78"},
        {Ratio::threeThirtyTwo, "3.32"},
        {Ratio::threeNinetyOne, "3.91"},
        {Ratio::fourSixOne, "4.61"},
        {2.0 / 3.0, "0.67"},
        {1.775, "1.77"},  // stored just below 1.775
        {0.705, "0.70"},  // stored just below 0.705
        {0.125, "0.12"},  // an exact tie rounds to even, as printf does
        {1280.0 / 720.0, "1.78"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& [ratio, expected] : cases) EXPECT_EQ(asString(ratio), expected) << ratio;
    EXPECT_EQ(asString(std::numeric_limits<double>::max()).size(), 309u + 3u);
}

TEST(AspectRatioTest, ParsesDecimalsAndWidthToHeight) {
    struct Case {
        std::string text;
        std::optional<double> expected;
    };
    const std::vector<Case> cases{
        {"16:9", 16.0 / 9.0}, {"1.78", 1.78}, {"4:3", 4.0 / 3.0}, {"2.39:1", 2.39}, {"0.8", 0.8}, {".5", 0.5},
        {"0:1", std::nullopt}, {"1:0", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
        {"-1", std::nullopt}, {"0", std::nullopt}, {"16:", std::nullopt}, {":9", std::nullopt},
        {"16:9:1", std::nullopt}, {"-16:-9", std::nullopt}, {" 1.78", std::nullopt}, {"1.78x", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e400", std::nullopt}, {"1e300:1e-300", std::nullopt},
        {"1e-300:1e300", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        const auto parsed = parseAspectRatio(text);
        ASSERT_EQ(parsed.has_value(), expected.has_value()) << '"' << text << '"';
        if (expected) {
            EXPECT_DOUBLE_EQ(*parsed, *expected) << text;
        }
    }
    EXPECT_EQ(asString(*parseAspectRatio("16:9")), asString(Ratio::sixteenByNine));
}

TEST(TimeIntervalTest, SecondsBecomeClampedRoundedIntervals) {
    using std::chrono::nanoseconds;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, nanoseconds>> cases{
        {0.5, std::chrono::milliseconds(500)},
        {0.1, std::chrono::milliseconds(100)},
        {2.0, std::chrono::seconds(2)},
        {1.5e-9, nanoseconds(2)},
        {1e-10, nanoseconds(0)},
        {0.0, nanoseconds(0)},
        {-1.0, nanoseconds(0)},
        {nan, nanoseconds(0)},
        {-inf, nanoseconds(0)},
        {inf, kMaximumInterval},
        {1e300, kMaximumInterval},
        {1e10, kMaximumInterval},
    };
    for (const auto& [seconds, expected] : cases) EXPECT_EQ(secondsToInterval(seconds), expected) << seconds;
    // Adding the cap to the current time must not overflow.
    EXPECT_GT(std::chrono::system_clock::now() + kMaximumInterval, std::chrono::system_clock::now());
}

struct StoredAvatar final : Persistable {
    std::string name;
    explicit StoredAvatar(std::string n) : name(std::move(n)) {}
    PersistableSchema schema() const override { return {"Avatar", 2}; }
    PersistedBytes encode() const override { return {name.begin(), name.end()}; }
    static StoredAvatar decode(std::span<const std::uint8_t> bytes) {
        if (bytes.empty()) throw std::runtime_error("empty avatar");
        return StoredAvatar(std::string(bytes.begin(), bytes.end()));
    }
};
static_assert(PersistableRecord<StoredAvatar>);

struct StoredSetting final : Persistable {
    PersistableSchema schema() const override { return {"Setting", 1}; }
    PersistedBytes encode() const override { return {}; }
};

TEST(InMemoryPersistentStoreTest, SavesLoadsListsAndRemovesBySchema) {
    InMemoryPersistentStore store;
    PersistentStore& interface = store;
    interface.save("b", StoredAvatar("Fox"));
    interface.save("a", StoredAvatar("Owl"));
    interface.save("s", StoredSetting());
    interface.save("b", StoredAvatar("Heron"));  // replaces

    const auto heron = interface.load("b");
    ASSERT_TRUE(heron.has_value());
    EXPECT_EQ(heron->schema, (PersistableSchema{"Avatar", 2}));
    EXPECT_EQ(heron->bytes, (PersistedBytes{'H', 'e', 'r', 'o', 'n'}));
    EXPECT_EQ(interface.loadRecord<StoredAvatar>("a")->name, "Owl");
    EXPECT_EQ(interface.keys("Avatar"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(interface.keys("Setting"), std::vector<std::string>{"s"});
    EXPECT_THROW((void)interface.loadRecord<StoredAvatar>("s"), std::runtime_error);

    EXPECT_TRUE(interface.remove("a"));
    EXPECT_FALSE(interface.remove("a"));
    EXPECT_FALSE(interface.load("a").has_value());
    EXPECT_FALSE(interface.loadRecord<StoredAvatar>("a").has_value());
    EXPECT_EQ(interface.keys("Avatar"), std::vector<std::string>{"b"});
}

}  // namespace
}  // namespace vorlane
