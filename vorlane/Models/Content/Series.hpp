#pragma once
// An episodic title of the legacy content API. Its seasons and episodes arrive apart from it (in a
// series bundle, a seasons container, or page by page).

#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct Series {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::series;

    std::string seriesId;
    std::optional<SeriesType> seriesType;
    EncodedIdentifier encodedSeriesId;
    TextMap texts;
    std::optional<CallToAction> callToAction;
    ImageMap image;
    std::vector<VideoArtwork> videoArtwork;
    std::optional<std::int64_t> seasonsMinYear;
    std::optional<std::int64_t> seasonsMaxYear;
    std::optional<std::vector<Release>> releases;
    Availability currentAvailability = noAvailability;
    std::optional<std::vector<TypedGenre>> typedGenres;
    std::optional<ParticipantsByRole> participants;
    std::optional<std::vector<Rating>> ratings;
    std::vector<Family> families;
    std::optional<Family> family;
    MediaMetadata mediaMetadata;
    std::optional<MediaRights> mediaRights;
    std::vector<AdvisoryKey> labels;
    std::optional<EncodedIdentifier> encodedParentOf;
    std::optional<Image::OriginalsBadgeLabel> badging;
    std::optional<std::vector<ActionCoder>> actionCoders;

    const std::string& contentId() const noexcept { return seriesId; }
    sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::contentId(seriesId); }
    std::optional<EncodedIdentifier> encodedFamilyId() const {
        return vorlane::encodedFamilyId(family, families, encodedParentOf);
    }
    std::vector<std::string> genreIds() const { return vorlane::genreIds(typedGenres); }
    // A series is always deep-linked by its encoded series id.
    ExploreDeeplinkParams exploreDeeplinkParams() const {
        return {encodedSeriesId.identifier, ExploreDeeplinkReferenceIdType::encodedSeriesId, std::nullopt};
    }

    // The first of the actions that browses somewhere.
    std::optional<BrowseAction> browseAction() const { return vorlane::browseAction(actionCoders); }

    bool operator==(const Series&) const = default;
};

// Keys are read in the order below; every key is always written, an absent value as null, in the
// written order.
inline auto jsonFields(json::Tag<Series>) {
    using namespace json::rules;
    using S = Series;
    constexpr auto null = Absent::writeNull;
    return fields(required("seriesId", &S::seriesId),
                  optional("seriesType", &S::seriesType, null),
                  required("encodedSeriesId", &S::encodedSeriesId),
                  defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction, null),
                  defaulted("image", &S::image),
                  lenient("videoArt", &S::videoArtwork, Missing::empty),
                  optional("seasonsMinYear", &S::seasonsMinYear, null),
                  optional("seasonsMaxYear", &S::seasonsMaxYear, null),
                  lenientIfPresent("releases", &S::releases, null),
                  defaulted("currentAvailability", &S::currentAvailability, noAvailability),
                  lenientIfPresent("typedGenres", &S::typedGenres, null),
                  optional("participant", &S::participants, null),
                  lenientIfPresent("ratings", &S::ratings, null),
                  lenient("families", &S::families, Missing::empty),
                  optional("family", &S::family, null),
                  required("mediaMetadata", &S::mediaMetadata),
                  optional("mediaRights", &S::mediaRights, null),
                  lenient("labels", &S::labels, Missing::empty),
                  optional("encodedParentOf", &S::encodedParentOf, null),
                  optional("badging", &S::badging, null),
                  lenientIfPresent("actions", &S::actionCoders, null))
        .writtenInOrder({"seriesId", "seriesType", "encodedSeriesId", "text", "callToAction", "image", "videoArt", "seasonsMinYear", "seasonsMaxYear", "releases", "currentAvailability", "typedGenres", "participant", "ratings", "labels", "families", "family", "mediaMetadata", "mediaRights", "encodedParentOf", "badging", "actions"});
}

inline auto jsonDerived(json::Tag<Series>) {
    using namespace json::derived;
    return members(member("encodedFamilyId", &Series::encodedFamilyId),
                   member("genreIds", &Series::genreIds),
                   member("exploreDeeplinkParams", &Series::exploreDeeplinkParams),
                   member("contentReferenceLocator", [](const Series& s) { return ContentReferenceLocator::of(s); }));
}

// Its browse action is the first of its actions that browses somewhere.
template <>
inline constexpr bool providesBrowseAction<Series> = true;

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Series)
