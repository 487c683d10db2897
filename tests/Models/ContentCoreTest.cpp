#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/CollectionClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/LocalizedStrings.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;

// A small content kind standing in for the concrete records in these tests.
struct ProbeContent final : Content {
    std::string id;
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

TEST(ContentVocabularies, WireStringsAreExactClosedOnesRejectOthersAndCollectionContentClassKeepsThem) {
    expectClosedVocabulary<ContentTypeIdentifier>({"MepoVideo", "MepoSeries", "StandardCollection",
                                                   "PersonalizedCollection", "Avatar", "Airing", "ExploreSetItem"},
                                                  {"mepovideo", "Program", "Video", "MepoVideo "});
    for (const auto& entry : json::allCases<ContentTypeIdentifier>())
        EXPECT_EQ(isCollection(entry.value), entry.wire.ends_with("Collection")) << entry.wire;
    expectClosedVocabulary<ContentSetType>({"CuratedSet", "PersonalizedCuratedSet", "GenericSet", "ContinueWatchingSet",
                                            "DownloadSet", "WatchlistSet", "TrendingSet", "RecommendationSet",
                                            "BecauseYouSet", "ExploreSet"},
                                           {"DownloadsSet"});
    expectClosedVocabulary<SeriesType>({"studio-show", "standard", "anthology"}, {"studioShow"});

    using Class = CollectionContentClass;
    expectOpenVocabulary<CollectionContentClassCase, Class>(
        {"avatars", "home", "zelkor", "explore", "contentType", "brand", "brandSix", "watchlist", "originals",
         "editorial", "character", "franchise", "team", "allSports", "allLeagues", "marqueeEvent", "sport", "league",
         "allTeams", "high_emphasis", "standard_emphasis_no_header", "standard_emphasis_with_header",
         "standard_emphasis_with_navigation"},
        {"highEmphasis", "Home", ""});
    EXPECT_TRUE(isBrand(Class(CollectionContentClassCase::brandSix)));
    EXPECT_FALSE(isBrand(Class::other("brand_6")));
    EXPECT_TRUE(isSuperEvent(Class(CollectionContentClassCase::marqueeEvent)));
    EXPECT_EQ(parentContentClass(Class(CollectionContentClassCase::league)), Class(CollectionContentClassCase::sport));
    EXPECT_EQ(parentContentClass(Class::other("highEmphasis")), Class::other("highEmphasis"));
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
    EXPECT_EQ(json::decode<ContentReferenceLocator>(R"({"id":"enc","type":"MepoSeries"})"),
              (ContentReferenceLocator{EncodedIdentifier("enc"), ContentTypeIdentifier::series}));
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
