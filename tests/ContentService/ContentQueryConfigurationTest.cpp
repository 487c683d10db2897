#include "tests/TestSupport.hpp"
#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

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

JsonValue completeConfiguration() {
    return JsonValue::parse(R"({
      "queryDescriptors": {"video": {"queryId": "q/video", "apiVersion": "5.1"},
                           "explorePage": {"queryId": "q/page", "apiVersion": "v1"}},
      "collectionContentClassConfig": {"home": {"queryId": "completeCollectionBySlug", "identifierType": "slug",
                                                "enablePersonalizedCollection": true,
                                                "defaultCollectionType": "StandardCollection"}},
      "homeScreenSlug": "home", "zelkorScreenSlug": "zelkor", "exploreScreenSlug": "explore",
      "moviesScreenSlug": "movies", "seriesScreenSlug": "series", "watchListScreenSlug": "watchlist",
      "originalsScreenSlug": "originals", "avatarSlug": "avatars", "brandSlugs": ["a", "b"],
      "onboardingSlug": "onboarding", "searchIndex": "idx", "defaultSeriesBundleEpisodeCount": 15})");
}

TEST(ContentQueryIdentifier, EveryCaseHasItsNameAsWireStringInOrder) {
    const auto& cases = json::allCases<ContentQueryIdentifier>();
    ASSERT_EQ(std::size(cases), std::size(kQueryKeys));
    for (std::size_t i = 0; i < std::size(kQueryKeys); ++i) {
        SCOPED_TRACE(kQueryKeys[i]);
        EXPECT_EQ(static_cast<std::size_t>(cases[i].value), i);
        EXPECT_EQ(cases[i].wire, kQueryKeys[i]);
        auto decoded = json::decode<ContentQueryIdentifier>(test::quoted(kQueryKeys[i]));
        EXPECT_EQ(json::encode(decoded), test::quoted(kQueryKeys[i]));
    }
}

TEST(ContentQueryIdentifier, UnknownOrMiscasedStringsFail) {
    for (const char* text : {R"("Video")", R"("videos")", R"("")", R"("explore_page")"}) {
        SCOPED_TRACE(text);
        try {
            json::decode<ContentQueryIdentifier>(text);
            FAIL() << "decoded an unknown query key";
        } catch (const json::DecodingError& error) {
            EXPECT_EQ(error.kind(), json::ErrorKind::dataCorrupted);
            EXPECT_NE(error.message().find("ContentQueryIdentifier"), std::string::npos);
        }
    }
}

TEST(ContentQueryConfiguration, EveryKeyIsRequired) {
    const JsonValue complete = completeConfiguration();
    ASSERT_EQ(complete.size(), 14u);
    for (const auto& [key, value] : complete.items()) {
        SCOPED_TRACE(key);
        JsonValue partial = complete;
        partial.erase(key);
        try {
            json::decode<ContentQueryConfiguration>(partial.dump());
            FAIL() << "decoded without " << key;
        } catch (const json::DecodingError& error) {
            EXPECT_EQ(error.kind(), json::ErrorKind::keyNotFound);
            EXPECT_EQ(error.path(), key);
        }
    }
}

TEST(ContentQueryConfiguration, RoundTripsAndLooksUpDescriptorsByQueryKey) {
    auto config = json::decode<ContentQueryConfiguration>(completeConfiguration().dump());
    ASSERT_NE(config.descriptor(ContentQueryIdentifier::video), nullptr);
    EXPECT_EQ(config.descriptor(ContentQueryIdentifier::video)->queryId, "q/video");
    EXPECT_EQ(config.descriptor(ContentQueryIdentifier::explorePage)->apiVersion, "v1");
    EXPECT_EQ(config.descriptor(ContentQueryIdentifier::series), nullptr);
    EXPECT_EQ(config.queryDescriptors.front().first, "video");  // document order kept

    const auto& home = *config.collectionContentClassConfig.find("home");
    EXPECT_EQ(home.queryId, ContentQueryIdentifier::completeCollectionBySlug);
    EXPECT_EQ(home.identifierType, CollectionIdentifierType::slug);

    std::string encoded = json::encode(config);
    EXPECT_EQ(json::decode<ContentQueryConfiguration>(encoded), config);
    EXPECT_EQ(JsonValue::parse(encoded), completeConfiguration());  // same keys, same order
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
    struct Row {
        const char* queryId;
        const char* identifierType;
        bool ok;
    };
    for (const Row& row : {Row{"collectionBySlug", "slug", true}, Row{"collectionByGroupId", "collectionGroupId", true},
                           Row{"collectionBySlug", "Slug", false}, Row{"collectionBySlug", "groupId", false},
                           Row{"notAQuery", "slug", false}}) {
        SCOPED_TRACE(std::string(row.queryId) + "/" + row.identifierType);
        JsonValue value = {{"queryId", row.queryId},
                           {"identifierType", row.identifierType},
                           {"enablePersonalizedCollection", false},
                           {"defaultCollectionType", "StandardCollection"}};
        if (row.ok)
            EXPECT_NO_THROW(json::decode<CollectionContentClassConfig>(value.dump()));
        else
            EXPECT_THROW(json::decode<CollectionContentClassConfig>(value.dump()), json::DecodingError);
    }
}

TEST(Catalog, BuiltInCatalogConfiguresEveryQuery) {
    auto catalog = Catalog::load(VORLANE_CATALOG_DIR);
    for (const auto& entry : json::allCases<ContentQueryIdentifier>())
        EXPECT_NE(catalog.configuration.descriptor(entry.value), nullptr) << entry.wire;
    for (const auto& answer : catalog.manifest.answers)
        if (answer.query) { EXPECT_NE(catalog.configuration.descriptor(answer.query->key), nullptr) << answer.file; }
}

}  // namespace
}  // namespace vorlane
