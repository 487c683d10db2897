// The decodable types of the playback metadata: milestones, media metadata, tracks, media rights
// and audio-visual flags, the two open values of the video that the media metadata reads, and the
// player experience with its answer, disclaimers, rating extras, variants and timeline.
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
#include "vorlane/Models/Playback/PlayerExperience.hpp"
#include "vorlane/Models/Playback/Timeline.hpp"

namespace vorlane {

void registerPlaybackTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        // Milestones
        REGISTER(Milestone, "Milestone", legacy),
        REGISTER(Milestone::MilestoneTime, "Milestone.MilestoneTime", legacy),
        REGISTER(Milestone::MilestoneTimeType, "Milestone.MilestoneTimeType", legacy),
        REGISTER(Milestone::MilestoneType, "Milestone.MilestoneType", legacy),
        REGISTER(std::vector<Milestone>, "[Milestone]", legacy),
        REGISTER(MilestoneDictionary, "MilestoneDictionary", legacy),

        // Media metadata and tracks
        REGISTER(MediaMetadata, "MediaMetadata", legacy),
        REGISTER(MetadataFacet, "MetadataFacet", legacy),
        REGISTER(std::vector<MetadataFacet>, "[MetadataFacet]", legacy),
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
        REGISTER(AudioVisualValue, "AudioVisualValue", legacy),
        REGISTER(AudioVisualFlags, "AudioVisualFlags", legacy),
        REGISTER(AudioVisual, "AudioVisual", legacy),
        REGISTER(LabeledAudioVisual, "LabeledAudioVisual", legacy),

        // Player experience
        REGISTER(PlayerExperience, "PlayerExperience", explore),
        REGISTER(PlayerExperienceResponse, "PlayerExperienceResponse", explore),
        REGISTER(Disclaimer, "Disclaimer", explore),
        REGISTER(RatingAdditionalInfo, "RatingAdditionalInfo", explore),
        REGISTER(PlaybackVariantGrouping, "PlaybackVariantGrouping", explore),
        REGISTER(PlaybackVariant, "PlaybackVariant", explore),
        REGISTER(PlayerTimeline, "PlayerTimeline", explore),
    });
}

}  // namespace vorlane
