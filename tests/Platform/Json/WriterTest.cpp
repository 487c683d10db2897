// The writer: string escapes, number text, non-finite numbers, record key order, and free-form
// values read and written back.

#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
    const JsonValue free = toJsonValue(Tile{"T", 3, true, {}, {}});
    EXPECT_EQ(free.dump(), R"({"title":"T","count":3,"enabled":true,"tags":[]})");
}

}  // namespace
}  // namespace vorlane::jsonwritertests
