#include "vorlane/Models/Content/Video.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Video::Meta)
VORLANE_JSON_DEFINE(vorlane::Video)

namespace vorlane {

std::vector<std::string> genreIds(const std::optional<std::vector<TypedGenre>>& typedGenres) {
    std::vector<std::string> ids;
    if (!typedGenres) return ids;
    for (const auto& genre : *typedGenres)
        if (genre.partnerId) ids.push_back(*genre.partnerId);
    return ids;
}

std::string Video::playbackUrl() const {
    const auto& urls = mediaMetadata.playbackUrls;
    return urls.empty() ? std::string() : urls.front().href;
}

std::vector<std::string> Video::genreIds() const { return vorlane::genreIds(typedGenres); }

std::optional<ExploreDeeplinkParams> Video::exploreDeeplinkParams() const {
    using Kind = ExploreDeeplinkReferenceIdType;
    if (programType == ProgramType::sports) return std::nullopt;
    if (encodedSeriesId) return ExploreDeeplinkParams{encodedSeriesId->identifier, Kind::encodedSeriesId, std::nullopt};
    if (auto family = encodedFamilyId()) return ExploreDeeplinkParams{family->identifier, Kind::encodedFamilyId, std::nullopt};
    return std::nullopt;
}

}  // namespace vorlane
