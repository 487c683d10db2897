// Videos and what belongs to one: by id, by series position, what plays next, extras, episodes of a
// season and related items.

#include "vorlane/ContentService/SDKContentService.hpp"

#include <stdexcept>
#include <system_error>

namespace vorlane {

namespace {

// The first video of an answer that lists videos, or the `missing` failure.
Video firstVideo(VideosContainer answer) {
    if (answer.videos.empty()) throw std::system_error(make_error_code(SDKContentServiceError::missing));
    return std::move(answer.videos.front());
}

}  // namespace

rx::Single<Video> SDKContentService::getVideo(const std::string& contentId) const {
    return legacyQuery<SingleVideoContainer>(ContentQueryIdentifier::video, {{"contentId", contentId}})
        .map([](SingleVideoContainer answer) { return requireMember(std::move(answer.video)); });
}

rx::Single<Video> SDKContentService::getLegacyVideo(const std::string& key, const EncodedIdentifier& encodedId) const {
    return legacyQuery<VideosContainer>(ContentQueryIdentifier::video, {{key, encodedId}}).map(firstVideo);
}

rx::Single<Video> SDKContentService::getVideo(const EncodedIdentifier& encodedSeriesId,
                                              std::int64_t seasonSequenceNumber,
                                              std::int64_t episodeSequenceNumber) const {
    return legacyQuery<VideosContainer>(ContentQueryIdentifier::video, {{"encodedSeriesId", encodedSeriesId},
                                                     {"seasonSequenceNumber", seasonSequenceNumber},
                                                     {"episodeSequenceNumber", episodeSequenceNumber}})
        .map(firstVideo);
}

rx::Single<UpNext> SDKContentService::getUpNextVideo(const std::string& contentId) const {
    return legacyQuery<UpNextResponse>(ContentQueryIdentifier::upNext, {{"contentId", contentId}}).map([](UpNextResponse answer) {
        auto decision = UpNext::from(answer);
        if (const UpNextError* error = decision.rightIfPresent()) throw std::system_error(make_error_code(*error));
        return decision.left();
    });
}

rx::Single<VideosContainer> SDKContentService::getExtras(const EncodedIdentifier& encodedFamilyId, std::int64_t page,
                                                         PageSize pageSize) const {
    return legacyQuery<VideosContainer>(
        ContentQueryIdentifier::extras, {{"encodedFamilyId", encodedFamilyId}, {"page", page}, {"pageSize", rawValue(pageSize)}});
}

rx::Single<EpisodesPageSet> SDKContentService::getEpisodes(const std::string& seasonId) const {
    // Every episode of the season, on one page.
    return legacyQuery<EpisodesPageSet>(
        ContentQueryIdentifier::episodes, {{"seasonId", seasonId}, {"page", 1}, {"pageSize", rawValue(PageSize::all)}});
}

rx::Single<RelatedContainer> SDKContentService::getRelatedItemsForVideo(const EncodedIdentifier& encodedFamilyId) const {
    return legacyQuery<RelatedContainer>(ContentQueryIdentifier::relatedItemsForVideo, {{"encodedFamilyId", encodedFamilyId}});
}

rx::Single<RelatedContainer> SDKContentService::getRelatedItemsForSeries(const EncodedIdentifier& encodedSeriesId) const {
    return legacyQuery<RelatedContainer>(ContentQueryIdentifier::relatedItemsForSeries, {{"encodedSeriesId", encodedSeriesId}});
}

}  // namespace vorlane
