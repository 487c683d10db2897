// Numbers, booleans, ordered maps, vocabularies and dates as the generic codecs read them; then the
// writer, and records declared beside their structs.

#include "JsonTestSupport.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

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
    // Entries stay in document order; a repeated key keeps its first place and takes its last value.
    const auto map = json::decode<OrderedMap<int>>(R"({"zeta":1,"alpha":2,"mid":3,"alpha":4})");
    EXPECT_EQ(json::encode(map), R"({"zeta":1,"alpha":4,"mid":3})");
    EXPECT_EQ(map.begin()->first, "zeta");
    EXPECT_EQ(*map.find("alpha"), 4);
    EXPECT_EQ(decodeFailure<OrderedMap<int>>(R"({"a":1,"b":"2"})").path(), "b");
    // As in records, only the last occurrence of a key is read: an earlier one may be anything.
    EXPECT_EQ(json::encode(json::decode<OrderedMap<int>>(R"({"a":"x","b":2,"a":3})")), R"({"a":3,"b":2})");
    EXPECT_EQ(json::encode(json::decode<OrderedMap<std::vector<int>>>(R"({"a":{},"a":[1]})")), R"({"a":[1]})");

    const OrderedMap<int> ab{{"a", 1}, {"b", 2}};
    EXPECT_EQ(ab, (OrderedMap<int>{{"b", 2}, {"a", 1}}));
    for (const OrderedMap<int>& other :
         {OrderedMap<int>{{"a", 1}, {"b", 3}}, OrderedMap<int>{{"a", 1}}, OrderedMap<int>{{"a", 1}, {"b", 2}, {"c", 3}}})
        EXPECT_NE(ab, other) << json::encode(other);
}

TEST(JsonVocabularies, ClosedRejectOrFallBackAndOpenKeepUnknownText) {
    expectClosedVocabulary<Shade>({"light", "dark", "high_contrast"}, {"dim", "Dark", "highContrast", ""});
    EXPECT_EQ(decodeFailure<Shade>("1").kind(), ErrorKind::typeMismatch);
    // A closed vocabulary with a fallback reads unknown text as the fallback.
    expectDecodes<Layout>({{R"("list")", Layout::list}, {R"("unknown")", Layout::unknown},
                           {R"("Grid")", Layout::unknown}, {"2", mismatch}});

    // An open vocabulary keeps unknown text.
    using Open = json::OpenEnum<Badge>;
    expectOpenVocabulary<Badge, Open>({"live", "upcoming"}, {"replay", "Live", ""});
    EXPECT_EQ(json::decode<Open>(R"("live")").rawValue(), "live");
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
        {R"("0000-01-01T00:00:00Z")", iso, earliest}, {R"("0000-01-01T01:00:00+01:00")", iso, earliest},
        {R"("0000-01-01T00:59:59.999+01:00")", iso, std::nullopt},  // the year before 0000 in UTC
        {R"("9999-12-31T23:59:59.999Z")", iso, latest}, {R"("9999-12-31T22:59:59.999-01:00")", iso, latest},
        {R"("9999-12-31T23:59:59-01:00")", iso, std::nullopt},  // 10000 in UTC
        {R"("9999-12-31T23:30:00+01:00")", iso, sys_days{year{9999} / December / 31} + 22h + 30min},
        {"-63145526400", {}, earliest}, {"-63145526400.001", {}, std::nullopt}, {"252423993599.999", {}, latest},
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

// The writer: string escapes, number text, non-finite numbers, record key order, and free-form
// values read and written back.
namespace vorlane::jsonwritertests {

struct Tile {
    std::string title;
    std::optional<std::int64_t> count;
    bool enabled = false;
    std::optional<double> score;
    std::vector<std::string> tags;
    bool operator==(const Tile&) const = default;
};

// Declared neither alphabetically nor in the order the documents below list them.
inline auto jsonFields(json::Tag<Tile>) {
    using namespace json::rules;
    return fields(required("title", &Tile::title), optional("count", &Tile::count), required("enabled", &Tile::enabled),
                  tolerant("score", &Tile::score), defaulted("tags", &Tile::tags));
}

}  // namespace vorlane::jsonwritertests

VORLANE_JSON_DEFINE(vorlane::jsonwritertests::Tile)

namespace vorlane::jsonwritertests {
namespace {

using namespace std::string_literals;

TEST(JsonWriter, EscapesStringsAndKeepsUtf8) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"plain", R"("plain")"}, {R"(say "hi")", R"("say \"hi\"")"}, {R"(C:\dir)", R"("C:\\dir")"},
        {"a\nb\tc\rd\be\ff", R"("a\nb\tc\rd\be\ff")"}, {"\x01\x1f"s + '\0', R"("\u0001\u001f\u0000")"},
        {"/ \x7f", "\"/ \x7f\""}, {"é ☃ 😀", R"("é ☃ 😀")"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(json::encode(text), expected);
        EXPECT_EQ(json::decode<std::string>(expected), text) << expected;
    }
    EXPECT_EQ(json::encode(OrderedMap<int>{{"k\"ey", 1}}), R"({"k\"ey":1})");
    // Text is scanned eight bytes at a time: a special byte at any place of a word, in a word that
    // also holds bytes of 0x80 and above, is still escaped.
    for (const char special : {'"', '\\', '\n', '\x1f', '\0'})
        for (std::size_t at = 2; at < 19; ++at) {
            std::string text = "\xc3\xa9" + std::string(17, 'x');
            text[at] = special;
            EXPECT_EQ(json::decode<std::string>(json::encode(text)), text) << int(special) << " at " << at;
        }
}

TEST(JsonWriter, WritesDoublesThatReadBackExactlyAndKeepWholeNumbersDouble) {
    const std::vector<std::pair<double, std::string>> rows = {
        {12.0, "12.0"}, {0.1, "0.1"}, {-0.5, "-0.5"}, {100.0, "100.0"}, {-0.0, "-0.0"}, {1e21, "1e+21"},
        {1.5e-7, "1.5e-07"}, {1e6, "1000000.0"}, {-2.5e14, "-250000000000000.0"},
        {0.30000000000000004, "0.30000000000000004"}, {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
    };
    for (const auto& [number, expected] : rows) {
        EXPECT_EQ(json::encode(number), expected);
        EXPECT_EQ(json::decode<double>(expected), number) << expected;
    }
    EXPECT_EQ(json::encode(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");

    // Short decimals take a quicker path than the general shortest-text algorithm: both must give
    // the same text, at the edges of that path (0.001, fifteen digits, six fraction digits) and on
    // decimals and bit patterns at random.
    std::vector<double> numbers = {0.001, -0.001, 0.0015, 0.00099, 0.005, 999999999999999.9, 99999999999999.99,
                                   123456.123456, 0.1234567, 1.78, 0.71, 3.91, 7.3, 1e-3 + 1e-18};
    std::mt19937_64 random(5);
    for (int i = 0; i < 40000; ++i) {
        const auto digits = static_cast<std::int64_t>(random() % 10'000'000'000'000'000) >> (i % 50);
        numbers.push_back((i % 2 ? -1.0 : 1.0) * static_cast<double>(digits) / std::pow(10.0, i % 9));
        const std::uint64_t bits = random();
        double fromBits;
        std::memcpy(&fromBits, &bits, sizeof fromBits);
        if (std::isfinite(fromBits)) numbers.push_back(fromBits);
    }
    for (const double number : numbers) {
        if (std::trunc(number) == number) continue;
        char text[40];
        const std::string expected(text, std::to_chars(text, text + sizeof text, number).ptr);
        ASSERT_EQ(json::encode(number), expected.find_first_of(".e") == std::string::npos ? expected + ".0" : expected);
    }
}

TEST(JsonWriter, RefusesNonFiniteNumbersWherever) {
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(json::encode(nan), json::EncodingError);
    EXPECT_THROW(json::encode(-inf), json::EncodingError);
    EXPECT_THROW(json::encode(std::vector<double>{1.0, inf}), json::EncodingError);
    EXPECT_THROW(json::encode(Tile{"t", {}, true, nan, {}}), json::EncodingError);
    EXPECT_THROW(json::encode(JsonValue(nan)), json::EncodingError);
    EXPECT_THROW(json::encode(JsonValue{{"a", {1, nan}}}), json::EncodingError);
}

TEST(JsonWriter, RecordsWriteKeysInDeclaredOrderAndContainersNest) {
    const Tile tile = json::decode<Tile>(R"({"tags":["x","y"],"score":0.5,"enabled":true,"title":"T","count":3})");
    EXPECT_EQ(tile, (Tile{"T", 3, true, 0.5, {"x", "y"}}));
    EXPECT_EQ(json::encode(tile), R"({"title":"T","count":3,"enabled":true,"score":0.5,"tags":["x","y"]})");
    // Absent optional and tolerant values are omitted; a defaulted value is always written.
    EXPECT_EQ(json::encode(Tile{"T", {}, false, {}, {}}), R"({"title":"T","enabled":false,"tags":[]})");
    EXPECT_EQ(json::decode<Tile>(json::encode(tile)), tile);

    const std::vector<OrderedMap<std::vector<int>>> nested = {{{"a", {1, 2}}, {"b", {}}}, {}, {{"c", {3}}}};
    EXPECT_EQ(json::encode(nested), R"([{"a":[1,2],"b":[]},{},{"c":[3]}])");
}

TEST(JsonValues, DecodeAndEncodeKeepMemberOrderAndEveryNumberKind) {
    const std::string ordered = R"({"z":1,"a":[true,null,"s",1.5],"m":{"y":{},"b":[]}})";
    const std::string numbers = R"({"big":18446744073709551615,"neg":-9223372036854775808,"whole":12.0})";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {ordered, ordered}, {numbers, numbers}, {R"({"a":1,"b":2,"a":3})", R"({"a":3,"b":2})"},
        {R"( [ "\u00e9\n" , {} ] )", R"(["é\n",{}])"}, {"null", "null"},
    };
    for (const auto& [text, expected] : rows) {
        auto value = json::decode<JsonValue>(text);
        EXPECT_EQ(json::encode(value), expected) << text;
        EXPECT_EQ(json::decode<JsonValue>(expected), value) << text;
    }

    // A record seen as a free-form value keeps its declared key order.
    EXPECT_EQ(toJsonValue(Tile{"T", 3, true, {}, {}}).dump(), R"({"title":"T","count":3,"enabled":true,"tags":[]})");
}

}  // namespace
}  // namespace vorlane::jsonwritertests

// Records declared beside their structs: key matching at the word boundaries the matcher uses,
// the last occurrence of a repeated key winning (earlier ones are not even read), nested objects
// read into the record's own fields, per-field codecs and free-form objects.
namespace vorlane::jsonrecordtests {

// Keys around the eight- and sixteen-byte words the matcher compares, some differing only inside.
struct Keys {
    int k8 = 0, k9 = 0, k16 = 0, k17 = 0, k17b = 0, k24 = 0, k24b = 0;
    bool operator==(const Keys&) const = default;
};
inline auto jsonFields(json::Tag<Keys>) {
    using namespace json::rules;
    return fields(required("abcdefgh", &Keys::k8), required("abcdefghi", &Keys::k9),
                  required("abcdefghijklmnop", &Keys::k16), required("abcdefghijklmnopq", &Keys::k17),
                  required("abcdefghiXklmnopq", &Keys::k17b), required("abcdefghijklmnopqrstuvwx", &Keys::k24),
                  required("abcdefghijklmnoXqrstuvwx", &Keys::k24b));
}

// A positive count, written back as is.
struct PositiveCodec {
    static std::int64_t decode(const json::Value& v) {
        const auto n = v.int64();
        if (n <= 0) v.fail(json::ErrorKind::dataCorrupted, "expected a positive count");
        return n;
    }
    static void encode(json::Writer& w, std::int64_t n) { w.int64(n); }
};

struct Shaped {
    std::string name;
    std::int64_t count = 0;
    std::vector<std::string> urls;
    std::optional<JsonValue> extra;
    bool operator==(const Shaped&) const = default;
};
inline auto jsonFields(json::Tag<Shaped>) {
    using namespace json::rules;
    using S = Shaped;
    return fields(required("name", &S::name), required("count", &S::count, with<PositiveCodec>),
                  nested("media", lenient("urls", &S::urls, Missing::empty)), optional("extra", &S::extra, objectOnly));
}

}  // namespace vorlane::jsonrecordtests

VORLANE_JSON_DEFINE(vorlane::jsonrecordtests::Keys)
VORLANE_JSON_DEFINE(vorlane::jsonrecordtests::Shaped)

namespace vorlane::jsonrecordtests {
namespace {

using namespace jsontesting;

TEST(RecordDeclaration, KeysMatchExactlyAcrossWordBoundaries) {
    const std::string all =
        R"({"abcdefghijklmnoXqrstuvwx":7,"abcdefghijklmnopqrstuvwx":6,"abcdefghiXklmnopq":5,"abcdefghijklmnopq":4,)"
        R"("abcdefghijklmnop":3,"abcdefghi":2,"abcdefgh":1,"abcdefg":9,"abcdefghijklmnopqrstuvwxy":9,"bbcdefgh":9})";
    EXPECT_EQ(json::decode<Keys>(all), (Keys{1, 2, 3, 4, 5, 6, 7}));
    // A key one byte shorter or longer than a declared one, or differing inside it, is not that key.
    expectRows<Keys>({{R"({"abcdefgh":1,"abcdefghi":2,"abcdefghijklmnop":3,"abcdefghijklmnopq":4,"abcdefghiXklmnopq":5,)"
                       R"("abcdefghijklmnoYqrstuvwx":6,"abcdefghijklmnopqrstuvwx":6})",
                       Failure{ErrorKind::keyNotFound, "abcdefghijklmnoXqrstuvwx"}}},
                     [](std::string_view text) { return json::decode<Keys>(text); });
}

TEST(RecordDeclaration, TheLastOfARepeatedKeyWinsAndEarlierOnesAreNotRead) {
    expectRows<Shaped>(
        {{R"({"name":7,"name":"b","count":0,"count":2,"media":{"urls":"x","urls":["u"]}})", Shaped{"b", 2, {"u"}, {}}},
         {R"({"name":"a","count":2,"count":0,"media":{}})", Failure{ErrorKind::dataCorrupted, "count"}},
         {R"({"name":"a","count":1,"media":{},"media":null})", Failure{ErrorKind::valueNotFound, "media"}}},
        [](std::string_view text) { return json::decode<Shaped>(text); });
}

TEST(RecordDeclaration, NestedObjectsPerFieldCodecsAndFreeFormObjects) {
    expectRows<Shaped>(
        {{R"({"name":"a","count":3,"media":{"urls":["u",1,"v"]},"extra":{"b":1,"a":[true]}})",
          Shaped{"a", 3, {"u", "v"}, JsonValue::parse(R"({"b":1,"a":[true]})")}},
         {R"({"name":"a","count":3,"media":{"urls":null}})", Shaped{"a", 3, {}, {}}},
         {R"({"name":"a","count":3})", Failure{ErrorKind::keyNotFound, "media"}},
         {R"({"name":"a","count":-1,"media":{}})", Failure{ErrorKind::dataCorrupted, "count"}},
         {R"({"name":"a","count":3,"media":{},"extra":[1]})", Failure{ErrorKind::typeMismatch, "extra"}}},
        [](std::string_view text) { return json::decode<Shaped>(text); });
    const Shaped value{"a", 3, {"u"}, JsonValue::parse(R"({"z":1,"y":2})")};
    const std::string written = json::encode(value);
    EXPECT_EQ(written, R"({"name":"a","count":3,"media":{"urls":["u"]},"extra":{"z":1,"y":2}})");
    EXPECT_EQ(json::decode<Shaped>(written), value);
}

}  // namespace
}  // namespace vorlane::jsonrecordtests
