// Numbers, booleans, ordered maps, vocabularies and dates as the generic codecs read them.

#include "JsonTestSupport.hpp"

#include <gtest/gtest.h>

namespace vorlane::jsonvaluetests {
enum class Shade { light, dark, highContrast };  // closed
enum class Layout { grid, list, unknown };       // closed, unknown text reads as `unknown`
enum class Badge { live, upcoming, other };      // open, `other` holds unknown text

constexpr auto jsonVocabulary(json::Tag<Shade>) {
    using enum Shade;
    return json::vocabulary<Shade>("Shade", {{light, "light"}, {dark, "dark"}, {highContrast, "high_contrast"}});
}
constexpr auto jsonVocabulary(json::Tag<Layout>) {
    using enum Layout;
    return json::vocabulary<Layout>("Layout", {{grid, "grid"}, {list, "list"}, {unknown, "unknown"}}).unknownAs(unknown);
}
constexpr auto jsonVocabulary(json::Tag<Badge>) {
    using enum Badge;
    return json::vocabulary<Badge>("Badge", {{live, "live"}, {upcoming, "upcoming"}}).catchAll(other);
}
}  // namespace vorlane::jsonvaluetests

namespace vorlane::jsonvaluetests {
namespace {

using namespace jsontesting;
using namespace std::chrono;

const Failure corrupted{ErrorKind::dataCorrupted, "(root)"};
const Failure mismatch{ErrorKind::typeMismatch, "(root)"};
const Failure null{ErrorKind::valueNotFound, "(root)"};

TEST(JsonNumbers, IntegersAreRangeCheckedWholeDoublesAcceptedAndOnlyBooleansAreBooleans) {
    using Int64 = std::numeric_limits<std::int64_t>;
    expectDecodes<std::int64_t>({
        {"9223372036854775807", Int64::max()}, {"-9223372036854775808", Int64::min()},
        {"9223372036854775808", corrupted}, {"12.0", 12}, {"-3e2", -300}, {"12.5", corrupted}, {"1e19", corrupted},
        // Past 2^53 a double is not the number written: these would read as the minimum.
        {"9007199254740992.0", 9007199254740992}, {"-9223372036854775809", corrupted},
        {"-9223372036854775809.5", corrupted}, {R"("12")", mismatch}, {"null", null},
    });
    expectDecodes<std::uint64_t>({{"18446744073709551615", std::numeric_limits<std::uint64_t>::max()},
                                  {"9223372036854775808", std::uint64_t{1} << 63}, {"-1", corrupted}, {"-0.5", corrupted}});
    expectDecodes<std::int32_t>({{"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<std::int32_t>::min()},
                                 {"2147483648", corrupted}, {"-2147483649", corrupted}});
    expectDecodes<std::uint16_t>({{"65535", std::uint16_t{65535}}, {"65536", corrupted}});
    expectDecodes<double>({{"3", 3.0}, {"-9223372036854775808", -9223372036854775808.0},
                           {"18446744073709551615", 18446744073709551615.0}, {R"("1.5")", mismatch}});
    expectDecodes<bool>({{"true", true}, {"false", false}, {R"("true")", mismatch}, {"1", mismatch}, {"null", null}});
}

TEST(JsonMaps, KeepDocumentOrderLetTheLastDuplicateWinAndCompareWithoutOrder) {
    auto keysOf = [](const OrderedMap<int>& map) {
        std::vector<std::string> keys;
        for (const auto& entry : map) keys.push_back(entry.first);
        return keys;
    };
    auto map = json::decode<OrderedMap<int>>(R"({"zeta":1,"alpha":2,"mid":3})");
    EXPECT_EQ(keysOf(map), (std::vector<std::string>{"zeta", "alpha", "mid"}));
    EXPECT_EQ(json::encode(map), R"({"zeta":1,"alpha":2,"mid":3})");

    auto repeated = json::decode<OrderedMap<int>>(R"({"a":1,"b":2,"a":3})");
    EXPECT_EQ(keysOf(repeated), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(*repeated.find("a"), 3);
    EXPECT_EQ(decodeFailure<OrderedMap<int>>(R"({"a":1,"b":"2"})").path(), "b");
    // As in records, only the last occurrence of a key is read: an earlier one may be anything.
    EXPECT_EQ(json::encode(json::decode<OrderedMap<int>>(R"({"a":"x","b":2,"a":3})")), R"({"a":3,"b":2})");
    EXPECT_EQ(json::encode(json::decode<OrderedMap<std::vector<int>>>(R"({"a":{},"a":[1]})")), R"({"a":[1]})");

    const OrderedMap<int> ab{{"a", 1}, {"b", 2}};
    EXPECT_EQ(ab, (OrderedMap<int>{{"b", 2}, {"a", 1}}));
    EXPECT_NE(ab, (OrderedMap<int>{{"a", 1}, {"b", 3}}));
    EXPECT_NE(ab, (OrderedMap<int>{{"a", 1}}));
    EXPECT_NE(ab, (OrderedMap<int>{{"a", 1}, {"b", 2}, {"c", 3}}));
}

TEST(JsonVocabularies, ClosedRejectOrFallBackAndOpenKeepUnknownText) {
    expectWireStrings<Shade>({"light", "dark", "high_contrast"});
    expectRejected<Shade>({"dim", "Dark", "highContrast", ""});
    EXPECT_EQ(decodeFailure<Shade>("1").kind(), ErrorKind::typeMismatch);
    // A closed vocabulary with a fallback reads unknown text as the fallback.
    expectDecodes<Layout>({{R"("list")", Layout::list}, {R"("unknown")", Layout::unknown},
                           {R"("Grid")", Layout::unknown}, {"2", mismatch}});

    // An open vocabulary keeps unknown text.
    using Open = json::OpenEnum<Badge>;
    expectWireStrings<Badge, Open>({"live", "upcoming"});
    EXPECT_EQ(json::decode<Open>(R"("live")").rawValue(), "live");
    expectKeptAsCatchAll<Open>({"replay", "Live", ""});
    EXPECT_EQ(json::decode<Open>(R"("replay")"), Open::other("replay"));
    EXPECT_NE(Open::other("replay"), Open::other("rerun"));
    EXPECT_NE(Open::other("live"), Open(Badge::live));
}

const Date may1 = sys_days{2024y / May / 1} + 12h + 30min;

TEST(JsonDates, DecodeAndEncodeRoundTripInBothSettings) {
    expectDecodes<Date>(
        {
            {R"("2024-05-01T12:30:00.5Z")", may1 + 500ms},
            {R"("2024-05-01T12:30:00.123456Z")", may1 + 123ms}, {R"("2024-05-01T14:30:00+02:00")", may1},
            {R"("2024-05-01T07:00:00-0530")", may1}, {R"("2024-02-29T00:00:00Z")", Date{sys_days{2024y / February / 29}}},
            {R"("2023-02-29T00:00:00Z")", corrupted}, {R"("2024-05-01T12:30:00")", corrupted},
            {R"("2024-05-01T24:00:00Z")", corrupted}, {R"("2024-05-01 12:30:00Z")", corrupted},
            {R"("2024-05-01T12:30:00.Z")", corrupted}, {"736259400", mismatch},
        },
        json::DecoderSettings::iso8601());
    // By default, seconds since 2001-01-01.
    const Date reference = sys_days{2001y / January / 1};
    expectDecodes<Date>({{"0", reference}, {"1.5", reference + 1500ms}, {"-86400", reference - 24h}, {"736259400", may1},
                         {R"("2024-05-01T12:30:00Z")", mismatch}, {"1e300", corrupted}});

    // date, ISO 8601 text, seconds since 2001-01-01
    const std::vector<std::tuple<Date, std::string, std::string>> rows = {
        {may1, R"("2024-05-01T12:30:00Z")", "736259400.0"},
        {may1 + 250ms, R"("2024-05-01T12:30:00.250Z")", "736259400.25"},
        {may1 + 7ms, R"("2024-05-01T12:30:00.007Z")", "736259400.007"},
        {sys_days{2000y / December / 31} + 1ms, R"("2000-12-31T00:00:00.001Z")", "-86399.999"},
        {Date{} - 1ms, R"("1969-12-31T23:59:59.999Z")", "-978307200.001"},
    };
    for (const auto& [date, iso, seconds] : rows) {
        EXPECT_EQ(json::encode(date, json::EncoderSettings::iso8601()), iso);
        EXPECT_EQ(json::decode<Date>(iso, json::DecoderSettings::iso8601()), date) << iso;
        EXPECT_EQ(json::encode(date), seconds);
        EXPECT_EQ(json::decode<Date>(seconds), date) << seconds;
    }
}

TEST(JsonDates, WhatEitherSettingReadsTheOtherWritesAndReadsBack) {
    const Date earliest = sys_days{year{0} / January / 1};                  // 0000-01-01T00:00:00Z
    const Date latest = sys_days{year{10000} / January / 1} - 1ms;          // 9999-12-31T23:59:59.999Z
    const auto iso = json::DecoderSettings::iso8601();
    // text, settings, decoded date (absent: refused)
    struct Row { std::string text; json::DecoderSettings settings; std::optional<Date> expected; };
    const Row rows[] = {
        {R"("0000-01-01T00:00:00Z")", iso, earliest},
        {R"("0000-01-01T01:00:00+01:00")", iso, earliest},
        {R"("0000-01-01T00:59:59.999+01:00")", iso, std::nullopt},  // the year before 0000 in UTC
        {R"("9999-12-31T23:59:59.999Z")", iso, latest},
        {R"("9999-12-31T22:59:59.999-01:00")", iso, latest},
        {R"("9999-12-31T23:59:59-01:00")", iso, std::nullopt},  // 10000 in UTC
        {R"("9999-12-31T23:30:00+01:00")", iso, sys_days{year{9999} / December / 31} + 22h + 30min},
        {"-63145526400", {}, earliest},
        {"-63145526400.001", {}, std::nullopt},
        {"252423993599.999", {}, latest},
        {"252423993600", {}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        if (!row.expected) {
            auto error = thrownDecodingError([&] { json::decode<Date>(row.text, row.settings); });
            EXPECT_EQ(error.kind(), ErrorKind::dataCorrupted) << error.what();
            continue;
        }
        const Date date = json::decode<Date>(row.text, row.settings);
        EXPECT_EQ(date, *row.expected);
        for (const auto& settings : {iso, json::DecoderSettings{}}) {
            const std::string written = json::encode(date, json::EncoderSettings{settings.dates});
            EXPECT_EQ(json::decode<Date>(written, settings), date) << written;
        }
    }
    for (const Date outside : {earliest - 1ms, latest + 1ms})
        for (const auto& settings : {json::EncoderSettings::iso8601(), json::EncoderSettings{}})
            EXPECT_THROW(json::encode(outside, settings), json::EncodingError);
}

}  // namespace
}  // namespace vorlane::jsonvaluetests
