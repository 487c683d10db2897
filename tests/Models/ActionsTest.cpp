// Explore actions: the tag vocabulary and the closed vocabularies of the records, the coder's tag
// handling (tag read from and written beside the record's keys, unknown tags in lenient and strict
// lists), the trailer's fixed fields, the playback type and info block taken from the first
// option, the two forms of legacy browse actions, and coder equality.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Explore/Actions.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;
using OptionType = PlaybackOption::PlaybackOptionType;
using ContentType = PlaybackAction::PlaybackContentType;

TEST(ActionsTest, WireStrings) {
    expectWireStrings<ActionTypeIdentifier>({"browse", "download", "downloadAll", "legacyBrowse", "modal",
                                             "modifySaves", "playback", "share", "trailer", "toggleAspectRatio",
                                             "upNextLegacyBrowse", "upsell"});
    expectRejected<ActionTypeIdentifier>({"downloadSeason", "Browse", "content", ""});
    expectWireStrings<ContentType>({"vod", "live", "linear"});
    expectRejected<ContentType>({"VOD", "event"});
    expectWireStrings<OptionType>({"from_beginning", "resume", "from_live", "play", "play_imax", "play_widescreen"});
    expectRejected<OptionType>({"fromBeginning", "restart"});
    expectWireStrings<ModalAction::ModalType>({"live"});
    expectRejected<ModalAction::ModalType>({"upsell"});
    expectWireStrings<ExploreEventState>({"upcoming", "today", "pretune", "live", "aired", "replay", "reair"});
}

// One action of each kind, written as the coder writes it: the tag first, then the record's keys
// in their order (optional keys only when present).
const std::vector<std::pair<ActionTypeIdentifier, std::string>>& canonicalActions() {
    static const std::vector<std::pair<ActionTypeIdentifier, std::string>> rows = {
        {ActionTypeIdentifier::browse,
         R"({"type":"browse","pageId":"p1","pageStyle":{"name":"high_emphasis"},"params":{"b":"2","a":"1"},)"
         R"("deeplinkId":"d1","infoBlock":"ib","visuals":{"displayText":"Open"}})"},
        {ActionTypeIdentifier::download,
         R"({"type":"download","availId":"av","contentId":"c","internalTitle":"t","resourceId":"r",)"
         R"("visuals":{"displayText":"Download"}})"},
        {ActionTypeIdentifier::downloadSeason,
         R"({"type":"downloadAll","seasonId":"s1","visuals":{"displayText":"Download season"}})"},
        {ActionTypeIdentifier::legacyBrowse,
         R"({"type":"legacyBrowse","contentType":"series","refIdType":"encodedSeriesId","refId":"x1","infoBlock":"ib"})"},
        {ActionTypeIdentifier::legacyBrowse,
         R"({"type":"legacyBrowse","contentType":"collection","contentClass":"brand","slug":"kids","infoBlock":"ib"})"},
        {ActionTypeIdentifier::modal,
         R"({"type":"modal","modalType":"live","visuals":{"displayText":"Watch","promptParts":[{"text":"Live","tts":"Live now"}]},)"
         R"("actions":[{"type":"share","deeplinkId":"d","visuals":{"displayText":"Share","title":"T"}}]})"},
        {ActionTypeIdentifier::modifySaves, R"({"type":"modifySaves","visuals":{"displayText":"Save"},"infoBlock":"ib"})"},
        {ActionTypeIdentifier::playback,
         R"({"type":"playback","resourceId":"r","contentType":"live","options":[{"type":"from_live","infoBlock":"o1"}],)"
         R"("availId":"av","upNextId":"u","internalTitle":"t","visuals":{"displayText":"Play","description":{"brief":"b"},)"
         R"("airingEventState":{"state":"live","badgeLabel":"LIVE","timeline":{"startTime":"2026-01-01T10:00:00Z","elapsedMs":5}}},)"
         R"("deeplinkId":"d","liveRuntimeMs":3600000})"},
        {ActionTypeIdentifier::share,
         R"({"type":"share","infoBlock":"ib","deeplinkId":"d","visuals":{"displayText":"Share","title":"T",)"
         R"("artwork":{"tile":{"background":{"1.78":{"imageId":"i"}}}}}})"},
        {ActionTypeIdentifier::trailer,
         R"({"type":"trailer","resourceId":"r","internalTitle":"t","deeplinkId":"d","visuals":{"displayText":"Trailer"},)"
         R"("options":[],"availId":"av"})"},
        {ActionTypeIdentifier::toggleAspectRatio,
         R"({"type":"toggleAspectRatio","displayText":"Full screen","description":"Fill the screen"})"},
        {ActionTypeIdentifier::upNextLegacyBrowse,
         R"({"type":"upNextLegacyBrowse","contentType":"movie","refIdType":"programId","refId":"m1",)"
         R"("visuals":{"displayText":"Next"},"infoBlock":"ib"})"},
        {ActionTypeIdentifier::upsell,
         R"({"type":"upsell","resourceId":"r","visuals":{"displayText":"Upgrade"},"actions":[]})"},
    };
    return rows;
}

TEST(ActionCoderTest, DecodesEachKindFromTheSameObjectAndWritesTheTagBesideItsKeys) {
    for (const auto& [type, text] : canonicalActions()) {
        SCOPED_TRACE(text);
        const auto coder = json::decode<ActionCoder>(text);
        EXPECT_EQ(coder.type(), type);
        EXPECT_EQ(coder.model()->identifier(), type);
        EXPECT_EQ(json::encode(coder), text);
        EXPECT_EQ(json::decode<ActionCoder>(json::encode(coder)), coder);
        EXPECT_EQ(ActionCoder(coder.model()), coder) << "the tag follows from the model";
    }
    const auto season = json::decode<ActionCoder>(canonicalActions()[2].second);
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
    expectRows<int>(
        {
            {R"({"seasonId":"s","visuals":{"displayText":"D"}})", Failure{ErrorKind::keyNotFound, "type"}},
            {R"({"type":"downloadSeason","seasonId":"s","visuals":{"displayText":"D"}})",
             Failure{ErrorKind::dataCorrupted, "type"}},
            {R"({"type":"download","seasonId":"s","visuals":{"displayText":"D"}})", Failure{ErrorKind::keyNotFound, "availId"}},
            {R"({"type":7})", Failure{ErrorKind::typeMismatch, "type"}},
            {R"(["browse"])", Failure{ErrorKind::typeMismatch, "(root)"}},
            {badOption, Failure{ErrorKind::dataCorrupted, "options[0].type"}},
            {R"({"type":"modal","modalType":"live","visuals":{"displayText":"M"},"actions":[)" + share + "," + unknown + "]}",
             Failure{ErrorKind::dataCorrupted, "actions[1].type"}},
            {R"({"type":"upsell","resourceId":"r","visuals":{"displayText":"U"}})", Failure{ErrorKind::keyNotFound, "actions"}},
        },
        [](std::string_view text) { return (json::decode<ActionCoder>(text), 0); });

    // An up-sell keeps the actions that decode, in order; so does a page's list of actions.
    json::Diagnostics diagnostics;
    const auto upsell = json::decode<ActionCoder>(
        R"({"type":"upsell","resourceId":"r","visuals":{"displayText":"U"},"actions":[)" + unknown + "," + share + "," +
            badOption + "]}",
        {}, &diagnostics);
    ASSERT_NE(upsell.as<UpsellAction>(), nullptr);
    ASSERT_EQ(upsell.as<UpsellAction>()->actionCoders.size(), 1u);
    EXPECT_EQ(upsell.as<UpsellAction>()->actionCoders[0].type(), ActionTypeIdentifier::share);
    EXPECT_EQ(diagnostics.size(), 2u);

    const auto list = json::decode<std::vector<Safe<ActionCoder>>>("[" + badOption + "," + share + "," + unknown + "]");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(list[0].value);
    EXPECT_TRUE(list[1].value);
    EXPECT_FALSE(list[2].value);
}

TEST(ActionsTest, TrailerReadsOnlyItsKeysAndFixesTheRest) {
    const auto trailer = json::decode<TrailerAction>(
        R"({"resourceId":"r","internalTitle":"t","deeplinkId":"d","visuals":{"displayText":"Trailer"},"options":[],)"
        R"("availId":"a","contentType":"live","upNextId":"u","contentId":"c","liveRuntimeMs":5})");
    EXPECT_EQ(trailer.contentType, ContentType::vod);
    EXPECT_EQ(trailer.upNextId, std::nullopt);
    EXPECT_EQ(trailer.contentId, std::nullopt);
    EXPECT_EQ(trailer.liveRuntimeMs, std::nullopt);
    for (const char* key : {"resourceId", "internalTitle", "deeplinkId", "visuals", "options", "availId"}) {
        JsonValue partial = JsonValue::parse(json::encode(trailer));
        partial.erase(key);
        EXPECT_EQ(decodeFailure<TrailerAction>(partial.dump()).kind(), ErrorKind::keyNotFound) << key;
    }
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

    expectDecodes<Legacy>({
        {R"({"contentType":"collection","contentClass":"brand","refId":"x","infoBlock":"i"})",
         Failure{ErrorKind::keyNotFound, "slug"}},
        {R"({"contentType":"series","refId":"x","infoBlock":"i"})", Failure{ErrorKind::keyNotFound, "refIdType"}},
        {R"({"contentType":"series","refIdType":"t","refId":"x"})", Failure{ErrorKind::keyNotFound, "infoBlock"}},
        {R"({"refIdType":"t","refId":"x","infoBlock":"i"})", Failure{ErrorKind::keyNotFound, "contentType"}},
    });
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
    const auto browse = decode(canonical[0].second);
    const auto playback = decode(canonical[7].second);
    const auto share = decode(canonical[8].second);
    EXPECT_NE(browse, playback);
    EXPECT_NE(playback, browse);
    EXPECT_EQ(share, decode(canonical[8].second));
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
        EXPECT_EQ(decode(canonical[index].second).model()->optionalDisplayText(), text) << canonical[index].second;
}


TEST(ActionsTest, ActionListsOfContentGiveModelsAndTheFirstBrowseAction) {
    const auto& canonical = canonicalActions();
    const auto coder = [&](std::size_t index) { return json::decode<ActionCoder>(canonical[index].second); };
    const auto secondBrowse = json::decode<ActionCoder>(
        R"({"type":"browse","pageId":"p2","pageStyle":{"name":"x"},"params":{},"deeplinkId":"d2","visuals":{"displayText":"B"}})");
    using Coders = std::optional<std::vector<ActionCoder>>;
    EXPECT_EQ(actions(Coders{}), std::nullopt);
    EXPECT_EQ(browseAction(Coders{}), std::nullopt);
    ASSERT_TRUE(actions(Coders{std::vector<ActionCoder>{}}));
    EXPECT_TRUE(actions(Coders{std::vector<ActionCoder>{}})->empty());
    const Coders coders = std::vector<ActionCoder>{coder(7), secondBrowse, coder(0)};
    ASSERT_EQ(actions(coders)->size(), 3u);
    EXPECT_EQ(actions(coders)->at(2), coders->at(2).model()) << "models are shared, in order";
    ASSERT_TRUE(browseAction(coders));
    EXPECT_EQ(browseAction(coders)->pageId, "p2");
    EXPECT_EQ(browseAction(Coders{std::vector<ActionCoder>{coder(7), coder(8)}}), std::nullopt);
}

TEST(ActionsTest, VisualsAndEventStateKeysAreRequired) {
    expectEveryKeyRequired<ShareActionVisuals>(JsonValue::parse(R"({"displayText":"S","title":"T"})"));
    expectEveryKeyRequired<StringWithTts>(JsonValue::parse(R"({"text":"Live","tts":"Live now"})"));
    expectEveryKeyRequired<AiringEventState>(JsonValue::parse(R"({"state":"replay","badgeLabel":"REPLAY"})"));
    expectDecodes<AiringEventState>({
        {R"({"state":"live","badgeLabel":"LIVE","timeline":{"endTime":"x"}})", Failure{ErrorKind::keyNotFound, "timeline.startTime"}},
        {R"({"state":"Live","badgeLabel":"LIVE"})", Failure{ErrorKind::dataCorrupted, "state"}},
    });
}

}  // namespace
}  // namespace vorlane
