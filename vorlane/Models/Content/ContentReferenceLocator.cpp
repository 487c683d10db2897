#include "vorlane/Models/Content/ContentReferenceLocator.hpp"

#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <stdexcept>

namespace vorlane {

ContentReferenceLocator ContentReferenceLocator::of(const Video& video) {
    return {video.encodedFamilyId(), Video::identifier};
}

ContentReferenceLocator ContentReferenceLocator::of(const Series& series) {
    return {series.encodedSeriesId, Series::identifier};
}

ContentReferenceLocator ContentReferenceLocator::of(const Content& content) {
    if (const auto* video = dynamic_cast<const ContentModel<Video>*>(&content)) return of(video->record());
    if (const auto* series = dynamic_cast<const ContentModel<Series>*>(&content)) return of(series->record());
    throw std::invalid_argument("This type should only be used with Video and Series content");
}

ContentCollectionReferenceLocator ContentCollectionReferenceLocator::forExplorePage(CollectionContentClass contentClass,
                                                                                    std::string explorePageId) {
    ContentCollectionReferenceLocator locator;
    locator.contentClass = std::move(contentClass);
    locator.explorePageId = std::move(explorePageId);
    return locator;
}

std::optional<std::string> ContentCollectionReferenceLocator::identifier(CollectionIdentifierType kind) const {
    switch (kind) {
        case CollectionIdentifierType::collectionGroupId:
            if (prefersParentCollectionGroupId && parentCollectionGroupId) return parentCollectionGroupId;
            return collectionGroupId;
        case CollectionIdentifierType::slug:
            if (prefersParentCollectionSlug && parentCollectionSlug) return parentCollectionSlug;
            return slug;
    }
    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ContentReferenceLocator)
VORLANE_JSON_DEFINE(vorlane::ContentSetReferenceLocator)
VORLANE_JSON_DEFINE(vorlane::ContentCollectionReferenceLocator)