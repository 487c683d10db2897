#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/CollectionClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/LocalizedStrings.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Json/TaggedCoder.hpp"

#include <gtest/gtest.h>

namespace vorlane::test {

// A small content kind standing in for the concrete records in these tests.
struct ProbeContent final : Content {
    std::string id, title;
    TextMap textMap;
    std::optional<CallToAction> cta;
    std::vector<VideoArtwork> artwork;
    ImageMap images;
    std::optional<std::vector<ContentAction>> legacyActions;
    std::optional<SeriesType> kind;

    ContentTypeIdentifier identifier() const override { return ContentTypeIdentifier::series; }
    const std::string& contentId() const override { return id; }
    const TextMap& texts() const override { return textMap; }
    const std::optional<CallToAction>& callToAction() const override { return cta; }
    const std::vector<VideoArtwork>& videoArtwork() const override { return artwork; }
    const ImageMap& image() const override { return images; }
    std::optional<std::vector<ContentAction>> actions() const override { return legacyActions; }
    std::optional<SeriesType> seriesType() const override { return kind; }
};

inline auto jsonFields(json::Tag<ProbeContent>) {
    using namespace json::rules;
    using S = ProbeContent;
    return fields(required("contentId", &S::id), required("title", &S::title), optional("seriesType", &S::kind),
                  optional("actions", &S::legacyActions));
}

// A content coder over a table in which the probe stands in for two kinds and one kind is not built.
struct ProbeCoder {
    using Records = json::TaggedRecords<Content, ContentTypeIdentifier,
                                        json::TaggedCase<ContentTypeIdentifier::series, ProbeContent>,
                                        json::TaggedCase<ContentTypeIdentifier::personalizedCollection, ProbeContent>,
                                        json::TaggedCase<ContentTypeIdentifier::video, json::NotBuilt>>;
    ContentCoder coder;
};

}  // namespace vorlane::test

VORLANE_JSON_DEFINE(vorlane::test::ProbeContent)

template <>
struct vorlane::json::Codec<vorlane::test::ProbeCoder> {
    using P = vorlane::test::ProbeCoder;
    static P decode(const Value& v) {
        auto [type, model] = decodeTagged<P::Records, ContentTypeIdentifier>(v, "type", "content");
        return P{ContentCoder(type, std::move(model))};
    }
    static void encode(Writer& w, const P& p) {
        encodeTagged<P::Records>(w, "type", p.coder.type(), *p.coder.model(), "content");
    }
};

namespace vorlane {
namespace {

using namespace jsontesting;
using test::ProbeContent;

using test::ProbeCoder;

TEST(ContentVocabularies, WireStringsAreExactAndClosedOnesRejectOthers) {
    expectWireStrings<ContentTypeIdentifier>({"MepoVideo", "MepoSeries", "StandardCollection", "PersonalizedCollection",
                                              "Avatar", "Airing", "ExploreSetItem"});
    expectRejected<ContentTypeIdentifier>({"mepovideo", "Program", "Video", "MepoVideo "});
    for (const auto& entry : json::allCases<ContentTypeIdentifier>())
        EXPECT_EQ(isCollection(entry.value), entry.wire.ends_with("Collection")) << entry.wire;
    expectWireStrings<ContentSetType>({"CuratedSet", "PersonalizedCuratedSet", "GenericSet", "ContinueWatchingSet",
                                       "DownloadSet", "WatchlistSet", "TrendingSet", "RecommendationSet",
                                       "BecauseYouSet", "ExploreSet"});
    expectRejected<ContentSetType>({"DownloadsSet"});
    expectWireStrings<SeriesType>({"studio-show", "standard", "anthology"});
    expectRejected<SeriesType>({"studioShow"});
}

TEST(ContentVocabularies, CollectionContentClassKeepsUnknownStrings) {
    using Class = CollectionContentClass;
    expectWireStrings<CollectionContentClassCase, Class>(
        {"avatars", "home", "zelkor", "explore", "contentType", "brand", "brandSix", "watchlist", "originals",
         "editorial", "character", "franchise", "team", "allSports", "allLeagues", "marqueeEvent", "sport", "league",
         "allTeams", "high_emphasis", "standard_emphasis_no_header", "standard_emphasis_with_header",
         "standard_emphasis_with_navigation"});
    expectKeptAsCatchAll<Class>({"highEmphasis", "Home", ""});
    const Class other = Class::other("highEmphasis");
    EXPECT_TRUE(isBrand(Class(CollectionContentClassCase::brandSix)));
    EXPECT_FALSE(isBrand(Class::other("brand_6")));
    EXPECT_TRUE(isSuperEvent(Class(CollectionContentClassCase::marqueeEvent)));
    EXPECT_EQ(parentContentClass(Class(CollectionContentClassCase::league)), Class(CollectionContentClassCase::sport));
    EXPECT_EQ(parentContentClass(other), other);
}

TEST(ContentCoder, DecodesTheTaggedKindFromTheSameObjectAndWritesTheTagBesideIt) {
    const std::string json = R"({"type":"MepoSeries","contentId":"s1","title":"Harbor","extra":1})";
    auto coder = json::decode<ProbeCoder>(json);
    EXPECT_EQ(coder.coder.type(), ContentTypeIdentifier::series);
    EXPECT_EQ(dynamic_cast<const ProbeContent&>(*coder.coder.model()).title, "Harbor");
    EXPECT_EQ(json::encode(coder), R"({"type":"MepoSeries","contentId":"s1","title":"Harbor"})");

    // Nested in a list and beside other members, the merged object still closes where it should.
    std::vector<ProbeCoder> list{coder, coder};
    EXPECT_EQ(json::encode(list), "[" + json::encode(coder) + "," + json::encode(coder) + "]");

    expectRows<ContentTypeIdentifier>(
        {{R"({"type":"PersonalizedCollection","contentId":"c","title":"t"})", ContentTypeIdentifier::personalizedCollection},
         {R"({"contentId":"x"})", Failure{ErrorKind::keyNotFound, "type"}},
         {R"({"type":"mepovideo"})", Failure{ErrorKind::dataCorrupted, "type"}},
         {R"({"type":7})", Failure{ErrorKind::typeMismatch, "type"}},
         {R"({"type":"MepoVideo","contentId":"v"})", Failure{ErrorKind::dataCorrupted, "type"}},  // no decoder
         {R"({"type":"MepoSeries","contentId":"s"})", Failure{ErrorKind::keyNotFound, "title"}}},
        [](std::string_view text) { return json::decode<ProbeCoder>(text).coder.type(); });

}

TEST(ContentCoder, LenientListsDropKindsNotBuiltAndEqualityIsTagAndId) {
    json::Diagnostics diagnostics;
    auto probes = json::decode<std::vector<Safe<ProbeCoder>>>(
        R"([{"type":"MepoSeries","contentId":"a","title":"1"},{"type":"MepoVideo","contentId":"v"},
            {"type":"MepoSeries","contentId":"a","title":"2"},{"type":"PersonalizedCollection","contentId":"a","title":"3"}])",
        {}, &diagnostics);
    std::vector<std::optional<ContentCoder>> items;
    for (auto& probe : probes) items.push_back(probe.value ? std::optional(probe.value->coder) : std::nullopt);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_FALSE(items[1]);
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics.entries()[0].path, "[1]");
    EXPECT_NE(diagnostics.entries()[0].reason.find("[1].type: content of type \"MepoVideo\" is not decoded"),
              std::string::npos);
    EXPECT_EQ(*items[0], *items[2]);  // same tag and id, other fields differ
    EXPECT_NE(*items[0], *items[3]);  // same id, other tag
    EXPECT_EQ(ContentCoder(items[0]->model()).type(), ContentTypeIdentifier::series);
}

TEST(Content, ExploreApiIsUsedForAnthologiesByTypeOrByAction) {
    ContentAction anthologyAction{ContentActionType::browse, "r", ContentActionRefType::details, "seriesId",
                                  {"anthology"}, ContentActionRefSubType::series, {}};
    ContentAction plainAction = anthologyAction;
    plainAction.refStyle.name = "standard";
    struct Row { std::optional<SeriesType> type; std::optional<std::vector<ContentAction>> actions; bool anthology, explore; };
    ProbeContent content;
    content.id = "c9";
    EXPECT_EQ(content.contentIdentifier(), sdk::ContentIdentifier::contentId("c9"));
    for (const Row& row : {Row{std::nullopt, std::nullopt, false, false},
                           Row{SeriesType::anthology, std::nullopt, true, true},
                           Row{SeriesType::standard, std::vector{plainAction, anthologyAction}, false, true},
                           Row{SeriesType::anthology, std::vector{plainAction}, true, true},
                           Row{SeriesType::studioShow, std::vector<ContentAction>{}, false, false}}) {
        content.kind = row.type, content.legacyActions = row.actions;
        EXPECT_EQ(content.isAnthologySeries(), row.anthology);
        EXPECT_EQ(content.shouldUseExploreAPI(), row.explore);
        EXPECT_EQ(content.shouldUseGetPageRequest(), row.explore);
    }
}

TEST(ContentAction, AllKeysRequiredAndVocabulariesClosed) {
    const JsonValue complete = JsonValue::parse(R"({"type":"browse","refId":"r","refType":"details","refIdType":"t",
        "refStyle":{"name":"anthology"},"refSubtype":"series","params":{"a":"b"}})");
    EXPECT_TRUE(shouldBrowseAnthology({json::decode<ContentAction>(complete.dump())}));
    expectEveryKeyRequired<ContentAction>(complete);
    for (const char* key : {"type", "refType", "refSubtype"}) {
        JsonValue changed = complete;
        changed[key] = "Browse";
        EXPECT_EQ(decodeFailure<ContentAction>(changed.dump()).kind(), ErrorKind::dataCorrupted) << key;
    }
}

TEST(TextMap, LookupsReadOnlyTheDefaultLanguage) {
    auto texts = json::decode<TextMap>(R"({
        "description": {"brief": {"program": {"en": {"language": "en", "content": "no default"}}}},
        "title": {"full": {"program": {"default": {"language": "en", "content": "Program title"}},
                           "series": {"default": {"language": "en", "content": "Series title", "sourceEntity": "series"}}},
                  "brief": {"series": {"default": {"language": "en", "content": "Brief"}}}},
        "name": {"brief": {"team": {"default": {"language": "de", "content": "Name"}}}},
        "nickName": {"slug": {}}})");
    using F = TextMetadata::Field;
    using T = TextMetadata::TextType;
    const auto none = std::nullopt;
    const std::tuple<F, T, std::optional<MediaEntity>, std::optional<std::string>> rows[] = {
        {F::title, T::full, none, "Program title"}, {F::title, T::full, MediaEntity::series, "Series title"},
        {F::title, T::full, MediaEntity::season, none}, {F::title, T::medium, none, none},
        {F::description, T::brief, none, none}, {F::nickName, T::slug, none, none}, {F::location, T::full, none, none}};
    for (const auto& [field, type, entity, content] : rows) {
        auto text = texts.first(field, type, entity);
        EXPECT_EQ(text ? std::optional(text->content) : std::nullopt, content)
            << json::wireString(field) << "/" << json::wireString(type);
    }
    // Walks the fields in document order: description's brief has no "default", title's does.
    EXPECT_EQ(texts.first(TextMetadata::TextType::brief)->content, "Brief");
    EXPECT_EQ(texts.first(TextMetadata::TextType::full)->sourceEntity, std::nullopt);
    EXPECT_FALSE(texts.first(TextMetadata::TextType::slug));
    EXPECT_FALSE(TextMap().first(TextMetadata::TextType::full));

    EXPECT_THROW(json::decode<TextMap>(R"({"title":{"full":{"program":{"default":{"content":"x"}}}}})"),
                 json::DecodingError);
    auto unknownKeys = json::decode<TextMap>(R"({"subtitle":{"tiny":{"whatever":{"default":{"language":"en","content":"k"}}}}})");
    EXPECT_EQ(unknownKeys.first(TextMetadata::TextType::unknown), std::nullopt);
}

TEST(Locators, CollectionIdentifiersPreferParentsWhileFlagged) {
    auto locator = json::decode<ContentCollectionReferenceLocator>(
        R"({"slug":"own","parentCollectionSlug":"parent","collectionGroupId":"g","prefersParentCollectionSlug":true,
            "prefersParentCollectionGroupId":true})");
    EXPECT_EQ(locator.identifier(CollectionIdentifierType::slug), "parent");
    EXPECT_EQ(locator.identifier(CollectionIdentifierType::collectionGroupId), "g");
    locator.prefersParentCollectionSlug = false;
    EXPECT_EQ(locator.identifier(CollectionIdentifierType::slug), "own");
    // prefersParentCollectionGroupId, parentCollectionGroupId, the group id used
    struct Row { bool prefersParent; std::optional<std::string> parent; std::string expected; };
    for (const Row& row : {Row{true, "parent-g", "parent-g"}, Row{true, std::nullopt, "g"}, Row{false, "parent-g", "g"}}) {
        locator.prefersParentCollectionGroupId = row.prefersParent;
        locator.parentCollectionGroupId = row.parent;
        EXPECT_EQ(locator.identifier(CollectionIdentifierType::collectionGroupId), row.expected)
            << row.prefersParent << " " << row.parent.value_or("<none>");
    }
    EXPECT_THROW(json::decode<ContentCollectionReferenceLocator>(R"({"slug":"s","prefersParentCollectionSlug":true})"),
                 json::DecodingError);

    auto built = ContentCollectionReferenceLocator::forExplorePage(CollectionContentClass::fromWire("brand"), "page-1");
    EXPECT_EQ(json::encode(built),
              R"({"contentClass":"brand","prefersParentCollectionSlug":true,"prefersParentCollectionGroupId":true,"explorePageId":"page-1"})");
}

TEST(Locators, SlugFilteredClassFollowsTheScreenSlugsInOrder) {
    ContentQueryConfiguration config;
    config.homeScreenSlug = config.moviesScreenSlug = "home";  // home is tested first
    config.exploreScreenSlug = "explore", config.watchListScreenSlug = "watchlist", config.seriesScreenSlug = "series";
    config.originalsScreenSlug = "originals", config.avatarSlug = "avatars", config.brandSlugs = {"b1", "b2"};
    config.onboardingSlug = "welcome", config.zelkorScreenSlug = "zelkor";
    struct Row { std::optional<std::string> slug, expected; };  // expected: the raw value
    for (const Row& row : {Row{"home", "home"}, Row{"explore", "explore"}, Row{"watchlist", "watchlist"},
                           Row{"series", "contentType"}, Row{"originals", "originals"}, Row{"avatars", "avatars"},
                           Row{"b2", "brand"}, Row{"welcome", "editorial"}, Row{"zelkor", "team"},
                           Row{"elsewhere", "team"}, Row{std::nullopt, std::nullopt}}) {
        ContentCollectionReferenceLocator locator;
        locator.slug = row.slug;
        locator.contentClass = CollectionContentClass(CollectionContentClassCase::team);
        auto result = slugFilteredCollectionClass(locator, config);
        EXPECT_EQ(result ? std::optional(std::string(result->rawValue())) : std::nullopt, row.expected)
            << row.slug.value_or("<none>");
    }
    ContentCollectionReferenceLocator parentFirst;
    parentFirst.slug = "elsewhere";
    parentFirst.parentCollectionSlug = "originals";
    EXPECT_EQ(slugFilteredCollectionClass(parentFirst, config)->rawValue(), "originals");
    parentFirst.parentCollectionSlug = std::nullopt, parentFirst.slug = "home";
    EXPECT_EQ(*slugFilteredCollectionClass(parentFirst, config), CollectionContentClassCase::home);
}

TEST(SmallRecords, IdentifiersAndStringTablesUseTheirWireShapes) {
    EXPECT_EQ(json::decode<EncodedIdentifier>(R"("abc")"), EncodedIdentifier("abc"));
    EXPECT_THROW(json::decode<EncodedIdentifier>(R"({"identifier":"abc"})"), json::DecodingError);
    auto locator = json::decode<ContentReferenceLocator>(R"({"id":"enc","type":"MepoSeries"})");
    EXPECT_EQ(locator.id, EncodedIdentifier("enc"));
    EXPECT_EQ(json::encode(ContentReferenceLocator{std::nullopt, ContentTypeIdentifier::video}), R"({"type":"MepoVideo"})");
    EXPECT_EQ(json::decode<ContentSetReferenceLocator>(R"({"refType":"DownloadSet","refId":"r"})").refType,
              ContentSetType::downloads);

    auto entries = json::decode<EntriesDictionary>(R"({"entries_json":{"k":"v"},"version":"3"})");
    EXPECT_EQ(*entries.entries.find("k"), "v");
    EXPECT_EQ(json::encode(entries), R"({"entries_json":{"k":"v"},"version":"3"})");
    EXPECT_THROW(json::decode<EntriesDictionary>(R"({"entries":{"k":"v"}})"), json::DecodingError);
    auto strings = json::decode<IntermediateLocalizedStrings>(R"({"namespaces":{"app":{"ok":"OK"}}})");
    EXPECT_EQ(*strings.namespaces.find("app")->find("ok"), "OK");
}

}  // namespace
}  // namespace vorlane
