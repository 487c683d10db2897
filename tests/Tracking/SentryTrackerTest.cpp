#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Tracking/SentryTracker.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorlane {
namespace {

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

    ASSERT_EQ(sink->events.size(), 3u);
    EXPECT_EQ(sink->events[0], sink->events[1]);
    EXPECT_EQ(sink->events[0].level, ErrorEventLevel::info);
    EXPECT_EQ(sink->events[0].message, "Region not found");
    EXPECT_EQ(*sink->events[0].tags.find("regionWasEmpty"), "true");
    EXPECT_EQ(*sink->events[0].extras.find("currentCountry"), "");
    EXPECT_TRUE(sink->events[2].tags.empty());
    EXPECT_TRUE(sink->events[2].extras.empty());
}

TEST(SentryTracker, ReadsTheConfigurationAtEveryCall) {
    auto sink = std::make_shared<RecordingSink>();
    BehaviorReader<SentryConfig> reader(config(false, 1.0));
    SentryTracker tracker(reader, sink, [] { return 0; });
    tracker.logNonFatalError("a", {"k", "v"}, {});
    reader.set(config(true, 1.0));
    tracker.logNonFatalError("b", {"k", "v"}, {});
    ASSERT_EQ(sink->events.size(), 1u);
    EXPECT_EQ(sink->events[0].message, "b");
}

TEST(SentryTracker, SecureDrawStaysInRangeAndDefaultSinkLogs) {
    int low = 100, high = -1;
    for (int i = 0; i < 2000; ++i) {
        const int r = secureRandomPercent();
        low = std::min(low, r), high = std::max(high, r);
    }
    EXPECT_GE(low, 0);
    EXPECT_LE(high, 99);
    EXPECT_LT(low, 10);
    EXPECT_GT(high, 89);

    LogCapture capture;
    SentryTracker tracker(BehaviorReader(config(true, 1.0)));
    tracker.logNonFatalError("logged report", {"k", "v"}, {{"x", "y"}});
    auto entries = capture.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].category, LogCategory::shared);
    EXPECT_NE(entries[0].message.find("logged report"), std::string::npos);
    EXPECT_NE(entries[0].message.find(R"({"k":"v"})"), std::string::npos);
}

}  // namespace
}  // namespace vorlane
