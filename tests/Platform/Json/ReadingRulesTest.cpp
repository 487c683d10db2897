// The reading rules, through declared records and through the helpers of hand-written codecs,
// with the diagnostics of lenient drops and tolerated failures and the paths of failures.

#include "JsonTestSupport.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

namespace vorlane::jsonrulestests {

struct Item { std::string id; int rank = 0; bool operator==(const Item&) const = default; };
// One record per rule, each reading "value" or "items" or "item".
struct RequiredRecord { std::int64_t value = 0; };
struct OptionalRecord {
    std::optional<std::int64_t> value;
    std::optional<std::string> note;  // written as null when absent
    bool operator==(const OptionalRecord&) const = default;
};
struct TolerantRecord { std::optional<std::int64_t> value; };
struct DefaultedRecord { std::int64_t value = 0; };
struct LenientRecord { std::vector<Item> items; };
struct LenientIfPresentRecord { std::optional<std::vector<Item>> items; };
struct SafeRecord { Safe<Item> item; };

enum class ContainerType { grid, hero };
constexpr auto jsonVocabulary(json::Tag<ContainerType>) {
    using enum ContainerType;
    return json::vocabulary<ContainerType>("ContainerType", {{grid, "grid"}, {hero, "hero"}});
}
struct Container { ContainerType type = ContainerType::grid; std::string title; };
struct Page { std::vector<Container> containers; };
struct Payload { Page page; std::vector<Item> items; };
struct Envelope { Payload data; };

// {"inner": "<a list of Nested as JSON text>", "name": "..."}: its codec decodes the embedded
// text while the outer document is still being read, and reads "name" afterwards.
struct Nested { std::string name; std::vector<Nested> inner; bool operator==(const Nested&) const = default; };

// Decodes a document with one reading function, so the helpers run under the same table rows
// as the declared rules.
template <auto read>
struct ReadWith { std::invoke_result_t<decltype(read), const json::Value&> value; };

// Records are declared beside their structs, as in the library.
using namespace json::rules;
inline auto jsonFields(json::Tag<Item>) { return fields(required("id", &Item::id), required("rank", &Item::rank)); }
inline auto jsonFields(json::Tag<RequiredRecord>) { return fields(required("value", &RequiredRecord::value)); }
inline auto jsonFields(json::Tag<OptionalRecord>) {
    return fields(optional("value", &OptionalRecord::value), optional("note", &OptionalRecord::note, Absent::writeNull));
}
inline auto jsonFields(json::Tag<TolerantRecord>) { return fields(tolerant("value", &TolerantRecord::value)); }
inline auto jsonFields(json::Tag<DefaultedRecord>) { return fields(defaulted("value", &DefaultedRecord::value, 7)); }
inline auto jsonFields(json::Tag<LenientRecord>) { return fields(lenient("items", &LenientRecord::items)); }
inline auto jsonFields(json::Tag<LenientIfPresentRecord>) {
    return fields(lenientIfPresent("items", &LenientIfPresentRecord::items));
}
inline auto jsonFields(json::Tag<SafeRecord>) { return fields(required("item", &SafeRecord::item)); }
inline auto jsonFields(json::Tag<Container>) {
    return fields(required("type", &Container::type), required("title", &Container::title));
}
inline auto jsonFields(json::Tag<Page>) { return fields(required("containers", &Page::containers)); }
inline auto jsonFields(json::Tag<Payload>) {
    return fields(required("page", &Payload::page), lenient("items", &Payload::items));
}
inline auto jsonFields(json::Tag<Envelope>) { return fields(required("data", &Envelope::data)); }

}  // namespace vorlane::jsonrulestests


template <auto read>
struct vorlane::json::Codec<vorlane::jsonrulestests::ReadWith<read>> {
    static vorlane::jsonrulestests::ReadWith<read> decode(const Value& v) { return {read(v)}; }
};

VORLANE_JSON_DEFINE(vorlane::jsonrulestests::Item)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::RequiredRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::OptionalRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::TolerantRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::DefaultedRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::LenientRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::LenientIfPresentRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::SafeRecord)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::Container)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::Page)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::Payload)
VORLANE_JSON_DEFINE(vorlane::jsonrulestests::Envelope)

VORLANE_JSON_CODEC(vorlane::jsonrulestests::Nested)
vorlane::jsonrulestests::Nested vorlane::json::Codec<vorlane::jsonrulestests::Nested>::decode(const Value& v) {
    vorlane::jsonrulestests::Nested out;
    if (auto inner = v.member("inner"))  // a view into the outer document, which must outlive this decode
        out.inner = json::decode<decltype(out.inner)>(inner->string(), v.settings(), v.context().diagnostics);
    out.name = readRequired<std::string>(v, "name");
    return out;
}
void vorlane::json::Codec<vorlane::jsonrulestests::Nested>::encode(Writer& w, const vorlane::jsonrulestests::Nested& n) {
    w.beginObject();
    if (!n.inner.empty()) w.key("inner"), w.string(json::encode(n.inner));
    w.key("name"), w.string(n.name);
    w.endObject();
}

namespace vorlane::jsonrulestests {
namespace {

using namespace jsontesting;

std::int64_t viaRequired(const json::Value& v) { return json::readRequired<std::int64_t>(v, "value"); }
auto viaOptional(const json::Value& v) { return json::readOptional<std::int64_t>(v, "value"); }
auto viaTolerant(const json::Value& v) { return json::readTolerant<std::int64_t>(v, "value"); }
std::int64_t viaDefaulted(const json::Value& v) { return json::readDefaulted<std::int64_t>(v, "value", 7); }
auto viaLenient(const json::Value& v) { return json::decodeSafely<Item>(v, "items"); }
auto viaLenientIfPresent(const json::Value& v) { return json::decodeSafelyIfPresent<Item>(v, "items"); }

// Checks one outcome column of `table` through the declared record and the hand-written helper.
template <class Record, auto read, class Table, class T>
void expectColumn(const std::vector<Table>& table, std::variant<T, Failure> Table::*outcome, auto Record::*member) {
    std::vector<Row<T>> rows;
    for (const auto& row : table) rows.push_back({row.json, row.*outcome});
    expectRows(rows, [&](std::string_view text) { return json::decode<Record>(text).*member; });
    SCOPED_TRACE("hand-written helper");
    expectRows(rows, [](std::string_view text) { return json::decode<ReadWith<read>>(text).value; });
}

TEST(JsonReadingRules, ScalarRulesOnPresentMissingNullAndWrongTypeValues) {
    using Outcome = std::variant<std::optional<std::int64_t>, Failure>;
    struct Case { std::string json; Outcome required, optional, tolerant, defaulted; };
    const Failure rootMismatch{ErrorKind::typeMismatch, "(root)"}, rootNull{ErrorKind::valueNotFound, "(root)"};
    const Failure mismatch{ErrorKind::typeMismatch, "value"}, corrupted{ErrorKind::dataCorrupted, "value"};
    // The defaulted rule's default is 7.
    const std::vector<Case> table = {
        {R"({"value":5})", 5, 5, 5, 5}, {R"({"value":0})", 0, 0, 0, 0},
        {R"({"other":true,"value":1,"value":9})", 9, 9, 9, 9},
        {R"({})", Failure{ErrorKind::keyNotFound, "value"}, std::nullopt, std::nullopt, 7},
        {R"({"value":null})", Failure{ErrorKind::valueNotFound, "value"}, std::nullopt, std::nullopt, 7},
        {R"({"value":"5"})", mismatch, mismatch, std::nullopt, mismatch},
        {R"({"value":5.5})", corrupted, corrupted, std::nullopt, corrupted},
        {R"([])", rootMismatch, rootMismatch, rootMismatch, rootMismatch},
        {R"(null)", rootNull, rootNull, rootNull, rootNull},
    };
    expectColumn<RequiredRecord, viaRequired>(table, &Case::required, &RequiredRecord::value);
    expectColumn<OptionalRecord, viaOptional>(table, &Case::optional, &OptionalRecord::value);
    expectColumn<TolerantRecord, viaTolerant>(table, &Case::tolerant, &TolerantRecord::value);
    expectColumn<DefaultedRecord, viaDefaulted>(table, &Case::defaulted, &DefaultedRecord::value);

    // An absent optional value is omitted, or written as null where the rule says so.
    EXPECT_EQ(json::encode(OptionalRecord{}), R"({"note":null})");
    EXPECT_EQ(json::encode(OptionalRecord{5, "n"}), R"({"value":5,"note":"n"})");
    EXPECT_EQ(json::decode<OptionalRecord>(R"({"note":null})"), OptionalRecord{});
}

const std::string mixedItems = R"([{"id":"a","rank":1},{"id":"b"},"junk",{"id":"c","rank":3},null])";
const std::vector<Item> keptItems = {{"a", 1}, {"c", 3}};

TEST(JsonReadingRules, LenientListsDropFailingElementsInOrder) {
    using Outcome = std::variant<std::optional<std::vector<Item>>, Failure>;
    struct Case { std::string json; Outcome lenient, lenientIfPresent; };
    const Failure mismatch{ErrorKind::typeMismatch, "items"};
    const std::vector<Case> table = {
        {R"({"items":)" + mixedItems + "}", keptItems, keptItems},
        {R"({"items":[1,null,"x"]})", std::vector<Item>{}, std::vector<Item>{}},
        {R"({})", Failure{ErrorKind::keyNotFound, "items"}, std::nullopt},
        {R"({"items":null})", Failure{ErrorKind::valueNotFound, "items"}, std::nullopt},
        {R"({"items":{"id":"a","rank":1}})", mismatch, mismatch},
    };
    expectColumn<LenientRecord, viaLenient>(table, &Case::lenient, &LenientRecord::items);
    expectColumn<LenientIfPresentRecord, viaLenientIfPresent>(table, &Case::lenientIfPresent,
                                                              &LenientIfPresentRecord::items);
}

TEST(JsonReadingRules, SafeHoldsNothingWhenItsValueFails) {
    expectRows<std::optional<Item>>({{R"({"item":{"id":"a","rank":1}})", Item{"a", 1}}, {R"({"item":{"id":"a"}})", std::nullopt},
                                     {R"({"item":"a"})", std::nullopt}, {R"({"item":null})", std::nullopt},
                                     {R"({})", Failure{ErrorKind::keyNotFound, "item"}}},
                                    [](std::string_view text) { return json::decode<SafeRecord>(text).item.value; });
}

TEST(JsonDiagnostics, ReportDroppedElementsAndToleratedFailuresWithTheirPaths) {
    const std::string text = R"({"data":{"page":{"containers":[]},"items":)" + mixedItems + "}}";
    json::Diagnostics diagnostics;
    EXPECT_EQ(json::decode<Envelope>(text, {}, &diagnostics).data.items, keptItems);
    EXPECT_EQ(diagnostics.entries(),
              (std::vector<json::Diagnostic>{{"data.items[1]", R"(data.items[1].rank: required key "rank" not found)"},
                                             {"data.items[2]", "expected an object but found a string"},
                                             {"data.items[4]", "expected an object but found null"}}));
    // Without a collector the same elements are dropped silently.
    EXPECT_EQ(json::decode<Envelope>(text).data.items, keptItems);

    diagnostics.clear();
    json::decode<TolerantRecord>(R"({"value":"5"})", {}, &diagnostics);
    json::decode<SafeRecord>(R"({"item":{"id":1,"rank":1}})", {}, &diagnostics);
    json::decode<ReadWith<viaTolerant>>(R"({"value":[]})", {}, &diagnostics);
    EXPECT_EQ(diagnostics.entries(),
              (std::vector<json::Diagnostic>{{"value", "expected Int but found a string"},
                                             {"item", "item.id: expected String but found a number"},
                                             {"value", "expected Int but found an array"}}));

    diagnostics.clear();
    json::decode<Envelope>(R"({"data":{"page":{"containers":[]},"items":[{"id":"a","rank":1}]}})", {}, &diagnostics);
    json::decode<TolerantRecord>(R"({"value":null})", {}, &diagnostics);
    EXPECT_TRUE(diagnostics.empty());
}

std::string page(std::string_view containers) {
    return R"({"data":{"items":[],"page":{"containers":)" + std::string(containers) + "}}}";
}

TEST(JsonDecodingErrors, NameTheKindAndPathOfTheOffendingValue) {
    const std::string two = R"([{"type":"grid","title":"a"},{"type":"hero","title":"b"},)";
    const std::string third = "data.page.containers[2].";
    expectRows<std::size_t>(
        {{page(R"([{"type":"grid","title":"a"}])"), std::size_t{1}},
         {page(two + R"({"type":"promo","title":"c"}])"), Failure{ErrorKind::dataCorrupted, third + "type"}},
         {page(two + R"({"title":"c"}])"), Failure{ErrorKind::keyNotFound, third + "type"}},
         // The document's very last value fails after all the rest decoded: still no record.
         {page(two + R"({"type":"grid","title":null}])"), Failure{ErrorKind::valueNotFound, third + "title"}},
         {page(R"({"0":{"type":"grid","title":"a"}})"), Failure{ErrorKind::typeMismatch, "data.page.containers"}},
         {R"({"data":{"items":[]}})", Failure{ErrorKind::keyNotFound, "data.page"}},
         {R"("data")", Failure{ErrorKind::typeMismatch, "(root)"}}, {R"({"data":)", Failure{ErrorKind::dataCorrupted, "(root)"}},
         {R"({"data":{}} trailing)", Failure{ErrorKind::dataCorrupted, "(root)"}}, {"", Failure{ErrorKind::dataCorrupted, "(root)"}}},
        [](std::string_view text) { return json::decode<Envelope>(text).data.page.containers.size(); });

    auto error = decodeFailure<Envelope>(page(R"([{"type":"Grid","title":"a"}])"));
    EXPECT_EQ(error.what(), error.path() + ": " + error.message());
    EXPECT_EQ(error.path(), "data.page.containers[0].type");
    EXPECT_NE(error.message().find("ContainerType"), std::string::npos) << error.message();
    EXPECT_NE(error.message().find("\"Grid\""), std::string::npos) << error.message();

    // A root that is itself a list names its elements from the root.
    EXPECT_EQ(decodeFailure<std::vector<Item>>(R"([{"id":"a","rank":1},{"id":"b","rank":"2"}])").path(), "[1].rank");
}

TEST(JsonDecoding, ACodecMayDecodeEmbeddedJsonWhileTheOuterDocumentIsRead) {
    const Nested leaf{"leaf", {}};
    const Nested top{"top", {Nested{"middle", {leaf, leaf}}, Nested{"sibling", {leaf}}}};
    const std::string text = json::encode(top);
    ASSERT_LT(text.find("inner"), text.find(R"("name":"top")"));
    EXPECT_EQ(json::decode<Nested>(text), top);
    EXPECT_EQ(json::decode<std::vector<Nested>>("[" + text + "," + text + "]"), (std::vector<Nested>{top, top}));

    // An embedded document that fails unwinds cleanly; later decodes still work at every depth.
    EXPECT_EQ(decodeFailure<Nested>(R"({"inner":"[{\"name\":1}]","name":"x"})").path(), "[0].name");
    EXPECT_EQ(decodeFailure<Nested>(R"({"inner":"[{","name":"x"})").path(), "(root)");
    EXPECT_EQ(json::decode<Nested>(text), top);
}

}  // namespace
}  // namespace vorlane::jsonrulestests
