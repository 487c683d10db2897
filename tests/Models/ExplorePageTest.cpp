// Explore pages, containers, sets, items and seasons: the container envelope read from one flat
// object, the set's style rule and legacy bridges, the lenient lists and what each drops, the
// focus and restart look-ups, page equality and the page as a legacy collection.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Explore/ExploreDeeplink.hpp"
#include "vorlane/Models/Explore/ExploreEpisodeIdPair.hpp"
#include "vorlane/Models/Explore/ExplorePage.hpp"
#include "vorlane/Models/Explore/ExploreUpNext.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace vorlane::explorepagetests {
namespace {

using jsontesting::decodeFailure;
using jsontesting::eachOf;

JsonValue item(const std::string& id, JsonValue actions = nullptr) {
    JsonValue out = {{"type", "set"}, {"id", id}, {"visuals", {{"title", "Title " + id}}}};
    if (!actions.is_null()) out["actions"] = std::move(actions);
    return out;
}

JsonValue set(const std::string& id, JsonValue items, JsonValue extra = JsonValue::object()) {
    JsonValue out = {{"type", "set"}, {"id", id}, {"infoBlock", "ib-" + id}, {"items", std::move(items)}};
    out.update(extra);
    return out;
}

JsonValue playback(std::vector<std::string> options) {
    JsonValue list = JsonValue::array();
    for (const auto& option : options) list.push_back({{"type", option}, {"infoBlock", "o"}});
    return {{"type", "playback"}, {"resourceId", "r"}, {"contentType", "vod"}, {"availId", "a"}, {"internalTitle", "t"},
            {"deeplinkId", "d"}, {"options", list}, {"visuals", {{"displayText", "Play"}}}};
}

const JsonValue kTrailer = {{"type", "trailer"}, {"resourceId", "r"}, {"availId", "b"}, {"internalTitle", "t"},
                            {"deeplinkId", "d"}, {"contentType", "vod"}, {"options", JsonValue::array()},
                            {"visuals", {{"displayText", "Trailer"}}}};
const JsonValue kBrowse = {{"type", "browse"}, {"pageId", "p"}, {"pageStyle", {{"name", "details_standard"}}},
                           {"params", JsonValue::object()}, {"deeplinkId", "d"}, {"infoBlock", "ib-browse"},
                           {"visuals", {{"displayText", "Details"}}}};

JsonValue page(JsonValue containers, JsonValue actions = JsonValue::array(), JsonValue extra = JsonValue::object()) {
    JsonValue out = {{"id", "page-1"}, {"type", "page"}, {"deeplinkId", "home"}, {"style", {{"name", "high_emphasis"}}},
                     {"visuals", {{"title", "Home"}}}, {"containers", std::move(containers)}, {"actions", std::move(actions)}};
    out.update(extra);
    return out;
}

ExplorePage decodePage(const JsonValue& json, json::Diagnostics* diagnostics = nullptr) {
    return json::decode<ExplorePage>(json.dump(), {}, diagnostics);
}

TEST(ExploreContainers, ReadFromOneFlatObjectAndWriteTheirTagOnce) {
    jsontesting::expectClosedVocabulary<ContainerTypeIdentifier>({"details", "episodes", "set", "shop"}, {"Set", "page", ""});
    const std::string setJson = set("s1", JsonValue::array({item("i1")})).dump();
    const auto coder = json::decode<ContainerCoder>(setJson);
    EXPECT_EQ(coder.type(), ContainerTypeIdentifier::set);
    ASSERT_TRUE(coder.as<ExploreSet>());
    EXPECT_EQ(coder.as<ExploreSet>()->infoBlock, "ib-s1");
    // The set writes the one "type" member itself.
    const std::string written = json::encode(coder);
    EXPECT_EQ(written, R"({"id":"s1","style":{"name":"standard_art","fallback":"","layout":""},)"
                       R"("items":[{"type":"set","id":"i1","visuals":{"title":"Title i1"}}],"infoBlock":"ib-s1","type":"set"})");
    EXPECT_EQ(json::decode<ContainerCoder>(written), coder);

    EXPECT_EQ(decodeFailure<ContainerCoder>(JsonValue{{"type", "banner"}}.dump()).path(), "type");
    EXPECT_EQ(decodeFailure<ContainerCoder>(R"({"id":"s"})").path(), "type");
    // A details container reads its actions strictly: one unknown action fails it.
    const JsonValue details = {{"type", "details"}, {"style", {{"name", "details_standard"}}},
                               {"visuals", {{"name", "N"}, {"title", "T"}}}, {"infoBlock", "x"},
                               {"actions", {kBrowse, {{"type", "watchParty"}}}}};
    EXPECT_EQ(decodeFailure<ContainerCoder>(details.dump()).path(), "actions[1].type");
}

TEST(ExploreSets, StyleComesFromStyleThenParamsThenTheDefault) {
    struct Row {
        JsonValue extra;
        ExploreSetStyle expected;
    };
    const JsonValue style = {{"name", "hero_inline"}, {"fallback", "standard_art"}, {"layout", "hero"}};
    const std::vector<Row> rows = {
        {JsonValue::object(), {"standard_art", "", ""}},
        {{{"params", {{"setStyle", "brand"}}}}, {"brand", "", ""}},
        {{{"params", {{"other", "x"}}}}, {"standard_art", "", ""}},
        {{{"style", style}, {"params", {{"setStyle", "brand"}}}}, {"hero_inline", "standard_art", "hero"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.extra.dump());
        const auto decoded = json::decode<ExploreSet>(set("s", JsonValue::array(), row.extra).dump());
        EXPECT_EQ(decoded.style, row.expected);
        EXPECT_EQ(json::decode<ExploreSet>(json::encode(decoded)), decoded);
    }
    for (const char* key : {"id", "type", "infoBlock"}) {
        JsonValue missing = set("s", JsonValue::array());
        missing.erase(key);
        EXPECT_EQ(decodeFailure<ExploreSet>(missing.dump()).path(), key);
    }
    EXPECT_EQ(decodeFailure<ExploreSet>(set("s", JsonValue::array(), {{"style", {{"name", "n"}, {"fallback", ""}}}}).dump()).path(),
              "style.layout");
    // Items and actions that fail are dropped one by one.
    const auto lenient = json::decode<ExploreSet>(
        set("s", JsonValue::array({item("a"), {{"id", "no-type"}}, item("b")}), {{"actions", {{{"type", "watchParty"}}, kBrowse}}}).dump());
    EXPECT_EQ(eachOf(*lenient.items, &ExploreSetItem::id), (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(lenient.actionCoders->size(), 1u);
    EXPECT_EQ(lenient.actionInfoBlocks(), (std::vector<std::string>{"ib-browse"}));
}

TEST(ExploreSets, BecomeLegacySetsAndContainersByLayoutAndPaging) {
    struct Row {
        std::string layout;
        JsonValue pagination;
        int items;
        ContainerType type;
        bool reference;
        std::int64_t hits, offset;
    };
    constexpr auto most = std::numeric_limits<std::int64_t>::max();
    const JsonValue more = {{"hasMore", true}, {"hasPrev", false}, {"currentOffset", 0}};
    const JsonValue last = {{"hasMore", false}, {"hasPrev", true}, {"currentOffset", 30}};
    const std::vector<Row> rows = {
        {"grid", more, 0, ContainerType::grid, true, 0, 0},       {"hero", more, 1, ContainerType::hero, false, most, 0},
        {"shelf", last, 12, ContainerType::shelf, false, 42, 30}, {"", nullptr, 2, ContainerType::shelf, false, 2, 0},
        {"Grid", nullptr, 0, ContainerType::shelf, false, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.layout + " " + row.pagination.dump());
        JsonValue items = JsonValue::array();
        for (int i = 0; i < row.items; ++i) items.push_back(item("i" + std::to_string(i)));
        JsonValue extra = {{"style", {{"name", "no_such_style"}, {"fallback", "heroInline"}, {"layout", row.layout}}},
                           {"visuals", {{"name", "Shelf"}}}, {"params", {{"b", "2"}, {"a", "1"}}}};
        if (!row.pagination.is_null()) extra["pagination"] = row.pagination;
        const auto decoded = json::decode<ExploreSet>(set("s", items, extra).dump());
        const ContentContainer container = decoded.contentContainer();
        EXPECT_EQ(container.type, row.type);
        EXPECT_EQ(container.style, ContentContainerStyle::Case::heroInline);
        EXPECT_EQ(container.infoBlock, "ib-s");
        EXPECT_EQ(container.exploreSetParams, (std::map<std::string, std::string>{{"a", "1"}, {"b", "2"}}));
        EXPECT_EQ(container.setType(), ContentSetType::exploreSet);
        const std::string title = R"({"title":{"full":{"content":{"default":{"language":"en","content":"Shelf"}}}}})";
        ASSERT_EQ(container.setDecoder.reference() != nullptr, row.reference);
        if (row.reference) {
            EXPECT_EQ(json::encode(container.texts()), title);
            continue;
        }
        const ContentSet& legacy = *container.setDecoder.set();
        EXPECT_EQ(json::encode(legacy.texts), title);
        EXPECT_EQ(legacy.meta, (ContentSet::Meta{row.hits, 30, row.offset}));
        ASSERT_EQ(legacy.items.size(), static_cast<std::size_t>(row.items));
        for (const auto& coder : legacy.items) {
            EXPECT_EQ(coder.type(), ContentTypeIdentifier::explore);
            EXPECT_EQ(coder.as<ExploreSetItemWithStyle>()->style, "heroInline");
        }
    }
}

TEST(ExploreSetItems, FindActionsLocatorsAndReadAsLegacyContent) {
    const JsonValue legacySeries = {{"type", "legacyBrowse"}, {"contentType", "series"}, {"refIdType", "encodedSeriesId"},
                                    {"refId", "4xQz"}, {"infoBlock", "l"}};
    JsonValue legacyShow = legacySeries;
    legacyShow["contentType"] = "show";
    const auto decoded = json::decode<ExploreSetItem>(item("i", {kBrowse, kTrailer, playback({"play"}), legacySeries}).dump());
    const ActionTypeIdentifier wanted[] = {ActionTypeIdentifier::playback, ActionTypeIdentifier::trailer};
    ASSERT_TRUE(decoded.firstActionMatching(wanted));
    EXPECT_EQ(decoded.firstActionMatching(wanted)->identifier(), ActionTypeIdentifier::trailer);
    EXPECT_FALSE(decoded.firstActionMatching(std::span<const ActionTypeIdentifier>()));
    EXPECT_TRUE(decoded.browseAction() && decoded.playbackAction());
    EXPECT_FALSE(decoded.hasDownloadAction());
    EXPECT_EQ(decoded.actionInfoBlock(), "ib-browse");
    EXPECT_EQ(decoded.contentReferenceLocator(), (ContentReferenceLocator{EncodedIdentifier("4xQz"), ContentTypeIdentifier::series}));
    EXPECT_EQ(json::decode<ExploreSetItem>(item("i", JsonValue::array({legacyShow})).dump()).contentReferenceLocator(), std::nullopt);
    EXPECT_EQ(json::decode<ExploreSetItem>(item("i").dump()).contentReferenceLocator(), std::nullopt);
    // Any failure to read the info block leaves it absent.
    JsonValue numbered = item("i");
    numbered["infoBlock"] = 7;
    EXPECT_EQ(json::decode<ExploreSetItem>(numbered.dump()).infoBlock, std::nullopt);

    // As legacy content, tagged "ExploreSetItem" with its style beside it.
    const JsonValue tagged = {{"type", "ExploreSetItem"}, {"setItem", item("i7")}, {"style", "standard_art"}};
    const auto content = json::decode<ContentCoder>(tagged.dump());
    EXPECT_EQ(content.type(), ContentTypeIdentifier::explore);
    EXPECT_EQ(content.model()->contentId(), "i7");
    EXPECT_EQ(content.model()->texts(), json::decode<ExploreSetItemVisuals>(R"({"title":"Title i7"})").contentTexts());
    EXPECT_FALSE(content.model()->callToAction());
    EXPECT_TRUE(content.model()->videoArtwork().empty());
    EXPECT_EQ(json::decode<ContentCoder>(json::encode(content)), content);
}

JsonValue season(const std::string& id, JsonValue items, JsonValue actions = JsonValue::array()) {
    JsonValue out = {{"type", "season"}, {"id", id}, {"style", {{"name", "n"}, {"fallback", ""}, {"layout", "list"}}},
                     {"actions", std::move(actions)}};
    if (!items.is_null()) out["items"] = std::move(items);
    return out;
}

JsonValue episodes(JsonValue seasons, const std::string& seasonId, const std::string& itemId) {
    return {{"type", "episodes"}, {"style", {{"name", "details_standard"}}}, {"visuals", {{"name", "Episodes"}}},
            {"focus", {{"seasonId", seasonId}, {"itemId", itemId}}}, {"seasons", std::move(seasons)}};
}

TEST(ExploreSeasons, FocusFindsTheFirstMatchingSeasonAndEpisode) {
    JsonValue noStyle = season("s0", JsonValue::array());
    noStyle.erase("style");
    const JsonValue seasons = {noStyle, season("s1", JsonValue::array({item("e1"), item("e2")})),
                               season("s1", JsonValue::array({item("e2")})), season("s2", nullptr)};
    struct Row {
        std::string seasonId, itemId;
        std::optional<std::size_t> season;  // index among the decoded seasons
        std::optional<std::string> episode;
    };
    const std::vector<Row> rows = {{"s1", "e2", 0, "e2"}, {"s1", "e9", 0, std::nullopt}, {"s2", "e1", 2, std::nullopt},
                                   {"s9", "e1", std::nullopt, std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seasonId + "/" + row.itemId);
        const auto container = json::decode<ContainerCoder>(episodes(seasons, row.seasonId, row.itemId).dump());
        const auto* decoded = container.as<EpisodesContainer>();
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded->seasons.size(), 3u) << "the season without a style is dropped";
        EXPECT_EQ(decoded->focusedSeason(), row.season ? std::optional(decoded->seasons[*row.season]) : std::nullopt);
        const auto episode = decoded->focusedEpisode();
        EXPECT_EQ(episode ? std::optional(episode->id) : std::nullopt, row.episode);
        const auto decodedPage = decodePage(page(JsonValue::array({episodes(seasons, row.seasonId, row.itemId)})));
        EXPECT_EQ(decodedPage.focusedEpisodeSetItem(), episode);
    }
    const JsonValue downloadAll = {{"type", "downloadAll"}, {"seasonId", "s"}, {"infoBlock", "x"}, {"visuals", {{"displayText", "D"}}}};
    const JsonValue download = {{"type", "download"}, {"infoBlock", "x"}, {"visuals", {{"displayText", "D"}}}};
    EXPECT_TRUE(json::decode<ExploreSeason>(season("s", nullptr, {download, downloadAll}).dump()).hasDownloadSeasonAction());
    EXPECT_FALSE(json::decode<ExploreSeason>(season("s", nullptr, JsonValue::array({download})).dump()).hasDownloadSeasonAction());
    // The season answer reads from under "data" and writes flat.
    const auto answer = json::decode<ExploreSeasonResponse>(JsonValue{{"data", {{"season", season("s", nullptr)}}}}.dump());
    EXPECT_EQ(answer.season.id, "s");
    EXPECT_EQ(decodeFailure<ExploreSeasonResponse>(R"({"data":{}})").path(), "data.season");
    EXPECT_EQ(JsonValue::parse(json::encode(answer)).begin().key(), "season");
}

TEST(ExplorePages, ListsDropWhatFailsAndOnlyTheRestrictionCodeAndTheFramingFailThePage) {
    JsonValue noInfoBlock = set("s2", JsonValue::array());
    noInfoBlock.erase("infoBlock");
    json::Diagnostics diagnostics;
    const auto decoded = decodePage(page(JsonValue::array({set("s1", JsonValue::array({item("a")})), {{"type", "banner"}}, noInfoBlock})),
                                    &diagnostics);
    ASSERT_EQ(decoded.containerCoders.size(), 1u);
    EXPECT_EQ(eachOf(diagnostics.entries(), &json::Diagnostic::path),
              (std::vector<std::string>{"containers[1]", "containers[2]"}));
    EXPECT_FALSE(decoded.pconBlocked() || decoded.unentitledBlocked());
    EXPECT_EQ(decodePage(page(JsonValue::array(), JsonValue::array(), {{"infoBlock", 3}})).infoBlock, std::nullopt);
    EXPECT_TRUE(decodePage(page(JsonValue::array(), JsonValue::array(), {{"restrictionCode", "pcon"}})).pconBlocked());
    EXPECT_TRUE(decodePage(page(JsonValue::array(), JsonValue::array(), {{"restrictionCode", "unentitled"}})).unentitledBlocked());
    EXPECT_EQ(decodeFailure<ExplorePage>(page(JsonValue::array(), JsonValue::array(), {{"restrictionCode", "geo"}}).dump()).path(),
              "restrictionCode");
    for (const char* key : {"id", "type", "deeplinkId", "style", "visuals", "containers", "actions"}) {
        JsonValue missing = page(JsonValue::array());
        missing.erase(key);
        EXPECT_EQ(decodeFailure<ExplorePage>(missing.dump()).path(), key);
    }
    // The answer: "data" is required, "page" is not.
    EXPECT_EQ(json::decode<ExplorePageResponse>(R"({"data":{}})"), ExplorePageResponse::empty());
    EXPECT_EQ(decodeFailure<ExplorePageResponse>(R"({"page":{}})").path(), "data");
    const auto answer = json::decode<ExplorePageResponse>(
        JsonValue{{"data", {{"page", page(JsonValue::array())}, {"errors", {{{"code", 4}, {"message", "partial"}}}}}}}.dump());
    EXPECT_EQ(answer.errors, (std::vector<json::FreeFormObject>{{R"({"code":4,"message":"partial"})"}}));
    EXPECT_EQ(json::decode<ExplorePageResponse>(json::encode(answer)), answer);
}

TEST(ExplorePages, RestartActionAndEqualityByIdAndInfoBlock) {
    struct Row {
        std::vector<std::vector<std::string>> playbacks;
        std::optional<std::size_t> restart;
    };
    const std::vector<Row> rows = {
        {{{"from_beginning"}}, std::nullopt},
        {{{"resume"}, {"from_beginning"}}, 1},
        {{{"resume"}, {"resume", "from_beginning"}}, std::nullopt},
        {{{"from_beginning"}, {"from_beginning"}}, 0},
    };
    for (const auto& row : rows) {
        JsonValue actions = JsonValue::array({kTrailer});
        for (const auto& options : row.playbacks) actions.push_back(playback(options));
        const auto decoded = decodePage(page(JsonValue::array(), actions));
        const auto expected = row.restart ? std::optional(*decoded.actionCoders[*row.restart + 1].as<PlaybackAction>()) : std::nullopt;
        EXPECT_EQ(decoded.restartAction(), expected) << actions.dump();
    }
    const auto one = decodePage(page(JsonValue::array({set("s1", JsonValue::array())}), JsonValue::array(), {{"infoBlock", "x"}}));
    const auto other = decodePage(page(JsonValue::array(), JsonValue::array(), {{"infoBlock", "x"}}));
    EXPECT_EQ(one, other);
    EXPECT_NE(one, decodePage(page(JsonValue::array())));
}

TEST(ExplorePages, BecomeLegacyCollectionsWithDefaultsOrTransforms) {
    const auto decoded = decodePage(page(JsonValue::array({set("s1", JsonValue::array({item("a")})), episodes(JsonValue::array(), "x", "y")}),
                                         JsonValue::array({kBrowse})));
    const ContentCollection collection = decoded.contentCollection();
    EXPECT_EQ(collection.collectionId, "page-1");
    EXPECT_EQ(collection.identifiers.collectionGroupId, "");
    EXPECT_EQ(collection.identifiers.contentClass, CollectionContentClassCase::highEmphasis);
    EXPECT_EQ(collection.type, CollectionType::collection);
    EXPECT_EQ(collection.subType, CollectionSubType::standard);
    EXPECT_EQ(collection.texts, decoded.visuals.contentTexts());
    ASSERT_EQ(collection.containers.size(), 1u) << "only sets become legacy containers";
    EXPECT_EQ(collection.containers[0].id(), "s1");
    ASSERT_TRUE(collection.actionCoders);
    EXPECT_EQ(*collection.actionCoders, decoded.actionCoders);

    ContentCollectionTransforms transforms;
    transforms.collectionId = [](std::string id) { return id + "-legacy"; };
    transforms.containers = [](std::vector<ContentContainer>) { return std::vector<ContentContainer>(); };
    const auto changed = decoded.asContentCollection(transforms);
    EXPECT_EQ(changed.collectionId, "page-1-legacy");
    EXPECT_TRUE(changed.containers.empty());
    // A page style no content class names reads as the default class.
    JsonValue unknownStyle = page(JsonValue::array());
    unknownStyle["style"] = {{"name", "details_standard"}};
    EXPECT_EQ(decodePage(unknownStyle).contentCollection().identifiers.contentClass,
              CollectionContentClassCase::standardEmphasisWithHeader);

    ExplorePage replaced = ExplorePage::empty();
    EXPECT_EQ(replaced.id, "");
    EXPECT_EQ(replaced.type, ExplorePageType::page);
    replaced.id = "placeholder";
    ExplorePage::setEmpty(replaced);
    EXPECT_EQ(ExplorePage::empty().id, "placeholder");
    ExplorePage::setEmpty(ExplorePage{});
}

TEST(ExploreUpNext, RemoteAnswersDropBadItemsAndLocalOnesAreBuiltFromTheDownload) {
    const auto none = json::decode<ExploreUpNextResponse>(R"({"data":{"upNext":{"items":[]}}})");
    EXPECT_TRUE(none.items.empty());
    EXPECT_TRUE(none.source.isRemote());
    const JsonValue lacking = {{"type", "upNext"}, {"item", item("first")}};
    const JsonValue second = {{"type", "upNext"}, {"sequentialEpisode", true}, {"item", item("second")}};
    const auto remote = json::decode<ExploreUpNextResponse>(JsonValue{{"data", {{"upNext", {{"items", {lacking, second}}}}}}}.dump());
    ASSERT_EQ(remote.items.size(), 1u);
    EXPECT_EQ(remote.items[0].item.id, "second");
    EXPECT_EQ(decodeFailure<ExploreUpNextResponse>(R"({"data":{"next":{}}})").path(), "data.upNext");
    EXPECT_EQ(decodeFailure<ExploreUpNextResponse>(R"({"data":{"upNext":{}}})").path(), "data.upNext.items");

    const auto download = json::decode<DownloadMetadataV1_4>(
        R"({"resourceId":"res","internalTitle":"HL s2e5","deeplinkId":"d","availId":"avail-5","pid":"pid-5",)"
        R"("title":"Low Water","imageId":"img","runtimeMs":2684000,"rating":{"text":"TV-14"},)"
        R"("seriesMetadata":{"seriesId":"s","seriesName":"HL","seriesImageId":"si","seasonNumber":2,"seasonName":"Season 2",)"
        R"("episodeNumber":5,"seriesInfoBlock":"sib"},"playerExperience":{"targetLanguage":"en"}})");
    const ExploreEpisodeIdPair pair("avail-x", download);
    EXPECT_EQ(pair.pid, "pid-5") << "the pid is the stored metadata's";
    struct Row {
        JsonValue playback;
        std::string id, infoBlock;
    };
    JsonValue withUpNext = playback({"play"});
    withUpNext["upNextId"] = "up-7";
    for (const auto& row : {Row{playback({}), "", ""}, Row{withUpNext, "up-7", "o"}}) {
        const auto action = json::decode<PlaybackAction>(row.playback.dump());
        const ExploreUpNextResponse local(ExplorePageType::episodes, true, download, action);
        ASSERT_EQ(local.items.size(), 1u);
        const auto& next = local.items[0];
        EXPECT_EQ(next.type, ExplorePageType::upNext);
        EXPECT_TRUE(next.sequentialEpisode);
        EXPECT_EQ(next.item.type, ExplorePageType::episodes);
        EXPECT_EQ(next.item.id, row.id);
        EXPECT_EQ(next.item.infoBlock, row.infoBlock);
        EXPECT_EQ(next.item.playbackAction(), action);
        EXPECT_EQ(next.item.personalization, (Personalization{"pid-5", std::nullopt}));
        EXPECT_EQ(next.item.visuals->title, "Low Water");
        EXPECT_EQ(next.item.visuals->episodeNumber, "5");
        ASSERT_TRUE(local.source.local());
        EXPECT_EQ(local.source.local()->downloadMetadata, download);
        const auto written = JsonValue::parse(json::encode(local));
        EXPECT_EQ(written["source"]["local"]["downloadMetadata"]["availId"], "avail-5");
        EXPECT_EQ(json::decode<ExploreUpNextSource>(written["source"].dump()), local.source);
    }
    EXPECT_EQ(json::encode(none), R"({"items":[],"source":{"remote":{}}})");
    EXPECT_EQ(decodeFailure<ExploreUpNextSource>(R"({"elsewhere":{}})").path(), "(root)");
}

TEST(ExploreDeeplinks, IdentifiersByActionKindDestinationsAndTheItemsContentType) {
    const JsonValue share = {{"type", "share"}, {"deeplinkId", "d"}, {"infoBlock", "s"}, {"visuals", {{"displayText", "Share"}, {"title", "Home"}}}};
    const JsonValue collection = {{"type", "legacyBrowse"}, {"contentType", "collection"}, {"contentClass", "home"},
                                  {"slug", "home"}, {"infoBlock", "l"}};
    const auto deeplink = json::decode<ExploreDeeplink>(
        JsonValue{{"data", {{"deeplink", {{"actions", {playback({"play"}), {{"type", "watchParty"}}, kBrowse, share, collection}}}}}}}.dump());
    ASSERT_EQ(deeplink.actionCoders.size(), 4u);
    EXPECT_EQ(deeplink.explorePageInfo(), (ExplorePageInfo{"p", ExplorePageStyleDescriptor{"details_standard", std::nullopt}}));
    const std::vector<std::pair<ActionTypeIdentifier, std::string>> identifiers = {
        {ActionTypeIdentifier::playback, "r"}, {ActionTypeIdentifier::browse, "p"}, {ActionTypeIdentifier::share, ""},
        {ActionTypeIdentifier::upsell, ""}, {ActionTypeIdentifier::legacyBrowse, ""}};
    for (const auto& [type, expected] : identifiers) EXPECT_EQ(deeplink.identifier(type), expected) << json::encode(type);
    EXPECT_EQ(json::decode<ExploreDeeplink>(R"({"data":{"deeplink":{"actions":[]}}})").explorePageInfo(), std::nullopt);
    EXPECT_EQ(decodeFailure<ExploreDeeplink>(R"({"data":{"deeplink":{}}})").path(), "data.deeplink.actions");
    EXPECT_EQ(ExploreDeeplink(deeplink.actions()), deeplink);

    const auto config = json::decode<ExploreDeeplinkConfig>(
        R"({"refIds":{"home":"h","watchlist":"w","zelkor":"z","movies":"m","series":"s","originals":"o","threeDimensional":"t"}})");
    EXPECT_EQ(queryValue(ExploreDeeplinkRefId::zelkor, config), "z");
    EXPECT_EQ(queryValue(ExploreDeeplinkRefId::threeDimensional, config), "t");
    EXPECT_EQ(decodeFailure<ExploreDeeplinkConfig>(R"({"refIds":{"home":"h"}})").path(), "refIds.watchlist");

    const ContentCoder before(deeplinkContentItem(ExploreDeeplinkRefId::watchlist, "Watchlist"));
    EXPECT_EQ(before.model()->identifier(), ContentTypeIdentifier::standardCollection);
    EXPECT_EQ(before.model()->texts(), legacyTexts("Watchlist", std::nullopt, "program"));
    EXPECT_EQ(before.as<ExploreDeeplinkItem>()->deeplinkId, ExploreDeeplinkRefId::watchlist);
    ExploreDeeplinkItem::identifier = ContentTypeIdentifier::airing;
    EXPECT_EQ(before.model()->identifier(), ContentTypeIdentifier::airing) << "items made before see the change";
    ExploreDeeplinkItem::identifier = ContentTypeIdentifier::standardCollection;
}

}  // namespace
}  // namespace vorlane::explorepagetests
