// Container styles, Explore page types and page styles: exact wire strings, the catch-all for
// unknown names, the style families, and the resolution of a page style with its warnings.

#include "tests/TestSupport.hpp"
#include "vorlane/Models/Content/ContentContainerStyle.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Logger.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vorlane {
namespace {

using Style = ContentContainerStyle::Case;
using PageStyle = ExplorePageStyleCase;

using vorlane::test::quoted;

json::ErrorKind failureKind(auto decode) {
    try {
        decode();
    } catch (const json::DecodingError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "decoded without error";
    return json::ErrorKind::dataCorrupted;
}

// The service's style names in case order, written out independently of the vocabulary table.
constexpr std::string_view kContainerStyles[] = {
    "avatars", "editorial", "hero", "hero_carousel", "heroInteractive", "heroSingle", "heroInline", "heroInlineGE",
    "hero_inline_single", "heroInlineSlim", "hero_inline_landscape", "hero_inline_portrait", "heroInlineLionsgate",
    "3dheroInLine", "hero_top_single", "heroFullBleed", "brand", "brandSix", "brand_5", "brand_6", "brand_7",
    "featured", "featured_art", "continueWatching", "ContinueWatchingSet", "ContinueWatchingArt",
    "continue_watching", "BecauseYouSet", "RecommendationSet", "TrendingSet", "WatchlistSet", "contentType",
    "character", "franchise", "episode", "PersonalizedCuratedSet", "tabs", "poster", "poster_vertical", "poster_art",
    "top_ranked", "collectionLogos", "editorialPanel", "editorialPanelLarge", "standard_compact",
    "standard_compact_list", "standard_regular", "standard_regular_episode", "standard_regular_list",
    "standard_regular_prompt", "standard_art", "standard_art_dense", "standard_art_legacy", "search_results_alias",
    "standard_list_dense", "logo_round"};

TEST(ContentContainerStyleTest, EveryCaseReadsAndWritesItsExactWireString) {
    ASSERT_EQ(std::size(json::allCases<Style>()), 56u);
    ASSERT_EQ(std::size(kContainerStyles), 56u);
    EXPECT_EQ(static_cast<std::size_t>(Style::other), 56u);
    for (std::size_t i = 0; i < std::size(kContainerStyles); ++i) {
        const std::string_view wire = kContainerStyles[i];
        SCOPED_TRACE(wire);
        const auto decoded = json::decode<ContentContainerStyle>(quoted(wire));
        EXPECT_EQ(decoded, static_cast<Style>(i));
        EXPECT_EQ(json::encode(ContentContainerStyle(static_cast<Style>(i))), quoted(wire));
    }
    // Spot checks that the ordinal order above is the named order.
    EXPECT_EQ(ContentContainerStyle("3dheroInLine"), Style::heroInline3d);
    EXPECT_EQ(ContentContainerStyle("continue_watching"), Style::continueWatchingExploreSet);
    EXPECT_EQ(ContentContainerStyle("BecauseYouSet"), Style::becauseYouWatched);
    EXPECT_EQ(ContentContainerStyle("brand_7"), Style::exploreBrandSeven);
}

TEST(ContentContainerStyleTest, UnlistedAndMiscasedNamesAreOtherAndWriteBackUnchanged) {
    for (std::string_view text : {"3dHeroInLine", "3dheroInline", "3DheroInLine", "heroinline", "Brand", "brand5",
                                  "brand_8", "becauseYouSet", "continueWatchingExploreSet", "Continue_watching",
                                  "featuredArt", "", "hero_carousel "}) {
        SCOPED_TRACE(text);
        const auto style = json::decode<ContentContainerStyle>(quoted(text));
        EXPECT_TRUE(style.isOther());
        EXPECT_EQ(style.rawValue(), text);
        EXPECT_EQ(style, ContentContainerStyle::other(std::string(text)));
        EXPECT_EQ(json::encode(style), quoted(text));
        EXPECT_FALSE(style.isBrand() || style.isExploreBrand() || style.isJuniorBrand() || style.isHeroSingle() ||
                     style.usesOverlayWithFocusableElements() || style.isHeroInline() || style.isExplore());
    }
    EXPECT_NE(ContentContainerStyle("brand"), ContentContainerStyle::other("brand"));
    EXPECT_FALSE(ContentContainerStyle::other("brand").isBrand());
    EXPECT_EQ(failureKind([] { json::decode<ContentContainerStyle>("5"); }), json::ErrorKind::typeMismatch);
    EXPECT_EQ(failureKind([] { json::decode<ContentContainerStyle>("null"); }), json::ErrorKind::valueNotFound);
}

TEST(ContentContainerStyleTest, EachFamilyHoldsExactlyItsListedStyles) {
    struct Family {
        const char* name;
        bool (ContentContainerStyle::*predicate)() const noexcept;
        std::set<Style> members;
    };
    const std::vector<Family> families = {
        {"isBrand", &ContentContainerStyle::isBrand, {Style::brand, Style::brandSix}},
        {"isExploreBrand", &ContentContainerStyle::isExploreBrand,
         {Style::exploreBrandFive, Style::exploreBrandSix, Style::exploreBrandSeven}},
        {"isJuniorBrand", &ContentContainerStyle::isJuniorBrand, {Style::featured, Style::featuredArt}},
        {"isHeroSingle", &ContentContainerStyle::isHeroSingle, {Style::heroTopSingle, Style::heroInlineSingle}},
        {"usesOverlayWithFocusableElements", &ContentContainerStyle::usesOverlayWithFocusableElements,
         {Style::heroTopSingle, Style::heroInlineSingle, Style::heroInlineLandscape, Style::heroInlinePortrait}},
        {"isHeroInline", &ContentContainerStyle::isHeroInline,
         {Style::heroInline, Style::heroInlineGE, Style::heroInlineSingle, Style::heroInlineSlim,
          Style::heroInlineLandscape, Style::heroInlinePortrait, Style::heroInlineLionsgate, Style::heroInline3d}},
        {"isExplore", &ContentContainerStyle::isExplore,
         {Style::heroCarousel, Style::heroInlineLandscape, Style::heroInlinePortrait, Style::heroInlineSingle,
          Style::heroTopSingle, Style::standardCompact, Style::standardRegular, Style::standardRegularEpisode,
          Style::standardRegularPrompt, Style::standardArt, Style::standardArtDense, Style::logoRound,
          Style::exploreBrandFive, Style::exploreBrandSix, Style::exploreBrandSeven, Style::featuredArt,
          Style::continueWatchingExploreSet}},
    };
    for (const auto& family : families) {
        for (std::size_t i = 0; i < std::size(kContainerStyles); ++i) {
            SCOPED_TRACE(std::string(family.name) + " of " + std::string(kContainerStyles[i]));
            EXPECT_EQ((ContentContainerStyle(kContainerStyles[i]).*family.predicate)(),
                      family.members.contains(static_cast<Style>(i)));
        }
        EXPECT_FALSE((ContentContainerStyle().*family.predicate)()) << family.name << " of other";
    }
}

TEST(ExplorePageTypeTest, ClosedVocabularyReadsExactStringsAndFailsOnOthers) {
    const std::vector<std::pair<ExplorePageType, std::string_view>> types = {
        {ExplorePageType::episodes, "episodes"}, {ExplorePageType::page, "page"},     {ExplorePageType::set, "set"},
        {ExplorePageType::view, "view"},         {ExplorePageType::season, "season"}, {ExplorePageType::upNext, "upNext"}};
    ASSERT_EQ(std::size(json::allCases<ExplorePageType>()), types.size());
    for (const auto& [type, wire] : types) {
        SCOPED_TRACE(wire);
        EXPECT_EQ(json::decode<ExplorePageType>(quoted(wire)), type);
        EXPECT_EQ(json::encode(type), quoted(wire));
    }
    for (std::string_view text : {"up_next", "UpNext", "upnext", "Page", "seasons", "episode", ""}) {
        SCOPED_TRACE(text);
        try {
            json::decode<ExplorePageType>(quoted(text));
            ADD_FAILURE() << "decoded an unknown page type";
        } catch (const json::DecodingError& error) {
            EXPECT_EQ(error.kind(), json::ErrorKind::dataCorrupted);
            EXPECT_NE(error.message().find("ExplorePage.PageType"), std::string::npos) << error.message();
        }
    }
}

TEST(ExplorePageStyleTest, KnownStylesRoundTripAndAnythingElseIsUnknownWithItsText) {
    const std::vector<std::pair<PageStyle, std::string_view>> styles = {
        {PageStyle::detailsStandard, "details_standard"},
        {PageStyle::highEmphasis, "high_emphasis"},
        {PageStyle::standardEmphasisNoHeader, "standard_emphasis_no_header"},
        {PageStyle::standardEmphasisWithHeader, "standard_emphasis_with_header"},
        {PageStyle::standardEmphasisWithNavigation, "standard_emphasis_with_navigation"}};
    ASSERT_EQ(std::size(json::allCases<PageStyle>()), styles.size());
    for (const auto& [kind, wire] : styles) {
        SCOPED_TRACE(wire);
        const auto decoded = json::decode<ExplorePageStyle>(quoted(wire));
        EXPECT_EQ(decoded, kind);
        EXPECT_EQ(ExplorePageStyle::fromWire(wire), kind);
        EXPECT_EQ(json::encode(decoded), quoted(wire));
    }
    for (std::string_view text : {"Standard_Emphasis_No_Header", "highEmphasis", "details-standard", ""}) {
        SCOPED_TRACE(text);
        const auto decoded = json::decode<ExplorePageStyle>(quoted(text));
        EXPECT_EQ(decoded.kind(), PageStyle::unknown);
        EXPECT_EQ(decoded.rawValue(), text);
        EXPECT_EQ(json::encode(decoded), quoted(text));
    }
}

TEST(ExplorePageStyleDescriptorTest, NameIsRequiredAndFallbackOptional) {
    using Descriptor = ExplorePageStyleDescriptor;
    EXPECT_EQ(json::decode<Descriptor>(R"({"name":"x","fallback":"high_emphasis"})"),
              (Descriptor{"x", "high_emphasis"}));
    EXPECT_EQ(json::decode<Descriptor>(R"({"name":"x"})"), (Descriptor{"x", std::nullopt}));
    EXPECT_EQ(json::decode<Descriptor>(R"({"name":"x","fallback":null})"), (Descriptor{"x", std::nullopt}));
    EXPECT_EQ(json::encode(Descriptor{"x", "y"}), R"({"name":"x","fallback":"y"})");
    EXPECT_EQ(json::encode(Descriptor{"x", std::nullopt}), R"({"name":"x"})");
    EXPECT_EQ(failureKind([] { json::decode<Descriptor>(R"({"fallback":"y"})"); }), json::ErrorKind::keyNotFound);
    EXPECT_EQ(failureKind([] { json::decode<Descriptor>(R"({"name":null})"); }), json::ErrorKind::valueNotFound);
    EXPECT_EQ(failureKind([] { json::decode<Descriptor>(R"({"name":"x","fallback":1})"); }),
              json::ErrorKind::typeMismatch);

    using Restriction = ExplorePageRestriction;
    const auto restriction = json::decode<Restriction>(R"({"iconType":"lock","message":"Not here"})");
    EXPECT_EQ(restriction, (Restriction{"lock", "Not here"}));
    EXPECT_EQ(json::encode(restriction), R"({"iconType":"lock","message":"Not here"})");
    EXPECT_EQ(failureKind([] { json::decode<Restriction>(R"({"iconType":"lock"})"); }), json::ErrorKind::keyNotFound);
    EXPECT_EQ(failureKind([] { json::decode<Restriction>(R"({"message":"m"})"); }), json::ErrorKind::keyNotFound);
}

TEST(ExplorePageStyleDescriptorTest, EffectiveStyleFallsBackWithExactWarningsOnEveryRead) {
    struct Case {
        ExplorePageStyleDescriptor descriptor;
        ExplorePageStyle expected;
        std::vector<std::pair<int, std::string>> warnings;  // line, message
    };
    const std::string safetyNet = ". Using global safety-net fallback: standard_emphasis_with_header.";
    const std::vector<Case> cases = {
        {{"standard_emphasis_no_header", std::nullopt}, PageStyle::standardEmphasisNoHeader, {}},
        {{"details_standard", "nonsense"}, PageStyle::detailsStandard, {}},
        {{"grid", "high_emphasis"},
         PageStyle::highEmphasis,
         {{89, "Unknown Page Style: grid. Falling back to: high_emphasis."}}},
        {{"Standard_Emphasis_No_Header", "standard_emphasis_with_navigation"},
         PageStyle::standardEmphasisWithNavigation,
         {{89, "Unknown Page Style: Standard_Emphasis_No_Header. Falling back to: standard_emphasis_with_navigation."}}},
        {{"grid", "list"},
         PageStyle::standardEmphasisWithHeader,
         {{89, "Unknown Page Style: grid. Falling back to: list."}, {96, "Unknown Page Style Fallback: list" + safetyNet}}},
        {{"grid", std::nullopt},
         PageStyle::standardEmphasisWithHeader,
         {{89, "Unknown Page Style: grid. Falling back to: ."}, {96, "Unknown Page Style Fallback: " + safetyNet}}},
        {{"", "High_Emphasis"},
         PageStyle::standardEmphasisWithHeader,
         {{89, "Unknown Page Style: . Falling back to: High_Emphasis."},
          {96, "Unknown Page Style Fallback: High_Emphasis" + safetyNet}}},
    };
    // Captures record warnings whatever the threshold; keep them off the test output.
    struct Quiet {
        LogLevel previous = Log::level();
        Quiet() { Log::setLevel(LogLevel::off); }
        ~Quiet() { Log::setLevel(previous); }
    } quiet;
    for (const auto& row : cases) {
        const std::string subject = json::encode(row.descriptor);
        SCOPED_TRACE(subject);
        WarningCapture capture;
        for (int read = 0; read < 2; ++read) EXPECT_EQ(row.descriptor.effectivePageStyle(), row.expected);
        std::vector<Warning> expected;
        for (int read = 0; read < 2; ++read)
            for (const auto& [line, message] : row.warnings)
                expected.push_back({subject, message, {}, line, "Models/ExplorePage", "effectivePageStyle"});
        EXPECT_EQ(capture.entries(), expected);
    }
}

}  // namespace
}  // namespace vorlane
