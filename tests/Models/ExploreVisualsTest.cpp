// Explore visuals and promotional labels: the new vocabularies, required keys, lenient credits,
// the two prompt texts, the legacy texts and video artwork built from visuals, and the choice of
// the label a screen shows.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/ShopImage.hpp"
#include "vorlane/Models/Explore/EmptyState.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;
using PromoType = PromoLabel::PromoType;
using PromptType = ExploreItemPrompt::ExploreItemPromptType;

ExploreVisuals titled(std::string title) {
    ExploreVisuals visuals;
    visuals.title = std::move(title);
    return visuals;
}

TEST(ExploreVisualsTest, VocabularyWireStrings) {
    expectWireStrings<PromoType>({"ComingSoon", "NewlyAdded", "LeavingSoon", "ComingSoonEarlyAccess",
                                  "AvailableEarlyAccess", "ImaxAvailable", "shop"});
    expectRejected<PromoType>({"Shop", "comingSoon", "ComingSoonPremierAccess", "AvailablePremierAccess", ""});
    expectWireStrings<PromoLabelSubTypeCase, PromoLabel::SubType>({"movie", "series", "episode", "short-form", "season"});
    expectKeptAsCatchAll<PromoLabel::SubType>({"short_form", "Movie", "trailer", ""});
    expectWireStrings<PromptType>({"generic", "upsell"});
    expectRejected<PromptType>({"Generic", "promo"});
}

TEST(ExploreVisualsTest, RequiredKeys) {
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
    for (const auto& [key, value] : shop.items()) {
        JsonValue partial = shop;
        partial.erase(key);
        if (key == "legalCopy") {
            EXPECT_EQ(json::decode<ShopContainerVisuals>(partial.dump()).legalCopy, std::nullopt);
            continue;
        }
        const auto error = decodeFailure<ShopContainerVisuals>(partial.dump());
        EXPECT_EQ(error.kind(), ErrorKind::keyNotFound) << key;
        EXPECT_EQ(error.path(), key);
    }

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
    const struct {
        std::string json;
        Text text, tts;
    } rows[] = {
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

    const auto texts = json::decode<ExploreVisuals>(visuals).contentTexts();
    const auto medium = texts.first(TextMetadata::Field::description, TextMetadata::TextType::medium, MediaEntity::program);
    ASSERT_TRUE(medium.has_value());
    EXPECT_EQ(medium->content, "A keeper.");
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

    const struct {
        std::vector<PromoLabel> labels;
        std::optional<Date> expected;
    } rows[] = {
        {{label(PromoType::newlyAdded), label(PromoType::comingSoon, april)}, april},
        {{label(PromoType::newlyAdded, april), label(PromoType::leavingSoon, april)}, std::nullopt},
        {{label(PromoType::comingSoon), label(PromoType::comingSoon, april)}, std::nullopt},
        {{}, std::nullopt},
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
        {{premier, added}, false, false, std::nullopt, added},
        {{comingPremier}, false, false, true, imax},
        {{comingPremier}, false, true, true, comingPremier},
        {{comingPremier}, true, false, false, std::nullopt},
        {{comingPremier}, false, false, std::nullopt, std::nullopt},
        {{shop, added}, false, false, std::nullopt, shop},
        {{added}, false, false, true, added},
        {{}, true, true, std::nullopt, std::nullopt},
        {{}, false, false, true, imax},
    };
    for (const auto& row : rows) {
        const auto chosen = mainPromoLabel(row.labels, row.enableShop, row.showPremier, row.hasImax);
        EXPECT_EQ(chosen, row.expected);
    }

    EXPECT_EQ(&PromoLabel::imaxAvailable(), &imax);
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
