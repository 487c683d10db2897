#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Transport/CatalogSession.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>

namespace vorlane {
namespace {

namespace fs = std::filesystem;

struct TempCatalog {
    fs::path dir = fs::temp_directory_path() / ("vorlane-catalog-" + std::to_string(::getpid()));
    TempCatalog() {
        fs::create_directories(dir);
        write("config.json", jsontesting::testData("config/catalog-session.json"));

        write("manifest.json", R"({"configuration":"config.json","answers":[
            {"file":"any-video.json","type":"EncodedIdentifier","api":"content","query":{"key":"video"}},
            {"file":"video-1.json","type":"EncodedIdentifier","api":"content","query":{"key":"video","variables":{"contentId":"1"}}},
            {"file":"video-1-fr.json","type":"EncodedIdentifier","api":"content","query":{"key":"series","variables":{"contentId":"1","region":"FR"}}},
            {"file":"home.json","type":"EncodedIdentifier","api":"explore","query":{"key":"explorePage","variables":{"pageId":"home"}}},
            {"file":"home-20.json","type":"EncodedIdentifier","api":"explore","query":{"key":"explorePage","variables":{"pageId":"home"},"params":{"limit":20}}},
            {"file":"state.json","type":"EncodedIdentifier","api":"explore","query":{"key":"userState","variables":{"pids":["p1"]}}}]})");
        for (const char* name : {"any-video.json", "video-1.json", "video-1-fr.json", "home.json", "home-20.json", "state.json"})
            write(name, std::string("\"") + name + "\"");
    }
    ~TempCatalog() { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(dir / name) << text; }
};

TEST(CatalogSession, RoutesToTheMostSpecificMatchingAnswer) {
    TempCatalog temp;
    auto session = CatalogSession::open(temp.dir);
    auto content = session->contentApi();
    auto explore = session->exploreApi();
    auto legacy = [&](JsonValue variables) {
        return content->search<std::string>(sdk::RestQuery{"core/video", std::move(variables)}, {}, std::nullopt,
                                            std::nullopt, {})
            .blockingGet();
    };
    auto get = [&](std::string version, JsonValue variables, std::optional<JsonValue> params) {
        return json::decode<std::string>(
            explore->execute(sdk::ExploreGetQuery{"x/page", std::move(version), std::move(variables), std::move(params)}, {})
                .blockingGet());
    };
    EXPECT_EQ(legacy({{"contentId", "2"}}), "any-video.json");
    EXPECT_EQ(legacy({{"contentId", "1"}, {"region", "US"}}), "video-1.json");
    EXPECT_EQ(legacy({{"contentId", "1"}, {"region", "FR"}}), "video-1-fr.json");
    EXPECT_EQ(get("v1", {{"pageId", "home"}}, std::nullopt), "home.json");
    EXPECT_EQ(get("v1", {{"pageId", "home"}}, JsonValue{{"limit", 20}}), "home-20.json");
    EXPECT_EQ(get("v1", {{"pageId", "home"}}, JsonValue{{"limit", 10}}), "home.json");
    EXPECT_EQ(json::decode<std::string>(
                  explore->execute(sdk::ExplorePostQuery{"x/state", "v1", R"({"pids":["p1"]})"}, {}).blockingGet()),
              "state.json");

    EXPECT_EQ(jsontesting::thrownMessage<CatalogSessionError>([&] { get("v2", {{"pageId", "home"}}, std::nullopt); }),
              R"(the catalog has no answer for Explore query "x/page" (key "explorePage", apiVersion "v2") with variables {"pageId":"home"})");
    EXPECT_THROW(get("v1", {{"pageId", "movies"}}, std::nullopt), CatalogSessionError);

    auto calls = session->calls();
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[0].variables->dump(), R"({"contentId":"2"})");
    EXPECT_EQ(calls[4].params->dump(), R"({"limit":20})");
    EXPECT_EQ(calls[6].body, R"({"pids":["p1"]})");
}

TEST(CatalogSession, OfAnswersListingEquallyManyMembersTheEarlierInTheManifestWins) {
    TempCatalog temp;
    auto entry = [](const std::string& file, const std::string& variables) {
        return R"({"file":")" + file + R"(","type":"T","api":"content","query":{"key":"video")" +
               (variables.empty() ? "" : R"(,"variables":)" + variables) + "}}";
    };
    // two answers that both match the query sent below with the same number of listed members
    const std::pair<std::string, std::string> pairs[] = {
        {entry("any-video.json", ""), entry("home.json", "")},
        {entry("video-1.json", R"({"contentId":"1"})"), entry("video-1-fr.json", R"({"region":"FR"})")},
    };
    const JsonValue sent = {{"contentId", "1"}, {"region", "FR"}};
    for (const auto& [one, other] : pairs) {
        for (const auto& [first, second] : {std::pair(one, other), std::pair(other, one)}) {
            SCOPED_TRACE(first + " before " + second);
            temp.write("manifest.json", R"({"configuration":"config.json","answers":[)" + first + "," + second + "]}");
            auto session = CatalogSession::open(temp.dir);
            const CatalogAnswer* routed = session->route(CatalogApi::content, "core/video", std::nullopt, &sent, nullptr);
            ASSERT_NE(routed, nullptr);
            EXPECT_EQ(*routed, session->catalog().manifest.answers.at(0));
        }
    }
}

TEST(CatalogSession, RecordsWatchlistChangesAndBookmarkImportsInOrder) {
    TempCatalog temp;
    auto session = CatalogSession::open(temp.dir);
    sdk::WatchlistRequest request{"r1", "programId", "info"};
    session->exploreApi()->addToWatchlist(request, {}).blockingAwait();
    session->contentApi()->bookmarks().import({sdk::Bookmark{"c1", "profile", 12.5, 60.0, 1700000000}});
    auto removal = session->exploreApi()->removeFromWatchlist(request, {});
    EXPECT_EQ(session->calls().size(), 2u);  // nothing runs before subscription
    removal.blockingAwait();

    auto calls = session->calls();
    ASSERT_EQ(jsontesting::eachOf(calls, &SessionCall::kind),
              (std::vector{SessionCallKind::addToWatchlist, SessionCallKind::importBookmarks, SessionCallKind::removeFromWatchlist}));
    EXPECT_EQ(calls[0].watchlistRequest, request);
    EXPECT_EQ(calls[1].bookmarks.at(0).playhead, 12.5);
}

TEST(CatalogSession, WithACallLimitKeepsOnlyTheLatestCallsButTellsTheListenerOfEach) {
    TempCatalog temp;
    const std::vector<std::string> all = {"r1", "r2", "r3", "r4", "r5"};
    // The limit, and the refIds of the calls kept, oldest first.
    const std::pair<std::optional<std::size_t>, std::vector<std::string>> rows[] = {
        {std::nullopt, all}, {10, all}, {5, all}, {3, {"r3", "r4", "r5"}}, {1, {"r5"}}, {0, {}}};
    for (const auto& [limit, kept] : rows) {
        SCOPED_TRACE(limit ? std::to_string(*limit) : "none");
        auto session = CatalogSession::open(temp.dir, limit);
        int heard = 0;
        session->onCall([&](const SessionCall&) { ++heard; });
        for (const auto& refId : all)
            session->exploreApi()->addToWatchlist(sdk::WatchlistRequest{refId, "programId", "info"}, {}).blockingAwait();
        EXPECT_EQ(jsontesting::eachOf(session->calls(), &SessionCall::queryId), kept);
        EXPECT_EQ(heard, 5);
    }
}

TEST(CatalogSession, ManifestRejectsAQueryWithoutApiMissingFilesAndPathsOutsideTheCatalogDirectory) {
    TempCatalog temp;
    temp.write("manifest.json", R"({"configuration":"config.json","answers":[{"file":"f","type":"T","query":{"key":"video"}}]})");
    EXPECT_THROW(CatalogSession::open(temp.dir), std::runtime_error);
    temp.write("manifest.json", R"({"configuration":"config.json","answers":[{"file":"f","type":"T","api":"content","query":{"key":"nope"}}]})");
    EXPECT_EQ(jsontesting::thrownDecodingError([&] { CatalogSession::open(temp.dir); }).path(), "answers[0].query.key");
    EXPECT_THROW(CatalogSession::open(temp.dir / "missing"), std::runtime_error);

    fs::create_directories(temp.dir / "sub");
    // configuration, answer file, the start of the error ("no failure" when it loads)
    struct Row { std::string configuration, file, error; };
    // Links inside the catalog: one to a file inside it, two leading out of it.
    fs::create_symlink(temp.dir / "any-video.json", temp.dir / "in-link.json");
    fs::create_symlink("/etc/os-release", temp.dir / "out-link.json");
    fs::create_directory_symlink("/etc", temp.dir / "out-dir");
    const Row rows[] = {
        {"config.json", "./sub/../any-video.json", "no failure"}, {"sub/../config.json", "sub/later.json", "no failure"},
        {"config.json", "in-link.json", "no failure"},
        {"config.json", "out-link.json",
         R"(manifest entry "out-link.json" (answers[1].file) lies outside the catalog directory ()"},
        {"config.json", "out-dir/os-release",
         R"(manifest entry "out-dir/os-release" (answers[1].file) lies outside the catalog directory ()"},
        {"config.json", R"(a\u0000b.json)", R"(manifest entry "a\u0000b.json" (answers[1].file) holds a NUL character)"},
        {"config.json", "../../etc/os-release",
         R"(manifest entry "../../etc/os-release" (answers[1].file) lies outside the catalog directory)"},
        {"config.json", "sub/../../x.json", R"(manifest entry "sub/../../x.json" (answers[1].file) lies outside the catalog directory)"},
        {"config.json", "/etc/os-release", R"(manifest entry "/etc/os-release" (answers[1].file) lies outside the catalog directory)"},
        {"../config.json", "any-video.json", R"(manifest entry "../config.json" (configuration) lies outside the catalog directory)"},
        {"/etc/passwd", "any-video.json", R"(manifest entry "/etc/passwd" (configuration) lies outside the catalog directory)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.configuration + ", " + row.file);
        temp.write("manifest.json", R"({"configuration":")" + row.configuration + R"(","answers":[
            {"file":"home.json","type":"T"},{"file":")" + row.file + R"(","type":"T"}]})");
        const std::string message = jsontesting::thrownMessage<std::runtime_error>([&] { CatalogSession::open(temp.dir); });
        EXPECT_EQ(message.rfind(row.error, 0), 0u) << message;  // links also name where they lead
    }
}

// What a query reads is checked when it is read, as `vorlane check` checks it: its type is known,
// its file is readable, within the size limit, and still inside the catalog.
TEST(CatalogSession, AnswersAreReadLikeCheckedDocumentsOrFailNamingTheAnswer) {
    TempCatalog temp;
    const auto failureOf = [&](const std::string& manifestEntry, const std::function<void()>& prepare = {}) {
        temp.write("manifest.json", R"({"configuration":"config.json","answers":[)" + manifestEntry + "]}");
        auto session = CatalogSession::open(temp.dir);
        if (prepare) prepare();
        return jsontesting::thrownMessage<CatalogSessionError>([&] {
            session->contentApi()->query(sdk::RestQuery{"core/video", JsonValue::object()}, {}, {}, {}).blockingGet();
        });
    };
    const auto entry = [](const std::string& file, const std::string& type) {
        return R"({"file":")" + file + R"(","type":")" + type + R"(","api":"content","query":{"key":"video"}})";
    };
    EXPECT_EQ(failureOf(entry("any-video.json", "EncodedIdentifier")), "no failure");
    EXPECT_EQ(failureOf(entry("any-video.json", "Nope")), R"(the answer any-video.json declares the unknown type "Nope")");
    EXPECT_EQ(failureOf(entry("gone.json", "EncodedIdentifier")).rfind("the answer gone.json cannot be read: ", 0), 0u);
    // A sparse file past the limit is refused by its size, before it is read.
    fs::resize_file(temp.dir / "home.json", (std::uintmax_t{257} << 20));
    EXPECT_NE(failureOf(entry("home.json", "EncodedIdentifier")).find("the answer is larger than the limit (269484032 bytes"),
              std::string::npos);
    // A link swapped for one leading out after the catalog was loaded.
    fs::create_symlink(temp.dir / "state.json", temp.dir / "swap.json");
    EXPECT_NE(failureOf(entry("swap.json", "EncodedIdentifier"),
                        [&] {
                            fs::remove(temp.dir / "swap.json");
                            fs::create_symlink("/etc/os-release", temp.dir / "swap.json");
                        })
                  .find("lies outside the catalog directory"),
              std::string::npos);
}

TEST(SessionValues, ContentIdentifierHasOneKindOnTheWire) {
    EXPECT_EQ(json::encode(sdk::ContentIdentifier::availId("a1")), R"({"availId":"a1"})");
    EXPECT_EQ(json::decode<sdk::ContentIdentifier>(R"({"contentId":"c1"})"), sdk::ContentIdentifier::contentId("c1"));
    EXPECT_THROW(json::decode<sdk::ContentIdentifier>(R"({"contentId":"c1","availId":"a1"})"), json::DecodingError);
    EXPECT_THROW(json::decode<sdk::ContentIdentifier>(R"({})"), json::DecodingError);
}

}  // namespace
}  // namespace vorlane
