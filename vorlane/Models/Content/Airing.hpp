#pragma once
// One scheduled or live showing of a program on a linear channel or as a live event, often a
// sports event, as the legacy content API returns it in program bundles, live-now maps and the
// live-and-upcoming episodes answer; with the small records those answers wrap airings in.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/Channel.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Models/Content/Family.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Sports.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Content/VideoKinds.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"
#include "vorlane/Models/Playback/MediaMetadata.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Models/Playback/Milestone.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct CustomMediaLocationTag {
    std::optional<std::string> key;
    std::optional<std::string> val;
    bool operator==(const CustomMediaLocationTag&) const = default;
};

inline auto jsonFields(json::Tag<CustomMediaLocationTag>) {
    using namespace json::rules;
    using S = CustomMediaLocationTag;
    return fields(optional("key", &S::key), optional("val", &S::val));
}

// Where a partner serves an airing from outside the usual playback links.
struct CustomMediaLocation {
    std::optional<std::string> location;
    std::optional<std::string> locationParams;
    std::optional<std::vector<CustomMediaLocationTag>> tags;  // strict: one bad tag fails the location
    bool operator==(const CustomMediaLocation&) const = default;
};

inline auto jsonFields(json::Tag<CustomMediaLocation>) {
    using namespace json::rules;
    using S = CustomMediaLocation;
    return fields(optional("location", &S::location), optional("locationParams", &S::locationParams),
                  optional("tags", &S::tags));
}

// What the live-now provider keeps per channel: when the airing runs, what plays and where the
// event stands.
struct AiringState {
    std::optional<std::string> startDate;
    std::optional<std::string> endDate;
    MediaMetadata mediaMetadata;
    EventState eventState = EventState::none;
    bool operator==(const AiringState&) const = default;
};

inline auto jsonFields(json::Tag<AiringState>) {
    using namespace json::rules;
    using S = AiringState;
    return fields(optional("startDate", &S::startDate),
                  optional("endDate", &S::endDate),
                  required("mediaMetadata", &S::mediaMetadata),
                  defaulted("eventState", &S::eventState, EventState::none));
}

// Dates and times are kept as the strings the answer sends.
struct Airing {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::airing;

    std::optional<std::string> airingId;
    std::optional<CallToAction> callToAction;
    std::optional<Channel> channel;
    std::string contentId;
    VideoContentType contentType = VideoContentType::full;
    std::optional<bool> createHighlights;
    std::optional<std::vector<CustomMediaLocation>> customMediaLocations;
    std::optional<std::string> mepoContentId;
    std::optional<std::string> endDate;
    std::optional<std::string> episodeNumber;
    std::optional<std::int64_t> episodeSequenceNumber;
    std::optional<std::int64_t> episodeSeriesSequenceNumber;
    std::optional<SportEvent> event;
    std::string eventId;
    std::optional<EventState> eventState;
    std::optional<std::string> expires;
    std::optional<Family> family;
    std::optional<std::string> feedSubType;
    std::optional<std::string> feedType;
    ImageMap image;
    std::optional<std::string> internalTitle;
    std::optional<LeagueData> league;
    std::optional<bool> linear;
    std::optional<bool> liveBroadcast;
    MediaMetadata mediaMetadata;
    std::optional<MediaRights> mediaRights;
    MilestoneDictionary milestones;
    std::optional<std::string> partnerProgramId;
    std::optional<std::vector<std::string>> presentationContexts;
    std::optional<std::string> programId;
    VideoProgramType programType = VideoProgramType::other;
    std::optional<std::string> scheduledEndDate;
    std::optional<SeriesType> seriesType;
    std::optional<std::string> seriesId;
    std::optional<SportData> sport;
    std::optional<EncodedIdentifier> encodedSeriesId;
    std::optional<std::vector<Rating>> ratings;
    std::optional<std::string> runTime;
    std::int64_t runtimeMillis = 0;
    std::optional<std::string> seasonId;
    std::optional<std::string> seasonNumber;
    std::optional<std::int64_t> seasonSequenceNumber;
    std::optional<std::string> startDate;
    std::optional<std::string> targetLanguage;
    TextMap texts;
    std::vector<VideoArtwork> videoArtwork;
    std::optional<std::vector<ActionCoder>> actionCoders;

    // The link the player opens: on a linear airing the first whose rel mentions "linear", on any
    // other the first whose rel mentions "event"; failing that the first link, and "" without any.
    std::string playbackUrl() const;
    // When, what and how far along, for airings that report where their event stands.
    std::optional<AiringState> airingState() const;
    // Airings are deep-linked through their series only.
    std::optional<ExploreDeeplinkParams> exploreDeeplinkParams() const;

    bool operator==(const Airing&) const = default;
};

// Absent optionals are omitted; texts, images, milestones, artwork and the runtime are always written.
inline auto jsonFields(json::Tag<Airing>) {
    using namespace json::rules;
    using S = Airing;
    return fields(optional("airingId", &S::airingId),
                  optional("callToAction", &S::callToAction),
                  optional("channel", &S::channel),
                  required("contentId", &S::contentId),
                  required("contentType", &S::contentType),
                  optional("createHighlights", &S::createHighlights),
                  optional("customMediaLocations", &S::customMediaLocations),
                  optional("mepoContentId", &S::mepoContentId),
                  optional("endDate", &S::endDate),
                  optional("episodeNumber", &S::episodeNumber),
                  optional("episodeSequenceNumber", &S::episodeSequenceNumber),
                  optional("episodeSeriesSequenceNumber", &S::episodeSeriesSequenceNumber),
                  optional("event", &S::event),
                  required("eventId", &S::eventId),
                  optional("eventState", &S::eventState),
                  optional("expires", &S::expires),
                  optional("family", &S::family),
                  optional("feedSubType", &S::feedSubType),
                  optional("feedType", &S::feedType),
                  defaulted("image", &S::image),
                  optional("internalTitle", &S::internalTitle),
                  optional("league", &S::league),
                  optional("linear", &S::linear),
                  optional("liveBroadcast", &S::liveBroadcast),
                  required("mediaMetadata", &S::mediaMetadata),
                  optional("mediaRights", &S::mediaRights),
                  defaulted("milestone", &S::milestones),
                  optional("partnerProgramId", &S::partnerProgramId),
                  optional("presentationContexts", &S::presentationContexts),
                  optional("programId", &S::programId),
                  required("programType", &S::programType),
                  optional("scheduledEndDate", &S::scheduledEndDate),
                  optional("seriesType", &S::seriesType),
                  optional("seriesId", &S::seriesId),
                  optional("sport", &S::sport),
                  optional("encodedSeriesId", &S::encodedSeriesId),
                  optional("ratings", &S::ratings),
                  optional("runTime", &S::runTime),
                  defaulted("runtimeMillis", &S::runtimeMillis),
                  optional("seasonId", &S::seasonId),
                  optional("seasonNumber", &S::seasonNumber),
                  optional("seasonSequenceNumber", &S::seasonSequenceNumber),
                  optional("startDate", &S::startDate),
                  optional("targetLanguage", &S::targetLanguage),
                  defaulted("text", &S::texts),
                  lenient("videoArt", &S::videoArtwork, Missing::empty),
                  lenientIfPresent("actions", &S::actionCoders));
}

inline auto jsonDerived(json::Tag<Airing>) {
    using namespace json::derived;
    return members(member("playbackUrl", &Airing::playbackUrl),
                   member("airingState", &Airing::airingState),
                   member("exploreDeeplinkParams", &Airing::exploreDeeplinkParams));
}

// Its browse action is the first of its actions that browses somewhere.
template <>
inline constexpr bool providesBrowseAction<Airing> = true;

// The live-and-upcoming episodes answer. Airings that fail to decode are dropped from the lists.
struct LiveEpisodes {
    std::optional<Airing> featuredEpisode;
    std::vector<Airing> alternateEpisodes;
    std::vector<Airing> liveAndUpcomingEpisodes;
    bool operator==(const LiveEpisodes&) const = default;
};

// Read under the answer's short keys, written under the field names.
inline auto jsonFields(json::Tag<LiveEpisodes>) {
    using namespace json::rules;
    using S = LiveEpisodes;
    return fields(writtenAs("featuredEpisode", optional("episode", &S::featuredEpisode)),
                  writtenAs("alternateEpisodes", lenient("altEpisodes", &S::alternateEpisodes, Missing::empty)),
                  writtenAs("liveAndUpcomingEpisodes", lenient("episodes", &S::liveAndUpcomingEpisodes, Missing::empty)));
}

// A later showing of a program, listed in its bundle.
struct UpcomingAiring {
    std::string startDate;
    std::string endDate;
    std::optional<Channel> channel;
    bool operator==(const UpcomingAiring&) const = default;
};

inline auto jsonFields(json::Tag<UpcomingAiring>) {
    using namespace json::rules;
    using S = UpcomingAiring;
    return fields(required("startDate", &S::startDate), required("endDate", &S::endDate), optional("channel", &S::channel));
}

// A program with its videos and airings. Elements of the lists that fail to decode are dropped;
// an absent list is empty.
struct ProgramBundle {
    std::optional<Video> video;
    std::vector<Video> videos;
    std::optional<Airing> airing;
    std::vector<Airing> airings;
    std::vector<UpcomingAiring> upcomingAirings;
    bool operator==(const ProgramBundle&) const = default;
};

inline auto jsonFields(json::Tag<ProgramBundle>) {
    using namespace json::rules;
    using S = ProgramBundle;
    return fields(optional("video", &S::video),
                  lenient("videos", &S::videos, Missing::empty),
                  optional("airing", &S::airing),
                  lenient("airings", &S::airings, Missing::empty),
                  lenient("upcomingAirings", &S::upcomingAirings, Missing::empty));
}

// The live-now answer: the state of the airing on each channel, keyed as the answer keys them.
struct AiringsContainer {
    OrderedMap<AiringState> airings;
    bool operator==(const AiringsContainer&) const = default;
};

// Read from "airing" (absent: no airings), written as "airings".
inline auto jsonFields(json::Tag<AiringsContainer>) {
    using namespace json::rules;
    return fields(writtenAs("airings", defaulted("airing", &AiringsContainer::airings)));
}

// The answer of a query for one airing.
struct AiringContainer {
    Airing airing;
    bool operator==(const AiringContainer&) const = default;
};

inline auto jsonFields(json::Tag<AiringContainer>) {
    using namespace json::rules;
    return fields(required("airing", &AiringContainer::airing));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::CustomMediaLocationTag)
VORLANE_JSON_RECORD(vorlane::CustomMediaLocation)
VORLANE_JSON_RECORD(vorlane::AiringState)
VORLANE_JSON_RECORD(vorlane::Airing)
VORLANE_JSON_RECORD(vorlane::LiveEpisodes)
VORLANE_JSON_RECORD(vorlane::UpcomingAiring)
VORLANE_JSON_RECORD(vorlane::ProgramBundle)
VORLANE_JSON_RECORD(vorlane::AiringsContainer)
VORLANE_JSON_RECORD(vorlane::AiringContainer)
