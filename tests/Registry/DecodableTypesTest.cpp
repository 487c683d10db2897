// The registry of decodable types: every type the library gives a codec is registered (read from
// the declarations in the library's headers, so a new record cannot be forgotten), names are
// unique, and each generation reads dates as its answers write them.

#include "vorlane/Registry/DecodableTypes.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <vector>
#include <string>

namespace vorlane {
namespace {

namespace fs = std::filesystem;

// The C++ names of every type that has a codec, as written in its declaration.
std::set<std::string> typesWithCodecs() {
    const fs::path root = fs::path(VORLANE_TEST_DATA_DIR) / ".." / ".." / "vorlane";
    const std::regex declaration(
        R"(^\s*(?:constexpr|inline) auto json(?:Fields|Vocabulary)\(json::Tag<([\w:]+)>\))"
        R"(|^VORLANE_JSON_CODEC\(vorlane::([\w:]+)\))"
        R"(|^struct vorlane::json::Codec<vorlane::([\w:]+)>)");
    // Declarations inside a namespace below vorlane name their type relative to it.
    const std::regex opening(R"(^namespace (\w+) \{)"), closing(R"(^\}  // namespace)");
    std::set<std::string> names;
    for (const auto& file : fs::recursive_directory_iterator(root)) {
        if (file.path().extension() != ".hpp") continue;
        std::ifstream in(file.path());
        std::vector<std::string> namespaces;
        for (std::string line; std::getline(in, line);) {
            std::smatch match;
            if (std::regex_search(line, match, opening)) {
                namespaces.push_back(match[1].str());
                continue;
            }
            if (std::regex_search(line, closing) && !namespaces.empty()) namespaces.pop_back();
            if (!std::regex_search(line, match, declaration)) continue;
            std::string scope;
            for (const auto& name : namespaces)
                if (name != "vorlane") scope += name + "::";
            if (match[1].matched) {
                const std::string name = match[1].str();
                names.insert(name.starts_with(scope) ? name : scope + name);
            }
            for (std::size_t group = 2; group < match.size(); ++group)
                if (match[group].matched) names.insert(match[group].str());
        }
    }
    return names;
}

TEST(DecodableTypes, EveryTypeWithACodecIsRegistered) {
    std::set<std::string> registered;
    for (const auto& type : decodableTypes()) registered.insert(std::string(type.cppName));
    // Vocabularies read only through the type that wraps them.
    const std::set<std::string> wrapped = {"ContentContainerStyleCase"};

    const auto declared = typesWithCodecs();
    ASSERT_GT(declared.size(), 50u);  // the scan found the library's headers
    for (const auto& name : declared) {
        if (wrapped.contains(name)) continue;
        EXPECT_TRUE(registered.contains(name) || registered.contains("OpenEnum<" + name + ">"))
            << name << " has a codec but is not registered";
    }
}

TEST(DecodableTypes, NamesAreUniqueSortedAndFoundByNameAndType) {
    const auto& types = decodableTypes();
    for (std::size_t i = 1; i < types.size(); ++i) EXPECT_LT(types[i - 1].name, types[i].name);
    for (const auto& type : types) {
        EXPECT_EQ(findDecodableType(type.name), &type);
        EXPECT_EQ(findDecodableType(type.typeKey), &type);
    }
    EXPECT_EQ(findDecodableType("Image.purpose"), nullptr);  // names are exact
    EXPECT_EQ(findDecodableType<int>(), nullptr);
}

TEST(DecodableTypes, LegacyTypesReadIsoDatesAndOthersReadSecondsSinceReference) {
    const struct {
        std::string_view name;
        json::DateStrategy dates;
    } rows[] = {
        {"Image", json::DateStrategy::iso8601},
        {"ContentCoder", json::DateStrategy::iso8601},
        {"ExploreImage", json::DateStrategy::secondsSinceReferenceDate},
        {"ContentQueryConfiguration", json::DateStrategy::secondsSinceReferenceDate},
    };
    for (const auto& row : rows) {
        const auto* type = findDecodableType(row.name);
        ASSERT_NE(type, nullptr) << row.name;
        EXPECT_EQ(type->settings().dates, row.dates) << row.name;
    }
}

}  // namespace
}  // namespace vorlane
