// Logging, warnings and the error tracker; then the platform's small parts: the behavior reader,
// aspect ratios, time intervals and notifications.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Logger.hpp"
#include "vorlane/Platform/Notifications.hpp"
#include "vorlane/Platform/TimeInterval.hpp"
#include "vorlane/Tracking/SentryTracker.hpp"

#include <gtest/gtest.h>

#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <sstream>
#include <thread>

namespace vorlane {
namespace {

// Sends what the library's loggers print to a string for the life of the object, at `threshold`.
struct PrintedOutput {
    const LogLevel previous = Log::level();
    std::ostringstream stream;
    std::shared_ptr<spdlog::sinks::ostream_sink_st> sink = std::make_shared<spdlog::sinks::ostream_sink_st>(stream);

    explicit PrintedOutput(LogLevel threshold) {
        sink->set_pattern("%n|%l|%v|%s:%#|%!");
        for (const char* name : {"content", "shared", "kit"}) spdlog::get(name)->sinks().push_back(sink);
        Log::setLevel(threshold);
    }
    ~PrintedOutput() {
        Log::setLevel(previous);
        for (const char* name : {"content", "shared", "kit"}) std::erase(spdlog::get(name)->sinks(), sink);
    }
    std::string text() const { return stream.str(); }
};

TEST(LogTest, PrintsVerbatimWithSourceAboveTheThresholdAndCapturesEverything) {
    LogCapture capture;
    {
        PrintedOutput output(LogLevel::info);
        Log::content.debug("hidden debug", "f()", 1);
        Log::content.error("shown {} braces %s", "Thing.cpp", "load()", 42);
        EXPECT_EQ(output.text(), "content|error|shown {} braces %s|Thing.cpp:42|load()\n");
    }
    EXPECT_EQ(capture.size(), 2u) << "the threshold limits printing, not capturing";
    PrintedOutput output(LogLevel::debug);
    Log::shared.debug("now shown", "f()", 1);
    EXPECT_NE(output.text().find("shared|debug|now shown|"), std::string::npos) << output.text();
}

TEST(LoggerTest, WarningsCarryTheirFieldsAndPrintThroughKit) {
    WarningCapture capture;
    {
        PrintedOutput output(LogLevel::warning);
        Logger::warn("ExplorePage(id: 7)", "unknown style", {{"style", "grid"}, {"fallback", "standard"}}, 88,
                     "ExplorePage.cpp", "effectivePageStyle");
        EXPECT_EQ(output.text(), "kit|warning|ExplorePage(id: 7): unknown style [style=grid, fallback=standard]|"
                                 "ExplorePage.cpp:88|effectivePageStyle\n");
    }
    ASSERT_EQ(capture.size(), 1u);
    EXPECT_EQ(capture.entries()[0], (Warning{"ExplorePage(id: 7)", "unknown style",
                                             {{"style", "grid"}, {"fallback", "standard"}}, 88, "ExplorePage.cpp",
                                             "effectivePageStyle"}));

    LogCapture logEntries;
    Logger::warn("subject", "no info");
    EXPECT_EQ(capture.entries()[1].info, WarningInfo{});
    EXPECT_TRUE(capture.entries()[1].file.ends_with("LogTest.cpp"));
    EXPECT_EQ(logEntries.size(), 0u) << "warnings are not Log entries";
}

class RecordingSink : public ErrorEventSink {
public:
    void capture(const ErrorEvent& event) override { events.push_back(event); }
    std::vector<ErrorEvent> events;
};

SentryConfig config(bool enabled, double rate) {
    SentryConfig c;
    c.isEnabled = !enabled;  // the gate is the non-fatal flag alone
    c.dsn = "https://key@host.invalid/1";
    c.enableNonFatalErrorLogging = enabled;
    c.nonFatalErrorLoggingSampleRate = rate;
    return c;
}

// Sends one report for each draw 0..99 and counts the events sent.
int eventsOverAllDraws(double rate, bool enabled = true) {
    auto sink = std::make_shared<RecordingSink>();
    int draw = 0;
    SentryTracker tracker(BehaviorReader(config(enabled, rate)), sink, [&] { return draw; });
    for (draw = 0; draw < 100; ++draw) tracker.logNonFatalError("m", {"k", "v"}, {});
    return static_cast<int>(sink->events.size());
}

TEST(SentryConfig, AllEightFieldsAreRequired) {
    jsontesting::expectEveryKeyRequired<SentryConfig>(JsonValue::parse(R"({"isEnabled":true,"dsn":"d",
        "enableAutoSessionTracking":false,"sampleRate":0.5,"tracesSampleRate":0.1,"enableNonFatalErrorLogging":true,
        "nonFatalErrorLoggingSampleRate":0.25,"featureFlagErrorLoggingEnabled":false})"));
}

TEST(SentryTracker, SendsOnlyDrawsBelowTheRateTimesHundredTruncated) {
    const double inf = std::numeric_limits<double>::infinity();
    // rate, threshold, events sent for the draws 0..99
    const std::tuple<double, long long, int> rows[] = {
        {0.0, 0, 0}, {1.0, 100, 100}, {0.25, 25, 25}, {0.259, 25, 25}, {0.999, 99, 99}, {0.01, 1, 1},
        {-0.5, -50, 0}, {inf, 100, 100}, {-inf, 0, 0}, {std::nan(""), 100, 100}, {1e300, 100, 100}, {-1e300, 0, 0}};
    for (const auto& [rate, threshold, sent] : rows) {
        SCOPED_TRACE(rate);
        EXPECT_EQ(samplingThreshold(rate), threshold);
        EXPECT_EQ(eventsOverAllDraws(rate), sent);
    }
    EXPECT_EQ(eventsOverAllDraws(1.0, false), 0);
}

TEST(SentryTracker, EventCarriesMessageTagsAndExtrasAtInfoLevel) {
    auto sink = std::make_shared<RecordingSink>();
    SentryTracker tracker(BehaviorReader(config(true, 1.0)), sink, [] { return 99; });
    tracker.logNonFatalError("Region not found", {"regionWasEmpty", "true"}, {{"currentCountry", ""}});
    tracker.logNonFatalError("Region not found", StringDictionary{{"regionWasEmpty", "true"}}, {{"currentCountry", ""}});
    tracker.logNonFatalError("empty", StringDictionary{}, {});

    const ErrorEvent region{ErrorEventLevel::info, "Region not found", {{"regionWasEmpty", "true"}}, {{"currentCountry", ""}}};
    EXPECT_EQ(sink->events, (std::vector<ErrorEvent>{region, region, {ErrorEventLevel::info, "empty", {}, {}}}));
}

TEST(SentryTracker, SecureDrawStaysInRangeAndDefaultSinkLogs) {
    for (int i = 0; i < 2000; ++i) {
        const int draw = secureRandomPercent();
        ASSERT_TRUE(draw >= 0 && draw <= 99) << draw;
    }

    LogCapture capture;
    SentryTracker tracker(BehaviorReader(config(true, 1.0)));
    tracker.logNonFatalError("logged report", {"k", "v"}, {{"x", "y"}});
    auto entries = capture.entries();
    ASSERT_EQ(jsontesting::eachOf(entries, &LogEntry::category), std::vector{LogCategory::shared});
    EXPECT_NE(entries[0].message.find("logged report"), std::string::npos);
    EXPECT_NE(entries[0].message.find(R"({"k":"v"})"), std::string::npos);
}

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

}  // namespace
}  // namespace vorlane
