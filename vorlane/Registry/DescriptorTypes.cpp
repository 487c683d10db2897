// The decodable types of the metadata descriptors: ratings and advisories, advisory labels,
// availability, genres, durations, releases, credits and participants, network attribution and the
// parts of a title's metadata string (with the audio-visual badges those parts hold).

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

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
#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

void registerDescriptorTypes(std::vector<DecodableType>& types) {
    using json::OpenEnum;
    types.insert(types.end(), {
        // Ratings and advisory labels
        REGISTER(Rating, "Rating", legacy),
        REGISTER(ExploreRating, "ExploreRating", explore),
        REGISTER(ExploreAdvisory, "ExploreAdvisory", explore),
        REGISTER(RatingInfo, "RatingInfo", explore),
        REGISTER(LabeledRatingInfo, "LabeledRatingInfo", explore),
        REGISTER(LabeledContentAdvisory, "LabeledContentAdvisory", explore),
        REGISTER(AdvisoryKey, "AdvisoryKey", legacy),
        REGISTER(Availability, "Availability", legacy),

        // Genres, durations and releases
        REGISTER(Genres, "Genres", explore),
        REGISTER(LabeledGenres, "LabeledGenres", explore),
        REGISTER(TypedGenre, "TypedGenre", legacy),
        REGISTER(Duration, "Duration", explore),
        REGISTER(LabeledDuration, "LabeledDuration", explore),
        REGISTER(Release, "Release", legacy),
        REGISTER(OpenEnum<ReleaseTypeCase>, "Release.ReleaseType", legacy),
        REGISTER(std::vector<Release>, "[Release]", legacy),
        REGISTER(ReleaseYearRange, "ReleaseYearRange", explore),
        REGISTER(LabeledReleaseYearRange, "LabeledReleaseYearRange", explore),

        // People and credits
        REGISTER(Participant, "Participant", legacy),
        REGISTER(CharacterDetails, "CharacterDetails", legacy),
        REGISTER(ParticipantRole, "ParticipantRole", legacy),
        REGISTER(CreditGroup, "CreditGroup", explore),
        REGISTER(Credit, "Credit", explore),

        // The metadata string and other descriptors
        REGISTER(MetastringParts, "MetastringParts", explore),
        REGISTER(MetastringParts::Keys, "MetastringParts.Keys", explore),
        REGISTER(MetastringLocation, "MetastringLocation", explore),
        REGISTER(MetastringSportsLeague, "MetastringSportsLeague", explore),
        REGISTER(MetastringPremiereDate, "MetastringPremiereDate", explore),
        REGISTER(NetworkAttribution, "NetworkAttribution", explore),
        REGISTER(MigrationMetadata, "MigrationMetadata", legacy),
        REGISTER(SearchMeta, "SearchMeta", legacy),
        REGISTER(DisplayTextVisuals, "DisplayTextVisuals", explore),

        // The audio-visual badges the metadata string holds
    });
}

}  // namespace vorlane
