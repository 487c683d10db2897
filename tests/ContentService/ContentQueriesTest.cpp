#include "tests/ContentService/ServiceFixture.hpp"
#include "vorlane/ContentService/QueryFactory.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <gtest/gtest.h>

// Locators below are written with designated initializers; the members left out keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vorlane {
namespace {

using Q = ContentQueryIdentifier;
using test::everyQuery;
using test::expectErrorCode;

struct ContentQueries : test::ServiceFixture {
    ContentQueries() : ServiceFixture(everyQuery()) {}

    // The variables of the last call without the standard ones, which follow the operation's own.
    std::string sentVariables() const { return ownVariables(session->calls().back()); }

    static std::string ownVariables(const SessionCall& call) {
        const std::string all = call.variables.value().dump();
        const std::size_t standard = all.find("\"appLanguage\":");
        if (standard == std::string::npos) return all;
        return standard == 1 ? "{}" : all.substr(0, standard - 1) + "}";
    }
};

constexpr std::string_view kStandard =
    R"("appLanguage":"en-GB","region":"US","apiVersion":"5.1","impliedMaturityRating":1350,"kidsModeEnabled":false,"liveAndUnratedEnabled":true)";
const std::string minimalVideoAnswer = R"({"contentId":"v1","contentType":"full","programType":"movie","mediaMetadata":{}})";

std::string set(const std::string& type, const std::string& items) {
    return R"({"meta":{"hits":1,"page_size":20,"offset":0},"type":")" + type + R"(","setId":"s1","items":[)" + items + "]}";
}

// Each operation sends its key's query id and exactly these variables, in this order, with the
// standard variables after them; and delivers exactly one result, here the decoding error of "{}".
TEST_F(ContentQueries, EachOperationSendsItsVariablesInOrderAndDeliversOnce) {
    const EncodedIdentifier family("F1"), series("S1");
    const ContentSetReferenceLocator curated{ContentSetType::curated, "set-9"};
    int values = 0, errors = 0;
    auto subscribe = [&](auto single) -> std::function<void()> {
        return [&, single] { single.subscribe([&](auto) { ++values; }, [&](auto) { ++errors; }); };
    };
    struct Row { std::function<void()> run; std::string queryId, variables; };
    const Row rows[] = {
        {subscribe(service.getVideo("c1")), "core/video", R"({"contentId":"c1")"},
        {subscribe(service.getLegacyVideo("encodedFamilyId", family)), "core/video", R"({"encodedFamilyId":"F1")"},
        {subscribe(service.getVideo(series, 2, 5)), "core/video",
         R"({"encodedSeriesId":"S1","seasonSequenceNumber":2,"episodeSequenceNumber":5)"},
        {subscribe(service.getUpNextVideo("c1")), "core/upNext", R"({"contentId":"c1")"},
        {subscribe(service.getExtras(family, 2, PageSize::forty)), "core/extras",
         R"({"encodedFamilyId":"F1","page":2,"pageSize":40)"},
        {subscribe(service.getContent(curated, ItemPage{45, PageSize::twenty})), "core/curatedSet",
         R"({"setId":"set-9","setType":"CuratedSet","page":3,"pageSize":20)"},
        {subscribe(service.getContent({ContentSetType::becauseYou, "b"}, std::nullopt)), "core/becauseYouSet",
         R"({"setId":"b","setType":"BecauseYouSet")"},
        {subscribe(service.getContent({ContentSetType::downloads, "d"}, std::nullopt)), "core/downloadsSet",
         R"({"setId":"d","setType":"DownloadSet")"},
        {subscribe(service.getContent({ContentSetType::continueWatching, "cw"}, std::nullopt)),
         "core/continueWatchingSet", R"({"setId":"cw","setType":"ContinueWatchingSet")"},
        {subscribe(service.getBundle({series, ContentTypeIdentifier::series})), "core/seriesBundle",
         R"({"encodedSeriesId":"S1","episodePageSize":7)"},
        {subscribe(service.getBundle<VideoBundle>(family)), "core/videoBundle", R"({"encodedFamilyId":"F1")"},
        {subscribe(service.search("a/b c", std::nullopt, PageSize::thirty)), "core/search",
         R"({"partner":"partner","query":"a%2Fb%20c","pageSize":30)"},
        {subscribe(service.search("x", "series", PageSize::all)), "core/search",
         R"({"partner":"partner","query":"x","pageSize":-1,"queryType":"series")"},
        {subscribe(service.getEpisodes("season-1")), "core/episodes", R"({"seasonId":"season-1","page":1,"pageSize":-1)"},
        {subscribe(service.getRelatedItemsForVideo(family)), "core/relatedItemsForVideo", R"({"encodedFamilyId":"F1")"},
        {subscribe(service.getRelatedItemsForSeries(series)), "core/relatedItemsForSeries", R"({"encodedSeriesId":"S1")"},
        {subscribe(service.getProgramBundle(family)), "core/programBundle", R"({"encodedFamilyId":"F1")"},
        {subscribe(service.getLiveNow(3)), "core/liveNow", R"({"page":3)"},
        {subscribe(service.getLiveAndUpcomingEpisodes(series)), "core/liveAndUpcomingEpisodes",
         R"({"encodedSeriesId":"S1")"},
        {subscribe(service.getAiring("c1")), "core/airing", R"({"mepoContentId":"c1")"},
        {subscribe(service.getAiringByAiringId("a1")), "core/airingByAiringId", R"({"airingId":"a1")"},
        {subscribe(service.getAvatars({"a", "b"})), "core/avatarByAvatarId", R"({"avatarIds":["a","b"])"},
        {subscribe(service.getDefaultAvatars()), "core/collectionBySlug",
         R"({"slug":"avatars","contentClass":"avatars","collectionSubType":"StandardCollection")"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].queryId + " row " + std::to_string(i));
        session->enqueueAnswer("{}");
        values = errors = 0;
        rows[i].run();
        EXPECT_EQ(values + errors, 1);
        const auto call = session->calls().back();
        EXPECT_EQ(call.kind, SessionCallKind::search);
        EXPECT_EQ(call.queryId, rows[i].queryId);
        EXPECT_EQ(call.variables->dump(), rows[i].variables + "," + std::string(kStandard) + "}");
    }
    EXPECT_EQ(session->calls().size(), std::size(rows));
    EXPECT_TRUE(tracker->reports.empty());
}

TEST_F(ContentQueries, PageOfASetQueryAtItsEdges) {
    // offset, page size, page sent
    const std::tuple<std::int64_t, PageSize, std::int64_t> rows[] = {
        {45, PageSize::fifteen, 4}, {40, PageSize::twenty, 3}, {39, PageSize::twenty, 2}, {0, PageSize::ten, 1},
        {-1, PageSize::twenty, 1},  {100, PageSize::zero, 1},  {100, PageSize::all, 1},   {59, PageSize::sixty, 1}};
    for (const auto& [offset, size, expected] : rows)
        EXPECT_EQ(pageNumber(ItemPage{offset, size}), expected) << offset << " of " << rawValue(size);
    session->enqueueAnswer("{}");
    service.getContent({ContentSetType::trending, "t"}, ItemPage{-20, PageSize::all}).subscribe([](auto) {}, [](auto) {});
    EXPECT_EQ(sentVariables(), R"({"setId":"t","setType":"TrendingSet","page":1,"pageSize":-1})");
}

TEST_F(ContentQueries, SearchTextEscapesSlashAndReservedCharacters) {
    const std::pair<std::string, std::string> rows[] = {
        {"a/b", "a%2Fb"}, {"tom & jerry?", "tom%20&%20jerry%3F"}, {"100% #1", "100%25%20%231"},
        {"-._~!$'()*+,;=:@", "-._~!$'()*+,;=:@"}, {"café", "caf%C3%A9"},
        {"[x]{y}|\"<>\\^`", "%5Bx%5D%7By%7D%7C%22%3C%3E%5C%5E%60"},
        {"bad \xff byte", "bad \xff byte"},      // not UTF-8: sent unchanged
        {"\xed\xa0\x80", "\xed\xa0\x80"},        // an encoded surrogate is not UTF-8 either
        {"", ""},
    };
    for (const auto& [text, sent] : rows) EXPECT_EQ(percentEncodedSearchText(text), sent) << text;
}

TEST_F(ContentQueries, SetQueriesOverrideRules) {
    const JsonValue additional = JsonValue::parse(R"({"setId":"mine","page":9,"extra":true})");
    session->enqueueAnswer("{}"), session->enqueueAnswer("{}");
    service.getContent({ContentSetType::curated, "theirs"}, additional, ItemPage{0, PageSize::ten})
        .subscribe([](auto) {}, [](auto) {});
    EXPECT_EQ(sentVariables(), R"({"setId":"mine","setType":"CuratedSet","page":9,"pageSize":10,"extra":true})");
    // The continue-watching set keeps the locator's id and type; its additional parameters come first.
    service.getContent({ContentSetType::continueWatching, "theirs"}, additional, ItemPage{0, PageSize::ten})
        .subscribe([](auto) {}, [](auto) {});
    EXPECT_EQ(session->calls().back().queryId, "core/continueWatchingSet");
    EXPECT_EQ(sentVariables(), R"({"setId":"theirs","page":9,"extra":true,"setType":"ContinueWatchingSet"})");
    // Parameters that are not an object are the caller's mistake.
    EXPECT_THROW(service.getContent({ContentSetType::curated, "x"}, JsonValue::array(), std::nullopt).blockingGet(),
                 std::invalid_argument);
}

TEST_F(ContentQueries, BookmarkRuleOfAnUpsert) {
    const std::pair<const char*, std::optional<std::string>> rows[] = {
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":12.9,"occurredOn":1700}})",
         R"({"contentId":"c","mediaId":"m","playhead":12,"occurredOn":1700})"},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":-3.7,"occurredOn":-1}})",
         R"({"contentId":"c","mediaId":"m","playhead":-3,"occurredOn":-1})"},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":12,"occurredOn":1700}})", std::nullopt},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":1.5,"occurredOn":17.0}})", std::nullopt},
        {R"({"lastBookmark":{"contentId":"c","playhead":1.5,"occurredOn":1}})", std::nullopt},
        {R"({"lastBookmark":{"contentId":7,"mediaId":"m","playhead":1.5,"occurredOn":1}})", std::nullopt},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":1e300,"occurredOn":1}})", std::nullopt},
        {R"({"lastBookmark":{"contentId":"c","mediaId":"m","playhead":1.5,"occurredOn":18446744073709551615}})",
         std::nullopt},
        {R"({"lastBookmark":{}})", std::nullopt}, {R"({"lastBookmark":[1]})", std::nullopt}, {R"({})", std::nullopt},
        {R"(null)", std::nullopt},
    };
    for (const auto& [upsert, expected] : rows) {
        const auto bookmark = normalizedBookmark(JsonValue::parse(upsert));
        EXPECT_EQ(bookmark ? std::optional(bookmark->dump()) : std::nullopt, expected) << upsert;
    }
}

TEST_F(ContentQueries, ContinueWatchingSetSendsTheBookmarkAndImportsItsVideosBookmarks) {
    profile.set("profile-1");
    const JsonValue upsert = JsonValue::parse(
        R"({"setId":"ignored","lastBookmark":{"contentId":"c","mediaId":"m","playhead":30.5,"occurredOn":99}})");
    const std::string watched = R"({"type":"MepoVideo","contentId":"v1","contentType":"full","programType":"movie",)"
                                R"("mediaMetadata":{},"meta":{"bookmarkData":{"userId":"u","occurredOn":5,"playhead":61.5,)"
                                R"("runtime":3000,"ccDefault":2900}}})";
    const std::string unwatched = R"({"type":"MepoVideo","contentId":"v2","contentType":"full","programType":"movie","mediaMetadata":{}})";
    const std::string series = R"({"type":"MepoSeries","seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}})";
    session->enqueueAnswer(set("ContinueWatchingSet", watched + "," + series + "," + unwatched));
    const ContentSet answer = service.getContent({ContentSetType::continueWatching, "cw"}, upsert, std::nullopt).blockingGet();
    EXPECT_EQ(answer.items.size(), 3u);

    const auto calls = session->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].queryId, "core/continueWatchingSetWithBookmark");
    EXPECT_EQ(ownVariables(calls[0]),
              R"({"setId":"cw","lastBookmark":{"contentId":"c","mediaId":"m","playhead":30.5,"occurredOn":99},)"
              R"("setType":"ContinueWatchingSet","contentId":"c","mediaId":"m","playhead":30,"occurredOn":99})");
    EXPECT_EQ(calls[1].kind, SessionCallKind::importBookmarks);
    EXPECT_EQ(json::encode(calls[1].bookmarks),
              R"([{"contentId":"v1","profileId":"profile-1","playhead":61.5,"runtime":3000.0,"occurredOn":5},)"
              R"({"contentId":"v2","profileId":"profile-1","playhead":0.0}])");

    // A set that fails to decode imports nothing.
    session->enqueueAnswer("{}");
    EXPECT_THROW(service.getContent({ContentSetType::continueWatching, "cw"}, std::nullopt).blockingGet(),
                 json::DecodingError);
    EXPECT_EQ(session->calls().size(), 3u);
}

TEST_F(ContentQueries, DocumentedFailures) {
    using enum SDKContentServiceError;
    const std::string noVideos = R"({"meta":{},"videos":[]})";
    struct Row { std::string answer; std::function<void()> run; SDKContentServiceError error; };
    const Row rows[] = {
        {R"({})", [&] { service.getVideo("c").blockingGet(); }, missing},
        {R"({"video":null})", [&] { service.getVideo("c").blockingGet(); }, missing},
        {noVideos, [&] { service.getLegacyVideo("k", EncodedIdentifier("e")).blockingGet(); }, missing},
        {noVideos, [&] { service.getVideo(EncodedIdentifier("e"), 1, 1).blockingGet(); }, missing},
        {"", [&] { service.getBundle(ContentReferenceLocator{std::nullopt, ContentTypeIdentifier::video}).blockingGet(); },
         missingIdentifier},
    };
    for (const auto& row : rows) {
        if (!row.answer.empty()) session->enqueueAnswer(row.answer);
        expectErrorCode(row.run, row.error);
    }
    // The up-next decision's own error passes through.
    session->enqueueAnswer(R"({"upNextType":"stop","video":{"meta":{},"videos":[)" + minimalVideoAnswer + "]}}");
    expectErrorCode([&] { service.getUpNextVideo("c").blockingGet(); }, UpNextError::noUpNext);
    EXPECT_EQ(session->pendingReplies(), 0u);

    config.set(ContentQueryConfiguration{});
    const std::size_t sent = session->calls().size();
    for (const auto& run : std::vector<std::function<void()>>{
             [&] { service.getVideo("c").blockingGet(); }, [&] { service.getLiveNow(1).blockingGet(); },
             [&] { service.search("x", std::nullopt, PageSize::ten).blockingGet(); },
             [&] { service.getContent({ContentSetType::watchlist, "w"}, std::nullopt).blockingGet(); },
             [&] { service.getContent({ContentSetType::continueWatching, "w"}, std::nullopt).blockingGet(); },
             [&] { service.getAvatars({"a"}).blockingGet(); }, [&] { service.getDefaultAvatars().blockingGet(); }})
        expectErrorCode(run, nullQueryId);
    EXPECT_EQ(session->calls().size(), sent);
}

TEST_F(ContentQueries, BundlesOfOtherContentAreRefusedAndLogged) {
    LogCapture capture;
    using T = ContentTypeIdentifier;
    const std::pair<T, const char*> rows[] = {
        {T::standardCollection, "Attempting to get a collection bundle"},
        {T::personalizedCollection, "Attempting to get a collection bundle"},
        {T::avatar, "Attempting to get an avatar bundle"}, {T::airing, "Attempting to get an airing bundle"},
        {T::explore, "Attempting to get an explore bundle"}};
    for (const auto& [type, message] : rows) {
        capture.clear();
        EXPECT_THROW(service.getBundle(ContentReferenceLocator{EncodedIdentifier("x"), type}).blockingGet(),
                     std::invalid_argument);
        const auto entries = capture.entries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].level, LogLevel::error);
        EXPECT_EQ(entries[0].function, "getBundle(for:)");
        EXPECT_EQ(entries[0].message, message);
    }
    EXPECT_TRUE(session->calls().empty());
}

TEST_F(ContentQueries, SearchAnswers) {
    const std::string movie = R"({"hit":{"type":"MepoVideo","contentId":"v1","contentType":"full","programType":"movie","mediaMetadata":{}}})";
    const std::string unknown = R"({"hit":{"type":"Program","id":"p"}})";
    const std::string series = R"({"hit":{"type":"MepoSeries","seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}}})";
    // answer, content ids found
    const std::pair<std::string, std::string> rows[] = {
        {R"({"resultType":"matches","hits":[)" + movie + "," + unknown + "," + series + "]}", "v1,s1,"},
        {R"({"resultType":"popular","hits":[)" + movie + "]}", ""}, {R"({"resultType":"popular"})", ""},
        {R"({"resultType":"matches","hits":[{}]})", ""},
    };
    for (const auto& [answer, ids] : rows) {
        session->enqueueAnswer(answer);
        std::string found;
        for (const auto& hit : service.search("x", std::nullopt, PageSize::ten).blockingGet())
            found += hit.model()->contentId() + ",";
        EXPECT_EQ(found, ids) << answer;
    }
    session->enqueueAnswer(R"({"resultType":"matches"})");
    EXPECT_THROW(service.search("x", std::nullopt, PageSize::ten).blockingGet(), json::DecodingError);
}

TEST_F(ContentQueries, CollectionQuerySteps) {
    using L = ContentCollectionReferenceLocator;
    const auto brand = std::optional<CollectionContentClass>(CollectionContentClassCase::brand);
    struct Row { L locator; std::optional<std::string> variables; };
    const Row rows[] = {
        // the home slug names its class; personalized, so the entry's default subtype
        {L{.slug = "home"}, R"({"slug":"home","contentClass":"home","kidsModeEnabled":false,"collectionSubType":"PersonalizedCollection"})"},
        // a parent slug is preferred only when present
        {L{.slug = "home", .parentCollectionSlug = "northlight", .prefersParentCollectionSlug = false}, R"({"slug":"home","contentClass":"home","kidsModeEnabled":false,"collectionSubType":"PersonalizedCollection"})"},
        {L{.slug = "x", .parentCollectionSlug = "home", .subType = "Custom"},
         R"({"slug":"home","contentClass":"home","kidsModeEnabled":false,"collectionSubType":"Custom"})"},
        // brand slugs select the brand entry, fetched by group id, parent preferred unless told otherwise
        {L{.slug = "northlight", .collectionGroupId = "g", .parentCollectionGroupId = "pg"},
         R"({"collectionGroupId":"pg","contentClass":"brand","kidsModeEnabled":false,"collectionSubType":"StandardCollection"})"},
        {L{.slug = "northlight", .collectionGroupId = "g", .parentCollectionGroupId = "pg", .prefersParentCollectionGroupId = false},
         R"({"collectionGroupId":"g","contentClass":"brand","kidsModeEnabled":false,"collectionSubType":"StandardCollection"})"},
        // failures: no slug, no entry for the class, no group id
        {L{.contentClass = brand, .collectionGroupId = "g"}, std::nullopt},
        {L{.slug = "unlisted", .contentClass = std::optional<CollectionContentClass>(CollectionContentClassCase::editorial)}, std::nullopt},
        {L{.slug = "northlight"}, std::nullopt},
    };
    for (const auto& row : rows) {
        const std::size_t before = session->calls().size();
        if (!row.variables) {
            expectErrorCode([&] { service.getCollection(row.locator).blockingGet(); }, SDKContentServiceError::missingIdentifier);
            EXPECT_EQ(session->calls().size(), before);
            continue;
        }
        session->enqueueAnswer("{}");
        service.getCollection(row.locator).subscribe([](auto) {}, [](auto) {});
        EXPECT_EQ(sentVariables(), *row.variables);
    }
    // An entry whose query has no descriptor is a missing identifier too.
    auto config = everyQuery();
    config.queryDescriptors = {};
    this->config.set(config);
    expectErrorCode([&] { service.getCollection(L{.slug = "home"}).blockingGet(); }, SDKContentServiceError::missingIdentifier);
}

TEST_F(ContentQueries, DefaultAvatarsComeFromTheFirstVisibleContainer) {
    const std::string group = R"("collectionGroup":{"key":"avatars","collectionGroupId":"g","contentClass":"avatars","slugs":[]})";
    auto collection = [&](const std::string& containers) {
        return R"({"collectionId":"c","type":"StandardCollection","subType":"StandardCollection",)" + group +
               R"(,"containers":[)" + containers + "]}";
    };
    auto container = [](const std::string& style, const std::string& set) {
        return R"({"type":"GridContainer","style":")" + style + R"(","set":)" + set + "}";
    };
    const std::string avatars = set("CuratedSet", R"({"type":"Avatar","avatarId":"a1"},)" + minimalVideoAnswer.substr(0, 1) +
                                                      R"("type":"MepoVideo",)" + minimalVideoAnswer.substr(1) +
                                                      R"(,{"type":"Avatar","avatarId":"a2"})");
    const std::string hidden = container("hidden", set("CuratedSet", R"({"type":"Avatar","avatarId":"h"})"));

    session->enqueueAnswer(collection(hidden + "," + container("grid", avatars)));
    std::string ids;
    for (const auto& avatar : service.getDefaultAvatars().blockingGet()) ids += avatar.contentId() + ",";
    EXPECT_EQ(ids, "a1,a2,");

    // A set given by reference is fetched as page 1 of ten, with everything the collection query sent.
    session->enqueueAnswer(collection(hidden + "," + container("grid", R"({"refType":"CuratedSet","refId":"ref-1"})")));
    session->enqueueAnswer(avatars);
    EXPECT_EQ(service.getDefaultAvatars().blockingGet().size(), 2u);
    auto calls = session->calls();
    EXPECT_EQ(calls.back().queryId, "core/curatedSet");
    EXPECT_EQ(calls.back().variables->dump(),
              R"({"setId":"ref-1","setType":"CuratedSet","page":1,"pageSize":10,"slug":"avatars","contentClass":"avatars","collectionSubType":"StandardCollection",)" +
                  std::string(kStandard) + "}");

    session->enqueueAnswer(collection(hidden));
    expectErrorCode([&] { service.getDefaultAvatars().blockingGet(); }, AvatarServiceError::defaultsNotFound);

    session->enqueueAnswer(R"({"avatars":[]})");
    expectErrorCode([&] { service.getAvatar("nobody").blockingGet(); }, AvatarServiceError::avatarNotFound);
    session->enqueueAnswer(R"({"avatars":[{"avatarId":"b"},{"avatarId":"a"}]})");
    EXPECT_EQ(service.getAvatar("a").blockingGet().contentId(), "b");  // the answer's first
}

}  // namespace
}  // namespace vorlane
