// The library's layers: no include runs upward, and the model headers stay light (they reach
// neither the client session, nor the free-form JSON library, nor the parser).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace vorlane {
namespace {

namespace fs = std::filesystem;

const fs::path& root() {
    static const fs::path path = fs::canonical(fs::path(VORLANE_TEST_DATA_DIR) / ".." / "..");
    return path;
}

// Each folder under vorlane/ by its layer: a file may include its own layer and those below. The
// same order is written in the README and in docs/ARCHITECTURE.md.
const std::map<std::string, int> layers = {
    {"Platform", 0}, {"Configuration", 1}, {"Styles", 1},         {"Tracking", 1},  {"Requests", 1}, {"BundleResource", 1}, {"Images", 2},
    {"Models", 3},   {"Registry", 4},      {"ContentService", 5}, {"Transport", 6},
};

// The includes of one file, as written: "vorlane/..." paths and <system> headers.
std::vector<std::string> includesOf(const fs::path& file) {
    static const std::regex include(R"(^\s*#include\s*[<"]([^>"]+)[>"])");
    std::vector<std::string> out;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, include)) out.push_back(match[1].str());
    }
    return out;
}

std::string folderOf(const std::string& relative) {  // "vorlane/Models/..." -> "Models"
    const auto start = relative.find('/') + 1;
    return relative.substr(start, relative.find('/', start) - start);
}

TEST(IncludeLayers, NoIncludeRunsUpward) {
    std::size_t checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root() / "vorlane")) {
        if (!entry.is_regular_file()) continue;
        const std::string own = folderOf(fs::relative(entry.path(), root()).string());
        ASSERT_TRUE(layers.contains(own)) << "folder without a layer: " << own;
        for (const auto& included : includesOf(entry.path())) {
            if (included.rfind("vorlane/", 0) != 0) continue;
            const std::string theirs = folderOf(included);
            ASSERT_TRUE(layers.contains(theirs)) << included;
            EXPECT_LE(layers.at(theirs), layers.at(own)) << entry.path().string() << " includes " << included;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100u);
}

TEST(IncludeLayers, ModelHeadersReachNeitherTheSessionNorHeavyJsonHeaders) {
    const std::set<std::string> forbidden = {"nlohmann/json.hpp", "simdjson.h", "vorlane/Platform/Session.hpp"};
    for (const std::string folder : {"Configuration", "Styles", "Images", "Models"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root() / "vorlane" / folder)) {
            if (entry.path().extension() != ".hpp") continue;
            // Every header it reaches, transitively, within the repository.
            std::set<std::string> reached;
            std::vector<fs::path> pending{entry.path()};
            while (!pending.empty()) {
                const fs::path file = pending.back();
                pending.pop_back();
                for (const auto& included : includesOf(file)) {
                    if (!reached.insert(included).second) continue;
                    if (included.rfind("vorlane/", 0) == 0) pending.push_back(root() / included);
                }
            }
            for (const auto& heavy : forbidden)
                EXPECT_FALSE(reached.contains(heavy)) << entry.path().string() << " reaches " << heavy;
        }
    }
}

}  // namespace
}  // namespace vorlane
