#include "vorlane/Models/Content/ContentReferenceLocator.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"


namespace vorlane {

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