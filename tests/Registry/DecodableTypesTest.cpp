// The registry of decodable types: every type the library gives a codec is registered (read from
// the declarations in the library's headers, so a new record cannot be forgotten), names are
// unique, each generation reads dates as its answers write them, and every type answers the
// derived members of the interfaces it models.

#include "vorlane/Registry/DecodableTypes.hpp"
#include "vorlane/Registry/Registration.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

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
        EXPECT_EQ(findDecodableTypeByKey(type.typeKey), &type);
    }
    EXPECT_EQ(findDecodableType("Image.purpose"), nullptr);  // names are exact
    EXPECT_NE(findDecodableType("ExplorePage"), nullptr);     // a literal finds by name
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

// The interfaces each type conforms to in the model; every other registered type models none.
const std::map<std::string_view, std::set<std::string_view>> conformances = {
    {"Video", {"Content", "BrowseActionProviding"}},
    {"Series", {"Content", "BrowseActionProviding"}},
    {"Airing", {"Content", "BrowseActionProviding"}},
    {"Avatar", {"Content"}},
    {"ExploreDeeplinkItem", {"Content"}},
    {"ExploreSetItem", {"Content"}},
    {"ExploreSetItemWithStyle", {"Content"}},
    {"ContentCollection", {"Content"}},
    {"AssociatedContentCollection", {"Content"}},
    {"ContentCoder", {"Content"}},
    {"ActionCoder", {"Action"}},
    {"BrowseAction", {"Action"}},
    {"DownloadAction", {"Action"}},
    {"DownloadSeasonAction", {"Action"}},
    {"LegacyBrowseAction", {"Action"}},
    {"ModalAction", {"Action"}},
    {"ModifySavesAction", {"Action"}},
    {"PlaybackAction", {"Action"}},
    {"ShareAction", {"Action"}},
    {"ToggleAspectRatioAction", {"Action"}},
    {"TrailerAction", {"Action"}},
    {"UpNextLegacyBrowseAction", {"Action"}},
    {"UpsellAction", {"Action"}},
    {"Timeline", {"TimelineProviding"}},
    {"PlayerTimeline", {"TimelineProviding"}},
};

// The member names of each interface, from its face.
std::map<std::string_view, std::vector<std::string_view>> interfaceMembers() {
    std::map<std::string_view, std::vector<std::string_view>> out;
    const auto add = [&](auto face) {
        auto& names = out[decltype(face)::name];
        std::apply([&](const auto&... member) { (names.push_back(member.name), ...); }, decltype(face)::members());
    };
    std::apply([&](auto... face) { (add(face), ...); }, registration::InterfaceFaces{});
    return out;
}

TEST(DecodableTypes, TypesModelTheirInterfacesAndAnswerEveryMemberOfThem) {
    const auto members = interfaceMembers();
    for (const auto& type : decodableTypes()) {
        const std::set<std::string_view> modeled(type.interfaces.begin(), type.interfaces.end());
        const auto expected = conformances.find(type.name);
        EXPECT_EQ(modeled, expected == conformances.end() ? std::set<std::string_view>{} : expected->second) << type.name;
        for (const auto interface : type.interfaces)
            for (const auto member : members.at(interface))
                EXPECT_NE(std::ranges::find(type.derivedNames, member), type.derivedNames.end())
                    << type.name << " models " << interface << " but lacks " << member;
    }
    for (const auto& [name, interfaces] : conformances) EXPECT_NE(findDecodableType(name), nullptr) << name;
}

// What screens read of a value: one row per member a screen decision hangs on, read from what
// `vorlane derive` prints (only the members named).
TEST(DecodableTypes, DerivedMembersAsScreensReadThem) {
    const struct {
        std::string_view type, answer;
        std::map<std::string, std::string> expected;  // member -> its JSON
    } rows[] = {
        // A sports program is a replay; an anthology is fetched through the Explore API.
        {"Video", R"({"contentId":"v1","contentType":"full","programType":"sports","mediaMetadata":{}})",
         {{"isAiringReplay", "true"}, {"isAnthologySeries", "false"}, {"contentIdentifier", R"({"contentId":"v1"})"}}},
        {"Video", R"({"contentId":"v2","contentType":"full","programType":"episode","seriesType":"anthology","mediaMetadata":{}})",
         {{"isAiringReplay", "false"}, {"isAnthologySeries", "true"}, {"shouldUseExploreAPI", "true"},
          {"shouldUseGetPageRequest", "true"}}},
        {"Video", R"({"contentId":"v3","contentType":"full","programType":"episode","seriesType":"studio-show","mediaMetadata":{}})",
         {{"isAiringReplay", "true"}, {"shouldUseExploreAPI", "false"}}},
        // A series is named by its series id; a season by its season id.
        {"Series", R"({"seriesId":"s1","encodedSeriesId":"e1","mediaMetadata":{}})",
         {{"contentId", R"("s1")"}, {"contentIdentifier", R"({"contentId":"s1"})"}, {"browseAction", "null"}}},
        {"Season", R"({"seasonId":"n1","seasonSequenceNumber":1})", {{"contentId", R"("n1")"}}},
        // Minutes truncate toward zero; progress is capped at 1, has no lower bound, and is 0
        // without a usable runtime.
        {"Timeline", R"({"startTime":"t","elapsedMs":59999,"runtimeMs":239996})",
         {{"startTimeString", R"("t")"}, {"elapsedMins", "0"}, {"contentProgress", "0.25"}}},
        {"Timeline", R"({"startTime":"t","elapsedMs":-60000,"runtimeMs":120000})",
         {{"elapsedMins", "-1"}, {"contentProgress", "-0.5"}}},
        {"Timeline", R"({"startTime":"t","elapsedMs":180000,"runtimeMs":120000})",
         {{"elapsedMins", "3"}, {"contentProgress", "1.0"}}},
        {"Timeline", R"({"startTime":"t","elapsedMs":5,"runtimeMs":0})", {{"contentProgress", "0.0"}}},
        {"Timeline", R"({"startTime":"t","runtimeMs":10})", {{"elapsedMins", "null"}, {"contentProgress", "0.0"}}},
        // A related container's content is its items; a container's texts are its set's.
        {"RelatedContainer", R"({"items":[{"type":"Avatar","avatarId":"a1"},{"type":"Unknown"}]})",
         {{"content", R"([{"type":"Avatar","avatarId":"a1","image":{},"text":{},"videoArt":[]}])"}}},
        {"ContentContainer",
         R"({"type":"ShelfContainer","style":"shelf","set":{"refId":"r1","refType":"CuratedSet","type":"SetRef",)"
         R"("text":{"title":{"full":{"set":{"default":{"content":"Picks","language":"en"}}}}}}})",
         {{"id", R"("r1")"},
          {"texts", R"({"title":{"full":{"set":{"default":{"language":"en","content":"Picks"}}}}})"},
          {"content", R"({"refType":"CuratedSet","refId":"r1"})"}}},
    };
    for (const auto& row : rows) {
        const auto* type = findDecodableType(row.type);
        ASSERT_NE(type, nullptr) << row.type;
        const auto derived = nlohmann::ordered_json::parse(type->derive(json::PaddedAnswer::fromBytes(row.answer)));
        for (const auto& [member, json] : row.expected)
            EXPECT_EQ(derived.contains(member) ? derived[member].dump() : "<absent>", json)
                << row.type << "." << member << " of " << row.answer;
    }
}

}  // namespace
}  // namespace vorlane
