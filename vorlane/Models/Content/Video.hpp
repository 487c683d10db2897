#pragma once
// One playable program of the legacy content API: a movie, an episode, an extra, a trailer, a
// short, a sports replay. Its identity and series links, texts and artwork, ratings, advisories
// and genres, the media metadata the player needs, milestones, people, releases, availability,
// family and group links, and its sports context.

#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/AdvisoryKey.hpp"
#include "vorlane/Models/Content/Availability.hpp"
#include "vorlane/Models/Content/Bookmark.hpp"
#include "vorlane/Models/Content/Channel.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/Credits.hpp"
#include "vorlane/Models/Content/Family.hpp"
#include "vorlane/Models/Content/Genres.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Releases.hpp"
#include "vorlane/Models/Content/Sports.hpp"
#include "vorlane/Models/Content/VideoKinds.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"
#include "vorlane/Models/Playback/MediaMetadata.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Models/Playback/Milestone.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The people of a title by role string ("Actor", "Director", ...), as the content API keys them.
using ParticipantsByRole = OrderedMap<std::vector<Participant>>;

// The availability a record has when the answer gives none: no region, not for kids.
inline const Availability noAvailability{std::nullopt, false};

struct Video {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::video;
    using ContentType = VideoContentType;
    using ProgramType = VideoProgramType;

    // What the service keeps about this video for the user.
    struct Meta {
        std::optional<Bookmark> bookmarkData;
        bool operator==(const Meta&) const = default;
    };

    std::optional<std::string> videoId;
    std::string contentId;
    std::optional<std::string> seasonId;
    std::optional<std::string> seriesId;
    std::optional<SeriesType> seriesType;
    std::optional<EncodedIdentifier> encodedSeriesId;
    std::optional<std::string> internalTitle;
    ContentType contentType = ContentType::full;
    std::optional<Meta> meta;
    TextMap texts;
    std::optional<CallToAction> callToAction;
    std::optional<Channel> channel;  // read, never written
    std::optional<std::string> originalLanguage;
    std::optional<MediaRights> mediaRights;
    ImageMap image;
    std::vector<VideoArtwork> videoArtwork;
    std::optional<std::vector<TypedGenre>> typedGenres;
    std::optional<std::vector<Rating>> ratings;
    std::optional<std::int64_t> episodeSequenceNumber;
    std::optional<std::int64_t> episodeSeriesSequenceNumber;
    std::optional<std::int64_t> seasonSequenceNumber;
    std::optional<std::string> targetLanguage;
    MediaMetadata mediaMetadata;
    std::vector<AdvisoryKey> labels;
    ProgramType programType = ProgramType::other;
    std::optional<ParticipantsByRole> participants;
    std::optional<MilestoneDictionary> milestones;
    std::optional<std::vector<Release>> releases;
    Availability currentAvailability = noAvailability;
    std::vector<Family> families;
    std::optional<Family> family;
    std::optional<EncodedIdentifier> encodedParentOf;
    std::vector<Group> groups;
    std::optional<SportEvent> sportEvent;
    std::optional<Image::OriginalsBadgeLabel> badging;
    std::optional<EventState> eventState;
    std::optional<LeagueData> league;
    std::optional<SportData> sport;
    std::optional<std::vector<ActionCoder>> actionCoders;

    // The id the program bundle and reference locators name this video by: its family's, else the
    // first listed family's, else what it is the parent of.
    std::optional<EncodedIdentifier> encodedFamilyId() const {
        return vorlane::encodedFamilyId(family, families, encodedParentOf);
    }
    sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::contentId(contentId); }
    // The first playback link's address; empty when there is none.
    std::string playbackUrl() const;
    // The partner ids of the typed genres that have one, in order.
    std::vector<std::string> genreIds() const;
    // A sports program or an episode of a studio show: a replay of something that aired.
    bool isAiringReplay() const noexcept {
        return programType == ProgramType::sports || seriesType == SeriesType::studioShow;
    }
    // Sports videos have no deep link; others are named by their series, else by their family.
    std::optional<ExploreDeeplinkParams> exploreDeeplinkParams() const;
    // The first of the actions that browses somewhere.
    std::optional<BrowseAction> browseAction() const { return vorlane::browseAction(actionCoders); }

    bool operator==(const Video&) const = default;
};

inline auto jsonFields(json::Tag<Video::Meta>) {
    using namespace json::rules;
    return fields(optional("bookmarkData", &Video::Meta::bookmarkData));
}

// Keys are read in the order below (which decides the failure reported first). Every key but
// "channel" is always written, an absent value as null, in the written order; so a video read back
// from its own encoding equals it except for the channel.
inline auto jsonFields(json::Tag<Video>) {
    using namespace json::rules;
    using S = Video;
    constexpr auto null = Absent::writeNull;
    return fields(optional("videoId", &S::videoId, null),
                  required("contentId", &S::contentId),
                  defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction, null),
                  readOnly(optional("channel", &S::channel)),
                  optional("originalLanguage", &S::originalLanguage, null),
                  defaulted("image", &S::image),
                  lenient("videoArt", &S::videoArtwork, Missing::empty),
                  optional("seasonId", &S::seasonId, null),
                  optional("seriesId", &S::seriesId, null),
                  optional("encodedSeriesId", &S::encodedSeriesId, null),
                  optional("seriesType", &S::seriesType, null),
                  optional("internalTitle", &S::internalTitle, null),
                  required("contentType", &S::contentType),
                  optional("meta", &S::meta, null),
                  optional("mediaRights", &S::mediaRights, null),
                  lenientIfPresent("typedGenres", &S::typedGenres, null),
                  lenientIfPresent("ratings", &S::ratings, null),
                  optional("episodeSequenceNumber", &S::episodeSequenceNumber, null),
                  optional("episodeSeriesSequenceNumber", &S::episodeSeriesSequenceNumber, null),
                  optional("seasonSequenceNumber", &S::seasonSequenceNumber, null),
                  optional("targetLanguage", &S::targetLanguage, null),
                  required("programType", &S::programType),
                  optional("participant", &S::participants, null),
                  optional("milestone", &S::milestones, null),
                  lenientIfPresent("releases", &S::releases, null),
                  required("mediaMetadata", &S::mediaMetadata),
                  lenient("labels", &S::labels, Missing::empty),
                  defaulted("currentAvailability", &S::currentAvailability, noAvailability),
                  lenient("families", &S::families, Missing::empty),
                  optional("family", &S::family, null),
                  optional("encodedParentOf", &S::encodedParentOf, null),
                  lenient("groups", &S::groups, Missing::empty),
                  optional("event", &S::sportEvent, null),
                  optional("badging", &S::badging, null),
                  optional("eventState", &S::eventState, null),
                  optional("league", &S::league, null),
                  optional("sport", &S::sport, null),
                  lenientIfPresent("actions", &S::actionCoders, null))
        .writtenInOrder({"seriesId", "encodedSeriesId", "seriesType", "videoId", "contentId", "text", "callToAction", "originalLanguage", "image", "videoArt", "seasonId", "internalTitle", "contentType", "meta", "mediaRights", "typedGenres", "ratings", "labels", "episodeSequenceNumber", "episodeSeriesSequenceNumber", "seasonSequenceNumber", "targetLanguage", "programType", "participant", "milestone", "releases", "mediaMetadata", "currentAvailability", "families", "family", "encodedParentOf", "groups", "event", "badging", "eventState", "league", "sport", "actions"});
}

inline auto jsonDerived(json::Tag<Video>) {
    using namespace json::derived;
    return members(member("encodedFamilyId", &Video::encodedFamilyId),
                   member("playbackUrl", &Video::playbackUrl),
                   member("genreIds", &Video::genreIds),
                   member("isAiringReplay", &Video::isAiringReplay),
                   member("exploreDeeplinkParams", &Video::exploreDeeplinkParams),
                   member("contentReferenceLocator", [](const Video& v) { return ContentReferenceLocator::of(v); }));
}

// Its browse action is the first of its actions that browses somewhere.
template <>
inline constexpr bool providesBrowseAction<Video> = true;

// The partner ids of the typed genres that have one, in order (shared by videos and series).
std::vector<std::string> genreIds(const std::optional<std::vector<TypedGenre>>& typedGenres);

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Video::Meta)
VORLANE_JSON_RECORD(vorlane::Video)
