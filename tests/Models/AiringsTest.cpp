// Airings and sport tags: required keys and closed vocabularies, strict and lenient lists, the
// runtime default, the playback link an airing plays, its live state, the keys the live episodes
// and the live-now map are read from and written under, and which record a sport tag decodes as.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/SportTags.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

const json::DecoderSettings legacy = json::DecoderSettings::iso8601();

JsonValue minimalAiring(std::string contentId = "c1") {
    JsonValue airing = JsonValue::parse(R"({"contentType":"full","eventId":"e1","programType":"sports","mediaMetadata":{}})");
    airing["contentId"] = std::move(contentId);
    return airing;
}

template <class T>
T decodeValue(const JsonValue& value) {
    return json::decode<T>(value.dump(), legacy);
}

std::vector<std::string> contentIds(const std::vector<Airing>& airings) {
    std::vector<std::string> ids;
    for (const auto& airing : airings) ids.push_back(airing.contentId);
    return ids;
}

TEST(AiringsTest, MinimalAiringTakesItsDefaultsAndWritesOnlyWhatItHas) {
    // No runtime reads as 0 ms; texts, images, milestones and artwork as empty; absent optionals are left out.
    EXPECT_EQ(json::encode(decodeValue<Airing>(minimalAiring())),
              R"({"contentId":"c1","contentType":"full","eventId":"e1","image":{},"mediaMetadata":{"facets":[],)"
              R"("features":[],"audioTracks":[],"playbackUrls":[],"runtimeMillis":1,"captions":[]},"milestone":{},)"
              R"("programType":"sports","runtimeMillis":0,"text":{},"videoArt":[]})");
}

TEST(AiringsTest, RequiredKeysClosedVocabulariesAndStrictListsFailTheAiring) {
    const struct {
        const char* key;
        const char* value;  // null: the key is removed
        ErrorKind kind;
        const char* path;
    } rows[] = {
        {"contentId", nullptr, ErrorKind::keyNotFound, "contentId"},
        {"contentType", nullptr, ErrorKind::keyNotFound, "contentType"},
        {"eventId", nullptr, ErrorKind::keyNotFound, "eventId"},
        {"programType", nullptr, ErrorKind::keyNotFound, "programType"},
        {"mediaMetadata", nullptr, ErrorKind::keyNotFound, "mediaMetadata"},
        {"contentType", R"("FULL")", ErrorKind::dataCorrupted, "contentType"},
        {"eventState", R"("LIVE")", ErrorKind::dataCorrupted, "eventState"},
        {"seriesType", R"("Anthology")", ErrorKind::dataCorrupted, "seriesType"},
        {"customMediaLocations", R"([{"location":"a"},{"tags":[{"key":1}]}])", ErrorKind::typeMismatch,
         "customMediaLocations[1].tags[0].key"},
        {"ratings", R"([{"value":"TV-G","system":"VCHIP","advisories":[]},{"value":"PG"}])", ErrorKind::keyNotFound,
         "ratings[1].system"},
    };
    for (const auto& row : rows) {
        JsonValue airing = minimalAiring();
        if (row.value)
            airing[row.key] = JsonValue::parse(row.value);
        else
            airing.erase(row.key);
        const auto error = decodeFailure<Airing>(airing.dump());
        EXPECT_EQ(json::toString(error.kind()), json::toString(row.kind)) << error.what();
        EXPECT_EQ(error.path(), row.path);
    }

    // The artwork and actions lists drop what fails; an unknown program type reads as other.
    JsonValue airing = minimalAiring();
    airing["videoArt"] = JsonValue::parse(R"([{"purpose":"poster","mediaMetadata":{}},{"purpose":"tile","mediaMetadata":{}}])");
    airing["actions"] = JsonValue::parse(R"([{"type":"rewind"}])");
    airing["programType"] = "live";
    const auto decoded = decodeValue<Airing>(airing);
    ASSERT_EQ(decoded.videoArtwork.size(), 1u);
    EXPECT_EQ(decoded.videoArtwork[0].purpose, VideoArtwork::ArtworkType::tile);
    EXPECT_EQ(decoded.actionCoders, std::vector<ActionCoder>{});
    EXPECT_EQ(decoded.programType, VideoProgramType::other);
}

TEST(AiringsTest, PlaybackUrlPrefersTheLinkOfTheAiringsKind) {
    const PlaybackURL event("https://e", "live-event"), linear("https://l", "linear-channel"), video("https://v");
    const struct {
        std::optional<bool> linear;
        std::vector<PlaybackURL> urls;
        std::string expected;
    } rows[] = {
        {true, {event, linear}, "https://l"},
        {false, {linear, event}, "https://e"},
        {std::nullopt, {linear, event}, "https://e"},
        {std::nullopt, {video, linear}, "https://v"},                       // no event link: the first
        {true, {video, event}, "https://v"},                                // no linear link: the first
        {false, {video, PlaybackURL("https://E", "EVENT")}, "https://v"},  // case-sensitive
        {true, {}, ""},
    };
    for (const auto& row : rows) {
        Airing airing;
        airing.linear = row.linear;
        airing.mediaMetadata.playbackUrls = row.urls;
        EXPECT_EQ(airing.playbackUrl(), row.expected) << row.urls.size() << " links, linear " << row.linear.value_or(false);
    }
}

TEST(AiringsTest, LiveStateAndDeepLinkNeedTheirSourceFields) {
    JsonValue json = minimalAiring();
    json["startDate"] = "2026-12-06T20:00:00Z";
    json["endDate"] = "2026-12-06T22:00:00Z";
    Airing airing = decodeValue<Airing>(json);
    EXPECT_FALSE(airing.airingState());
    EXPECT_FALSE(airing.exploreDeeplinkParams());

    airing.eventState = EventState::mid;
    airing.encodedSeriesId = EncodedIdentifier{"7TnW"};
    EXPECT_EQ(airing.airingState(),
              (AiringState{"2026-12-06T20:00:00Z", "2026-12-06T22:00:00Z", airing.mediaMetadata, EventState::mid}));
    // Sports airings are deep-linked too: only the series id matters.
    EXPECT_EQ(airing.exploreDeeplinkParams(),
              (ExploreDeeplinkParams{"7TnW", ExploreDeeplinkReferenceIdType::encodedSeriesId, std::nullopt}));

    EXPECT_EQ(json::decode<AiringState>(R"({"mediaMetadata":{}})").eventState, EventState::none);
    EXPECT_EQ(decodeFailure<AiringState>(R"({"eventState":"PRE"})").path(), "mediaMetadata");
    EXPECT_EQ(decodeFailure<AiringState>(R"({"mediaMetadata":{},"eventState":"pre"})").path(), "eventState");
}

TEST(AiringsTest, EventStatesAndSportTagTypesHaveTheirWireStrings) {
    expectWireStrings<EventState>({"PRE", "MID", "POST", "NONE"});
    expectRejected<EventState>({"pre", "LIVE", ""});
    expectWireStrings<SportTags::TagType>({"teamId", "sportId", "leagueId"});
    expectRejected<SportTags::TagType>({"TeamId", "playerId"});
}

TEST(AiringsTest, LiveEpisodesReadTheAnswersKeysAndWriteTheFieldNames) {
    JsonValue answer;
    answer["featuredEpisode"] = minimalAiring("ignored");
    answer["episode"] = minimalAiring("featured");
    JsonValue broken = minimalAiring("broken");
    broken["contentType"] = "live-preview";
    answer["altEpisodes"] = JsonValue::array({minimalAiring("alt"), broken});
    answer["episodes"] = JsonValue::array({minimalAiring("next")});

    const auto episodes = decodeValue<LiveEpisodes>(answer);
    ASSERT_TRUE(episodes.featuredEpisode);
    EXPECT_EQ(episodes.featuredEpisode->contentId, "featured");
    EXPECT_EQ(contentIds(episodes.alternateEpisodes), std::vector<std::string>{"alt"});
    EXPECT_EQ(contentIds(episodes.liveAndUpcomingEpisodes), std::vector<std::string>{"next"});

    const JsonValue encoded = JsonValue::parse(json::encode(episodes));
    std::vector<std::string> written;
    for (const auto& [key, value] : encoded.items()) written.push_back(key);
    EXPECT_EQ(written, (std::vector<std::string>{"featuredEpisode", "alternateEpisodes", "liveAndUpcomingEpisodes"}));
    EXPECT_EQ(json::decode<LiveEpisodes>("{}"), LiveEpisodes{});
}

TEST(AiringsTest, AiringAnswersReadTheirKeysAndDropFailingElements) {
    const auto live = json::decode<AiringsContainer>(R"({"airing":{"vsp1":{"mediaMetadata":{},"eventState":"PRE"}}})");
    ASSERT_EQ(live.airings.size(), 1u);
    EXPECT_EQ(live.airings.find("vsp1")->eventState, EventState::pre);
    EXPECT_EQ(json::encode(live).rfind(R"({"airings":{"vsp1":{)", 0), 0u) << json::encode(live);
    EXPECT_TRUE(json::decode<AiringsContainer>("{}").airings.empty());
    EXPECT_TRUE(json::decode<AiringsContainer>(R"({"airings":{"vsp1":{"mediaMetadata":{}}}})").airings.empty());
    EXPECT_EQ(decodeFailure<AiringContainer>("{}").path(), "airing");

    JsonValue bundle;
    bundle["airings"] = JsonValue::array({minimalAiring("a1"), JsonValue::object()});
    bundle["upcomingAirings"] = JsonValue::parse(R"([{"startDate":"s","endDate":"e"},{"startDate":"s"}])");
    const auto program = decodeValue<ProgramBundle>(bundle);
    EXPECT_EQ(contentIds(program.airings), std::vector<std::string>{"a1"});
    EXPECT_EQ(program.upcomingAirings, (std::vector<UpcomingAiring>{{"s", "e", std::nullopt}}));
    EXPECT_EQ(json::decode<ProgramBundle>("{}"), ProgramBundle{});
}

TEST(AiringsTest, SportTagCoderDecodesTheRecordItsTypeSelects) {
    const std::string team = R"({"type":"teamId","value":"gulls","data":{"text":{},"leagues":[],"venues":[],"image":{}}})";
    const std::string league = R"({"type":"leagueId","value":"cpl","data":{}})";
    const std::string sport = R"({"type":"sportId","value":"football","data":{"sportId":"football"}})";
    EXPECT_TRUE(json::decode<SportTags::Coder>(team).as<SportTags::Team>());
    EXPECT_TRUE(json::decode<SportTags::Coder>(league).as<SportTags::League>());
    EXPECT_TRUE(json::decode<SportTags::Coder>(sport).as<SportTags::Sport>());
    for (const auto& text : {team, league, sport}) EXPECT_EQ(json::encode(json::decode<SportTags::Coder>(text)), text);

    const struct {
        const char* json;
        ErrorKind kind;
        const char* path;
    } failures[] = {
        // Without "type" the tag is read as a sport tag, whose own "type" is required.
        {R"({"value":"football","data":{"sportId":"football"}})", ErrorKind::keyNotFound, "type"},
        {R"({"type":"playerId","value":"p","data":{}})", ErrorKind::dataCorrupted, "type"},
        {R"({"type":"teamId","value":"cpl","data":{}})", ErrorKind::keyNotFound, "data.text"},
    };
    for (const auto& row : failures) {
        const auto error = decodeFailure<SportTags::Coder>(row.json);
        EXPECT_EQ(json::toString(error.kind()), json::toString(row.kind)) << error.what();
        EXPECT_EQ(error.path(), row.path);
    }
    const SportTags::Coder fromLeague(SportTags::League{SportTags::TagType::leagueId, "cpl", {}});
    EXPECT_EQ(fromLeague, json::decode<SportTags::Coder>(league));
    EXPECT_FALSE(fromLeague.model()->isEqual(*json::decode<SportTags::Coder>(sport).model()));
    EXPECT_FALSE(fromLeague.model()->isEqual(*SportTags::Coder(SportTags::League{SportTags::TagType::leagueId, "x", {}}).model()));
}

TEST(AiringsTest, CatalogAiringReadsBackAsItself) {
    std::ifstream in(std::string(VORLANE_CATALOG_DIR) + "/content/airing.json");
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const auto answer = json::decode<AiringContainer>(text, legacy);
    EXPECT_EQ(json::decode<AiringContainer>(json::encode(answer), legacy), answer);
    EXPECT_EQ(answer.airing.playbackUrl(), "https://playback.invalid/live/linear/vsp1.m3u8");
    ASSERT_TRUE(answer.airing.event);
    EXPECT_EQ(answer.airing.event->competitors.size(), 2u);

    // As content, an airing is tagged "Airing" and answers with its own fields.
    const ContentCoder content(answer.airing);
    EXPECT_EQ(content.type(), ContentTypeIdentifier::airing);
    EXPECT_EQ(content.model()->contentId(), answer.airing.contentId);
    EXPECT_EQ(content.model()->seriesType(), SeriesType::standard);
    EXPECT_EQ(&content.model()->image(), &content.as<Airing>()->image);
}

}  // namespace
}  // namespace vorlane
