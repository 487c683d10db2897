// The reading rules, through declared records and through the helpers of hand-written codecs,
// with the diagnostics of lenient drops and tolerated failures and the paths of failures.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace vorlane::jsontesting {
namespace {

struct Item {
    std::string id;
    int rank = 0;
    bool operator==(const Item&) const = default;
};
[[maybe_unused]] std::ostream& operator<<(std::ostream& os, const Item& item) {
    return os << item.id << '#' << item.rank;
}

struct RequiredRecord {
    std::int64_t value = 0;
};
struct OptionalRecord {
    std::optional<std::int64_t> value;
    std::optional<std::string> note;
    bool operator==(const OptionalRecord&) const = default;
};
struct TolerantRecord {
    std::optional<std::int64_t> value;
};
struct DefaultedRecord {
    std::int64_t value = 0;
};
struct LenientRecord {
    std::vector<Item> items;
};
struct LenientIfPresentRecord {
    std::optional<std::vector<Item>> items;
};
struct SafeRecord {
    Safe<Item> item;
};

enum class ContainerType { grid, hero };

struct Container {
    ContainerType type = ContainerType::grid;
    std::string title;
};
struct Page {
    std::vector<Container> containers;
};
struct Payload {
    Page page;
    std::vector<Item> items;
};
struct Envelope {
    Payload data;
};

// A JSON string member holding a whole JSON document of its own, decoded while the outer
// document is still being read: {"inner": "[...Nested as text...]", "name": "..."}.
struct Nested {
    std::string name;
    std::vector<Nested> inner;
    bool operator==(const Nested&) const = default;
};

// Decodes a document with one reading function, so the helpers run under the same table rows
// as the declared rules.
template <auto read>
struct ReadWith {
    std::invoke_result_t<decltype(read), const json::Value&> value;
};

}  // namespace
}  // namespace vorlane::jsontesting

template <>
struct vorlane::json::Vocabulary<vorlane::jsontesting::ContainerType> {
    static constexpr std::string_view name = "ContainerType";
    static constexpr VocabularyEntry<vorlane::jsontesting::ContainerType> entries[] = {
        {vorlane::jsontesting::ContainerType::grid, "grid"}, {vorlane::jsontesting::ContainerType::hero, "hero"}};
};

template <auto read>
struct vorlane::json::Codec<vorlane::jsontesting::ReadWith<read>> {
    static vorlane::jsontesting::ReadWith<read> decode(const Value& v) { return {read(v)}; }
};

VORLANE_JSON_CODEC(vorlane::jsontesting::Item)
VORLANE_JSON_CODEC(vorlane::jsontesting::RequiredRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::OptionalRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::TolerantRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::DefaultedRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::LenientRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::LenientIfPresentRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::SafeRecord)
VORLANE_JSON_CODEC(vorlane::jsontesting::Container)
VORLANE_JSON_CODEC(vorlane::jsontesting::Page)
VORLANE_JSON_CODEC(vorlane::jsontesting::Payload)
VORLANE_JSON_CODEC(vorlane::jsontesting::Envelope)
VORLANE_JSON_CODEC(vorlane::jsontesting::Nested)

VORLANE_JSON_RECORD(vorlane::jsontesting::Item, required("id", &Self::id), required("rank", &Self::rank))
VORLANE_JSON_RECORD(vorlane::jsontesting::RequiredRecord, required("value", &Self::value))
VORLANE_JSON_RECORD(vorlane::jsontesting::OptionalRecord, optional("value", &Self::value),
                    optional("note", &Self::note, Absent::writeNull))
VORLANE_JSON_RECORD(vorlane::jsontesting::TolerantRecord, tolerant("value", &Self::value))
VORLANE_JSON_RECORD(vorlane::jsontesting::DefaultedRecord, defaulted("value", &Self::value, 7))
VORLANE_JSON_RECORD(vorlane::jsontesting::LenientRecord, lenient("items", &Self::items))
VORLANE_JSON_RECORD(vorlane::jsontesting::LenientIfPresentRecord, lenientIfPresent("items", &Self::items))
VORLANE_JSON_RECORD(vorlane::jsontesting::SafeRecord, required("item", &Self::item))
VORLANE_JSON_RECORD(vorlane::jsontesting::Container, required("type", &Self::type), required("title", &Self::title))
VORLANE_JSON_RECORD(vorlane::jsontesting::Page, required("containers", &Self::containers))
VORLANE_JSON_RECORD(vorlane::jsontesting::Payload, required("page", &Self::page), lenient("items", &Self::items))
VORLANE_JSON_RECORD(vorlane::jsontesting::Envelope, required("data", &Self::data))

// "inner" is read (and its text decoded as a document of its own) before "name", which follows
// it in the documents below, so the outer document must still be readable afterwards.
vorlane::jsontesting::Nested vorlane::json::Codec<vorlane::jsontesting::Nested>::decode(const Value& v) {
    vorlane::jsontesting::Nested out;
    if (auto inner = v.member("inner"))
        out.inner = json::decode<std::vector<vorlane::jsontesting::Nested>>(inner->string(), v.settings(),
                                                                            v.context().diagnostics);
    out.name = readRequired<std::string>(v, "name");
    return out;
}
void vorlane::json::Codec<vorlane::jsontesting::Nested>::encode(Writer& w, const vorlane::jsontesting::Nested& value) {
    w.beginObject();
    if (!value.inner.empty()) {
        w.key("inner");
        w.string(json::encode(value.inner));
    }
    w.key("name");
    w.string(value.name);
    w.endObject();
}

namespace vorlane::jsontesting {
namespace {

using json::ErrorKind;

std::int64_t helperRequired(const json::Value& v) { return json::readRequired<std::int64_t>(v, "value"); }
std::optional<std::int64_t> helperOptional(const json::Value& v) {
    return json::readOptional<std::int64_t>(v, "value");
}
std::optional<std::int64_t> helperTolerant(const json::Value& v) {
    return json::readTolerant<std::int64_t>(v, "value");
}
std::int64_t helperDefaulted(const json::Value& v) { return json::readDefaulted<std::int64_t>(v, "value", 7); }
std::vector<Item> helperLenient(const json::Value& v) { return json::decodeSafely<Item>(v, "items"); }
std::optional<std::vector<Item>> helperLenientIfPresent(const json::Value& v) {
    return json::decodeSafelyIfPresent<Item>(v, "items");
}

template <class Record, auto read, class T>
void expectRecordAndHelper(const std::vector<Row<T>>& rows, auto Record::*member) {
    {
        SCOPED_TRACE("declared record");
        expectRows(rows, [&](std::string_view text) { return json::decode<Record>(text).*member; });
    }
    {
        SCOPED_TRACE("hand-written helper");
        expectRows(rows, [](std::string_view text) { return json::decode<ReadWith<read>>(text).value; });
    }
}

TEST(JsonReadingRules, RequiredFailsOnMissingNullAndWrongType) {
    expectRecordAndHelper<RequiredRecord, helperRequired, std::int64_t>(
        {
            {R"({"value":5})", 5},
            {R"({"other":true,"value":5})", 5},
            {R"({"value":1,"value":9})", 9},
            {R"({})", Failure{ErrorKind::keyNotFound, "value"}},
            {R"({"value":null})", Failure{ErrorKind::valueNotFound, "value"}},
            {R"({"value":"5"})", Failure{ErrorKind::typeMismatch, "value"}},
            {R"([])", Failure{ErrorKind::typeMismatch, "(root)"}},
            {R"(null)", Failure{ErrorKind::valueNotFound, "(root)"}},
        },
        &RequiredRecord::value);
}

TEST(JsonReadingRules, OptionalIsAbsentWhenMissingOrNullButFailsOnWrongType) {
    expectRecordAndHelper<OptionalRecord, helperOptional, std::optional<std::int64_t>>(
        {
            {R"({"value":5})", 5},
            {R"({})", std::nullopt},
            {R"({"value":null})", std::nullopt},
            {R"({"value":"5"})", Failure{ErrorKind::typeMismatch, "value"}},
            {R"({"value":5.5})", Failure{ErrorKind::dataCorrupted, "value"}},
        },
        &OptionalRecord::value);

    // "value" omits an absent value; "note" writes it as null.
    EXPECT_EQ(json::encode(OptionalRecord{}), R"({"note":null})");
    EXPECT_EQ(json::encode(OptionalRecord{5, "n"}), R"({"value":5,"note":"n"})");
    EXPECT_EQ(json::decode<OptionalRecord>(R"({"note":null})"), OptionalRecord{});
}

TEST(JsonReadingRules, TolerantTurnsEveryFailureIntoAbsent) {
    expectRecordAndHelper<TolerantRecord, helperTolerant, std::optional<std::int64_t>>(
        {
            {R"({"value":5})", 5},
            {R"({})", std::nullopt},
            {R"({"value":null})", std::nullopt},
            {R"({"value":"5"})", std::nullopt},
            {R"({"value":5.5})", std::nullopt},
            {R"({"value":{"a":1}})", std::nullopt},
            {R"([])", Failure{ErrorKind::typeMismatch, "(root)"}},
        },
        &TolerantRecord::value);
}

TEST(JsonReadingRules, DefaultedAppliesToMissingAndNullOnly) {
    expectRecordAndHelper<DefaultedRecord, helperDefaulted, std::int64_t>(
        {
            {R"({"value":5})", 5},
            {R"({"value":0})", 0},
            {R"({})", 7},
            {R"({"value":null})", 7},
            {R"({"value":"5"})", Failure{ErrorKind::typeMismatch, "value"}},
        },
        &DefaultedRecord::value);
}

const std::string mixedItems = R"([{"id":"a","rank":1},{"id":"b"},"junk",{"id":"c","rank":3},null])";

TEST(JsonReadingRules, LenientDropsFailingElementsButRequiresAList) {
    expectRecordAndHelper<LenientRecord, helperLenient, std::vector<Item>>(
        {
            {R"({"items":)" + mixedItems + "}", std::vector<Item>{{"a", 1}, {"c", 3}}},
            {R"({"items":[]})", std::vector<Item>{}},
            {R"({"items":[1,null,"x"]})", std::vector<Item>{}},
            {R"({})", Failure{ErrorKind::keyNotFound, "items"}},
            {R"({"items":null})", Failure{ErrorKind::valueNotFound, "items"}},
            {R"({"items":{"id":"a","rank":1}})", Failure{ErrorKind::typeMismatch, "items"}},
            {R"({"items":"[]"})", Failure{ErrorKind::typeMismatch, "items"}},
        },
        &LenientRecord::items);
}

TEST(JsonReadingRules, LenientIfPresentIsAbsentWhenMissingOrNull) {
    using Items = std::optional<std::vector<Item>>;
    expectRecordAndHelper<LenientIfPresentRecord, helperLenientIfPresent, Items>(
        {
            {R"({"items":)" + mixedItems + "}", Items{{{"a", 1}, {"c", 3}}}},
            {R"({"items":[]})", Items{std::vector<Item>{}}},
            {R"({})", std::nullopt},
            {R"({"items":null})", std::nullopt},
            {R"({"items":{}})", Failure{ErrorKind::typeMismatch, "items"}},
        },
        &LenientIfPresentRecord::items);
}

TEST(JsonReadingRules, SafeHoldsNothingWhenItsValueFails) {
    expectRows<std::optional<Item>>(
        {
            {R"({"item":{"id":"a","rank":1}})", Item{"a", 1}},
            {R"({"item":{"id":"a"}})", std::nullopt},
            {R"({"item":"a"})", std::nullopt},
            {R"({"item":null})", std::nullopt},
            {R"({})", Failure{ErrorKind::keyNotFound, "item"}},
        },
        [](std::string_view text) { return json::decode<SafeRecord>(text).item.value; });

    // Unlike a lenient list, a list of Safe values keeps the failed element's place.
    auto list = json::decode<std::vector<Safe<Item>>>(R"([{"id":"a","rank":1},7,{"id":"b","rank":2}])");
    EXPECT_EQ(list, (std::vector<Safe<Item>>{{Item{"a", 1}}, {}, {Item{"b", 2}}}));
}

TEST(JsonDiagnostics, ReportDroppedElementsAndToleratedFailuresWithTheirPaths) {
    const std::string text = R"({"data":{"page":{"containers":[]},"items":)" + mixedItems + "}}";
    json::Diagnostics diagnostics;
    auto envelope = json::decode<Envelope>(text, {}, &diagnostics);
    EXPECT_EQ(envelope.data.items, (std::vector<Item>{{"a", 1}, {"c", 3}}));

    const auto& entries = diagnostics.entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, "data.items[1]");
    EXPECT_EQ(entries[0].reason, R"(data.items[1].rank: required key "rank" not found)");
    EXPECT_EQ(entries[1].path, "data.items[2]");
    EXPECT_EQ(entries[1].reason, "expected an object but found a string");
    EXPECT_EQ(entries[2].path, "data.items[4]");
    EXPECT_EQ(entries[2].reason, "expected an object but found null");

    // Without a collector the same elements are dropped silently.
    EXPECT_EQ(json::decode<Envelope>(text).data.items, envelope.data.items);

    diagnostics.clear();
    json::decode<TolerantRecord>(R"({"value":"5"})", {}, &diagnostics);
    json::decode<SafeRecord>(R"({"item":{"id":1,"rank":1}})", {}, &diagnostics);
    json::decode<ReadWith<helperTolerant>>(R"({"value":[]})", {}, &diagnostics);
    EXPECT_EQ(diagnostics.entries(), (std::vector<json::Diagnostic>{
                                         {"value", "expected Int but found a string"},
                                         {"item", "item.id: expected String but found a number"},
                                         {"value", "expected Int but found an array"},
                                     }));

    diagnostics.clear();
    json::decode<Envelope>(R"({"data":{"page":{"containers":[]},"items":[{"id":"a","rank":1}]}})", {}, &diagnostics);
    json::decode<TolerantRecord>(R"({"value":null})", {}, &diagnostics);
    EXPECT_TRUE(diagnostics.empty());
}

std::string page(std::string_view containers) {
    return R"({"data":{"items":[],"page":{"containers":)" + std::string(containers) + "}}}";
}

TEST(JsonDecodingErrors, NameTheKindAndPathOfTheOffendingValue) {
    const std::string two = R"({"type":"grid","title":"a"},{"type":"hero","title":"b"},)";
    expectRows<std::size_t>(
        {
            {page(R"([{"type":"grid","title":"a"}])"), 1},
            {page("[" + two + R"({"type":"promo","title":"c"}])"),
             Failure{ErrorKind::dataCorrupted, "data.page.containers[2].type"}},
            {page("[" + two + R"({"title":"c"}])"), Failure{ErrorKind::keyNotFound, "data.page.containers[2].type"}},
            {page("[" + two + R"({"type":"grid","title":null}])"),
             Failure{ErrorKind::valueNotFound, "data.page.containers[2].title"}},
            {page(R"({"0":{"type":"grid","title":"a"}})"), Failure{ErrorKind::typeMismatch, "data.page.containers"}},
            {R"({"data":{"items":[]}})", Failure{ErrorKind::keyNotFound, "data.page"}},
            {R"({"data":[]})", Failure{ErrorKind::typeMismatch, "data"}},
            {R"("data")", Failure{ErrorKind::typeMismatch, "(root)"}},
            {R"({"data":)", Failure{ErrorKind::dataCorrupted, "(root)"}},
            {R"({"data":{}} trailing)", Failure{ErrorKind::dataCorrupted, "(root)"}},
            {"", Failure{ErrorKind::dataCorrupted, "(root)"}},
        },
        [](std::string_view text) { return json::decode<Envelope>(text).data.page.containers.size(); });

    auto error = decodeFailure<Envelope>(page(R"([{"type":"Grid","title":"a"}])"));
    EXPECT_EQ(std::string(error.what()), error.path() + ": " + error.message());
    EXPECT_EQ(error.path(), "data.page.containers[0].type");
    EXPECT_NE(error.message().find("ContainerType"), std::string::npos) << error.message();
    EXPECT_NE(error.message().find("\"Grid\""), std::string::npos) << error.message();

    // A root that is itself a list names its elements from the root.
    EXPECT_EQ(decodeFailure<std::vector<Item>>(R"([{"id":"a","rank":1},{"id":"b","rank":"2"}])").path(), "[1].rank");
}

TEST(JsonDecodingErrors, AFailureAfterEverythingElseDecodedStillFailsTheWholeDecode) {
    // Every member but the last one decodes; no record escapes, and the next decode is unaffected.
    const std::string text = page(R"([{"type":"grid","title":"a"},{"type":"hero","title":7}])");
    auto error = decodeFailure<Envelope>(text);
    EXPECT_EQ(error.path(), "data.page.containers[1].title");
    EXPECT_EQ(json::decode<Envelope>(page("[]")).data.page.containers.size(), 0u);
}

TEST(JsonDecoding, ACodecMayDecodeEmbeddedJsonWhileTheOuterDocumentIsRead) {
    Nested leafA{"leafA", {}};
    Nested leafB{"leafB", {}};
    Nested middle{"middle", {leafA, leafB}};
    Nested top{"top", {middle, Nested{"sibling", {leafA}}}};

    // Each level's inner documents are decoded before that level's own "name" is read.
    const std::string text = json::encode(top);
    ASSERT_LT(text.find("inner"), text.find("\"name\":\"top\""));
    EXPECT_EQ(json::decode<Nested>(text), top);
    EXPECT_EQ(json::decode<std::vector<Nested>>("[" + text + "," + text + "]"), (std::vector<Nested>{top, top}));

    // An embedded document that fails unwinds cleanly; later decodes still work at every depth.
    const std::string broken = R"({"inner":"[{\"name\":1}]","name":"x"})";
    EXPECT_EQ(decodeFailure<Nested>(broken).path(), "[0].name");
    EXPECT_EQ(decodeFailure<Nested>(R"({"inner":"[{","name":"x"})").path(), "(root)");
    EXPECT_EQ(json::decode<Nested>(text), top);
}

}  // namespace
}  // namespace vorlane::jsontesting
