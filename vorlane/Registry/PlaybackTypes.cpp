// The decodable types of the playback metadata: milestones, media metadata, tracks, media rights
// and audio-visual flags, and the two open values of the video that the media metadata reads.
//
// Lists and the milestone dictionary are registered where the model gives them members of their
// own: `[Milestone]` (chronological) and `[MetadataFacet]` (settingsTypes) are named as the model
// writes those lists; the dictionary is "MilestoneDictionary" (its queries all take a type).

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/VideoFormat.hpp"
#include "vorlane/Models/Playback/AudioVisual.hpp"
#include "vorlane/Models/Playback/MediaMetadata.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Models/Playback/Milestone.hpp"

namespace vorlane {

void registerPlaybackTypes(std::vector<DecodableType>& types) {
    using registration::derived;
    using Milestones = std::vector<Milestone>;
    using Facets = std::vector<MetadataFacet>;
    using AVValue = AudioVisualValue;
    types.insert(types.end(), {
        // Milestones
        REGISTER(Milestone, "Milestone", legacy,
                 derived<Milestone>("startMilliseconds", &Milestone::startMilliseconds),
                 derived<Milestone>("startSeconds", &Milestone::startSeconds)),
        REGISTER(Milestone::MilestoneTime, "Milestone.MilestoneTime", legacy),
        REGISTER(Milestone::MilestoneTimeType, "Milestone.MilestoneTimeType", legacy),
        REGISTER(Milestone::MilestoneType, "Milestone.MilestoneType", legacy),
        REGISTER(std::vector<Milestone>, "[Milestone]", legacy,
                 derived<Milestones>("chronological", [](const Milestones& list) { return chronological(list); })),
        REGISTER(MilestoneDictionary, "MilestoneDictionary", legacy),

        // Media metadata and tracks
        REGISTER(MediaMetadata, "MediaMetadata", legacy),
        REGISTER(MetadataFacet, "MetadataFacet", legacy),
        REGISTER(std::vector<MetadataFacet>, "[MetadataFacet]", legacy,
                 derived<Facets>("settingsTypes", [](const Facets& facets) { return settingsTypes(facets); })),
        REGISTER(PlaybackSettingType, "PlaybackSettingType", legacy),
        REGISTER(PlaybackURL, "PlaybackURL", legacy),
        REGISTER(Caption, "Caption", legacy),
        REGISTER(TextTrackType, "TextTrackType", legacy),
        REGISTER(AudioTrack, "AudioTrack", legacy),
        REGISTER(AudioFeature, "AudioFeature", legacy),
        REGISTER(AudioTrackType, "AudioTrackType", legacy),
        REGISTER(VideoFormat, "VideoFormat", legacy),
        REGISTER(VideoFeature, "VideoFeature", legacy),

        // Media rights
        REGISTER(MediaRights, "MediaRights", legacy),
        REGISTER(MediaRightsMessage, "MediaRightsMessage", legacy),
        REGISTER(MediaRightsMessage::ErrorCode, "MediaRightsMessage.ErrorCode", legacy),

        // Audio-visual flags
        REGISTER(AudioVisualValue, "AudioVisualValue", legacy,
                 derived<AVValue>("isAccessibilityFeature", [](AVValue v) { return isAccessibilityFeature(v); }),
                 derived<AVValue>("isAudioFeature", [](AVValue v) { return isAudioFeature(v); }),
                 derived<AVValue>("isVideoFeature", [](AVValue v) { return isVideoFeature(v); }),
                 derived<AVValue>("isEnhancedVideoFeature", [](AVValue v) { return isEnhancedVideoFeature(v); }),
                 derived<AVValue>("isMediaFormat", [](AVValue v) { return isMediaFormat(v); })),
        REGISTER(AudioVisualFlags, "AudioVisualFlags", legacy),
        REGISTER(AudioVisual, "AudioVisual", legacy),
        REGISTER(LabeledAudioVisual, "LabeledAudioVisual", legacy),
    });
}

}  // namespace vorlane
