// Container styles, Explore page types and page styles: exact wire strings, the catch-all for
// unknown names, the style families, and the resolution of a page style with its warnings.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Logger.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vorlane {
namespace {

using Style = ContentContainerStyle::Case;
using PageStyle = ExplorePageStyleCase;
using namespace jsontesting;

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

TEST(ContentContainerStyleTest, EveryCaseHasItsExactWireStringAndOthersAreKeptUnchanged) {
    expectWireStrings<Style, ContentContainerStyle>({std::begin(kContainerStyles), std::end(kContainerStyles)});
    EXPECT_EQ(static_cast<std::size_t>(Style::other), std::size(kContainerStyles));
    for (std::string_view text : {"3dHeroInLine", "heroinline", "Brand", "brand_8", "continueWatchingExploreSet",
                                  "Continue_watching", "", "hero_carousel "}) {
        const auto style = json::decode<ContentContainerStyle>(quoted(text));
        EXPECT_EQ(style, ContentContainerStyle::other(std::string(text))) << text;
        EXPECT_EQ(json::encode(style), quoted(text));
    }
    EXPECT_NE(ContentContainerStyle("brand"), ContentContainerStyle::other("brand"));
    EXPECT_FALSE(ContentContainerStyle::other("brand").isBrand());
    expectDecodes<ContentContainerStyle>(
        {{"5", Failure{ErrorKind::typeMismatch, "(root)"}}, {"null", Failure{ErrorKind::valueNotFound, "(root)"}}});
}

TEST(ContentContainerStyleTest, FamiliesByRepresentativeMembersAndHowTheyNest) {
    using S = Style;
    using Predicate = bool (ContentContainerStyle::*)() const noexcept;
    // family, some members, near misses that are not members
    const std::tuple<const char*, Predicate, std::vector<S>, std::vector<S>> families[] = {
        {"isBrand", &ContentContainerStyle::isBrand, {S::brand, S::brandSix}, {S::exploreBrandSix, S::featured}},
        {"isExploreBrand", &ContentContainerStyle::isExploreBrand, {S::exploreBrandFive, S::exploreBrandSeven},
         {S::brand, S::brandSix}},
        {"isJuniorBrand", &ContentContainerStyle::isJuniorBrand, {S::featured, S::featuredArt}, {S::brand, S::editorial}},
        {"isHeroSingle", &ContentContainerStyle::isHeroSingle, {S::heroTopSingle, S::heroInlineSingle},
         {S::heroSingle, S::heroInline}},
        {"usesOverlayWithFocusableElements", &ContentContainerStyle::usesOverlayWithFocusableElements,
         {S::heroTopSingle, S::heroInlineLandscape}, {S::heroSingle, S::heroInline, S::heroCarousel}},
        {"isHeroInline", &ContentContainerStyle::isHeroInline, {S::heroInline3d, S::heroInlineSingle},
         {S::hero, S::heroTopSingle}},
        {"isExplore", &ContentContainerStyle::isExplore,
         {S::heroCarousel, S::standardRegularEpisode, S::logoRound, S::exploreBrandSix, S::featuredArt,
          S::continueWatchingExploreSet},
         {S::standardCompactList, S::standardArtLegacy, S::searchResultsAlias, S::continueWatching, S::featured}},
    };
    for (const auto& [name, predicate, members, nonMembers] : families) {
        for (S member : members) {
            const ContentContainerStyle style(member);
            EXPECT_TRUE((style.*predicate)()) << name << " of " << style.rawValue();
            // An unlisted name carrying a member's text is not a member.
            EXPECT_FALSE((ContentContainerStyle::other(std::string(style.rawValue())).*predicate)())
                << name << " of other " << style.rawValue();
        }
        for (S nonMember : nonMembers) {
            const ContentContainerStyle style(nonMember);
            EXPECT_FALSE((style.*predicate)()) << name << " of " << style.rawValue();
        }
        EXPECT_FALSE((ContentContainerStyle().*predicate)()) << name << " of other";
    }

    // Over every style: the single heroes and Explore brands are Explore styles, the legacy brands
    // are not, and the Explore inline and single heroes are exactly those overlaying focusable elements.
    for (std::string_view name : kContainerStyles) {
        const ContentContainerStyle style(name);
        if (style.isHeroSingle() || style.isExploreBrand()) { EXPECT_TRUE(style.isExplore()) << name; }
        if (style.isBrand()) { EXPECT_FALSE(style.isExplore()) << name; }
        EXPECT_EQ(style.usesOverlayWithFocusableElements(),
                  style.isExplore() && (style.isHeroInline() || style.isHeroSingle()))
            << name;
    }
}

TEST(ExplorePageStyleTest, PageTypesAreClosedAndPageStylesOpen) {
    expectClosedVocabulary<ExplorePageType>({"episodes", "page", "set", "view", "season", "upNext"},
                                            {"up_next", "UpNext", "seasons", ""});
    expectWireStrings<PageStyle, ExplorePageStyle>({"details_standard", "high_emphasis", "standard_emphasis_no_header",
                                                    "standard_emphasis_with_header", "standard_emphasis_with_navigation"});
    for (const auto& entry : json::allCases<PageStyle>()) EXPECT_EQ(ExplorePageStyle::fromWire(entry.wire), entry.value);
    expectKeptAsCatchAll<ExplorePageStyle>({"Standard_Emphasis_No_Header", "highEmphasis", "details-standard", ""});
}

TEST(ExplorePageStyleTest, DescriptorAndRestrictionKeys) {
    using D = ExplorePageStyleDescriptor;
    expectDecodes<D>({
        {R"({"name":"x","fallback":"high_emphasis"})", D{"x", "high_emphasis"}}, {R"({"name":"x"})", D{"x", std::nullopt}},
        {R"({"name":"x","fallback":null})", D{"x", std::nullopt}}, {R"({"fallback":"y"})", Failure{ErrorKind::keyNotFound, "name"}},
        {R"({"name":null})", Failure{ErrorKind::valueNotFound, "name"}},
        {R"({"name":"x","fallback":1})", Failure{ErrorKind::typeMismatch, "fallback"}},
    });
    EXPECT_EQ(json::encode(D{"x", "y"}), R"({"name":"x","fallback":"y"})");
    EXPECT_EQ(json::encode(D{"x", std::nullopt}), R"({"name":"x"})");

    using R = ExplorePageRestriction;
    expectEveryKeyRequired<R>(JsonValue{{"iconType", "lock"}, {"message", "Not here"}});
    EXPECT_EQ(json::decode<R>(R"({"message":"m","iconType":"lock"})"), (R{"lock", "m"}));
}

TEST(ExplorePageStyleTest, EffectiveStyleFallsBackWithExactWarningsOnEveryRead) {
    const std::string net = ". Using global safety-net fallback: standard_emphasis_with_header.";
    // descriptor, style in effect, warnings as (line, message)
    const std::vector<std::tuple<ExplorePageStyleDescriptor, ExplorePageStyle, std::vector<std::pair<int, std::string>>>>
        cases = {
            {{"standard_emphasis_no_header", std::nullopt}, PageStyle::standardEmphasisNoHeader, {}},
            {{"details_standard", "nonsense"}, PageStyle::detailsStandard, {}},
            {{"grid", "high_emphasis"}, PageStyle::highEmphasis,
             {{89, "Unknown Page Style: grid. Falling back to: high_emphasis."}}},
            {{"grid", "list"}, PageStyle::standardEmphasisWithHeader,
             {{89, "Unknown Page Style: grid. Falling back to: list."}, {96, "Unknown Page Style Fallback: list" + net}}},
            {{"grid", std::nullopt}, PageStyle::standardEmphasisWithHeader,
             {{89, "Unknown Page Style: grid. Falling back to: ."}, {96, "Unknown Page Style Fallback: " + net}}},
            {{"", "High_Emphasis"}, PageStyle::standardEmphasisWithHeader,
             {{89, "Unknown Page Style: . Falling back to: High_Emphasis."},
              {96, "Unknown Page Style Fallback: High_Emphasis" + net}}},
        };
    const LogLevel previous = Log::level();
    Log::setLevel(LogLevel::off);  // captures record warnings whatever the threshold
    for (const auto& [descriptor, style, warnings] : cases) {
        const std::string subject = json::encode(descriptor);
        SCOPED_TRACE(subject);
        WarningCapture capture;
        std::vector<Warning> expected;
        for (int read = 0; read < 2; ++read) {
            EXPECT_EQ(descriptor.effectivePageStyle(), style);
            for (const auto& [line, message] : warnings)
                expected.push_back({subject, message, {}, line, "Models/ExplorePage", "effectivePageStyle"});
        }
        EXPECT_EQ(capture.entries(), expected);
    }
    Log::setLevel(previous);
}

// Refresh records: the policy vocabulary, reading and writing, the values in effect for an
// unknown policy, and the staleness test at its time boundaries (on a controlled clock).
using namespace std::chrono_literals;
using Policy = RefreshPolicyCase;

// A clock that only moves when the test moves it.
struct ManualClock {
    RefreshClock::time_point time = RefreshClock::time_point{} + 1000h;
    RefreshClock::Override override{[this] { return time; }};
};

TEST(ExploreRefreshTest, PolicyWireStringsAndRecordKeys) {
    expectWireStrings<Policy, RefreshPolicy>({"on_playback_action", "on_ttl", "session", "search"});
    EXPECT_EQ(json::encode(ExploreRefresh(Policy::session, 300)), R"({"policy":"session","ttlSeconds":300})");
    expectDecodes<ExploreRefresh>({
        {R"({"policy":"session","ttlSeconds":300})", ExploreRefresh(Policy::session, 300)},
        {R"({"ttlSeconds":null,"policy":"On_TTL"})", ExploreRefresh(RefreshPolicy::other("On_TTL"))},
        {R"({"ttlSeconds":300})", Failure{ErrorKind::keyNotFound, "policy"}},
        {R"({"policy":null})", Failure{ErrorKind::valueNotFound, "policy"}},
        {R"({"policy":"on_ttl","ttlSeconds":"300"})", Failure{ErrorKind::typeMismatch, "ttlSeconds"}},
        {R"({"policy":"on_ttl","ttlSeconds":1.5})", Failure{ErrorKind::dataCorrupted, "ttlSeconds"}},
        {"null", Failure{ErrorKind::valueNotFound, "(root)"}},
    });
    EXPECT_EQ(json::encode(ExploreRefresh(RefreshPolicy::other("On_TTL"))), R"({"policy":"On_TTL"})");
}

TEST(ExploreRefreshTest, UnknownPolicyReadsAsTtlOfZero) {
    using TTL = std::optional<std::int64_t>;
    // raw policy and time to live, then the values in effect
    const std::vector<std::tuple<RefreshPolicy, TTL, Policy, TTL>> rows = {
        {Policy::onPlaybackAction, std::nullopt, Policy::onPlaybackAction, std::nullopt},
        {Policy::session, 60, Policy::session, 60},
        {RefreshPolicy::other("weekly"), std::nullopt, Policy::onTTL, 0}, {RefreshPolicy::other(""), 600, Policy::onTTL, 0}};
    for (const auto& [raw, rawTtl, policy, ttl] : rows) {
        const ExploreRefresh refresh(raw, rawTtl);
        EXPECT_EQ(refresh.policy(), policy) << raw.rawValue();
        EXPECT_EQ(refresh.ttlSeconds(), ttl) << raw.rawValue();
        EXPECT_EQ(refresh.rawPolicy, raw) << "the raw policy keeps what was sent";
    }
}

TEST(ExploreRefreshTest, NeedsRefreshAtTimeBoundaries) {
    // document, time since it was read, session reset, playback happened, stale
    const char* ttl300 = R"({"policy":"on_ttl","ttlSeconds":300})";
    const char* playback = R"({"policy":"on_playback_action"})";
    const char* session = R"({"policy":"session"})";
    const char* hourly = R"({"policy":"hourly"})";
    const std::vector<std::tuple<const char*, std::chrono::nanoseconds, bool, bool, bool>> rows = {
        // A time to live: exactly the limit is fresh, a moment past it is stale, in either direction.
        {ttl300, 0s, false, false, false}, {ttl300, 300s, false, false, false}, {ttl300, 300s + 1ms, false, false, true},
        {ttl300, -(300s + 1ms), false, false, true}, {ttl300, 10s, true, false, true}, {ttl300, 10s, false, true, false},
        {R"({"policy":"on_ttl"})", 1000h, false, true, false}, {R"({"policy":"on_ttl","ttlSeconds":0})", 1ns, false, false, true},
        // Playback makes only the playback policy stale; a reset makes every policy stale.
        {playback, 1000h, false, false, false}, {playback, 0s, false, true, true},
        {R"({"policy":"on_playback_action","ttlSeconds":60})", 61s, false, false, true},
        {session, 1000h, false, true, false}, {session, 0s, true, false, true},
        // An unknown policy is stale as soon as any time passes, whatever time to live it names.
        {hourly, 0s, false, false, false}, {hourly, 1ms, false, false, true},
        {R"({"policy":"hourly","ttlSeconds":3600})", 1s, false, false, true},
        {hourly, 0s, false, true, false}, {hourly, 0s, true, false, true},
    };
    for (const auto& [text, elapsed, sessionReset, playbackHappened, expected] : rows) {
        ManualClock clock;
        const auto refresh = json::decode<ExploreRefresh>(text);
        clock.time += elapsed;
        EXPECT_EQ(refresh.needsRefresh(sessionReset, playbackHappened), expected)
            << text << " after " << elapsed.count() << " ns, reset " << sessionReset << ", playback "
            << playbackHappened;
    }
}

TEST(ExploreRefreshTest, TimeToLiveStartsWhenDecodedOrBuiltAndIsNotPartOfEquality) {
    ManualClock clock;
    const auto first = json::decode<ExploreRefresh>(R"({"policy":"on_ttl","ttlSeconds":300})");
    EXPECT_EQ(first.ttlBegin(), clock.time);
    clock.time += 200s;
    const ExploreRefresh second(Policy::onTTL, 300);
    EXPECT_EQ(second.ttlBegin(), clock.time);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, ExploreRefresh(Policy::onTTL, 301));
    EXPECT_NE(first, ExploreRefresh(Policy::session, 300));
    clock.time += 101s;
    EXPECT_TRUE(first.needsRefresh(false, false));
    EXPECT_FALSE(second.needsRefresh(false, false));
}

}  // namespace
}  // namespace vorlane
