// Refresh records: the policy vocabulary, reading and writing, the values in effect for an
// unknown policy, and the staleness test at its time boundaries (on a controlled clock).

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace std::chrono_literals;
using namespace jsontesting;
using Policy = RefreshPolicyCase;

// A clock that only moves when the test moves it.
struct ManualClock {
    RefreshClock::time_point time = RefreshClock::time_point{} + 1000h;
    RefreshClock::Override override{[this] { return time; }};
};

TEST(ExploreRefreshTest, PolicyWireStringsAndRecordKeys) {
    expectWireStrings<Policy, RefreshPolicy>({"on_playback_action", "on_ttl", "session", "search"});
    const std::string text = R"({"policy":"session","ttlSeconds":300})";
    EXPECT_EQ(json::decode<ExploreRefresh>(text), ExploreRefresh(Policy::session, 300));
    EXPECT_EQ(json::encode(ExploreRefresh(Policy::session, 300)), text);
    expectDecodes<ExploreRefresh>({
        {R"({"ttlSeconds":null,"policy":"On_TTL"})", ExploreRefresh(RefreshPolicy::other("On_TTL"))},
        {R"({"ttlSeconds":300})", Failure{ErrorKind::keyNotFound, "policy"}},
        {R"({"policy":null})", Failure{ErrorKind::valueNotFound, "policy"}},
        {R"({"policy":"on_ttl","ttlSeconds":"300"})", Failure{ErrorKind::typeMismatch, "ttlSeconds"}},
        {R"({"policy":"on_ttl","ttlSeconds":1.5})", Failure{ErrorKind::dataCorrupted, "ttlSeconds"}},
        {"null", Failure{ErrorKind::valueNotFound, "(root)"}},
    });
    EXPECT_EQ(json::encode(ExploreRefresh(RefreshPolicy::other("On_TTL"))), R"({"policy":"On_TTL"})");
}

TEST(ExploreRefreshTest, UnknownPolicyReadsAsTtlOfZero) {
    using TTL = std::optional<std::int64_t>;
    // raw policy and time to live, then the values in effect
    const std::vector<std::tuple<RefreshPolicy, TTL, Policy, TTL>> rows = {
        {Policy::onPlaybackAction, std::nullopt, Policy::onPlaybackAction, std::nullopt},
        {Policy::session, 60, Policy::session, 60},
        {RefreshPolicy::other("weekly"), std::nullopt, Policy::onTTL, 0}, {RefreshPolicy::other(""), 600, Policy::onTTL, 0}};
    for (const auto& [raw, rawTtl, policy, ttl] : rows) {
        const ExploreRefresh refresh(raw, rawTtl);
        EXPECT_EQ(refresh.policy(), policy) << raw.rawValue();
        EXPECT_EQ(refresh.ttlSeconds(), ttl) << raw.rawValue();
        EXPECT_EQ(refresh.rawPolicy, raw) << "the raw policy keeps what was sent";
    }
}

TEST(ExploreRefreshTest, NeedsRefreshAtTimeBoundaries) {
    // document, time since it was read, session reset, playback happened, stale
    const char* ttl300 = R"({"policy":"on_ttl","ttlSeconds":300})";
    const char* playback = R"({"policy":"on_playback_action"})";
    const char* session = R"({"policy":"session"})";
    const char* hourly = R"({"policy":"hourly"})";
    const std::vector<std::tuple<const char*, std::chrono::nanoseconds, bool, bool, bool>> rows = {
        // A time to live: exactly the limit is fresh, a moment past it is stale, in either direction.
        {ttl300, 0s, false, false, false}, {ttl300, 300s, false, false, false}, {ttl300, 300s + 1ms, false, false, true},
        {ttl300, -(300s + 1ms), false, false, true}, {ttl300, 10s, true, false, true}, {ttl300, 10s, false, true, false},
        {R"({"policy":"on_ttl"})", 1000h, false, true, false}, {R"({"policy":"on_ttl","ttlSeconds":0})", 1ns, false, false, true},
        // Playback makes only the playback policy stale; a reset makes every policy stale.
        {playback, 1000h, false, false, false}, {playback, 0s, false, true, true},
        {R"({"policy":"on_playback_action","ttlSeconds":60})", 61s, false, false, true},
        {session, 1000h, false, true, false}, {session, 0s, true, false, true},
        // An unknown policy is stale as soon as any time passes, whatever time to live it names.
        {hourly, 0s, false, false, false}, {hourly, 1ms, false, false, true},
        {R"({"policy":"hourly","ttlSeconds":3600})", 1s, false, false, true},
        {hourly, 0s, false, true, false}, {hourly, 0s, true, false, true},
    };
    for (const auto& [text, elapsed, sessionReset, playbackHappened, expected] : rows) {
        ManualClock clock;
        const auto refresh = json::decode<ExploreRefresh>(text);
        clock.time += elapsed;
        EXPECT_EQ(refresh.needsRefresh(sessionReset, playbackHappened), expected)
            << text << " after " << elapsed.count() << " ns, reset " << sessionReset << ", playback "
            << playbackHappened;
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
