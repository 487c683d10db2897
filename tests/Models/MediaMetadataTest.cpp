// Media metadata, tracks, media rights and audio-visual flags: wire strings, the
// field-by-field lenient decoding of the media metadata, the classes of audio-visual values and
// the playback setting facets imply.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/VideoFormat.hpp"
#include "vorlane/Models/Playback/AudioVisual.hpp"
#include "vorlane/Models/Playback/MediaMetadata.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

MediaMetadata withCaptions(std::vector<Caption> captions) {
    MediaMetadata m;
    m.captions = std::move(captions);
    return m;
}

TEST(MediaVocabularies, EveryCaseHasItsExactWireStringAndClosedOnesRejectOthers) {
    expectWireStrings<TextTrackType>({"NORMAL", "FORCED", "SDH", "CC"});
    expectRejected<TextTrackType>({"sdh", "SUBTITLES"});
    expectWireStrings<AudioFeature>({"dolby_atmos", "dolby_71", "dolby_51", "dolby_20"});
    expectRejected<AudioFeature>({"dolbyAtmos", "dolby_5.1"});
    expectWireStrings<AudioTrackType>({"PRIMARY", "NARRATION"});
    expectRejected<AudioTrackType>({"primary", "DESCRIPTIVE"});
    expectWireStrings<MediaRightsMessage::ErrorCode>({"blackout", "no_entitlement"});
    expectRejected<MediaRightsMessage::ErrorCode>({"noEntitlement"});
    expectWireStrings<PlaybackSettingType>({"fourByThreeAspectRatio"});
    expectWireStrings<AudioVisualValue>({"closed_captions", "audio_description", "dolby_20", "dolby_51", "dolby_71",
                                         "dolby_atmos", "dolby_vision", "hdr_10", "hdr_10_plus", "hdr",
                                         "imax_enhanced", "tcm", "uhd48", "uhd", "hd", "sd", "three_dimensional"});
    expectRejected<AudioVisualValue>({"hdr10", "HD", "uhd_48", "3d"});
}

TEST(MediaVocabularies, VideoFormatsAndFeaturesKeepAnyStringAndRejectOtherValues) {
    for (const char* text : {"hdr", "Dolby Vision", ""}) {
        EXPECT_EQ(json::decode<VideoFormat>(quoted(text)).rawValue, text);
        EXPECT_EQ(json::encode(json::decode<VideoFeature>(quoted(text))), quoted(text));
    }
    EXPECT_EQ(decodeFailure<VideoFormat>("4").kind(), ErrorKind::typeMismatch);
    EXPECT_EQ(decodeFailure<VideoFeature>("null").kind(), ErrorKind::valueNotFound);
}

TEST(AudioVisualValue, ClassesAreExactlyTheListedValues) {
    struct Class {
        const char* name;
        bool (*holds)(AudioVisualValue) noexcept;
        std::vector<std::string_view> members;
    };
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
    MediaMetadata sdhOnly = withCaptions({{"en", TextTrackType::sdh}});
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
        {R"({"runtimeMillis":"2640000"})", MediaMetadata::empty},
        {R"({"runtimeMillis":1.5})", MediaMetadata::empty},
        {R"({"runtimeMillis":null})", MediaMetadata::empty},
        {R"({"runtimeMillis":2640000})", runtime},
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
    const struct {
        std::vector<std::string> labels;
        std::vector<PlaybackSettingType> expected;
    } rows[] = {
        {{"ImageAspectRatio=133"}, fourByThree},
        {{"HDR", "ImageAspectRatio=133", "ImageAspectRatio=133"}, fourByThree},
        {{"imageaspectratio=133"}, {}},
        {{"ImageAspectRatio=1333"}, {}},
        {{" ImageAspectRatio=133"}, {}},
        {{"ImageAspectRatio=178"}, {}},
        {{}, {}},
    };
    for (const auto& row : rows) {
        std::vector<MetadataFacet> facets;
        for (const auto& label : row.labels) facets.push_back({label});
        EXPECT_EQ(settingsTypes(facets), row.expected) << json::encode(facets);
    }
    EXPECT_EQ(PlaybackURL("https://playback.invalid/m.m3u8").rel, "video");
    EXPECT_EQ(PlaybackURL("h", "thumbnails").rel, "thumbnails");
}

TEST(AudioVisual, DropsBadgesItCannotReadAndRequiresItsFlags) {
    const AudioVisualFlags vision{AudioVisualValue::dolbyVision, "badge-dv", "Dolby Vision"};
    const std::string visionJson = R"({"value":"dolby_vision","imageId":"badge-dv","tts":"Dolby Vision"})";
    expectDecodes<AudioVisual>({
        {R"({"flags":[)" + visionJson + R"(,{"value":"dolby_vision_iq","imageId":"x","tts":"x"}]})", AudioVisual{{vision}}},
        {R"({"flags":[{"value":"hd","imageId":"badge-hd"},)" + visionJson + "]}", AudioVisual{{vision}}},
        {R"({"flags":[]})", AudioVisual{}},
        {"{}", Failure{ErrorKind::keyNotFound, "flags"}},
    });
    expectDecodes<LabeledAudioVisual>({
        {R"({"label":"Formats","flags":[)" + visionJson + ",7]}", LabeledAudioVisual{"Formats", {vision}}},
        {R"({"flags":[]})", Failure{ErrorKind::keyNotFound, "label"}},
        {R"({"label":"Formats"})", Failure{ErrorKind::keyNotFound, "flags"}},
    });
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

}  // namespace
}  // namespace vorlane
