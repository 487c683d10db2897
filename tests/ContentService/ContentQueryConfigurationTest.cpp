#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;

// The wire strings exactly as the content API names its queries, in declaration order.
constexpr std::string_view kQueryKeys[] = {
    "video", "series", "seasons", "search", "seriesBundle", "videoBundle", "curatedSet", "personalizedCuratedSet",
    "genericSet", "recommendationSet", "trendingSet", "continueWatchingSet", "continueWatchingSetWithBookmark",
    "downloadsSet", "watchlistSet", "becauseYouSet", "upNext", "dictionaries", "downloadMetadata",
    "continueWatchingSeries", "continueWatchingSeriesWithBookmark", "continueWatchingVideo",
    "continueWatchingVideoWithBookmark", "continueWatchingSeason", "episodes", "completeCollectionBySlug",
    "completeCollectionByGroupId", "collectionBySlug", "collectionByGroupId", "avatarByAvatarId", "extras",
    "relatedItemsForVideo", "relatedItemsForSeries", "personalizedSeriesBundle", "personalizedSeriesBundleWithBookmark",
    "personalizedProgramBundle", "personalizedProgramBundleWithBookmark", "programBundle", "liveNow",
    "liveAndUpcomingEpisodes", "airing", "airingByAiringId", "putItemInWatchlist", "deleteItemFromWatchlist", "page",
    "explorePage", "exploreSet", "deeplink", "playerExperience", "exploreUpNext", "season", "userState",
    "unifiedSearch"};

JsonValue completeConfiguration() { return JsonValue::parse(testData("config/complete.json")); }

TEST(ContentQueryIdentifier, EveryCaseHasItsNameAsWireStringInOrderAndOthersFail) {
    expectClosedVocabulary<ContentQueryIdentifier>({std::begin(kQueryKeys), std::end(kQueryKeys)},
                                                   {"Video", "videos", "", "explore_page"});
}

TEST(ContentQueryConfiguration, EveryKeyIsRequiredAndDescriptorsAreFoundByQueryKey) {
    expectEveryKeyRequired<ContentQueryConfiguration>(completeConfiguration());

    auto config = json::decode<ContentQueryConfiguration>(completeConfiguration().dump());
    ASSERT_NE(config.descriptor(ContentQueryIdentifier::explorePage), nullptr);
    EXPECT_EQ(*config.descriptor(ContentQueryIdentifier::explorePage), (ContentQueryDescriptor{"q/page", "v1"}));
    EXPECT_EQ(config.descriptor(ContentQueryIdentifier::series), nullptr);
    EXPECT_EQ(config.queryDescriptors.front().first, "video");  // document order kept

    EXPECT_EQ(*config.collectionContentClassConfig.find("home"),
              (CollectionContentClassConfig{ContentQueryIdentifier::completeCollectionBySlug, CollectionIdentifierType::slug,
                                            true, "StandardCollection"}));
}

TEST(ContentQueryConfiguration, MergeReplacesWithACompleteConfigurationOnly) {
    auto original = json::decode<ContentQueryConfiguration>(completeConfiguration().dump());
    JsonValue changed = completeConfiguration();
    changed["queryDescriptors"] = JsonValue::parse(R"({"series": {"queryId": "q/series", "apiVersion": "6"}})");
    changed["defaultSeriesBundleEpisodeCount"] = 30;

    auto merged = original.merging(changed.dump());
    EXPECT_EQ(merged.defaultSeriesBundleEpisodeCount, 30);
    EXPECT_EQ(merged.descriptor(ContentQueryIdentifier::video), nullptr);  // replaced, not combined
    ASSERT_NE(merged.descriptor(ContentQueryIdentifier::series), nullptr);

    JsonValue incomplete = changed;
    incomplete.erase("searchIndex");
    EXPECT_THROW(original.merging(incomplete.dump()), json::DecodingError);
}

TEST(CollectionContentClassConfig, VocabulariesAreStrict) {
    using Config = CollectionContentClassConfig;
    const auto text = [](const char* queryId, const char* identifierType) {
        return JsonValue{{"queryId", queryId}, {"identifierType", identifierType}, {"enablePersonalizedCollection", false},
                         {"defaultCollectionType", "StandardCollection"}}.dump();
    };
    EXPECT_EQ(json::decode<Config>(text("collectionBySlug", "slug")).identifierType, CollectionIdentifierType::slug);
    EXPECT_EQ(json::decode<Config>(text("collectionByGroupId", "collectionGroupId")).queryId,
              ContentQueryIdentifier::collectionByGroupId);
    EXPECT_EQ(decodeFailure<Config>(text("collectionBySlug", "Slug")).path(), "identifierType");
    EXPECT_EQ(decodeFailure<Config>(text("collectionBySlug", "groupId")).path(), "identifierType");
    EXPECT_EQ(decodeFailure<Config>(text("notAQuery", "slug")).path(), "queryId");
}

TEST(Catalog, BuiltInCatalogConfiguresEveryQuery) {
    auto catalog = Catalog::load(VORLANE_CATALOG_DIR);
    for (const auto& entry : json::allCases<ContentQueryIdentifier>())
        EXPECT_NE(catalog.configuration.descriptor(entry.value), nullptr) << entry.wire;
    for (const auto& answer : catalog.manifest.answers)
        if (answer.query) { EXPECT_NE(catalog.configuration.descriptor(answer.query->key), nullptr) << answer.file; }
}

TEST(QueryContext, AbsentKeysTakeAFreshAppsValuesOtherKeysAreRefusedAndEveryFieldReadsBack) {
    sdk::SearchOverrides overrides{"https://search.invalid", {}};
    overrides.headers.insertOrAssign("x-test", "1");
    jsontesting::expectDecodes<QueryContext>({
        {"{}", QueryContext{"vorlane", "US", std::nullopt, false, std::nullopt, "en", {}, false, std::nullopt}},
        {R"({"currentCountry":null,"isKidsMode":null})", QueryContext{}},
        {R"({"partner":"harbor-tv","portabilityCountry":"GB","impliedMaturityRating":1350,"profileId":"p-1",)"
         R"("searchOverrides":{"endpoint":"https://search.invalid","headers":{"x-test":"1"}}})",
         QueryContext{"harbor-tv", "US", "GB", false, 1350, "en", overrides, false, "p-1"}},
        {R"({"curentCountry":"FR"})", Failure{ErrorKind::dataCorrupted, "curentCountry"}},
        {R"({"isKidsMode":"yes"})", Failure{ErrorKind::typeMismatch, "isKidsMode"}},
        {R"([])", Failure{ErrorKind::typeMismatch, "(root)"}},
    });
    const QueryContext full{"p", "", "GB", true, 0, "fr", {"e", {}}, true, "profile"};
    EXPECT_EQ(json::decode<QueryContext>(json::encode(full)), full);
    EXPECT_EQ(json::encode(QueryContext{}),
              R"({"partner":"vorlane","currentCountry":"US","isKidsMode":false,"preferredLanguage":"en",)"
              R"("searchOverrides":{"headers":{}},"liveAndUnratedEnabled":false})");
}

}  // namespace
}  // namespace vorlane
