// Bookmarks, user state, bundles, personalized bundles and continue-watching answers: the
// completion and progress rules at their boundaries, progress arithmetic, the two-level decodings
// and their flat encodings, required keys and the lists that drop what fails; then airings and
// sport tags.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/Bookmark.hpp"
#include "vorlane/Models/Content/Bundles.hpp"
#include "vorlane/Models/Content/SportTags.hpp"
#include "vorlane/Models/Content/UserState.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

template <class T>
T decodeIso(std::string_view text, json::Diagnostics* diagnostics = nullptr) {
    return json::decode<T>(text, json::DecoderSettings::iso8601(), diagnostics);
}

// The value's encoding (records written in another shape than the answer they read do not read it back).
template <class T>
std::string writtenIso(const T& value) {
    return json::encode(value, json::EncoderSettings::iso8601());
}

const std::string video = R"({"contentId":"v1","contentType":"full","programType":"episode","mediaMetadata":{}})";

TEST(BundlesTest, BookmarkCompletesAtTheFirstPositiveCreditsThreshold) {
    const struct { std::optional<double> ccMedia; double ccDefault, playhead; bool completed; } rows[] = {
        {0, 1200, 1200, true},  // ccMedia 0 falls back to ccDefault, reached exactly
        {0, 1200, 1199.5, false},
        {900, 5000, 1000, true},  // ccMedia wins over ccDefault
        {900, 100, 899, false},
        {std::nullopt, 0, 5000, false},  // no positive threshold: never
        {-1, 0, 5000, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ((Bookmark{"u", 0, row.playhead, 3600, row.ccMedia, row.ccDefault}.isCompleted()), row.completed)
            << row.playhead << " " << row.ccDefault;

    const Bookmark bookmark{"u", 1, 10, 100, std::nullopt, 90};
    EXPECT_EQ(writtenIso(bookmark.asContainer(sdk::ContentIdentifier::availId("a"))),
              R"({"contentIdentifier":{"availId":"a"},"userMeta":{"userId":"u","occurredOn":1,)"
              R"("playhead":10.0,"runtime":100.0,"ccDefault":90.0}})");
}

TEST(BundlesTest, EpisodeBookmarkProgressIsAFractionUntilCreditsOrEnd) {
    const struct { double playhead, runtime, ccThreshold, progress; } rows[] = {
        {50, 100, 40, 1},  // past the credits
        {50, 100, 90, 0.5}, {0, 100, 90, 0}, {-5, 100, 90, 0}, {50, 0, 90, 0},
        {90, 100, 90, 1},    // at the credits
        {100, 100, 200, 1},  // at the end
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ((EpisodeBookmark{"e", 0, row.playhead, row.runtime, row.ccThreshold}.progress()), row.progress)
            << row.playhead << "/" << row.runtime << " credits " << row.ccThreshold;

    const std::string episode = R"({"contentId":"e","occurredOn":7,"playhead":50.0,"runtime":100.0,"ccThreshold":90.0})";
    std::unordered_set<EpisodeBookmark> set{decodeIso<EpisodeBookmark>(episode), EpisodeBookmark{"e", 7, 50, 100, 90}};
    EXPECT_EQ(set.size(), 1u);
    expectEveryKeyRequired<EpisodeBookmark>(JsonValue::parse(episode));
    expectEveryKeyRequired<ContinueWatchingSeasonResponse>(JsonValue::parse(R"({"bookmarks":{"k":)" + episode + "}}"));
}

TEST(BundlesTest, ProgressGivesRuntimeAndPlayheadOnlyFromUsableNumbers) {
    const std::optional<double> none;
    const struct { std::optional<std::int64_t> percentage, remaining; double raw; std::optional<double> runtime, playhead; } rows[] = {
        {50, 600, 0.5, 1200, 600}, {25, 300, 0.25, 400, 100}, {1, 1, 0.01, 1 / 0.99, 0.01 / 0.99},
        {0, 600, 0, none, none}, {50, 0, 0.5, none, none}, {std::nullopt, 600, 0, none, none},
        {100, 300, 1, none, none},  // everything watched yet time remaining: nothing to derive
        {120, 300, 1.2, none, none},
    };
    for (const auto& row : rows) {
        const UserStateProgress progress{row.percentage, row.remaining};
        SCOPED_TRACE(json::encode(progress));
        EXPECT_DOUBLE_EQ(progress.rawProgress(), row.raw);
        EXPECT_DOUBLE_EQ(progress.runtime().value_or(-1), row.runtime.value_or(-1));
        EXPECT_DOUBLE_EQ(progress.playhead().value_or(-1), row.playhead.value_or(-1));
    }
}

TEST(BundlesTest, UserStatesReadServiceKeysAndTimestampsLeniently) {
    const std::string progress = R"("progress":{"progressPercentage":50,"secondsRemaining":600})";
    const auto state = decodeIso<UserState>(R"({"inWatchlist":true,)" + progress +
                                            R"(,"timestamp":"2024-05-01T12:30:00Z","playhead":30})");
    EXPECT_EQ(state.playhead(), 30.0);  // the raw playhead wins over the progress
    EXPECT_EQ(writtenIso(state),
              R"({"inWatchlist":true,)" + progress + R"(,"occurredOn":"2024-05-01T12:30:00Z","rawPlayhead":30.0})");
    EXPECT_EQ(decodeIso<UserState>("{" + progress + "}").playhead(), 600.0);
    EXPECT_EQ(decodeIso<UserState>("{}").playhead(), std::nullopt);
    // The written keys are not read back: a user state is read from the service's keys only.
    EXPECT_EQ(decodeIso<UserState>(R"({"occurredOn":"2024-05-01T12:30:00Z","rawPlayhead":30})"), UserState{});
    for (const char* timestamp : {R"("yesterday")", "5", R"("2024-13-01T00:00:00Z")"}) {
        json::Diagnostics diagnostics;
        EXPECT_EQ(decodeIso<UserState>(std::string(R"({"timestamp":)") + timestamp + "}", &diagnostics).occurredOn,
                  std::nullopt);
        EXPECT_EQ(eachOf(diagnostics.entries(), &json::Diagnostic::path), std::vector<std::string>{"timestamp"}) << timestamp;
    }
    EXPECT_EQ(decodeFailure<UserState>(R"({"inWatchlist":"yes"})").path(), "inWatchlist");

    const auto map = decodeIso<UserEntityStateMap>(R"({"data":{"entityStates":{"e1":{"inWatchlist":false},"e2":{}}}})");
    EXPECT_EQ(map.entityStateMap.begin()->first, "e1");
    EXPECT_EQ(decodeFailure<UserEntityStateMap>(R"({"entityStates":{}})").path(), "data");
    EXPECT_EQ(decodeFailure<UserEntityStateMap>(R"({"data":{}})").path(), "data.entityStates");

    EXPECT_EQ(decodeFailure<DownloadUserState>(R"({"progress":{}})").path(), "playheadSeconds");
    for (const auto& [timestamp, date] : {std::pair{R"("2024-05-01T12:30:00Z")", parseIso8601("2024-05-01T12:30:00Z")},
                                          std::pair{R"("last week")", std::optional<Date>()}}) {
        const auto download = decodeIso<DownloadUserState>(
            std::string(R"({"playheadSeconds":12.5,"lastWatchedTimestamp":)") + timestamp + "}");
        EXPECT_EQ(download.occurredOn(), date) << timestamp;
    }
}

TEST(BundlesTest, PersonalizedBundlesReadTheWatchlistEntryAndWriteFlat) {
    const struct { std::string json, written; } rows[] = {
        {R"({})", R"({"isInWatchlist":false})"},
        {R"({"watchlist":{"onWatchlist":null}})", R"({"isInWatchlist":false})"},
        {R"({"watchlist":{"onWatchlist":false,"refId":"r"}})", R"({"isInWatchlist":false,"refId":"r"})"},
        {R"({"watchlist":{"onWatchlist":true,"refId":"r"}})", R"({"isInWatchlist":true,"refId":"r"})"},
        // Only the answer's shape is read: the flat, written form is not.
        {R"({"isInWatchlist":true,"refIdType":"t"})", R"({"isInWatchlist":false})"},
    };
    for (const auto& row : rows) EXPECT_EQ(writtenIso(decodeIso<PersonalizedSeriesBundle>(row.json)), row.written);

    const auto program = decodeIso<PersonalizedProgramBundle>(
        R"({"resume":{"contentIdentifier":{"contentId":"c"},"userMeta":{"userId":"u","occurredOn":1,"playhead":10,)"
        R"("runtime":100,"ccDefault":90}}})");
    EXPECT_EQ(program.resume->userMeta.playhead, 10);
    EXPECT_NE(writtenIso(program).find(R"("resume":{"contentIdentifier")"), std::string::npos);
    EXPECT_EQ(decodeFailure<PersonalizedSeriesBundle>(R"({"resume":{"contentId":"v"}})").path(), "resume.contentType");
    EXPECT_EQ(decodeFailure<PersonalizedSeriesBundle>(R"({"watchlist":{"onWatchlist":"yes"}})").path(),
              "watchlist.onWatchlist");
}

TEST(BundlesTest, ContinueWatchingReadsFreeFormLabelsWithoutEverFailing) {
    const struct { std::string labels; bool isInWatchlist; std::size_t reported; } rows[] = {
        {R"({"watchlistLabel":{"onWatchlist":true},"other":[1]})", true, 0},
        {R"({"watchlistLabel":{"onWatchlist":"yes"}})", false, 1}, {R"({"watchlistLabel":["onWatchlist"]})", false, 1},
        {R"({"watchlistLabel":{}})", false, 0}, {R"([true])", false, 1}, {R"(null)", false, 0},
    };
    for (const auto& row : rows) {
        json::Diagnostics diagnostics;
        const auto response = decodeIso<ContinueWatchingSeriesResponse>(
            R"({"labels":)" + row.labels + R"(,"resume":)" + video + "}", &diagnostics);
        EXPECT_EQ(response.isInWatchlist, row.isInWatchlist) << row.labels;
        EXPECT_EQ(diagnostics.size(), row.reported) << row.labels;
        EXPECT_EQ(response.resume->contentId, "v1");
        EXPECT_EQ(writtenIso(response).rfind(R"({"isInWatchlist":)", 0), 0u);
    }
    EXPECT_EQ(writtenIso(decodeIso<ContinueWatchingVideoResponse>(R"({"labels":{"watchlistLabel":{"onWatchlist":true}}})")),
              R"({"isInWatchlist":true})");
    EXPECT_FALSE(decodeIso<ContinueWatchingVideoResponse>("{}").isInWatchlist);
    EXPECT_FALSE(decodeIso<ContinueWatchingVideoResponse>(R"({"isInWatchlist":true})").isInWatchlist);
}

TEST(BundlesTest, BundlesRequireTheirPartsAndDropFailingLabelsAndPanels) {
    const std::string extras = R"({"meta":{"hits":0},"videos":[]})";
    const std::string shop =
        R"({"type":"shop","style":{"name":"shop"},"content":{"title":"t","subTitle":"s","legalCopy":"l","linkCopy":"c",)"
        R"("linkCopyUrl":"u","link":"k","image":{"qrCode":"q","background":"b","backgroundMobile":"m",)"
        R"("goToShopOstrel":"g","shopOstrelLogo":"o"}}})";
    const std::string withoutLink = R"({"type":"shop","style":{"name":"shop"},"content":{"title":"t"}})";
    JsonValue bundle = JsonValue::parse(
        R"({"series":{"seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}},"seasons":{"seasons":[]},"extras":)" +
        extras + R"(,"promoLabels":[{"type":"NewlyAdded","subType":"series"},{"type":"Unknown"}],"containers":[)" +
        withoutLink + "," + shop + "]}");
    const auto decoded = decodeIso<SeriesBundle>(bundle.dump());
    EXPECT_EQ(decoded.promoLabels->size(), 1u);
    ASSERT_EQ(decoded.containers->size(), 1u);
    EXPECT_EQ(decoded.containers->front().content.link, "k");
    EXPECT_EQ(decoded.exploreDeeplinkParams().refId, "ES1");
    EXPECT_EQ(decodeIso<SeriesBundle>(writtenIso(decoded)), decoded);
    bundle.erase("containers");
    EXPECT_FALSE(decodeIso<SeriesBundle>(bundle.dump()).containers);
    expectKeysRequired<SeriesBundle>(bundle, {"series", "seasons", "extras"});
    JsonValue videoBundle = JsonValue::parse(R"({"video":)" + video + R"(,"extras":)" + extras +
                                             R"(,"promoLabels":[],"containers":[)" + shop + "]}");
    EXPECT_EQ(decodeIso<VideoBundle>(videoBundle.dump()).containers.size(), 1u);
    expectKeysRequired<VideoBundle>(videoBundle);
}

// Airings and sport tags: required keys and closed vocabularies, strict and lenient lists, the
// runtime default, the playback link an airing plays, its live state, the keys the live episodes
// and the live-now map are read from and written under, and which record a sport tag decodes as.
JsonValue minimalAiring(std::string contentId = "c1") {
    JsonValue airing = JsonValue::parse(R"({"contentType":"full","eventId":"e1","programType":"sports","mediaMetadata":{}})");
    airing["contentId"] = std::move(contentId);
    return airing;
}

// The minimal airing with `extra` keys added or replaced, as text.
std::string airingWith(const JsonValue& extra) {
    JsonValue airing = minimalAiring();
    airing.update(extra);
    return airing.dump();
}

TEST(AiringsTest, MinimalAiringTakesItsDefaultsAndWritesOnlyWhatItHas) {
    // No runtime reads as 0 ms; texts, images, milestones and artwork as empty; absent optionals are left out.
    EXPECT_EQ(json::encode(decodeIso<Airing>(minimalAiring().dump())),
              R"({"contentId":"c1","contentType":"full","eventId":"e1","image":{},"mediaMetadata":{"facets":[],)"
              R"("features":[],"audioTracks":[],"playbackUrls":[],"runtimeMillis":1,"captions":[]},"milestone":{},)"
              R"("programType":"sports","runtimeMillis":0,"text":{},"videoArt":[]})");
}

TEST(AiringsTest, RequiredKeysClosedVocabulariesAndStrictListsFailTheAiring) {
    expectKeysRequired<Airing>(minimalAiring());
    expectClosedVocabulary<EventState>({"PRE", "MID", "POST", "NONE"}, {"pre", "LIVE", ""});
    expectDecodes<Airing>({
        {airingWith({{"contentType", "FULL"}}), Failure{ErrorKind::dataCorrupted, "contentType"}},
        {airingWith({{"eventState", "LIVE"}}), Failure{ErrorKind::dataCorrupted, "eventState"}},
        {airingWith({{"seriesType", "Anthology"}}), Failure{ErrorKind::dataCorrupted, "seriesType"}},
        {airingWith({{"customMediaLocations", JsonValue::parse(R"([{"location":"a"},{"tags":[{"key":1}]}])")}}),
         Failure{ErrorKind::typeMismatch, "customMediaLocations[1].tags[0].key"}},
        {airingWith({{"ratings", JsonValue::parse(R"([{"value":"TV-G","system":"VCHIP","advisories":[]},{"value":"PG"}])")}}),
         Failure{ErrorKind::keyNotFound, "ratings[1].system"}},
    });

    // The artwork and actions lists drop what fails; an unknown program type reads as other.
    const auto decoded = decodeIso<Airing>(airingWith(JsonValue::parse(
        R"({"videoArt":[{"purpose":"poster","mediaMetadata":{}},{"purpose":"tile","mediaMetadata":{}}],)"
        R"("actions":[{"type":"rewind"}],"programType":"live"})")));
    EXPECT_EQ(decoded.videoArtwork, (std::vector<VideoArtwork>{{VideoArtwork::ArtworkType::tile, {}}}));
    EXPECT_EQ(decoded.actionCoders, std::vector<ActionCoder>{});
    EXPECT_EQ(decoded.programType, VideoProgramType::other);
}

TEST(AiringsTest, PlaybackUrlPrefersTheLinkOfTheAiringsKind) {
    const PlaybackURL event("https://e", "live-event"), linear("https://l", "linear-channel"), video("https://v");
    const struct { std::optional<bool> linear; std::vector<PlaybackURL> urls; std::string expected; } rows[] = {
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
    Airing airing = decodeIso<Airing>(airingWith({{"startDate", "2026-12-06T20:00:00Z"}, {"endDate", "2026-12-06T22:00:00Z"}}));
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

TEST(AiringsTest, LiveEpisodesReadTheAnswersKeysAndWriteTheFieldNames) {
    JsonValue answer;
    answer["featuredEpisode"] = minimalAiring("ignored");
    answer["episode"] = minimalAiring("featured");
    answer["altEpisodes"] = JsonValue::array({minimalAiring("alt"), JsonValue::parse(airingWith({{"contentType", "live-preview"}}))});
    answer["episodes"] = JsonValue::array({minimalAiring("next")});

    const auto episodes = decodeIso<LiveEpisodes>(answer.dump());
    ASSERT_TRUE(episodes.featuredEpisode);
    EXPECT_EQ(episodes.featuredEpisode->contentId, "featured");
    EXPECT_EQ(eachOf(episodes.alternateEpisodes, &Airing::contentId), std::vector<std::string>{"alt"});
    EXPECT_EQ(eachOf(episodes.liveAndUpcomingEpisodes, &Airing::contentId), std::vector<std::string>{"next"});

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
    const auto program = decodeIso<ProgramBundle>(bundle.dump());
    EXPECT_EQ(eachOf(program.airings, &Airing::contentId), std::vector<std::string>{"a1"});
    EXPECT_EQ(program.upcomingAirings, (std::vector<UpcomingAiring>{{"s", "e", std::nullopt}}));
    EXPECT_EQ(json::decode<ProgramBundle>("{}"), ProgramBundle{});
}

TEST(AiringsTest, SportTagCoderDecodesTheRecordItsTypeSelects) {
    expectClosedVocabulary<SportTags::TagType>({"teamId", "sportId", "leagueId"}, {"TeamId", "playerId"});
    const std::string team = R"({"type":"teamId","value":"gulls","data":{"text":{},"leagues":[],"venues":[],"image":{}}})";
    const std::string league = R"({"type":"leagueId","value":"cpl","data":{}})";
    const std::string sport = R"({"type":"sportId","value":"football","data":{"sportId":"football"}})";
    EXPECT_TRUE(json::decode<SportTags::Coder>(team).as<SportTags::Team>());
    EXPECT_TRUE(json::decode<SportTags::Coder>(league).as<SportTags::League>());
    EXPECT_TRUE(json::decode<SportTags::Coder>(sport).as<SportTags::Sport>());
    for (const auto& text : {team, league, sport}) EXPECT_EQ(json::encode(json::decode<SportTags::Coder>(text)), text);

    expectDecodes<SportTags::Coder>({
        // Without "type" the tag is read as a sport tag, whose own "type" is required.
        {R"({"value":"football","data":{"sportId":"football"}})", Failure{ErrorKind::keyNotFound, "type"}},
        {R"({"type":"playerId","value":"p","data":{}})", Failure{ErrorKind::dataCorrupted, "type"}},
        {R"({"type":"teamId","value":"cpl","data":{}})", Failure{ErrorKind::keyNotFound, "data.text"}},
    });
    const SportTags::Coder fromLeague(SportTags::League{SportTags::TagType::leagueId, "cpl", {}});
    EXPECT_EQ(fromLeague, json::decode<SportTags::Coder>(league));
    EXPECT_FALSE(fromLeague.model()->isEqual(*json::decode<SportTags::Coder>(sport).model()));
    EXPECT_FALSE(fromLeague.model()->isEqual(*SportTags::Coder(SportTags::League{SportTags::TagType::leagueId, "x", {}}).model()));
}

TEST(AiringsTest, CatalogAiringReadsBackAsItself) {
    const auto answer = decodeIso<AiringContainer>(testData("../../catalog/content/airing.json"));
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
