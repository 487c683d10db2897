// Explore actions: the tag vocabulary and the closed vocabularies of the records, the coder's tag
// handling (tag read from and written beside the record's keys, unknown tags in lenient and strict
// lists), the trailer's fixed fields, the playback type and info block taken from the first
// option, the two forms of legacy browse actions, and coder equality; then Explore visuals and
// promotional labels.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/ShopImage.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/EmptyState.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace vorlane {
namespace {

using namespace jsontesting;
using OptionType = PlaybackOption::PlaybackOptionType;
using ContentType = PlaybackAction::PlaybackContentType;

TEST(ActionsTest, ActionVisualAndPromoLabelVocabulariesHaveTheirExactWireStrings) {
    expectClosedVocabulary<ActionTypeIdentifier>({"browse", "download", "downloadAll", "legacyBrowse", "modal",
                                                  "modifySaves", "playback", "share", "trailer", "toggleAspectRatio",
                                                  "upNextLegacyBrowse", "upsell"},
                                                 {"downloadSeason", "Browse", "content", ""});
    expectClosedVocabulary<ContentType>({"vod", "live", "linear"}, {"VOD", "event"});
    expectClosedVocabulary<OptionType>({"from_beginning", "resume", "from_live", "play", "play_imax", "play_widescreen"},
                                       {"fromBeginning", "restart"});
    expectClosedVocabulary<ModalAction::ModalType>({"live"}, {"upsell"});
    expectWireStrings<ExploreEventState>({"upcoming", "today", "pretune", "live", "aired", "replay", "reair"});
    expectClosedVocabulary<PromoLabel::PromoType>({"ComingSoon", "NewlyAdded", "LeavingSoon", "ComingSoonEarlyAccess",
                                                   "AvailableEarlyAccess", "ImaxAvailable", "shop"},
                                                  {"Shop", "comingSoon", "ComingSoonPremierAccess", "AvailablePremierAccess", ""});
    expectOpenVocabulary<PromoLabelSubTypeCase, PromoLabel::SubType>({"movie", "series", "episode", "short-form", "season"},
                                                                     {"short_form", "Movie", "trailer", ""});
    expectClosedVocabulary<ExploreItemPrompt::ExploreItemPromptType>({"generic", "upsell"}, {"Generic", "promo"});
}

// One action of each kind, a line each, written as the coder writes it: the tag first, then the
// record's keys in their order (optional keys only when present).
const std::vector<std::string>& canonicalActions() {
    static const std::vector<std::string> rows = [] {
        std::vector<std::string> out;
        std::istringstream lines(testData("actions/canonical.jsonl"));
        for (std::string line; std::getline(lines, line);) out.push_back(line);
        return out;
    }();
    return rows;
}

TEST(ActionCoderTest, DecodesEachKindFromTheSameObjectAndWritesTheTagBesideItsKeys) {
    ASSERT_EQ(canonicalActions().size(), 13u);
    for (const auto& text : canonicalActions()) {
        SCOPED_TRACE(text);
        const auto coder = json::decode<ActionCoder>(text);
        EXPECT_EQ(json::wireString(coder.type()), JsonValue::parse(text)["type"].get<std::string>());
        EXPECT_EQ(coder.model()->identifier(), coder.type());
        EXPECT_EQ(json::encode(coder), text);
        EXPECT_EQ(ActionCoder(coder.model()), coder) << "the tag follows from the model";
    }
    const auto season = json::decode<ActionCoder>(canonicalActions()[2]);
    ASSERT_NE(season.as<DownloadSeasonAction>(), nullptr);
    EXPECT_EQ(season.as<DownloadSeasonAction>()->seasonId, "s1");
    EXPECT_EQ(season.as<DownloadAction>(), nullptr);
}

TEST(ActionCoderTest, TagFailuresAndNestedListPolicies) {
    const std::string share = R"({"type":"share","deeplinkId":"d","visuals":{"displayText":"S","title":"T"}})";
    const std::string unknown = R"({"type":"gift","deeplinkId":"d"})";
    const std::string badOption =
        R"({"type":"playback","resourceId":"r","contentType":"vod","options":[{"type":"rewind","infoBlock":"o"}],)"
        R"("availId":"a","internalTitle":"t","visuals":{"displayText":"P"},"deeplinkId":"d"})";
    expectDecodes<ActionCoder>({
        {R"({"seasonId":"s","visuals":{"displayText":"D"}})", Failure{ErrorKind::keyNotFound, "type"}},
        {R"({"type":"downloadSeason","seasonId":"s","visuals":{"displayText":"D"}})", Failure{ErrorKind::dataCorrupted, "type"}},
        {R"({"type":"download","seasonId":"s","visuals":{"displayText":"D"}})", Failure{ErrorKind::keyNotFound, "availId"}},
        {R"({"type":7})", Failure{ErrorKind::typeMismatch, "type"}},
        {R"(["browse"])", Failure{ErrorKind::typeMismatch, "(root)"}},
        {badOption, Failure{ErrorKind::dataCorrupted, "options[0].type"}},
        {R"({"type":"modal","modalType":"live","visuals":{"displayText":"M"},"actions":[)" + share + "," + unknown + "]}",
         Failure{ErrorKind::dataCorrupted, "actions[1].type"}},
        {R"({"type":"upsell","resourceId":"r","visuals":{"displayText":"U"}})", Failure{ErrorKind::keyNotFound, "actions"}},
    });

    // An up-sell keeps the actions that decode, in order; so does a page's list of actions.
    json::Diagnostics diagnostics;
    const auto upsell = json::decode<ActionCoder>(
        R"({"type":"upsell","resourceId":"r","visuals":{"displayText":"U"},"actions":[)" + unknown + "," + share + "," +
            badOption + "]}",
        {}, &diagnostics);
    ASSERT_NE(upsell.as<UpsellAction>(), nullptr);
    EXPECT_EQ(upsell.as<UpsellAction>()->actionCoders, std::vector{json::decode<ActionCoder>(share)});
    EXPECT_EQ(diagnostics.size(), 2u);

    const auto list = json::decode<std::vector<Safe<ActionCoder>>>("[" + badOption + "," + share + "," + unknown + "]");
    std::vector<bool> kept;
    for (const auto& item : list) kept.push_back(item.value.has_value());
    EXPECT_EQ(kept, (std::vector<bool>{false, true, false}));
}

TEST(ActionsTest, TrailerReadsOnlyItsKeysAndFixesTheRest) {
    const auto trailer = json::decode<TrailerAction>(
        R"({"resourceId":"r","internalTitle":"t","deeplinkId":"d","visuals":{"displayText":"Trailer"},"options":[],)"
        R"("availId":"a","contentType":"live","upNextId":"u","contentId":"c","liveRuntimeMs":5})");
    // The same as without the keys it does not read: a vod trailer with no up next, content id or live runtime.
    EXPECT_EQ(trailer, json::decode<TrailerAction>(R"({"resourceId":"r","internalTitle":"t","deeplinkId":"d",)"
                                                   R"("visuals":{"displayText":"Trailer"},"options":[],"availId":"a"})"));
    expectKeysRequired<TrailerAction>(JsonValue::parse(json::encode(trailer)));
}

TEST(ActionsTest, PlaybackTypeAndInfoBlockComeFromTheFirstOption) {
    const std::vector<std::tuple<std::string, OptionType, std::optional<std::string>, std::optional<std::string>>> rows = {
        // options, playbackActionType, infoBlock, the info block of option(resume)
        {R"([{"type":"resume","infoBlock":"a"},{"type":"from_beginning","infoBlock":"b"}])", OptionType::resume, "a", "a"},
        {R"([{"type":"from_beginning","infoBlock":"b"},{"type":"resume","infoBlock":"a"}])", OptionType::fromBeginning, "b", "a"},
        {R"([{"infoBlock":"x"},{"type":"play_imax","infoBlock":"y"}])", OptionType::play, "x", std::nullopt},
        {R"([])", OptionType::play, std::nullopt, std::nullopt},
    };
    for (const auto& [options, type, infoBlock, resume] : rows) {
        SCOPED_TRACE(options);
        const std::string body = R"("resourceId":"r","options":)" + options +
                                 R"(,"availId":"a","internalTitle":"t","visuals":{"displayText":"P"},"deeplinkId":"d")";
        const auto play = json::decode<PlaybackAction>("{" + body + R"(,"contentType":"vod"})");
        const auto trailer = json::decode<TrailerAction>("{" + body + "}");
        EXPECT_EQ(play.playbackActionType(), type);
        EXPECT_EQ(trailer.playbackActionType(), type);
        EXPECT_EQ(play.infoBlock(), infoBlock);
        EXPECT_EQ(trailer.infoBlock(), infoBlock);
        EXPECT_EQ(ActionCoder(play).model()->infoBlock(), infoBlock);
        const auto option = play.option(OptionType::resume);
        EXPECT_EQ(option ? std::optional(option->infoBlock) : std::nullopt, resume);
        EXPECT_TRUE(isEqual(play, trailer));
        EXPECT_EQ(coderModel(trailer), play);
    }
    EXPECT_EQ(decodeFailure<PlaybackOption>(R"({"type":"play"})").kind(), ErrorKind::keyNotFound);
}

TEST(ActionsTest, LegacyBrowseFormsFollowTheContentType) {
    using Legacy = LegacyBrowseAction;
    const auto collection = json::decode<Legacy>(
        R"({"refId":"ignored","infoBlock":"ib","slug":"kids","contentClass":"brand","contentType":"collection"})");
    EXPECT_EQ(collection.item, LegacyBrowseTarget(LegacyBrowseCollection{"brand", "kids"}));
    EXPECT_EQ(collection.refId(), std::nullopt);
    EXPECT_EQ(json::encode(collection),
              R"({"contentType":"collection","contentClass":"brand","slug":"kids","infoBlock":"ib"})");
    const auto series = json::decode<Legacy>(
        R"({"infoBlock":"ib","slug":"ignored","refId":"s1","refIdType":"encodedSeriesId","contentType":"series"})");
    EXPECT_EQ(series.item, LegacyBrowseTarget(LegacyBrowseItem{"encodedSeriesId", "s1"}));
    EXPECT_EQ(series.refId(), "s1");
    EXPECT_EQ(json::encode(series), R"({"contentType":"series","refIdType":"encodedSeriesId","refId":"s1","infoBlock":"ib"})");

    // Each form requires every key it writes.
    expectKeysRequired<Legacy>(JsonValue::parse(json::encode(collection)));
    expectKeysRequired<Legacy>(JsonValue::parse(json::encode(series)));
    // The up-next form tolerates a broken info block but needs its visuals.
    const auto upNext = json::decode<UpNextLegacyBrowseAction>(
        R"({"contentType":"airing","refIdType":"t","refId":"x","visuals":{"displayText":"Next"},"infoBlock":5})");
    EXPECT_EQ(upNext.infoBlock, std::nullopt);
    EXPECT_EQ(upNext.contentTypeIdentifier(), ContentTypeIdentifier::airing);
    EXPECT_EQ(decodeFailure<UpNextLegacyBrowseAction>(R"({"contentType":"airing","refIdType":"t","refId":"x"})").kind(),
              ErrorKind::keyNotFound);

    const std::vector<std::pair<std::string, std::optional<ContentTypeIdentifier>>> types = {
        {"series", ContentTypeIdentifier::series}, {"airing", ContentTypeIdentifier::airing},
        {"movie", ContentTypeIdentifier::video}, {"collection", ContentTypeIdentifier::standardCollection},
        {"video", std::nullopt}, {"Series", std::nullopt}};
    for (const auto& [contentType, expected] : types) EXPECT_EQ(legacyContentTypeIdentifier(contentType), expected) << contentType;
}

TEST(ActionCoderTest, EqualityAndDisplayText) {
    const auto decode = [](const std::string& text) { return json::decode<ActionCoder>(text); };
    const auto& canonical = canonicalActions();
    const auto browse = decode(canonical[0]);
    const auto playback = decode(canonical[7]);
    const auto share = decode(canonical[8]);
    EXPECT_NE(browse, playback);
    EXPECT_EQ(share, decode(canonical[8]));
    auto otherShare = *share.as<ShareAction>();
    otherShare.deeplinkId = "other";
    EXPECT_NE(share, ActionCoder(otherShare));
    EXPECT_NE(share, ActionCoder(ActionTypeIdentifier::browse, share.model())) << "tags are compared too";
    // Up-sells compare their nested actions.
    UpsellAction upsell{.resourceId = "r", .visuals = {"U"}, .infoBlock = std::nullopt, .actionCoders = {share}};
    EXPECT_EQ(ActionCoder(upsell), ActionCoder(upsell));
    auto changed = upsell;
    changed.actionCoders = {ActionCoder(otherShare)};
    EXPECT_NE(ActionCoder(upsell), ActionCoder(changed));

    const std::vector<std::pair<std::size_t, std::optional<std::string>>> texts = {
        {0, "Open"}, {3, std::nullopt}, {4, std::nullopt}, {7, "Play"}, {10, "Full screen"}, {11, "Next"}};
    for (const auto& [index, text] : texts)
        EXPECT_EQ(decode(canonical[index]).model()->optionalDisplayText(), text) << canonical[index];
}


TEST(ActionsTest, ActionListsOfContentGiveModelsAndTheFirstBrowseAction) {
    const auto& canonical = canonicalActions();
    const auto coder = [&](std::size_t index) { return json::decode<ActionCoder>(canonical[index]); };
    const auto secondBrowse = json::decode<ActionCoder>(
        R"({"type":"browse","pageId":"p2","pageStyle":{"name":"x"},"params":{},"deeplinkId":"d2","visuals":{"displayText":"B"}})");
    using Coders = std::optional<std::vector<ActionCoder>>;
    EXPECT_EQ(actions(Coders{}), std::nullopt);
    EXPECT_EQ(browseAction(Coders{}), std::nullopt);
    EXPECT_EQ(actions(Coders{std::vector<ActionCoder>{}}), std::vector<std::shared_ptr<const Action>>{});
    const Coders coders = std::vector<ActionCoder>{coder(7), secondBrowse, coder(0)};
    ASSERT_EQ(actions(coders)->size(), 3u);
    EXPECT_EQ(actions(coders)->at(2), coders->at(2).model()) << "models are shared, in order";
    ASSERT_TRUE(browseAction(coders));
    EXPECT_EQ(browseAction(coders)->pageId, "p2");
    EXPECT_EQ(browseAction(Coders{std::vector<ActionCoder>{coder(7), coder(8)}}), std::nullopt);
}

// Explore visuals and promotional labels: required keys, lenient credits, the two prompt texts,
// the legacy texts and video artwork built from visuals, and the choice of the label a screen shows.
using PromoType = PromoLabel::PromoType;

ExploreVisuals titled(std::string title) {
    ExploreVisuals visuals;
    visuals.title = std::move(title);
    return visuals;
}

TEST(ExploreVisualsTest, RequiredKeysOfVisualsPromptsAndEventStates) {
    expectEveryKeyRequired<ShareActionVisuals>(JsonValue::parse(R"({"displayText":"S","title":"T"})"));
    expectEveryKeyRequired<StringWithTts>(JsonValue::parse(R"({"text":"Live","tts":"Live now"})"));
    expectEveryKeyRequired<AiringEventState>(JsonValue::parse(R"({"state":"replay","badgeLabel":"REPLAY"})"));
    expectDecodes<AiringEventState>({
        {R"({"state":"live","badgeLabel":"LIVE","timeline":{"endTime":"x"}})", Failure{ErrorKind::keyNotFound, "timeline.startTime"}},
        {R"({"state":"Live","badgeLabel":"LIVE"})", Failure{ErrorKind::dataCorrupted, "state"}},
    });
    expectEveryKeyRequired<EmptyState>(JsonValue::parse(R"({"title":"Nothing here","message":"Save titles","iconType":"pcon"})"));
    expectEveryKeyRequired<ShopImage>(JsonValue::parse(
        R"({"qrCode":"q","background":"b","backgroundMobile":"bm","goToShopOstrel":"g","shopOstrelLogo":"l"})"));
    expectEveryKeyRequired<ExploreVisualsPrompt>(JsonValue::parse(R"({"title":"Who's watching?","description":"Pick"})"));
    expectEveryKeyRequired<ExploreItemPrompt>(JsonValue::parse(R"({"type":"generic","text":"Watch"})"));
    expectEveryKeyRequired<LabeledSport>(JsonValue::parse(R"({"label":"Sport","name":"Sailing"})"));

    // Every required key of the shop visuals, image included, and the one optional key.
    const auto shop = JsonValue::parse(R"({"name":"shop","title":"Shop","subtitle":"Merch","link":"l","linkCopy":"c",
        "linkCopyUrl":"u","goToShopOstrelTts":"Go to shop","shopOstrelTts":"Shop","legalCopy":"Terms apply",
        "image":{"qrCode":"q","background":"b","backgroundMobile":"bm","goToShopOstrel":"g","shopOstrelLogo":"l"}})");
    EXPECT_EQ(json::decode<ShopContainerVisuals>(shop.dump()).legalCopy, "Terms apply");
    JsonValue withoutLegalCopy = shop;
    withoutLegalCopy.erase("legalCopy");
    EXPECT_EQ(json::decode<ShopContainerVisuals>(withoutLegalCopy.dump()).legalCopy, std::nullopt);
    expectKeysRequired<ShopContainerVisuals>(withoutLegalCopy);

    expectDecodes<ExploreVisuals>({
        {R"({"featuredTitle":"F"})", Failure{ErrorKind::keyNotFound, "title"}},
        {R"({"title":null})", Failure{ErrorKind::valueNotFound, "title"}},
        {R"({"title":"T","emptyState":{"title":"t","message":"m"}})", Failure{ErrorKind::keyNotFound, "emptyState.iconType"}},
        {R"({"title":"T","promoLabel":{"promoLabelType":"x"}})", Failure{ErrorKind::keyNotFound, "promoLabel.header"}},
        {R"({"title":"T","prompt":null,"emptyStateCode":null})", titled("T")},
    });
    expectDecodes<ExploreSetItemVisuals>({
        {R"({"prompt":"P"})", Failure{ErrorKind::keyNotFound, "title"}},
        {R"({"title":"T","seasonNumber":2})", Failure{ErrorKind::typeMismatch, "seasonNumber"}},
        {R"({"title":"T","itemPrompt":{"type":"promo","text":"x"}})", Failure{ErrorKind::dataCorrupted, "itemPrompt.type"}},
        {R"({"title":"T","badging":{"upsell":{}}})", Failure{ErrorKind::keyNotFound, "badging.upsell.displayText"}},
    });
    expectDecodes<ExploreSetVisuals>({{R"({"description":"D"})", Failure{ErrorKind::keyNotFound, "name"}}});
    expectDecodes<DetailsContainerVisuals>({{R"({"name":"details"})", Failure{ErrorKind::keyNotFound, "title"}}});
}

TEST(ExploreVisualsTest, UndecodableCreditGroupsAreDroppedOneByOne) {
    const std::string credits = R"("credits":[{"heading":"Starring","items":[{"displayText":"Ada"}]},{"items":[]},7,
        {"heading":"Created By","items":[]}])";
    const std::vector<CreditGroup> kept = {{"Starring", {{"Ada"}}}, {"Created By", {}}};
    EXPECT_EQ(json::decode<ExploreVisuals>(R"({"title":"T",)" + credits + "}").credits, kept);
    EXPECT_EQ(json::decode<DetailsContainerVisuals>(R"({"name":"n","title":"T",)" + credits + "}").credits, kept);
    EXPECT_EQ(json::decode<ExploreVisuals>(R"({"title":"T"})").credits, std::nullopt);
}

TEST(ExploreVisualsTest, PromptTextsPreferTheItemPrompt) {
    using Text = std::optional<std::string>;
    const struct { std::string json; Text text, tts; } rows[] = {
        {R"("prompt":"P","promptTts":"PT","itemPrompt":{"type":"upsell","text":"I"})", "I", "PT"},
        {R"("prompt":"P","promptTts":"PT","itemPrompt":{"type":"generic","text":"I","textTts":"IT"})", "I", "IT"},
        {R"("prompt":"P","promptTts":"PT")", "P", "PT"},
        {R"("itemPrompt":{"type":"generic","text":"I"})", "I", std::nullopt},
        {R"("promptTts":"PT","itemPrompt":null)", std::nullopt, "PT"},
    };
    for (const auto& row : rows) {
        const auto visuals = json::decode<ExploreSetItemVisuals>(R"({"title":"T",)" + row.json + "}");
        EXPECT_EQ(visuals.promptText(), row.text) << row.json;
        EXPECT_EQ(visuals.promptTextTts(), row.tts) << row.json;
    }
}

TEST(ExploreVisualsTest, TitleAndDescriptionsBecomeDefaultEnglishTextsOfTheProgram) {
    const std::string expected =
        R"({"title":{"full":{"program":{"default":{"language":"en","content":"Harbor"}}}},)"
        R"("description":{"medium":{"program":{"default":{"language":"en","content":"A keeper."}}},)"
        R"("brief":{"program":{"default":{"language":"en","content":"Keeper."}}}}})";
    const std::string visuals = R"({"title":"Harbor","description":{"medium":"A keeper.","brief":"Keeper."}})";
    EXPECT_EQ(json::encode(json::decode<ExploreVisuals>(visuals).contentTexts()), expected);
    EXPECT_EQ(json::encode(json::decode<ExploreSetItemVisuals>(visuals).contentTexts()), expected);

    EXPECT_EQ(json::encode(titled("Harbor").contentTexts()),
              R"({"title":{"full":{"program":{"default":{"language":"en","content":"Harbor"}}}}})");
    // A description of kind "full" sits beside the title, under its own field.
    EXPECT_EQ(legacyTexts("T", DescriptionMap{{"full", "D"}}, "content").entries().size(), 2u);
}

TEST(ExploreVisualsTest, MotionArtworkOfLegacyTypesWithAVideoIdBecomesLegacyVideoArtwork) {
    const auto visuals = json::decode<ExploreVisuals>(R"({"title":"T","videoArtwork":{
        "hero_loop":{"videoId":"https://m.example/h.mp4"},"tile":{"videoId":"https://m.example/t.mp4"},
        "full_bleed":{},"tile_1x":{"videoId":"v-1"},"Tile":{"videoId":"https://m.example/x.mp4"}}})");
    using Type = VideoArtwork::ArtworkType;
    const std::vector<VideoArtwork> expected = {{Type::tile, {{"https://m.example/t.mp4", {}}}},
                                                {Type::tile_1x, {{"v-1", {}}}}};
    EXPECT_EQ(visuals.legacyVideoArtwork(), expected);
    EXPECT_TRUE(titled("T").legacyVideoArtwork().empty());
}

PromoLabel label(PromoType type, std::optional<Date> sunset = std::nullopt) {
    PromoLabel made;
    made.type = type;
    made.subType = PromoLabelSubTypeCase::movie;
    made.sunset = sunset;
    return made;
}

TEST(ExploreVisualsTest, PromoLabelDatesFollowTheDecoderSettingAndGiveTheGeneralAccessDate) {
    const Date april{std::chrono::sys_days{std::chrono::year{2026} / 4 / 10}};
    const auto iso = json::decode<PromoLabel>(R"({"type":"ComingSoon","subType":"movie","sunset":"2026-04-10T00:00:00Z"})",
                                              json::DecoderSettings::iso8601());
    EXPECT_EQ(iso.sunset, april);
    const auto seconds = json::decode<PromoLabel>(R"({"type":"ComingSoon","subType":"movie","sunrise":0})");
    EXPECT_EQ(seconds.sunrise, Date{referenceDateOffset});
    expectDecodes<PromoLabel>({
        {R"({"type":"ComingSoon"})", Failure{ErrorKind::keyNotFound, "subType"}},
        {R"({"type":"Soon","subType":"movie"})", Failure{ErrorKind::dataCorrupted, "type"}},
    });

    const struct { std::vector<PromoLabel> labels; std::optional<Date> expected; } rows[] = {
        {{label(PromoType::newlyAdded), label(PromoType::comingSoon, april)}, april},
        {{label(PromoType::newlyAdded, april), label(PromoType::leavingSoon, april)}, std::nullopt},
        {{label(PromoType::comingSoon), label(PromoType::comingSoon, april)}, std::nullopt}, {{}, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(generalAccessDate(row.labels), row.expected);
}

TEST(ExploreVisualsTest, MainPromoLabelSearchesInItsOrderOfSteps) {
    const auto premier = label(PromoType::availablePremierAccess);
    const auto comingPremier = label(PromoType::comingSoonPremierAccess);
    const auto added = label(PromoType::newlyAdded);
    const auto shop = label(PromoType::shop);
    const auto& imax = PromoLabel::imaxAvailable();
    const struct {
        std::vector<PromoLabel> labels;
        bool enableShop, showPremier;
        std::optional<bool> hasImax;
        std::optional<PromoLabel> expected;
    } rows[] = {
        {{premier, added}, false, true, std::nullopt, premier},
        {{added, comingPremier}, false, true, std::nullopt, comingPremier},
        {{premier, added}, false, false, std::nullopt, added}, {{comingPremier}, false, false, true, imax},
        {{comingPremier}, false, true, true, comingPremier}, {{comingPremier}, true, false, false, std::nullopt},
        {{comingPremier}, false, false, std::nullopt, std::nullopt}, {{shop, added}, false, false, std::nullopt, shop},
        {{added}, false, false, true, added}, {{}, true, true, std::nullopt, std::nullopt},
        {{}, false, false, true, imax},
    };
    for (const auto& row : rows)
        EXPECT_EQ(mainPromoLabel(row.labels, row.enableShop, row.showPremier, row.hasImax), row.expected);

    EXPECT_EQ(imax.type, PromoType::imaxAvailable);
    EXPECT_EQ(imax.subType, PromoLabelSubTypeCase::movie);
    ASSERT_TRUE(imax.sunrise.has_value());
    EXPECT_EQ(imax.sunrise, imax.sunset);
    EXPECT_FALSE(imax.seasonNumber || imax.episodeSequenceNumber || imax.text);
    EXPECT_TRUE(premier.isPremierAccess() && comingPremier.isPremierAccess() && !shop.isPremierAccess());
    EXPECT_TRUE(shop.isShopAvailable() && !added.isShopAvailable());
}

}  // namespace
}  // namespace vorlane
