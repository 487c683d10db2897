// Milestones: the 32 milestone-type wire strings, times whose type never fails, lenient
// time lists, start times from the first offset time only, chronological order and the
// occurrences of a type in a dictionary whose keys stay strings.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Playback/Milestone.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;
using Type = Milestone::MilestoneType;
using TimeType = Milestone::MilestoneTimeType;

Milestone milestone(std::string id, std::vector<Milestone::MilestoneTime> times) { return {std::move(id), std::move(times)}; }
Milestone at(std::string id, std::int64_t millis) { return milestone(std::move(id), {{millis, TimeType::offset}}); }

std::vector<std::string> ids(const std::vector<Milestone>& list) {
    std::vector<std::string> out;
    for (const auto& m : list) out.push_back(m.id);
    return out;
}

TEST(MilestoneVocabularies, TypesHaveTheirExactWireStringsAndTimeTypesNeverFail) {
    expectWireStrings<Type>({"up_next", "intro_start", "intro_end", "recap_start", "recap_end", "tag_start", "tag_end",
                             "clip_start", "clip_end", "thumbnail_frame", "BROADCAST_START", "BROADCAST_END", "FFOC",
                             "LFOC", "FFTC", "LFTC", "FFOI", "LFOI", "FFOB", "LFOB", "FFEC", "LFEC", "FFMC", "LFMC",
                             "FFER", "LFER", "FFEI", "LFEI", "FFUN", "LFUN", "FFCB", "LFCB"});
    // Case-sensitive, and the ratings-slate and next-preview codes do not follow the case names.
    expectRejected<Type>({"ffec", "UP_NEXT", "broadcast_start", "FFRS", "FFNP", "upNext", ""});

    expectWireStrings<TimeType>({"offset", "unknown"});
    for (const char* text : {R"("OFFSET")", R"("chapter")", R"("")", "0", "true", "null", "{}", "[]"})
        EXPECT_EQ(json::decode<TimeType>(text), TimeType::unknown) << text;
    // Constructing from a raw value stays strict.
    EXPECT_EQ(json::fromWireString<TimeType>("unknown"), TimeType::unknown);
    EXPECT_EQ(json::fromWireString<TimeType>("Offset"), std::nullopt);
}

TEST(Milestone, DecodesWithFailingTimesDroppedAndFailsWithoutIdOrTimes) {
    expectDecodes<Milestone>({
        {R"({"id":"m","milestoneTime":[{"startMillis":5,"type":"offset"}]})", at("m", 5)},
        // The type key must be there, but any value reads (a non-offset one as unknown).
        {R"({"id":"m","milestoneTime":[{"startMillis":1,"type":null},{"startMillis":2,"type":"Offset"}]})",
         milestone("m", {{1, TimeType::unknown}, {2, TimeType::unknown}})},
        // Times without "type", without or with a non-integer "startMillis" are dropped, in order.
        {R"({"id":"m","milestoneTime":[{"startMillis":1},{"type":"offset"},{"startMillis":"3","type":"offset"},)"
         R"({"startMillis":4.5,"type":"offset"},{"startMillis":6,"type":"offset"},{"startMillis":-7,"type":"unknown"}]})",
         milestone("m", {{6, TimeType::offset}, {-7, TimeType::unknown}})},
        {R"({"id":"m","milestoneTime":[]})", milestone("m", {})},
        {R"({"milestoneTime":[]})", Failure{ErrorKind::keyNotFound, "id"}},
        {R"({"id":"m"})", Failure{ErrorKind::keyNotFound, "milestoneTime"}},
        {R"({"id":"m","milestoneTime":{}})", Failure{ErrorKind::typeMismatch, "milestoneTime"}},
    });
    json::Diagnostics diagnostics;
    json::decode<Milestone>(R"({"id":"m","milestoneTime":[{"startMillis":1},{"startMillis":2,"type":"offset"}]})", {},
                            &diagnostics);
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics.entries()[0].path, "milestoneTime[0]");
}

TEST(Milestone, StartsAtItsFirstOffsetTimeOnly) {
    const struct {
        Milestone milestone;
        std::optional<std::int64_t> millis;
        std::optional<double> seconds;
    } rows[] = {
        {milestone("m", {{100, TimeType::unknown}, {200, TimeType::offset}}), 200, 0.2},
        {milestone("m", {{1500, TimeType::offset}, {900, TimeType::offset}}), 1500, 1.5},
        {milestone("m", {{0, TimeType::offset}}), 0, 0.0},
        {milestone("m", {{100, TimeType::unknown}}), std::nullopt, std::nullopt},
        {milestone("m", {}), std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(json::encode(row.milestone));
        EXPECT_EQ(row.milestone.startMilliseconds(), row.millis);
        EXPECT_EQ(row.milestone.startSeconds(), row.seconds);
    }
}

TEST(Milestone, ChronologicalKeepsTimedMilestonesEarliestFirst) {
    const std::vector<Milestone> list = {at("late", 9000), milestone("untimed", {{50, TimeType::unknown}}),
                                         at("early", 1000), milestone("empty", {}), at("middle", 5000)};
    EXPECT_EQ(ids(chronological(list)), (std::vector<std::string>{"early", "middle", "late"}));
    EXPECT_TRUE(chronological({milestone("empty", {})}).empty());
}

TEST(MilestoneDictionary, FindsMilestonesByTypeAndTheirFirstAndLatestOccurrence) {
    const auto dictionary = json::decode<MilestoneDictionary>(testData("playback/milestones.json"), json::DecoderSettings::iso8601());
    // Keys that name no type stay, reachable by their string; a dictionary writes back its keys.
    EXPECT_NE(dictionary.find("ffec"), nullptr);
    EXPECT_NE(dictionary.find("chapter_start"), nullptr);
    EXPECT_EQ(JsonValue::parse(json::encode(dictionary)), JsonValue::parse(testData("playback/milestones.json")));

    EXPECT_EQ(ids(milestones(dictionary, Type::introStart)), (std::vector<std::string>{"i9", "i1", "i5"}));
    EXPECT_EQ(firstOccurrence(dictionary, Type::introStart), at("i1", 1000));
    EXPECT_EQ(latestOccurrence(dictionary, Type::introStart), at("i9", 9000));
    // "ffec" is not FFEC: no list, no occurrences.
    EXPECT_TRUE(milestones(dictionary, Type::firstFrameOfEndCredits).empty());
    EXPECT_EQ(firstOccurrence(dictionary, Type::firstFrameOfEndCredits), std::nullopt);
    EXPECT_EQ(latestOccurrence(dictionary, Type::firstFrameOfEndCredits), std::nullopt);
    // A list whose milestones have no offset time is returned, but has no occurrence.
    EXPECT_EQ(milestones(dictionary, Type::upNext).size(), 2u);
    EXPECT_EQ(firstOccurrence(dictionary, Type::upNext), std::nullopt);
    EXPECT_EQ(latestOccurrence(dictionary, Type::upNext), std::nullopt);
    // On equal start times the occurrences are the ends of `chronological`, whatever its tie order.
    const auto& tied = milestones(dictionary, Type::recapStart);
    EXPECT_EQ(firstOccurrence(dictionary, Type::recapStart), chronological(tied).front());
    EXPECT_EQ(latestOccurrence(dictionary, Type::recapStart), chronological(tied).back());

    // A milestone that fails fails the dictionary; a time that fails is only dropped.
    EXPECT_EQ(decodeFailure<MilestoneDictionary>(R"({"FFEC":[{"id":"a","milestoneTime":[]},{"milestoneTime":[]}]})").path(),
              "FFEC[1].id");
}

}  // namespace
}  // namespace vorlane
