// Runs the command-line tool as users do and checks its contract: output, first error line, exit code.

#include "tests/Cli/CliTestSupport.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vorlane::clitest;

const std::string kSentry = R"({"isEnabled":true,"dsn":"d","enableAutoSessionTracking":false,"sampleRate":0.5,)"
                            R"("tracesSampleRate":0.1,"enableNonFatalErrorLogging":true,)"
                            R"("nonFatalErrorLoggingSampleRate":0.25,"featureFlagErrorLoggingEnabled":false})";

TEST(Cli, DecodePrintsTheEncodingOrTheFirstErrorLine) {
    struct Row { std::string arguments, input; int exitCode; std::string out, firstErrorLine; };
    const Row rows[] = {
        {"decode SentryConfig", kSentry, 0, kSentry + "\n", ""},
        {"decode SentryConfig", "\xEF\xBB\xBF" + kSentry, 0, kSentry + "\n", ""},  // a byte-order mark is skipped
        {"decode SentryConfig", R"({"sampleRate":1e400})", 1, "",
         "error: (root): the given data was not valid JSON: number out of range: 1e400"},
        {"decode SentryConfig -", R"({"isEnabled":true})", 1, "", R"(error: dsn: required key "dsn" not found)"},
        {"decode ContentQueryIdentifier", R"("Video")", 1, "",
         R"(error: (root): cannot initialize ContentQueryIdentifier from invalid String value "Video")"},
        {"decode NoSuchType", "{}", 1, "", R"(error: usage: unknown type "NoSuchType" (see `vorlane decode --list`))"},
        // An answer past the size limit is refused without being read whole (/dev/zero never ends).
        {"decode SentryConfig /dev/zero", "", 1, "",
         "error: (root): the answer is larger than the limit (at least 268435457 bytes; the limit is 268435456 bytes)"},
        // derive decodes alike and prints the derived members instead of the encoding.
        {"derive Image.Purpose", R"("brandTile")", 0,
         R"({"usePlaceholder":true,"showTextOnFailure":true,"format":"png","showOriginalsLabel":false,)"
         R"("fallbackPurposes":[],"rootPurpose":"tile","fallbackAspectRatio":null,"fallbackToAnyAspectRatio":false,)"
         R"("supportsScrimLabel":false})" "\n",
         ""},
        {"derive SentryConfig", kSentry, 0, "{}\n", ""},
        {"derive SentryConfig -", R"({"isEnabled":true})", 1, "", R"(error: dsn: required key "dsn" not found)"},
        {"derive", "", 1, "", "error: usage: derive needs a TYPE (see `vorlane decode --list`)"},
        // Only an offset time starts a milestone, even when a time of another type comes first.
        {"derive Milestone",
         R"({"id":"recap","milestoneTime":[{"startMillis":90000,"type":"chapter"},{"startMillis":1500,"type":"offset"}]})",
         0, R"({"startMilliseconds":1500,"startSeconds":1.5})" "\n", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments + " <<< " + row.input);
        CliRun result = run(row.arguments, row.input);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_EQ(result.out, row.out);
        if (!row.firstErrorLine.empty()) { EXPECT_EQ(firstLine(result.err), row.firstErrorLine); }
        if (row.exitCode != 0) { EXPECT_EQ(result.err.rfind("error: ", 0), 0u) << result.err; }
    }
}

TEST(Cli, EveryUsageErrorExitsOneWithAUsageLineFirst) {
    for (const std::string arguments : {"", "decode Bookmark a b", "decode --list extra", "derive --list extra",
                                        "check a b", "query --catalog", "artwork --ratio", "frobnicate"}) {
        SCOPED_TRACE(arguments);
        CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("error: usage: ", 0), 0u) << result.err;
    }
    EXPECT_EQ(run("decode --list extra").err, "error: usage: decode --list takes no TYPE or FILE\n");
    EXPECT_EQ(run("--help").exitCode, 0);
}

// A few bytes of answer can name many large records: the list is not reserved whole before its
// first element is read, so a small address space is enough to fail at that element.
TEST(Cli, AnAnswerOfManyTinyElementsFailsAtTheFirstBadOne) {
#if defined(VORLANE_SANITIZED)
    GTEST_SKIP() << "the address space cannot be limited under AddressSanitizer";
#else
    // Two million empty records in a strict list: reserved whole they would take gigabytes.
    std::string answer = R"({"videos":[)";
    for (int i = 0; i < 2'000'000; ++i) answer += i ? ",{}" : "{}";
    answer += R"(],"meta":{"hits":0,"offset":0,"page_size":0}})";
    const auto path = std::filesystem::temp_directory_path() / ("vorlane-tiny-" + std::to_string(::getpid()));
    std::ofstream(path) << answer;
    CliRun result = run("decode VideosContainer", "", "ulimit -v 1500000; cat " + path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(firstLine(result.err), R"(error: videos[0].contentId: required key "contentId" not found)");
#endif
}

TEST(Cli, CheckPassesOnTheBuiltInCatalogAndFailsOnABrokenOne) {
    CliRun good = run("check");
    EXPECT_EQ(good.exitCode, 0) << good.out << good.err;
    EXPECT_NE(good.out.find("ok: config/query-configuration.json"), std::string::npos);

    TempDir broken(Files{{"config.json", vorlane::jsontesting::testData("../../catalog/config/query-configuration.json")},
                         {"manifest.json", R"({"configuration":"config.json","answers":[{"file":"good.json",)"
                                           R"("type":"SentryConfig"},{"file":"bad.json","type":"SentryConfig"}]})"},
                         {"good.json", kSentry}, {"bad.json", R"({"dsn":"x"})"}});
    CliRun bad = run("check " + broken.dir.string());
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.out.find("ok: good.json (SentryConfig)"), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find("error: bad.json (SentryConfig): isEnabled: required key"), std::string::npos) << bad.out;
}

TEST(Cli, ArtworkChoosesThroughTheFallbackChains) {
    const std::string legacy = std::string(VORLANE_CATALOG_DIR) + "/artwork/legacy-image-map.json";
    const std::string item = std::string(VORLANE_CATALOG_DIR) + "/artwork/explore-item-artwork.json";
    // expected: a part of the output line, "null", or the start of the error line
    struct Row { std::string arguments; int exitCode; std::string expected; };
    const Row rows[] = {
        {"--purpose brandTile --ratio 16:9 " + legacy, 0,
         R"("masterId":"harbor-lights-tile-178-series","masterWidth":1920,"masterHeight":1080},"purpose":"brandTile","aspectRatio":1.7777777777777777})"},
        {"--purpose thumbnail --ratio 3 --entity series " + legacy, 0, R"("masterId":"harbor-lights-thumbnail-133-program")"},
        {"--purpose tile --ratio 2:1 " + legacy, 0, "null"},
        {"--context tile --content title_treatment --ratio 1.78 " + item, 0,
         R"({"image":{"imageId":"harbor-tt-332"},"context":"tile","content":"title_treatment","aspectRatio":1.78})"},
        {"--context tile --content title_treatment --ratio 1.78 --fallback up_next/logo/1 --fallback hero/background/3.91 " + item,
         0, R"({"image":{"imageId":"harbor-hero-bg-391"},"context":"hero","content":"background","aspectRatio":3.91})"},
        {"--context details --content background --ratio 16:9 --standard-fallback " + item, 0,
         R"({"image":{"imageId":"harbor-bg-178"},"context":"details")"},
        {"--purpose tyle --ratio 1 " + legacy, 1, R"(error: --purpose: "tyle" names no Image.Purpose)"},
        {"--purpose tile --ratio 16:0 " + legacy, 1, "error: --ratio: "},
        {"--purpose tile --context tile --content tile --ratio 1 " + legacy, 1, "error: give either"},
        {"--context tile --content tile --ratio 1 --fallback tile/tile " + item, 1, "error: --fallback: "},
        {"--purpose tile --ratio 1 " + std::string(VORLANE_CATALOG_DIR) + "/manifest.json", 1, "error: configuration: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        CliRun result = run("artwork " + row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        if (row.exitCode == 0) {
            EXPECT_TRUE(row.expected == "null" ? result.out == "null\n" : result.out.find(row.expected) != std::string::npos)
                << result.out;
        } else {
            EXPECT_EQ(result.err.rfind(row.expected, 0), 0u) << result.err;
        }
    }
}

// The README's copy of `--list` and its example runs (the fenced blocks after the given lines).
std::vector<std::string> readmeBlockAfter(const std::string& marker) {
    std::ifstream in(std::filesystem::path(VORLANE_TEST_DATA_DIR) / ".." / ".." / "README.md");
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const auto at = text.find(marker);
    if (at == std::string::npos) return {};
    const auto open = text.find('\n', text.find("```", at)) + 1;
    return lines(text.substr(open, text.find("```", open) - open));
}

TEST(CliQuery, TheReadmeListsEveryFormAndRunsEachOnTheBuiltInCatalog) {
    CliRun list = run("query --list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const auto forms = lines(list.out);
    EXPECT_EQ(readmeBlockAfter("`--list` prints every form, one a line:"), forms);

    // An example runs a form when it names the operation, gives every required argument of the
    // form and no other.
    struct Run { std::string operation; std::set<std::string> names; };
    std::vector<Run> runs;
    ServeProcess server;
    ASSERT_FALSE(server.url.empty()) << server.log();
    for (const std::string& example : readmeBlockAfter("The built-in catalog answers every form;")) {
        SCOPED_TRACE(example);
        const std::string arguments = example.substr(std::string("vorlane ").size());
        CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(lines(result.out).size(), 1u) << result.out;
        // The same over HTTP, against `vorlane serve` of the same catalog.
        CliRun overHttp = run("query --server " + server.url + arguments.substr(std::string("query").size()));
        EXPECT_EQ(overHttp.exitCode, 0) << overHttp.err;
        EXPECT_EQ(overHttp.out, result.out);
        Run ran;
        std::istringstream words(arguments.substr(std::string("query ").size()));
        for (std::string word; words >> word;) {
            if (word.starts_with("--")) continue;
            if (word.starts_with("'")) word.erase(0, 1);
            if (ran.operation.empty()) ran.operation = word;
            else ran.names.insert(word.substr(0, word.find('=')));
        }
        runs.push_back(ran);
    }
    for (const std::string& form : forms) {
        std::istringstream words(form);
        std::string operation;
        words >> operation;
        std::set<std::string> required, all;
        for (std::string word; words >> word;) {
            const bool optional = word.starts_with("[");
            if (optional) word = word.substr(1, word.size() - 2);
            all.insert(word);
            if (!optional) required.insert(word);
        }
        EXPECT_TRUE(std::ranges::any_of(runs, [&](const Run& ran) {
            return ran.operation == operation && std::ranges::includes(ran.names, required) &&
                   std::ranges::includes(all, ran.names);
        })) << "no README example runs " << form;
    }
}

TEST(CliQuery, FailuresGiveTheirKindOnTheFirstErrorLine) {
    // A catalog whose configuration describes only the episodes query, and whose answer to it does not decode.
    TempDir temp(Files{{"config.json", vorlane::jsontesting::testData("config/episodes-only.json")},
                      {"manifest.json", R"({"configuration":"config.json","answers":[{"file":"episodes.json","type":"EpisodesPageSet",)"
                                        R"("api":"content","query":{"key":"episodes"}}]})"},
                      {"episodes.json", R"({"meta":{},"videos":[]})"},
                      {"context.json", R"({"currentCountry":"CA","curentCountry":"FR"})"}});
    const std::string catalog = "query --catalog " + temp.dir.string() + " ";
    struct Row { std::string arguments, firstErrorLine; };
    const Row rows[] = {
        {"query getVidoe contentId=x", R"(error: usage: unknown operation "getVidoe" (see `vorlane query --list`))"},
        {"query getExtras encodedFamilyId=4xTq9LmBn2Pk page=1",
         "error: usage: the arguments given fit no form of getExtras: `getExtras encodedFamilyId page pageSize`: "
         "missing argument pageSize."},
        {"query getExtras encodedFamilyId=4xTq9LmBn2Pk page=first pageSize=20",
         "error: usage: argument page=first does not decode as an integer: (root): "},
        {"query getAvatar avatarId", R"(error: usage: "avatarId" is not NAME=VALUE)"},
        {"query getVideo contentId=no-such-video",
         R"(error: unrouted: the catalog has no answer for query "content/video" (key "video") with variables {"contentId":"no-such-video",)"},
        {catalog + "getVideo contentId=d4e5f6a7-tidewater-s2e4", "error: nullQueryId: getVideo failed: "},
        {"query getAvatar avatarId=avatar-unknown", "error: avatarNotFound: getAvatar failed: "},
        {catalog + "getEpisodes seasonId=s1", R"(error: decoding: meta.hits: required key "hits" not found)"},
        {catalog + "--context " + (temp.dir / "context.json").string() + " getEpisodes seasonId=s1",
         "error: context: " + (temp.dir / "context.json").string() + R"(: curentCountry: unknown key "curentCountry")"},
        {"query --catalog /nonexistent getVideo contentId=x", "error: catalog: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        CliRun result = run(row.arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(firstLine(result.err).rfind(row.firstErrorLine, 0), 0u) << result.err;
    }
}

TEST(CliQuery, TraceShowsTheReportTheLogAndTheCallInOrder) {
    TempDir temp(Files{{"context.json", R"({"currentCountry":""})"}});
    CliRun result = run("query --trace --context " + (temp.dir / "context.json").string() +
                        " getVideo contentId=d4e5f6a7-tidewater-s2e4");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> expected = {
        R"(nonfatal: {"message":"Region not found in content API call","tags":{"regionWasEmpty":"true"},)"
        R"("additionalInfo":{"portabilityCountry":"nil","currentCountry":""}})",
        R"(log: debug content: Executing request: content/video, variables: {"contentId":"d4e5f6a7-tidewater-s2e4",)",
        R"(call: {"kind":"search","queryId":"content/video","variables":{"contentId":"d4e5f6a7-tidewater-s2e4","appLanguage":"en","region":"",)",
    };
    auto err = lines(result.err);
    ASSERT_EQ(err.size(), expected.size()) << result.err;
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(err[i].rfind(expected[i], 0), 0u) << err[i];
}

TEST(CliQuery, ContextKeysReachWhatIsSent) {
    const std::string video = "getVideo contentId=d4e5f6a7-tidewater-s2e4";
    struct Row { std::string context, operation, sent; };
    const Row rows[] = {
        {"{}", video, R"("appLanguage":"en","region":"US","apiVersion":"5.1","kidsModeEnabled":false,"liveAndUnratedEnabled":false})"},
        // Inputs of one type (two flags, two texts) land each in its own variable.
        {R"({"preferredLanguage":"fr","currentCountry":"CA","impliedMaturityRating":1350,"isKidsMode":true})",
         video, R"("appLanguage":"fr","region":"CA","apiVersion":"5.1","impliedMaturityRating":1350,"kidsModeEnabled":true,"liveAndUnratedEnabled":false})"},
        {R"({"liveAndUnratedEnabled":true})", video, R"("kidsModeEnabled":false,"liveAndUnratedEnabled":true})"},
        {R"({"currentCountry":"CA","portabilityCountry":"GB"})", video, R"("region":"GB")"},
        {R"({"partner":"harbor-tv","searchOverrides":{"endpoint":"https://search.invalid"}})", "search text=harbor pageSize=20",
         R"("variables":{"partner":"harbor-tv","query":"harbor","pageSize":20,)"},
        {R"({"searchOverrides":{"endpoint":"https://search.invalid"}})", video, R"("overrides":{"endpoint":"https://search.invalid","headers":{}})"},
        {R"({"profileId":"profile-7"})", R"('getContent' 'locator={"refType":"ContinueWatchingSet","refId":"set-continue-watching"}')",
         R"(call: {"kind":"importBookmarks","queryId":"","bookmarks":[{"contentId":"c41f7b22-hl-s01e04","profileId":"profile-7","playhead":1312)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.context);
        TempDir temp(Files{{"context.json", row.context}});
        CliRun result = run("query --trace --context " + (temp.dir / "context.json").string() + " " + row.operation);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.err.find(row.sent), std::string::npos) << result.err;
    }
}

}  // namespace

namespace vorlane {
namespace {

TEST(CliRequest, ResolvesNamedRequestsAndSendsThemToAServer) {
    TempDir temp(Files{{"RequestConfig.json", R"({"requests": {"AppConfig": {"url": "https://c.example/app.json"}}})"}});
    const std::string local = " --config " + (temp.dir / "RequestConfig.json").string();
    struct Row { std::string arguments; int exitCode; std::string firstLine; };
    const Row rows[] = {
        {"request paywall filename=annual.json", 0,
         R"({"key":"PaywallConfig","method":"GET","url":"https://config.vorlane.example/static/config/paywall/annual.json",)"
         R"("headers":{"Accept":"application/json"}})"},
        {"request appConfig" + local, 0, R"({"key":"AppConfig","method":"GET","url":"https://c.example/app.json","headers":{}})"},
        {"request helpPage" + local, 1,
         R"(error: request: Matching request for key "helpPage" was not found in RequestConfig.json)"},
        {"request adfsSSO username=a", 1, "error: usage: adfsSSO needs the argument password (see `vorlane request --list`)"},
        {"request appStore extra=1", 1, "error: usage: appStore takes no argument \"extra\" (see `vorlane request --list`)"},
        {"request appConfig --config /nonexistent/RequestConfig.json", 1,
         "error: config: cannot read /nonexistent/RequestConfig.json"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const CliRun result = run(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode);
        const auto output = lines(row.exitCode == 0 ? result.out : result.err);
        EXPECT_EQ(output.empty() ? "" : output.front(), row.firstLine);
    }

    // Sent to `vorlane serve`: the relative url goes to the server, and the answer is the catalog's file.
    ServeProcess server;
    ASSERT_FALSE(server.url.empty()) << server.log();
    const CliRun sent = run("request paywall filename=annual.json --server " + server.url);
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    const auto output = lines(sent.out);
    ASSERT_EQ(output.size(), 2u);
    EXPECT_NE(output[0].find(server.url + "static/config/paywall/annual.json"), std::string::npos);
    const JsonValue answer = JsonValue::parse(output[1]);
    EXPECT_EQ(answer["status"], 200);
    EXPECT_EQ(answer["body"]["plans"][1]["id"], "monthly");
    EXPECT_EQ(answer["cached"], true);
    const CliRun missing = run("request paywall filename=none.json --server " + server.url);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.starts_with("error: http: HTTP 404")) << missing.err;
}

}  // namespace
}  // namespace vorlane
