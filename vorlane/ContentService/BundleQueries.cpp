// Bundles: of a video or series named by a locator, of a series, of a video, of a program.

#include "vorlane/ContentService/SDKContentService.hpp"

#include <stdexcept>

namespace vorlane {

rx::Single<ContentBundle> SDKContentService::getBundle(const ContentReferenceLocator& locator) const {
    if (!locator.id) return failure<ContentBundle>(SDKContentServiceError::missingIdentifier);
    const char* refusal = "Attempting to get a bundle of an unknown kind";
    switch (locator.type) {
        case ContentTypeIdentifier::video:
            return getVideoBundle(*locator.id).map([](VideoBundle bundle) { return ContentBundle(std::move(bundle)); });
        case ContentTypeIdentifier::series:
            return getSeriesBundle(*locator.id).map([](SeriesBundle bundle) { return ContentBundle(std::move(bundle)); });
        case ContentTypeIdentifier::standardCollection:
        case ContentTypeIdentifier::personalizedCollection: refusal = "Attempting to get a collection bundle"; break;
        case ContentTypeIdentifier::avatar: refusal = "Attempting to get an avatar bundle"; break;
        case ContentTypeIdentifier::airing: refusal = "Attempting to get an airing bundle"; break;
        case ContentTypeIdentifier::explore: refusal = "Attempting to get an explore bundle"; break;
    }
    // Asking for a bundle of any other kind is a programming error of the caller: no query exists.
    Log::content.error(refusal, "getBundle(for:)", __LINE__);
    return rx::error<ContentBundle>(std::invalid_argument(
        "no bundle exists for content of type \"" + std::string(json::wireString(locator.type)) + "\""));
}

rx::Single<SeriesBundle> SDKContentService::getSeriesBundle(const EncodedIdentifier& encodedSeriesId) const {
    const std::int64_t episodePageSize = inputs_.config.snapshot()->defaultSeriesBundleEpisodeCount;
    return legacyQuery<SeriesBundle>(ContentQueryIdentifier::seriesBundle,
                                     {{"encodedSeriesId", encodedSeriesId}, {"episodePageSize", episodePageSize}});
}

rx::Single<VideoBundle> SDKContentService::getVideoBundle(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<VideoBundle>(ContentQueryIdentifier::videoBundle, {{"encodedFamilyId", encodedFamilyId}});
}

rx::Single<ProgramBundle> SDKContentService::getProgramBundle(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<ProgramBundle>(ContentQueryIdentifier::programBundle, {{"encodedFamilyId", encodedFamilyId}});
}

}  // namespace vorlane
