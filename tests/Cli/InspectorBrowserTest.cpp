// The inspector in a real browser: `vorlane serve` on a free port, pages loaded by headless
// Chromium, and assertions on the DOM the browser built (after its scripts ran), not on the HTML
// the server sent. The run also leaves a screenshot of the home screen, inspector-home.png, in the
// test's working directory.

#include "tests/Cli/CliTestSupport.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"

#include <gtest/gtest.h>

#include <regex>

namespace vorlane {
namespace {

using namespace clitest;

constexpr const char* kHomePage = "explore/home-page.json";

// Headless Chromium with a profile of its own, so runs never share one.
struct Browser {
    std::filesystem::path profile =
        std::filesystem::temp_directory_path() / ("vorlane-chromium-" + std::to_string(::getpid()));
    ~Browser() { std::filesystem::remove_all(profile); }

    std::string command(const std::string& flags, const std::string& url) const {
        return "chromium --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --no-first-run "
               "--user-data-dir=" + profile.string() + " " + flags + " '" + url + "' 2>/dev/null";
    }
    // The document as the browser holds it once loaded.
    std::string dom(const std::string& url) const {
        FILE* pipe = popen(command("--dump-dom", url).c_str(), "r");
        std::string out;
        char buffer[65536];
        for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        if (pipe) pclose(pipe);
        return out;
    }
    bool screenshot(const std::string& url, const std::filesystem::path& file) const {
        std::filesystem::remove(file);
        std::system(command("--window-size=1400,1600 --screenshot=" + file.string(), url).c_str());
        return std::filesystem::exists(file) && std::filesystem::file_size(file) > 1000;
    }
};

// Every match of the first group of `pattern` in `text`, in order.
std::vector<std::string> all(const std::string& text, const std::string& pattern) {
    std::vector<std::string> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

std::string catalogFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(VORLANE_CATALOG_DIR) / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class InspectorInBrowser : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(std::system("command -v chromium >/dev/null"), 0) << "chromium is not installed (scripts/setup.sh)";
    }
    ServeProcess server;
    Browser browser;
};

TEST_F(InspectorInBrowser, AnswersShowTheirCheckAndEveryDroppedElementMarkedInTheRawAnswer) {
    ASSERT_FALSE(server.url.empty()) << server.log();
    const std::string answers = browser.dom(server.url + "answers");
    const JsonValue manifest = JsonValue::parse(catalogFile("manifest.json"));
    EXPECT_EQ(all(answers, R"re(<tr data-file="([^"]+)")re").size(), manifest["answers"].size());
    EXPECT_EQ(answers.find("failing"), std::string::npos);

    // The home page's four dropped elements, listed with their paths and marked in the raw answer
    // at those paths.
    const std::string home = browser.dom(server.url + "answer?file=" + kHomePage);
    const CliRun check = run("decode --diagnostics ExplorePageResponse " + std::string(VORLANE_CATALOG_DIR) + "/" + kHomePage);
    std::vector<std::string> expected;
    for (const std::string& line : lines(check.err))
        if (line.starts_with("dropped: ")) expected.push_back(line.substr(9, line.find(": ", 9) - 9));
    ASSERT_EQ(expected.size(), 4u) << check.err;
    EXPECT_EQ(all(home, R"re(<li><a href="#" data-mark="mark-\d+"><code>([^<]+)</code>)re"), expected);
    std::vector<std::string> marked = all(home, R"re(<mark id="mark-\d+" data-path="([^"]+)")re");
    std::sort(marked.begin(), marked.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(marked, expected);
    EXPECT_NE(home.find("<h2>Derived members</h2>"), std::string::npos);
    EXPECT_NE(home.find("data-path=\"data.page.containers\""), std::string::npos);  // the decoded tree

    // Only answers the manifest lists are read.
    for (const char* file : {"../../etc/passwd", "manifest.json", "", "%2e%2e/CMakeLists.txt"}) {
        const std::string page = browser.dom(server.url + "answer?file=" + file);
        EXPECT_NE(page.find("The catalog lists no answer"), std::string::npos) << file;
    }
}

TEST_F(InspectorInBrowser, TheHomeScreenShowsItsShelvesInOrder) {
    ASSERT_FALSE(server.url.empty()) << server.log();
    // The way there: the start page links the screens, whose list links the home page's screen.
    EXPECT_NE(browser.dom(server.url).find(R"(<a href="/screens">Screens</a>)"), std::string::npos);
    EXPECT_NE(browser.dom(server.url + "screens").find(R"(href="/screen?file=explore%2Fhome-page.json")"), std::string::npos);

    const std::string url = server.url + "screen?file=" + kHomePage;
    const auto started = std::chrono::steady_clock::now();
    const std::string screen = browser.dom(url);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    RecordProperty("homeScreenMilliseconds", static_cast<int>(took.count()));
    std::cout << "home screen: " << screen.size() << " bytes of DOM, loaded and dumped in " << took.count() << " ms\n";

    // The shelves are the page's containers that decode, in the answer's order.
    const CliRun decoded = run("decode ExplorePageResponse " + std::string(VORLANE_CATALOG_DIR) + "/" + kHomePage);
    const JsonValue page = JsonValue::parse(decoded.out);
    std::vector<std::string> containers;
    for (const auto& container : page["data"]["page"]["containers"])
        if (container.contains("id")) containers.push_back(container["id"]);
    ASSERT_FALSE(containers.empty());
    EXPECT_EQ(all(screen, R"re(<div class="shelf"[^>]*data-container="([^"]+)")re"), containers);
    EXPECT_GT(all(screen, R"re(<div class="tile"[^>]*data-item="([^"]+)")re").size(), 100u);
    EXPECT_FALSE(all(screen, R"re(<div class="art"[^>]*data-image="([^"]+)")re").empty());
    EXPECT_NE(screen.find("4 dropped"), std::string::npos);

    const auto shot = std::filesystem::current_path() / "inspector-home.png";
    EXPECT_TRUE(browser.screenshot(url, shot)) << shot;
}

TEST_F(InspectorInBrowser, AnOperationRunFromItsFormShowsItsCallOrItsUsageError) {
    ASSERT_FALSE(server.url.empty()) << server.log();
    const std::string operations = browser.dom(server.url + "operations");
    const CliRun list = run("query --list");
    EXPECT_EQ(all(operations, R"re(<td><a href="/operation\?name=[^"]+"><code>([^<]+)</code>)re"), lines(list.out));

    // The trace is the command line's, line for line.
    const std::string ran = browser.dom(server.url + "operation?name=getExplorePage&form=0&arg.pageId=page-home&run=1");
    const CliRun traced = run("query --trace getExplorePage pageId=page-home");
    const auto unescape = [](std::string text) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"&quot;", "\""}, {"&#39;", "'"}, {"&lt;", "<"},
                                       {"&gt;", ">"}, {"&amp;", "&"}})
            for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
        return text;
    };
    const auto trace = all(ran, R"re(<pre class="trace" id="trace">([^<]*)</pre>)re");
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(unescape(trace[0]), traced.err);
    EXPECT_NE(ran.find("data-exit=\"0\""), std::string::npos);

    const std::string bad = browser.dom(server.url + "operation?name=getExploreSet&form=0&arg.setId=s&arg.limit=-1&run=1");
    EXPECT_NE(bad.find("data-exit=\"1\""), std::string::npos);
    EXPECT_NE(bad.find("error: usage: "), std::string::npos);
}

TEST(InspectorCatalog, AnAnswerThatDoesNotDecodeShowsItsErrorAndPath) {
    TempDir temp(Files{{"config.json", vorlane::jsontesting::testData("config/episodes-only.json")},
                      {"manifest.json", R"({"configuration":"config.json","answers":[{"file":"episodes.json","type":"EpisodesPageSet",)"
                                        R"("api":"content","query":{"key":"episodes"}}]})"},
                      {"episodes.json", R"({"meta":{},"videos":[]})"}});
    ServeProcess server("--catalog " + temp.dir.string());
    ASSERT_FALSE(server.url.empty()) << server.log();
    const std::string page = Browser().dom(server.url + "answer?file=episodes.json");
    EXPECT_NE(page.find("Does not decode as EpisodesPageSet"), std::string::npos) << page;
    EXPECT_EQ(all(page, R"re(<mark id="mark-0" data-path="([^"]+)")re").size(), 1u);
    EXPECT_NE(Browser().dom(server.url + "answers").find("failing"), std::string::npos);
}

}  // namespace
}  // namespace vorlane
