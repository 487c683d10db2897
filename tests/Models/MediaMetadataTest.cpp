// Playback records. Media metadata, tracks, media rights and audio-visual flags: wire strings, the
// field-by-field lenient decoding of the media metadata, the classes of audio-visual values and
// the playback setting facets imply; then milestones, the legacy up next and the metadata descriptors.

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
#include "vorlane/Models/Content/VideoFormat.hpp"
#include "vorlane/Models/Playback/AudioVisual.hpp"
#include "vorlane/Models/Playback/MediaMetadata.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Models/Playback/Milestone.hpp"
#include "vorlane/Models/Playback/UpNext.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Log.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include <limits>

#include <cmath>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

TEST(MediaVocabularies, EveryCaseHasItsExactWireStringClosedOnesRejectOthersAndVideoFormatsKeepAnyString) {
    expectClosedVocabulary<TextTrackType>({"NORMAL", "FORCED", "SDH", "CC"}, {"sdh", "SUBTITLES"});
    expectClosedVocabulary<AudioFeature>({"dolby_atmos", "dolby_71", "dolby_51", "dolby_20"}, {"dolbyAtmos", "dolby_5.1"});
    expectClosedVocabulary<AudioTrackType>({"PRIMARY", "NARRATION"}, {"primary", "DESCRIPTIVE"});
    expectClosedVocabulary<MediaRightsMessage::ErrorCode>({"blackout", "no_entitlement"}, {"noEntitlement"});
    expectWireStrings<PlaybackSettingType>({"fourByThreeAspectRatio"});
    // Video formats and features keep any string, and only a string.
    for (const char* text : {"hdr", "Dolby Vision", ""}) {
        EXPECT_EQ(json::decode<VideoFormat>(quoted(text)).rawValue, text);
        EXPECT_EQ(json::encode(json::decode<VideoFeature>(quoted(text))), quoted(text));
    }
    EXPECT_EQ(decodeFailure<VideoFormat>("4").kind(), ErrorKind::typeMismatch);
    EXPECT_EQ(decodeFailure<VideoFeature>("null").kind(), ErrorKind::valueNotFound);
}

TEST(AudioVisualValue, ClassesAreExactlyTheListedValues) {
    struct Class { const char* name; bool (*holds)(AudioVisualValue) noexcept; std::vector<std::string_view> members; };
    const Class classes[] = {
        {"isAccessibilityFeature", isAccessibilityFeature, {"closed_captions", "audio_description"}},
        {"isAudioFeature", isAudioFeature, {"dolby_51", "dolby_atmos"}},
        {"isVideoFeature", isVideoFeature, {"dolby_vision", "hdr_10"}},
        {"isEnhancedVideoFeature", isEnhancedVideoFeature, {"imax_enhanced", "three_dimensional"}},
        {"isMediaFormat", isMediaFormat, {"uhd48", "uhd", "hd"}},
    };
    for (const auto& c : classes) {
        std::vector<std::string_view> members;
        for (const auto& entry : json::allCases<AudioVisualValue>())
            if (c.holds(entry.value)) members.push_back(entry.wire);
        EXPECT_EQ(members, c.members) << c.name;
    }
}

TEST(MediaMetadata, DecodesFieldByFieldKeepingWhatIsUsable) {
    MediaMetadata sdhOnly;
    sdhOnly.captions = {{"en", TextTrackType::sdh}};
    MediaMetadata tracks;
    tracks.audioTracks = {{"en", std::nullopt, AudioTrackType::primary},
                          {"fr", std::vector<AudioFeature>{AudioFeature::dolby51}, AudioTrackType::narration}};
    MediaMetadata runtime;
    runtime.runtimeMillis = 2'640'000;
    MediaMetadata features;
    features.features = {VideoFeature("hdr"), VideoFeature("some_future_feature")};
    expectDecodes<MediaMetadata>({
        {"{}", MediaMetadata::empty},
        {R"({"facets":null,"features":null,"audioTracks":null,"playbackUrls":null,"captions":null,"mediaId":null})",
         MediaMetadata::empty},
        // The runtime falls back to 1 ms, never 0, and never fails the record.
        {R"({"runtimeMillis":"2640000"})", MediaMetadata::empty}, {R"({"runtimeMillis":1.5})", MediaMetadata::empty},
        {R"({"runtimeMillis":null})", MediaMetadata::empty}, {R"({"runtimeMillis":2640000})", runtime},
        // Failing elements of every list are dropped.
        {R"({"captions":[{"language":"en","trackType":"DESCRIPTIVE"},{"language":"en","trackType":"SDH"},{"language":"de"}]})",
         sdhOnly},
        {R"({"audioTracks":[{"language":"en","trackType":"PRIMARY"},{"language":"fr","trackType":"NARRATION",)"
         R"("features":["dolby_51","dts_x"]},{"language":"es","trackType":"SECONDARY"}]})",
         tracks},
        {R"({"features":["hdr",7,"some_future_feature",null]})", features},
        {R"({"facets":[{"label":"a"},{"name":"b"}],"playbackUrls":[{"href":"h"},{"href":"h","rel":"video"}]})",
         [] {
             MediaMetadata m;
             m.facets = {{"a"}};
             m.playbackUrls = {PlaybackURL("h")};
             return m;
         }()},
        // Only the runtime is tolerated: other fields of a wrong type still fail.
        {R"({"facets":"ImageAspectRatio=133"})", Failure{ErrorKind::typeMismatch, "facets"}},
        {R"({"activeAspectRatio":"1.78"})", Failure{ErrorKind::typeMismatch, "activeAspectRatio"}},
        {R"({"format":{"name":"hd"}})", Failure{ErrorKind::typeMismatch, "format"}},
    });
}

TEST(MediaMetadata, WritesEveryKeyAndOptionalOnesOnlyWhenPresent) {
    EXPECT_EQ(json::encode(MediaMetadata::empty),
              R"({"facets":[],"features":[],"audioTracks":[],"playbackUrls":[],"runtimeMillis":1,"captions":[]})");
    EXPECT_EQ(MediaMetadata{}, MediaMetadata::empty);

    const auto full = json::decode<MediaMetadata>(testData("playback/media_metadata.json"), json::DecoderSettings::iso8601());
    EXPECT_EQ(full.format, VideoFormat("uhd"));
    EXPECT_EQ(full.activeAspectRatio, 1.78);
    EXPECT_EQ(full.audioTracks.at(1).features, std::nullopt);  // absent stays absent
    EXPECT_EQ(JsonValue::parse(json::encode(full)), JsonValue::parse(testData("playback/media_metadata.json")));
}

TEST(MediaMetadata, FourByThreeFacetGivesItsPlaybackSetting) {
    const std::vector<PlaybackSettingType> fourByThree = {PlaybackSettingType::fourByThreeAspectRatio};
    const struct { std::vector<std::string> labels; std::vector<PlaybackSettingType> expected; } rows[] = {
        {{"ImageAspectRatio=133"}, fourByThree}, {{"HDR", "ImageAspectRatio=133", "ImageAspectRatio=133"}, fourByThree},
        {{"imageaspectratio=133"}, {}}, {{"ImageAspectRatio=1333"}, {}}, {{" ImageAspectRatio=133"}, {}},
        {{"ImageAspectRatio=178"}, {}}, {{}, {}},
    };
    for (const auto& row : rows) {
        std::vector<MetadataFacet> facets;
        for (const auto& label : row.labels) facets.push_back({label});
        EXPECT_EQ(settingsTypes(facets), row.expected) << json::encode(facets);
    }
}

TEST(AudioVisual, DropsBadgesItCannotReadAndRequiresItsFlags) {
    const AudioVisualFlags vision{AudioVisualValue::dolbyVision, "badge-dv", "Dolby Vision"};
    const std::string visionJson = R"({"value":"dolby_vision","imageId":"badge-dv","tts":"Dolby Vision"})";
    expectDecodes<AudioVisual>({
        {R"({"flags":[)" + visionJson + R"(,{"value":"dolby_vision_iq","imageId":"x","tts":"x"}]})", AudioVisual{{vision}}},
        {R"({"flags":[{"value":"hd","imageId":"badge-hd"},)" + visionJson + "]}", AudioVisual{{vision}}},
        {R"({"flags":[]})", AudioVisual{}}, {"{}", Failure{ErrorKind::keyNotFound, "flags"}},
    });
    expectDecodes<LabeledAudioVisual>({
        {R"({"label":"Formats","flags":[)" + visionJson + ",7]}", LabeledAudioVisual{"Formats", {vision}}},
    });
    expectKeysRequired<LabeledAudioVisual>(JsonValue::parse(R"({"label":"Formats","flags":[]})"));
    expectEveryKeyRequired<AudioVisualFlags>(JsonValue::parse(visionJson));
    expectEveryKeyRequired<Caption>(JsonValue::parse(R"({"language":"en","trackType":"CC"})"));
    expectEveryKeyRequired<MediaRightsMessage>(JsonValue::parse(R"({"code":"blackout","description":"d"})"));
}

TEST(MediaRights, EveryFieldIsOptionalAndViolationsAreStrict) {
    const MediaRightsMessage blackout{MediaRightsMessage::ErrorCode::blackout, "Not available in your area"};
    expectDecodes<MediaRights>({
        {"{}", MediaRights{}},
        {R"({"violations":[{"code":"blackout","description":"Not available in your area"}],"downloadBlocked":true,)"
         R"("pconBlocked":false})",
         MediaRights{std::vector{blackout}, true, false}},
        {R"({"violations":[{"code":"geo","description":"d"}]})", Failure{ErrorKind::dataCorrupted, "violations[0].code"}},
        {R"({"downloadBlocked":"yes"})", Failure{ErrorKind::typeMismatch, "downloadBlocked"}},
    });
    EXPECT_EQ(json::encode(MediaRights{std::nullopt, true, std::nullopt}), R"({"downloadBlocked":true})");
}

// Milestones: the 32 milestone-type wire strings, times whose type never fails, lenient
// time lists, start times from the first offset time only, chronological order and the
// occurrences of a type in a dictionary whose keys stay strings.
using Type = Milestone::MilestoneType;
using TimeType = Milestone::MilestoneTimeType;

Milestone milestone(std::string id, std::vector<Milestone::MilestoneTime> times) { return {std::move(id), std::move(times)}; }
Milestone at(std::string id, std::int64_t millis) { return milestone(std::move(id), {{millis, TimeType::offset}}); }

TEST(MilestoneVocabularies, TypesHaveTheirExactWireStringsAndTimeTypesNeverFail) {
    expectWireStrings<Type>({"up_next", "intro_start", "intro_end", "recap_start", "recap_end", "tag_start", "tag_end",
                             "clip_start", "clip_end", "thumbnail_frame", "BROADCAST_START", "BROADCAST_END", "FFOC",
                             "LFOC", "FFTC", "LFTC", "FFOI", "LFOI", "FFOB", "LFOB", "FFEC", "LFEC", "FFMC", "LFMC",
                             "FFER", "LFER", "FFEI", "LFEI", "FFUN", "LFUN", "FFCB", "LFCB"});
    // Case-sensitive, and the ratings-slate and next-preview codes do not follow the case names.
    expectRejected<Type>({"ffec", "UP_NEXT", "broadcast_start", "FFRS", "FFNP", "upNext", ""});

    expectWireStrings<TimeType>({"offset", "unknown"});
    for (const char* text : {R"("OFFSET")", R"("chapter")", R"("")", "0", "true", "null", "{}", "[]"})
        EXPECT_EQ(json::decode<TimeType>(text), TimeType::unknown) << text;
    // Constructing from a raw value stays strict.
    EXPECT_EQ(json::fromWireString<TimeType>("unknown"), TimeType::unknown);
    EXPECT_EQ(json::fromWireString<TimeType>("Offset"), std::nullopt);
}

TEST(Milestone, DecodesWithFailingTimesDroppedAndFailsWithoutIdOrTimes) {
    expectDecodes<Milestone>({
        {R"({"id":"m","milestoneTime":[{"startMillis":5,"type":"offset"}]})", at("m", 5)},
        // The type key must be there, but any value reads (a non-offset one as unknown).
        {R"({"id":"m","milestoneTime":[{"startMillis":1,"type":null},{"startMillis":2,"type":"Offset"}]})",
         milestone("m", {{1, TimeType::unknown}, {2, TimeType::unknown}})},
        // Times without "type", without or with a non-integer "startMillis" are dropped, in order.
        {R"({"id":"m","milestoneTime":[{"startMillis":1},{"type":"offset"},{"startMillis":"3","type":"offset"},)"
         R"({"startMillis":4.5,"type":"offset"},{"startMillis":6,"type":"offset"},{"startMillis":-7,"type":"unknown"}]})",
         milestone("m", {{6, TimeType::offset}, {-7, TimeType::unknown}})},
        {R"({"id":"m","milestoneTime":[]})", milestone("m", {})},
        {R"({"id":"m","milestoneTime":{}})", Failure{ErrorKind::typeMismatch, "milestoneTime"}},
    });
    expectKeysRequired<Milestone>(JsonValue::parse(R"({"id":"m","milestoneTime":[]})"));
    json::Diagnostics diagnostics;
    json::decode<Milestone>(R"({"id":"m","milestoneTime":[{"startMillis":1},{"startMillis":2,"type":"offset"}]})", {},
                            &diagnostics);
    EXPECT_EQ(eachOf(diagnostics.entries(), &json::Diagnostic::path), std::vector<std::string>{"milestoneTime[0]"});
}

TEST(Milestone, StartsAtItsFirstOffsetTimeOnlyAndOnlyTimedOnesSortChronologically) {
    const struct { Milestone milestone; std::optional<std::int64_t> millis; std::optional<double> seconds; } rows[] = {
        {milestone("m", {{100, TimeType::unknown}, {200, TimeType::offset}}), 200, 0.2},
        {milestone("m", {{1500, TimeType::offset}, {900, TimeType::offset}}), 1500, 1.5},
        {milestone("m", {{0, TimeType::offset}}), 0, 0.0},
        {milestone("m", {{100, TimeType::unknown}}), std::nullopt, std::nullopt},
        {milestone("m", {}), std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(json::encode(row.milestone));
        EXPECT_EQ(row.milestone.startMilliseconds(), row.millis);
        EXPECT_EQ(row.milestone.startSeconds(), row.seconds);
    }
    const std::vector<Milestone> list = {at("late", 9000), milestone("untimed", {{50, TimeType::unknown}}),
                                         at("early", 1000), milestone("empty", {}), at("middle", 5000)};
    EXPECT_EQ(eachOf(chronological(list), &Milestone::id), (std::vector<std::string>{"early", "middle", "late"}));
    EXPECT_TRUE(chronological({milestone("empty", {})}).empty());
}

TEST(MilestoneDictionary, FindsMilestonesByTypeAndTheirFirstAndLatestOccurrence) {
    const auto dictionary = json::decode<MilestoneDictionary>(testData("playback/milestones.json"), json::DecoderSettings::iso8601());
    // Keys that name no type stay, reachable by their string; a dictionary writes back its keys.
    EXPECT_NE(dictionary.find("ffec"), nullptr);
    EXPECT_NE(dictionary.find("chapter_start"), nullptr);
    EXPECT_EQ(JsonValue::parse(json::encode(dictionary)), JsonValue::parse(testData("playback/milestones.json")));

    EXPECT_EQ(eachOf(milestones(dictionary, Type::introStart), &Milestone::id), (std::vector<std::string>{"i9", "i1", "i5"}));
    EXPECT_EQ(firstOccurrence(dictionary, Type::introStart), at("i1", 1000));
    EXPECT_EQ(latestOccurrence(dictionary, Type::introStart), at("i9", 9000));
    // "ffec" is not FFEC: no list, no occurrences.
    EXPECT_TRUE(milestones(dictionary, Type::firstFrameOfEndCredits).empty());
    EXPECT_EQ(firstOccurrence(dictionary, Type::firstFrameOfEndCredits), std::nullopt);
    EXPECT_EQ(latestOccurrence(dictionary, Type::firstFrameOfEndCredits), std::nullopt);
    // A list whose milestones have no offset time is returned, but has no occurrence.
    EXPECT_EQ(milestones(dictionary, Type::upNext).size(), 2u);
    EXPECT_EQ(firstOccurrence(dictionary, Type::upNext), std::nullopt);
    EXPECT_EQ(latestOccurrence(dictionary, Type::upNext), std::nullopt);
    // On equal start times the occurrences are the ends of `chronological`, whatever its tie order.
    const auto& tied = milestones(dictionary, Type::recapStart);
    EXPECT_EQ(firstOccurrence(dictionary, Type::recapStart), chronological(tied).front());
    EXPECT_EQ(latestOccurrence(dictionary, Type::recapStart), chronological(tied).back());

    // A milestone that fails fails the dictionary; a time that fails is only dropped.
    EXPECT_EQ(decodeFailure<MilestoneDictionary>(R"({"FFEC":[{"id":"a","milestoneTime":[]},{"milestoneTime":[]}]})").path(),
              "FFEC[1].id");
}

// The legacy up next: its two vocabularies (one hyphenated, one not), the decision table row by
// row with its errors, the one logged case and its description, and the keys a response needs.
const auto iso = json::DecoderSettings::iso8601();

// A response of `type`, with items of the given program types (none when empty) and `videos`
// candidate videos "v1", "v2"...
UpNextResponse response(const std::string& type, const std::string& from, const std::string& to, int videos = 2) {
    std::string list;
    for (int i = 1; i <= videos; ++i) {
        if (i > 1) list += ',';
        list += R"({"contentId":"v)" + std::to_string(i) + R"(","contentType":"full","programType":"episode","mediaMetadata":{}})";
    }
    std::string json = R"({"upNextType":")" + type + R"(","video":{"meta":{},"videos":[)" + list + "]}";
    if (!from.empty()) json += R"(,"itemFrom":{"programType":")" + from + R"("})";
    if (!to.empty()) json += R"(,"itemTo":{"programType":")" + to + R"("})";
    return json::decode<UpNextResponse>(json + R"(,"parentItemTo":{"encodedSeriesId":"ES"},"experimentToken":"x"})", iso);
}

TEST(UpNextTest, VocabularyWireStringsAndTheDecisionTableRowByRow) {
    expectClosedVocabulary<UpNextType>({"sequential", "recommendation", "sneak-peek", "stop"}, {"sneakpeek", "Stop", "sneak_peek"});
    expectClosedVocabulary<UpNextContentType>({"movie", "nextEpisode", "newSeries", "sneakpeek", "extra", "sports"},
                                              {"sneak-peek", "next_episode"});
    using Expected = std::variant<UpNextContentType, UpNextError>;
    using enum UpNextContentType;
    const struct { std::string type, from, to; int videos; Expected expected; std::string logged; } rows[] = {
        {"sequential", "episode", "episode", 2, nextEpisode, ""},
        {"sequential", "", "episode", 2, UpNextError::unsupportedType, "UpNextResponse [sequential] unknown \u2192 episode"},
        {"sequential", "movie", "episode", 2, UpNextError::unsupportedType, "UpNextResponse [sequential] movie \u2192 episode"},
        {"sequential", "episode", "short-form", 2, UpNextError::unsupportedType,
         "UpNextResponse [sequential] episode \u2192 short-form"},
        {"sequential", "episode", "", 2, UpNextError::itemToMissing, ""},
        {"recommendation", "", "episode", 2, newSeries, ""}, {"recommendation", "episode", "movie", 2, movie, ""},
        {"recommendation", "", "supplement", 2, extra, ""}, {"recommendation", "", "promotional", 2, extra, ""},
        {"recommendation", "", "short-form", 2, movie, ""}, {"recommendation", "", "sports", 2, sports, ""},
        {"recommendation", "", "other", 2, movie, ""},
        {"recommendation", "", "live", 2, movie, ""},  // an unknown program type reads as other
        {"recommendation", "", "", 2, UpNextError::itemToMissing, ""},
        {"sneak-peek", "sports", "movie", 2, sneakpeek, ""}, {"sneak-peek", "", "", 2, UpNextError::itemToMissing, ""},
        {"stop", "episode", "episode", 2, UpNextError::noUpNext, ""}, {"stop", "", "", 0, UpNextError::noUpNext, ""},
        {"sequential", "episode", "episode", 0, UpNextError::videoMissing, ""},
        {"recommendation", "", "movie", 0, UpNextError::videoMissing, ""},
    };
    for (const auto& row : rows) {
        const auto r = response(row.type, row.from, row.to, row.videos);
        SCOPED_TRACE(r.description() + " with " + std::to_string(row.videos) + " videos");
        LogCapture capture;
        const auto result = UpNext::from(r);
        if (const auto* contentType = std::get_if<UpNextContentType>(&row.expected)) {
            ASSERT_TRUE(result.isLeft());
            const UpNext& upNext = result.left();
            EXPECT_EQ(upNext.contentType, *contentType);
            EXPECT_EQ(upNext.video.contentId, "v1");  // the first candidate
            EXPECT_EQ(upNext.itemTo, r.itemTo);
            EXPECT_EQ(upNext.parentItemTo, r.parentItemTo);
            EXPECT_EQ(upNext.experimentToken, "x");
        } else {
            ASSERT_TRUE(result.isRight());
            EXPECT_EQ(result.right(), std::get<UpNextError>(row.expected));
        }
        const auto entries = capture.entries();
        EXPECT_EQ(eachOf(entries, &LogEntry::message),
                  row.logged.empty() ? std::vector<std::string>{} : std::vector{"Could not determine upnext type: " + row.logged});
        for (const auto& entry : entries) {
            EXPECT_EQ(entry.category, LogCategory::content);
            EXPECT_EQ(entry.level, LogLevel::error);
        }
    }
    EXPECT_EQ(response("sneak-peek", "episode", "movie").description(), "UpNextResponse [sneakpeek] episode \u2192 movie");
}

TEST(UpNextTest, ResponseNeedsTypeVideoAndItemProgramTypesAndRoundTrips) {
    JsonValue full = JsonValue::parse(
        R"({"upNextType":"recommendation","video":{"meta":{"hits":1},"videos":[]},"itemTo":{"programType":"movie",)"
        R"("programSource":{"image":{"tile":{"1.78":{"program":{"default":{"url":"u","masterId":"m"}}}}}}},)"
        R"("parentItemTo":{"currentAvailability":{"appears":"2026-03-01T00:00:00Z"},"encodedSeriesId":"ES"}})");
    const auto decoded = json::decode<UpNextResponse>(full.dump(), iso);
    EXPECT_EQ(decoded.parentItemTo->currentAvailability->appears, parseIso8601("2026-03-01T00:00:00Z"));
    EXPECT_FALSE(decoded.itemTo->programSource->image().empty());
    EXPECT_EQ(JsonValue::parse(json::encode(decoded, json::EncoderSettings::iso8601())), full);
    expectKeysRequired<UpNextResponse>(full, {"upNextType", "video"});
    full["itemTo"].erase("programType");
    EXPECT_EQ(decodeFailure<UpNextResponse>(full.dump()).path(), "itemTo.programType");
}

// Metadata descriptors: the role, release-type, metastring-key and audio-visual vocabularies,
// which fields are required, optional, lenient or defaulted, the cache keys of rendered rating
// images, emptiness of a rating and the release look-ups.
using ReleaseType = Release::ReleaseType;

TEST(MetadataDescriptorsTest, VocabularyWireStrings) {
    expectClosedVocabulary<ParticipantRole>({"Actor", "Executive", "Producer", "Director", "Directed By", "Creator", "Created By"},
                                            {"actor", "Writer", "Directed by", "Director ", ""});
    expectOpenVocabulary<ReleaseTypeCase, ReleaseType>({"original", "broadcast"}, {"dvd", "Original", "", "broadcast "});
    expectWireStrings<MetastringParts::Keys>({"genres", "audioVisual", "ratingInfo", "premiereDate", "runtime",
                                              "seasonsAvailable", "location", "sportsLeague", "releaseYearRange"});
    expectWireStrings<AudioVisualValue>({"closed_captions", "audio_description", "dolby_20", "dolby_51", "dolby_71",
                                         "dolby_atmos", "dolby_vision", "hdr_10", "hdr_10_plus", "hdr",
                                         "imax_enhanced", "tcm", "uhd48", "uhd", "hd", "sd", "three_dimensional"});
    expectRejected<AudioVisualValue>({"hdr10", "UHD", "HD", "uhd_48", "3d", "dolby_vision_iq"});
}

TEST(MetadataDescriptorsTest, ParticipantRolesGroupAndRawStringsOutsideTheSevenAreNoRole) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"Actor", "Actor"}, {"Executive", "Executive"}, {"Producer", "Producer"}, {"Director", "Director"},
        {"Directed By", "Director"}, {"Creator", "Creator"}, {"Created By", "Creator"},
        {"Writer", ""}, {"directed by", ""}, {"", ""}};
    for (const auto& [raw, group] : rows) {
        const auto role = participantRole(raw);
        EXPECT_EQ(role ? value(*role) : std::string_view(), group) << raw;
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
        {"{}", Availability{std::nullopt, true}}, {R"({"region":"US","kidsMode":null})", Availability{"US", true}},
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
    });
    expectKeysRequired<RatingInfo>(JsonValue::parse(R"({"rating":{"text":"TV-14"},"advisories":[]})"));
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
    for (const double size : {std::nan(""), std::numeric_limits<double>::infinity(), 9.3e18, -9.3e18})
        EXPECT_THROW((ExploreAdvisory{"", ""}).cacheKey(size, true), std::invalid_argument) << size;

    EXPECT_EQ((AdvisoryKey{std::string(AdvisoryKey::smokingDisclaimer), "US"}).cacheKey(24.2), "smoking_disclaimer_US_24");
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
    JsonValue reversed = JsonValue::object();
    for (auto part = inOrder.rbegin(); part != inOrder.rend(); ++part) reversed[part.key()] = part.value();
    const auto parts = json::decode<MetastringParts>(reversed.dump());
    EXPECT_EQ(json::encode(parts), full);
    EXPECT_EQ(parts.seasonsAvailable, "3 Seasons");
    EXPECT_EQ(parts.premiereDate, (MetastringPremiereDate{"Fri", "Friday"}));
    expectDecodes<MetastringParts>({{R"({"runtime":{"runtimeMs":1.5}})", Failure{ErrorKind::dataCorrupted, "runtime.runtimeMs"}},
                                    {R"({"location":"Lisbon"})", Failure{ErrorKind::typeMismatch, "location"}}});
}

}  // namespace
}  // namespace vorlane
