// The player experience: only the target language is required, disclaimers are dropped one by one
// while variants are strict, the answer envelope and its free-form errors, the disclaimer's cache
// key, and the player timeline's minutes and progress as the registry derives them.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Playback/PlayerExperience.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

PlayerExperience experienceIn(std::string targetLanguage) {
    PlayerExperience experience;
    experience.targetLanguage = std::move(targetLanguage);
    return experience;
}

TEST(PlayerExperience, OnlyTheTargetLanguageIsRequiredDisclaimersAreLenientAndVariantsStrict) {
    auto disclaimers = experienceIn("en");
    disclaimers.disclaimers = {{"T", "abc"}, {"Flashing lights", std::nullopt}};
    auto timeline = experienceIn("de");
    timeline.timeline = PlayerTimeline{};
    timeline.ratingAdditionalInfo = RatingAdditionalInfo{std::nullopt, "Harbor"};
    expectDecodes<PlayerExperience>({
        {R"({"targetLanguage":"en"})", experienceIn("en")},
        {R"({"targetLanguage":"en","title":null,"disclaimers":null,"analytics":null})", experienceIn("en")},
        {R"({"title":"Harbor Lights"})", Failure{ErrorKind::keyNotFound, "targetLanguage"}},
        {R"({"targetLanguage":null})", Failure{ErrorKind::valueNotFound, "targetLanguage"}},
        // A disclaimer without text is dropped; the others are kept in order.
        {R"({"targetLanguage":"en","disclaimers":[{"text":"T","imageId":"abc"},{"imageId":"x"},{"text":"Flashing lights"}]})",
         disclaimers},
        {R"({"targetLanguage":"en","disclaimers":{"text":"T"}})", Failure{ErrorKind::typeMismatch, "disclaimers"}},
        {R"({"targetLanguage":"de","timeline":{},"ratingAdditionalInfo":{"distribution":"Harbor"}})", timeline},
        // One variant that does not decode fails the experience.
        {R"({"targetLanguage":"en","playbackVariantGroupings":[{"displayText":"Audio","playbackVariants":[{"playbackAction":{}}]}]})",
         Failure{ErrorKind::keyNotFound, "playbackVariantGroupings[0].playbackVariants[0].availId"}},
        {R"({"targetLanguage":"en","playbackVariantGroupings":[{"playbackVariants":[]}]})",
         Failure{ErrorKind::keyNotFound, "playbackVariantGroupings[0].displayText"}},
        {R"({"targetLanguage":"en","analytics":{"seasonNumber":1}})", Failure{ErrorKind::typeMismatch, "analytics.seasonNumber"}},
    });
    EXPECT_EQ(json::encode(experienceIn("en")), R"({"targetLanguage":"en"})");
    expectKeysRequired<PlaybackVariant>(JsonValue::parse(
        R"({"availId":"a","playbackAction":{"resourceId":"r","contentType":"vod","options":[],"availId":"a",)"
        R"("internalTitle":"i","visuals":{"displayText":"Play"},"deeplinkId":"d"}})"));
}

TEST(PlayerExperience, TheServicesAnswerKeepsEveryMemberInOrderAndItsErrorsAsSent) {
    const auto answer = json::PaddedAnswer::fromFile(std::string(VORLANE_CATALOG_DIR) + "/playback/player-experience.json", 1 << 20);
    const auto response = json::decode<PlayerExperienceResponse>(answer);
    ASSERT_TRUE(response.playerExperience);
    const auto& experience = *response.playerExperience;

    const JsonValue encoded = JsonValue::parse(json::encode(experience));
    std::vector<std::string> keys;
    for (const auto& [key, value] : encoded.items()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "availId", "title", "internalTitle", "subtitle", "subtitleTts", "originalLanguage",
                        "targetLanguage", "image", "ratingInfo", "ratingAdditionalInfo", "disclaimers",
                        "heritageDisplayText", "timeline", "infoBlock", "networkAttribution",
                        "playerNetworkAttribution", "serviceAttribution", "serviceAttributionImage",
                        "playbackVariantGroupings", "analytics"}));
    ASSERT_TRUE(experience.disclaimers);
    EXPECT_EQ(experience.disclaimers->size(), 2u);  // the one without text is dropped
    ASSERT_TRUE(experience.playbackVariantGroupings);
    EXPECT_EQ(experience.playbackVariantGroupings->at(0).playbackVariants.at(1).playbackAction.availId,
              "a7c3e9f1-hl-s01e04-ad");
    ASSERT_TRUE(response.errors);
    EXPECT_EQ(JsonValue::parse(response.errors->at(0).json).at("extensions").at("code").get<std::string>(),
              "VARIANT_UNAVAILABLE");
    EXPECT_EQ(json::decode<PlayerExperienceResponse>(json::encode(response)), response);
}

TEST(PlayerExperienceResponse, ReadsInsideDataWhereEveryMemberMayBeMissing) {
    const PlayerExperienceResponse withErrors{experienceIn("fr"),
                                              std::vector<json::FreeFormObject>{{R"({"message":"x","extensions":{"code":1}})"}}};
    expectDecodes<PlayerExperienceResponse>({
        {R"({"data":{}})", PlayerExperienceResponse{}},
        {R"({"data":{"playerExperience":{"targetLanguage":"fr"},"errors":[{"message":"x","extensions":{"code":1}}]}})",
         withErrors},
        {R"({"data":{"errors":[]}})", PlayerExperienceResponse{std::nullopt, std::vector<json::FreeFormObject>{}}},
        {R"({"playerExperience":{"targetLanguage":"fr"}})", Failure{ErrorKind::keyNotFound, "data"}},
        {R"({"data":null})", Failure{ErrorKind::valueNotFound, "data"}},
        {R"({"data":{"playerExperience":{}}})", Failure{ErrorKind::keyNotFound, "data.playerExperience.targetLanguage"}},
        {R"({"data":{"errors":["timeout"]}})", Failure{ErrorKind::typeMismatch, "data.errors[0]"}},
    });
    EXPECT_EQ(json::encode(withErrors),
              R"({"data":{"playerExperience":{"targetLanguage":"fr"},"errors":[{"message":"x","extensions":{"code":1}}]}})");
}

TEST(Disclaimer, CacheKeyJoinsTextImageTruncatedSizeAndDimension) {
    const struct {
        Disclaimer disclaimer;
        double size;
        bool isHeight;
        std::string expected;
    } rows[] = {
        {{"Smoking", std::nullopt}, 31.7, true, "Smoking__31_h"},
        {{"T", "abc"}, 100.0, false, "T_abc_100_w"},
        {{"T", "abc"}, -0.9, false, "T_abc_0_w"},
        {{"Flashing lights", ""}, 1e6, true, "Flashing lights__1000000_h"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.disclaimer.cacheKey(row.size, row.isHeight), row.expected);
    EXPECT_EQ(decodeFailure<Disclaimer>(R"({"imageId":"abc"})").path(), "text");
}

TEST(PlayerTimeline, AnswersTheTimelineMembersWithEveryFieldOptional) {
    const struct {
        std::string answer, startTimeString, elapsedMins, contentProgress;
    } rows[] = {
        {R"({})", "null", "null", "0.0"},
        {R"({"startTime":"s","elapsedMs":90000,"runtimeMs":60000})", R"("s")", "1", "1.0"},
        {R"({"elapsedMs":30000,"runtimeMs":0})", "null", "0", "0.0"},
        {R"({"elapsedMs":-60000,"runtimeMs":120000})", "null", "-1", "-0.5"},
        {R"({"elapsedMs":45000})", "null", "0", "0.0"},
    };
    const auto* type = findDecodableType(std::string_view("PlayerTimeline"));
    ASSERT_NE(type, nullptr);
    for (const auto& row : rows) {
        const auto derived = JsonValue::parse(type->derive(json::PaddedAnswer::fromBytes(row.answer)));
        EXPECT_EQ(derived.at("startTimeString").dump(), row.startTimeString) << row.answer;
        EXPECT_EQ(derived.at("elapsedMins").dump(), row.elapsedMins) << row.answer;
        EXPECT_EQ(derived.at("contentProgress").dump(), row.contentProgress) << row.answer;
    }
}

}  // namespace
}  // namespace vorlane
