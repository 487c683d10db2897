// Refresh records: the policy vocabulary, reading and writing, the values in effect for an
// unknown policy, and the staleness test at its time boundaries (on a controlled clock).

#include "vorlane/Models/Explore/ExploreRefresh.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {
namespace {

using namespace std::chrono_literals;
using Policy = RefreshPolicyCase;

// A clock that only moves when the test moves it.
class ManualClock {
public:
    RefreshClock::time_point time = RefreshClock::time_point{} + 1000h;

private:
    RefreshClock::Override override_{[this] { return time; }};
};

TEST(ExploreRefreshTest, PolicyWireStringsAndRecordKeys) {
    const std::vector<std::pair<Policy, std::string_view>> policies = {
        {Policy::onPlaybackAction, "on_playback_action"}, {Policy::onTTL, "on_ttl"},
        {Policy::session, "session"},                     {Policy::search, "search"}};
    ASSERT_EQ(std::size(json::allCases<Policy>()), policies.size());
    for (const auto& [policy, wire] : policies) {
        SCOPED_TRACE(wire);
        const std::string text = R"({"policy":")" + std::string(wire) + R"(","ttlSeconds":300})";
        const auto refresh = json::decode<ExploreRefresh>(text);
        EXPECT_EQ(refresh.rawPolicy, policy);
        EXPECT_EQ(refresh.rawTtlSeconds, 300);
        EXPECT_EQ(json::encode(refresh), text);
    }

    const auto unknown = json::decode<ExploreRefresh>(R"({"ttlSeconds":null,"policy":"On_TTL"})");
    EXPECT_EQ(unknown.rawPolicy, RefreshPolicy::other("On_TTL"));
    EXPECT_EQ(unknown.rawTtlSeconds, std::nullopt);
    EXPECT_EQ(json::encode(unknown), R"({"policy":"On_TTL"})");

    const std::vector<std::pair<std::string, json::ErrorKind>> failures = {
        {R"({"ttlSeconds":300})", json::ErrorKind::keyNotFound},
        {R"({"policy":null})", json::ErrorKind::valueNotFound},
        {R"({"policy":"on_ttl","ttlSeconds":"300"})", json::ErrorKind::typeMismatch},
        {R"({"policy":"on_ttl","ttlSeconds":1.5})", json::ErrorKind::dataCorrupted},
        {"null", json::ErrorKind::valueNotFound},
    };
    for (const auto& [text, kind] : failures) {
        SCOPED_TRACE(text);
        try {
            json::decode<ExploreRefresh>(text);
            ADD_FAILURE() << "decoded";
        } catch (const json::DecodingError& error) {
            EXPECT_EQ(error.kind(), kind) << error.what();
        }
    }
}

TEST(ExploreRefreshTest, UnknownPolicyReadsAsTtlOfZero) {
    struct Row {
        RefreshPolicy raw;
        std::optional<std::int64_t> rawTtl;
        RefreshPolicy policy;
        std::optional<std::int64_t> ttl;
    };
    const std::vector<Row> rows = {
        {Policy::onPlaybackAction, std::nullopt, Policy::onPlaybackAction, std::nullopt},
        {Policy::session, 60, Policy::session, 60},
        {Policy::onTTL, 300, Policy::onTTL, 300},
        {RefreshPolicy::other("weekly"), std::nullopt, Policy::onTTL, 0},
        {RefreshPolicy::other(""), 600, Policy::onTTL, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.raw.rawValue()));
        const ExploreRefresh refresh(row.raw, row.rawTtl);
        EXPECT_EQ(refresh.policy(), row.policy);
        EXPECT_EQ(refresh.ttlSeconds(), row.ttl);
        EXPECT_EQ(refresh.rawPolicy, row.raw) << "the raw policy keeps what was sent";
    }
}

TEST(ExploreRefreshTest, NeedsRefreshAtTimeBoundaries) {
    struct Row {
        const char* json;
        std::chrono::nanoseconds elapsed;
        bool sessionReset;
        bool playbackHappened;
        bool expected;
    };
    const std::vector<Row> rows = {
        // A time to live: exactly the limit is fresh, a moment past it is stale, in either direction.
        {R"({"policy":"on_ttl","ttlSeconds":300})", 0s, false, false, false},
        {R"({"policy":"on_ttl","ttlSeconds":300})", 300s, false, false, false},
        {R"({"policy":"on_ttl","ttlSeconds":300})", 300s + 1ms, false, false, true},
        {R"({"policy":"on_ttl","ttlSeconds":300})", -(300s + 1ms), false, false, true},
        {R"({"policy":"on_ttl","ttlSeconds":300})", 10s, true, false, true},
        {R"({"policy":"on_ttl","ttlSeconds":300})", 10s, false, true, false},
        {R"({"policy":"on_ttl"})", 1000h, false, true, false},
        {R"({"policy":"on_ttl","ttlSeconds":0})", 1ns, false, false, true},
        // Playback makes only the playback policy stale; a reset makes every policy stale.
        {R"({"policy":"on_playback_action"})", 1000h, false, false, false},
        {R"({"policy":"on_playback_action"})", 0s, false, true, true},
        {R"({"policy":"on_playback_action"})", 0s, true, false, true},
        {R"({"policy":"on_playback_action","ttlSeconds":60})", 61s, false, false, true},
        {R"({"policy":"session"})", 1000h, false, true, false},
        {R"({"policy":"session"})", 0s, true, false, true},
        {R"({"policy":"search"})", 0s, false, true, false},
        // An unknown policy is stale as soon as any time passes, whatever time to live it names.
        {R"({"policy":"hourly"})", 0s, false, false, false},
        {R"({"policy":"hourly"})", 1ms, false, false, true},
        {R"({"policy":"hourly","ttlSeconds":3600})", 1s, false, false, true},
        {R"({"policy":"hourly"})", 0s, false, true, false},
        {R"({"policy":"hourly"})", 0s, true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.json) + " after " + std::to_string(row.elapsed.count()) + " ns, reset " +
                     std::to_string(row.sessionReset) + ", playback " + std::to_string(row.playbackHappened));
        ManualClock clock;
        const auto refresh = json::decode<ExploreRefresh>(row.json);
        clock.time += row.elapsed;
        EXPECT_EQ(refresh.needsRefresh(row.sessionReset, row.playbackHappened), row.expected);
    }
}

TEST(ExploreRefreshTest, TimeToLiveStartsWhenDecodedOrBuiltAndIsNotPartOfEquality) {
    ManualClock clock;
    const auto first = json::decode<ExploreRefresh>(R"({"policy":"on_ttl","ttlSeconds":300})");
    EXPECT_EQ(first.ttlBegin(), clock.time);
    clock.time += 200s;
    const ExploreRefresh second(Policy::onTTL, 300);
    EXPECT_EQ(second.ttlBegin(), clock.time);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, ExploreRefresh(Policy::onTTL, 301));
    EXPECT_NE(first, ExploreRefresh(Policy::session, 300));

    clock.time += 101s;
    EXPECT_TRUE(first.needsRefresh(false, false));
    EXPECT_FALSE(second.needsRefresh(false, false));
}

}  // namespace
}  // namespace vorlane
