// Metadata descriptors: the role, release-type, metastring-key and audio-visual vocabularies,
// which fields are required, optional, lenient or defaulted, the cache keys of rendered rating
// images, emptiness of a rating and the release look-ups.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/AdvisoryKey.hpp"
#include "vorlane/Models/Content/Availability.hpp"
#include "vorlane/Models/Content/Credits.hpp"
#include "vorlane/Models/Content/DisplayTextVisuals.hpp"
#include "vorlane/Models/Content/Duration.hpp"
#include "vorlane/Models/Content/Genres.hpp"
#include "vorlane/Models/Content/MetadataDescriptors.hpp"
#include "vorlane/Models/Content/MetastringParts.hpp"
#include "vorlane/Models/Content/NetworkAttribution.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Releases.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;
using ReleaseType = Release::ReleaseType;

TEST(MetadataDescriptorsTest, VocabularyWireStrings) {
    expectWireStrings<ParticipantRole>(
        {"Actor", "Executive", "Producer", "Director", "Directed By", "Creator", "Created By"});
    expectRejected<ParticipantRole>({"actor", "Writer", "Directed by", "Director ", ""});
    expectWireStrings<ReleaseTypeCase, ReleaseType>({"original", "broadcast"});
    expectKeptAsCatchAll<ReleaseType>({"dvd", "Original", "", "broadcast "});
    expectWireStrings<MetastringParts::Keys>({"genres", "audioVisual", "ratingInfo", "premiereDate", "runtime",
                                              "seasonsAvailable", "location", "sportsLeague", "releaseYearRange"});
    expectWireStrings<AudioVisualValue>({"closed_captions", "audio_description", "dolby_20", "dolby_51", "dolby_71",
                                         "dolby_atmos", "dolby_vision", "hdr_10", "hdr_10_plus", "hdr",
                                         "imax_enhanced", "tcm", "uhd48", "uhd", "hd", "sd", "three_dimensional"});
    expectRejected<AudioVisualValue>({"hdr10", "UHD", "dolby_vision_iq"});
}

TEST(MetadataDescriptorsTest, ParticipantRolesGroupAndRawStringsOutsideTheSevenAreNoRole) {
    const std::vector<std::pair<std::string_view, std::optional<std::string_view>>> rows = {
        {"Actor", "Actor"},         {"Executive", "Executive"}, {"Producer", "Producer"},
        {"Director", "Director"},   {"Directed By", "Director"}, {"Creator", "Creator"},
        {"Created By", "Creator"},  {"Writer", std::nullopt},    {"directed by", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [raw, group] : rows) {
        const auto role = participantRole(raw);
        ASSERT_EQ(role.has_value(), group.has_value()) << raw;
        if (role) {
            EXPECT_EQ(value(*role), *group) << raw;
        }
    }
}

TEST(MetadataDescriptorsTest, RequiredAndOptionalFields) {
    expectEveryKeyRequired<AdvisoryKey>(JsonValue::parse(R"({"value":"pse_disclaimer","region":"GB"})"));
    expectEveryKeyRequired<LabeledContentAdvisory>(JsonValue::parse(R"({"label":"Advisory","text":"Violence"})"));
    expectEveryKeyRequired<Duration>(JsonValue::parse(R"({"runtimeMs":5400000})"));
    expectEveryKeyRequired<LabeledDuration>(JsonValue::parse(R"({"label":"Runtime","runtimeMs":-1})"));
    expectEveryKeyRequired<Credit>(JsonValue::parse(R"({"displayText":"Written by A. Lee"})"));
    expectEveryKeyRequired<DisplayTextVisuals>(JsonValue::parse(R"({"displayText":"Coming Friday"})"));
    expectEveryKeyRequired<MigrationMetadata>(JsonValue::parse(R"({"downloadActionInfoBlock":"eyJ2IjoxfQ=="})"));
    expectEveryKeyRequired<AudioVisualFlags>(JsonValue::parse(R"({"value":"hd","imageId":"av-hd","tts":"HD"})"));
    expectDecodes<Participant>({
        {R"({"displayName":"Ada","order":2,"participantId":"p1","sortName":"Ada","characterDetails":null})",
         Participant{std::nullopt, "Ada", 2, "p1", "Ada"}},
        {R"({"displayName":"Ada","order":2,"participantId":"p1","sortName":"Ada",
             "characterDetails":{"character":"Mira","characterId":"c7"}})",
         Participant{CharacterDetails{"Mira", "c7", std::nullopt}, "Ada", 2, "p1", "Ada"}},
        {R"({"displayName":"Ada","order":2,"participantId":"p1"})", Failure{ErrorKind::keyNotFound, "sortName"}},
        {R"({"displayName":"Ada","order":"2","participantId":"p1","sortName":"Ada"})",
         Failure{ErrorKind::typeMismatch, "order"}},
        {R"({"displayName":"Ada","order":2,"participantId":"p1","sortName":"Ada","characterDetails":{"character":"M"}})",
         Failure{ErrorKind::keyNotFound, "characterDetails.characterId"}},
    });
    expectDecodes<Release>({
        {"{}", Release{}},
        {R"({"releaseType":"theatrical","releaseYear":1999,"releaseDate":"1999-03-31","releaseOrg":null})",
         Release{ReleaseType::other("theatrical"), 1999, std::nullopt, "1999-03-31", std::nullopt}},
        {R"({"releaseYear":"1999"})", Failure{ErrorKind::typeMismatch, "releaseYear"}},
        {R"({"releaseType":7})", Failure{ErrorKind::typeMismatch, "releaseType"}},
    });
    expectDecodes<ReleaseYearRange>({
        {R"({"startYear":"2021"})", ReleaseYearRange{"2021", std::nullopt}},
        {R"({"startYear":"2021","endYear":"2023"})", ReleaseYearRange{"2021", "2023"}},
        {R"({"startYear":2021})", Failure{ErrorKind::typeMismatch, "startYear"}},
        {R"({"endYear":"2023"})", Failure{ErrorKind::keyNotFound, "startYear"}},
    });
    expectDecodes<NetworkAttribution>({
        {R"({"ttsText":"Harbor"})", NetworkAttribution{"Harbor", std::nullopt, std::nullopt}},
        {R"({"slug":"harbor"})", Failure{ErrorKind::keyNotFound, "ttsText"}},
        {R"({"ttsText":"Harbor","artwork":[]})", Failure{ErrorKind::typeMismatch, "artwork"}},
    });
    EXPECT_EQ(json::encode(Release{ReleaseType::other("dvd"), std::nullopt, "US", std::nullopt, std::nullopt}),
              R"({"releaseType":"dvd","territory":"US"})");
}

TEST(MetadataDescriptorsTest, AvailabilityDefaultsToKidsModeAndWritesAbsentRegionAsNull) {
    expectDecodes<Availability>({
        {"{}", Availability{std::nullopt, true}},
        {R"({"region":"US","kidsMode":null})", Availability{"US", true}},
        {R"({"region":null,"kidsMode":false})", Availability{std::nullopt, false}},
        {R"({"kidsMode":"false"})", Failure{ErrorKind::typeMismatch, "kidsMode"}},
        {R"({"region":1})", Failure{ErrorKind::typeMismatch, "region"}},
    });
    EXPECT_EQ(json::encode(Availability{std::nullopt, false}), R"({"region":null,"kidsMode":false})");
}

TEST(MetadataDescriptorsTest, StrictAndLenientLists) {
    const ExploreRating tv14{"TV-14", std::nullopt};
    expectDecodes<Rating>({
        {R"({"value":"PG","system":"S1","advisories":["V"],"description":"Some","filingNumber":"F1"})",
         Rating{"PG", "S1", {"V"}, "Some", "F1"}},
        {R"({"value":"PG","system":"S1","advisories":["V",3]})", Failure{ErrorKind::typeMismatch, "advisories[1]"}},
        {R"({"value":"PG","system":"S1"})", Failure{ErrorKind::keyNotFound, "advisories"}},
    });
    expectDecodes<RatingInfo>({
        {R"({"rating":{"text":"TV-14"},"advisories":[{"text":"V"},{"imageId":"x"},{"text":"L","imageId":"a-l"}]})",
         RatingInfo{tv14, {{"V", std::nullopt}, {"L", "a-l"}}}},
        {R"({"rating":{"text":"TV-14"}})", Failure{ErrorKind::keyNotFound, "advisories"}},
        {R"({"advisories":[]})", Failure{ErrorKind::keyNotFound, "rating"}},
    });
    expectDecodes<LabeledRatingInfo>({
        {R"({"label":"Rated TV-14","rating":{"text":"TV-14"},"advisories":[7]})",
         LabeledRatingInfo{"Rated TV-14", tv14, {}}},
        {R"({"rating":{"text":"TV-14"},"advisories":[]})", Failure{ErrorKind::keyNotFound, "label"}},
    });
    expectDecodes<Genres>({
        {R"({"values":["Drama",null,1,"Mystery"]})", Genres{{"Drama", "Mystery"}}},
        {"{}", Failure{ErrorKind::keyNotFound, "values"}},
    });
    expectDecodes<LabeledGenres>({{R"({"label":"Genres","values":[{}]})", LabeledGenres{"Genres", {}}}});
    expectDecodes<CreditGroup>({
        {R"({"heading":"Cast","items":[{"displayText":"Ada"},{"text":"x"},{"displayText":"Bo"}]})",
         CreditGroup{"Cast", {{"Ada"}, {"Bo"}}}},
        {R"({"heading":"Cast"})", Failure{ErrorKind::keyNotFound, "items"}},
    });
    expectDecodes<AudioVisual>({
        {R"({"flags":[{"value":"dolby_vision","imageId":"dv","tts":"Dolby Vision"},
                      {"value":"hdr10","imageId":"h","tts":"HDR"},{"value":"hd","imageId":"hd"}]})",
         AudioVisual{{{AudioVisualValue::dolbyVision, "dv", "Dolby Vision"}}}},
    });
}

TEST(MetadataDescriptorsTest, RatingEmptinessAndCacheKeys) {
    EXPECT_TRUE((Rating{"", "S1", {}, "described", std::nullopt}).isEmpty());
    EXPECT_FALSE((Rating{"", "S1", {"V"}, std::nullopt, std::nullopt}).isEmpty());
    EXPECT_FALSE((Rating{"PG", "", {}, std::nullopt, std::nullopt}).isEmpty());

    EXPECT_EQ((Rating{"PG", "S1", {"V", "L"}, std::nullopt, std::nullopt}).cacheKey(40.9, false), "PG_S1__V_L_40_w");
    EXPECT_EQ((Rating{"R", "MPA", {}, "Strong language", std::nullopt}).cacheKey(12.0, true), "R_MPA_Strong language__12_h");
    EXPECT_EQ((Rating{"PG", "S1", {"V"}, std::nullopt, std::nullopt}).cacheKey(-3.7, false), "PG_S1__V_-3_w");

    EXPECT_EQ((ExploreRating{"TV-14", std::nullopt}).cacheKey(31.7, true), "TV-14__31_h");
    EXPECT_EQ((ExploreAdvisory{"Violence", "a-v"}).cacheKey(0.99, false), "Violence_a-v_0_w");
    EXPECT_EQ((ExploreAdvisory{"", ""}).cacheKey(1e6, true), "__1000000_h");

    EXPECT_EQ((AdvisoryKey{std::string(AdvisoryKey::smokingDisclaimer), "US"}).cacheKey(24.2), "smoking_disclaimer_US_24");
    const std::vector<std::string_view> constants = {
        AdvisoryKey::heritageDisclaimer, AdvisoryKey::graphicContentDisclaimer, AdvisoryKey::pseDisclaimer,
        AdvisoryKey::productPlacementDisclaimer, AdvisoryKey::smokingDisclaimer,
        AdvisoryKey::productPlacementImagePrefix};
    EXPECT_EQ(constants, (std::vector<std::string_view>{"heritage_disclaimer", "graphic_content_disclaimer",
                                                        "pse_disclaimer", "product_placement_disclaimer",
                                                        "smoking_disclaimer",
                                                        "image_label_product_placement_disclaimer_"}));
}

TEST(MetadataDescriptorsTest, ReleaseLookUpsTakeTheFirstMatchByWireString) {
    const auto release = [](std::optional<ReleaseType> type, std::int64_t year) {
        return Release{std::move(type), year, std::nullopt, std::nullopt, std::nullopt};
    };
    const Release untyped = release(std::nullopt, 1990);
    const Release dvd = release(ReleaseType::other("dvd"), 2001);
    const Release spelledOriginal = release(ReleaseType::other("original"), 2002);
    const Release firstOriginal = release(ReleaseTypeCase::original, 2003);
    const Release secondOriginal = release(ReleaseTypeCase::original, 2004);
    const Release onAir = release(ReleaseTypeCase::broadcast, 2005);
    const std::vector<Release> releases = {untyped, dvd, spelledOriginal, firstOriginal, secondOriginal, onAir};

    EXPECT_EQ(original(releases), spelledOriginal) << "an unknown type holding \"original\" counts as original";
    EXPECT_EQ(broadcast(releases), onAir);
    EXPECT_EQ(releaseOf(releases, ReleaseTypeCase::original), firstOriginal) << "releaseOf compares the type itself";
    EXPECT_EQ(releaseOf(releases, ReleaseType::other("dvd")), dvd);
    EXPECT_EQ(releaseOf(releases, ReleaseType::other("")), std::nullopt) << "an untyped release never matches";
    EXPECT_EQ(original(std::vector<Release>{untyped, dvd}), std::nullopt);
    EXPECT_EQ(broadcast(std::vector<Release>{}), std::nullopt);
}

TEST(MetadataDescriptorsTest, MetastringPartsReadEveryPartAndWriteOnlyThosePresent) {
    EXPECT_EQ(json::decode<MetastringParts>("{}"), MetastringParts{});
    EXPECT_EQ(json::encode(MetastringParts{}), "{}");
    // Written in declaration order, whatever order they arrive in.
    const std::string full =
        R"({"genres":{"values":["Drama"]},"audioVisual":{"flags":[{"value":"uhd","imageId":"u","tts":"4K"}]},)"
        R"("ratingInfo":{"rating":{"text":"TV-14"},"advisories":[]},"releaseYearRange":{"startYear":"2021"},)"
        R"("runtime":{"runtimeMs":3000},"seasonsAvailable":"3 Seasons","location":{"displayText":"Lisbon"},)"
        R"("sportsLeague":{"name":"Coastal League"},"premiereDate":{"displayText":"Fri","displayTextTts":"Friday"}})";
    const auto inOrder = JsonValue::parse(full);
    std::vector<std::string> keys;
    for (const auto& [key, part] : inOrder.items()) keys.push_back(key);
    JsonValue reversed = JsonValue::object();
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) reversed[*key] = inOrder[*key];
    const auto parts = json::decode<MetastringParts>(reversed.dump());
    EXPECT_EQ(json::encode(parts), full);
    EXPECT_EQ(parts.seasonsAvailable, "3 Seasons");
    EXPECT_EQ(parts.premiereDate, (MetastringPremiereDate{"Fri", "Friday"}));
    expectDecodes<MetastringParts>({{R"({"runtime":{"runtimeMs":1.5}})", Failure{ErrorKind::dataCorrupted, "runtime.runtimeMs"}},
                                    {R"({"location":"Lisbon"})", Failure{ErrorKind::typeMismatch, "location"}}});
}

TEST(MetadataDescriptorsTest, RegisteredDerivedMembers) {
    // type, answer, the derived members as `vorlane derive` prints them
    const std::vector<std::tuple<std::string_view, std::string_view, std::string_view>> rows = {
        {"Rating", R"({"value":"","system":"S1","advisories":[]})", R"({"isEmpty":true})"},
        {"Rating", R"({"value":"","system":"S1","advisories":["V"]})", R"({"isEmpty":false})"},
        {"ParticipantRole", R"("Created By")", R"({"value":"Creator"})"},
        {"ParticipantRole", R"("Executive")", R"({"value":"Executive"})"},
        {"[Release]", R"([{"releaseType":"broadcast"},{"releaseType":"original","territory":"US"}])",
         R"({"original":{"releaseType":"original","territory":"US"},"broadcast":{"releaseType":"broadcast"}})"},
        {"[Release]", R"([{"releaseYear":2001}])", R"({"original":null,"broadcast":null})"},
        {"MetastringParts", "{}", "{}"},
    };
    for (const auto& [name, answer, expected] : rows) {
        const auto* type = findDecodableType(name);
        ASSERT_NE(type, nullptr) << name;
        EXPECT_EQ(type->derive(json::PaddedAnswer::fromBytes(answer)), expected) << name << " " << answer;
    }
}

}  // namespace
}  // namespace vorlane
