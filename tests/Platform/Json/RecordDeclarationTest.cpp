// Records declared beside their structs: key matching at the word boundaries the matcher uses,
// the last occurrence of a repeated key winning (earlier ones are not even read), nested objects
// read into the record's own fields, per-field codecs and free-form objects.

#include "JsonTestSupport.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

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
