#include "vorlane/Models/Content/ContentReferenceLocator.hpp"

#include "vorlane/Platform/Json/Record.hpp"

#include <algorithm>

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

std::optional<CollectionContentClass> ContentCollectionReferenceLocator::slugFilteredCollectionClass(
    const ContentQueryConfiguration& c) const {
    const auto effective = identifier(CollectionIdentifierType::slug);
    if (!effective) return std::nullopt;
    const std::string& s = *effective;
    using Case = CollectionContentClassCase;
    // Tested in this order; the first match wins. The zelkor screen slug takes no part.
    if (s == c.homeScreenSlug || s == c.exploreScreenSlug || s == c.watchListScreenSlug)
        return CollectionContentClass::fromWire(s);
    if (s == c.seriesScreenSlug || s == c.moviesScreenSlug) return CollectionContentClass(Case::contentType);
    if (s == c.originalsScreenSlug) return CollectionContentClass(Case::originals);
    if (s == c.avatarSlug) return CollectionContentClass(Case::avatars);
    if (std::find(c.brandSlugs.begin(), c.brandSlugs.end(), s) != c.brandSlugs.end())
        return CollectionContentClass(Case::brand);
    if (s == c.onboardingSlug) return CollectionContentClass(Case::editorial);
    return contentClass;
}

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::ContentReferenceLocator,
                    optional("id", &Self::id),
                    required("type", &Self::type))

VORLANE_JSON_RECORD(vorlane::ContentSetReferenceLocator,
                    required("refType", &Self::refType),
                    required("refId", &Self::refId))

VORLANE_JSON_RECORD(vorlane::ContentCollectionReferenceLocator,
                    optional("slug", &Self::slug),
                    optional("parentCollectionSlug", &Self::parentCollectionSlug),
                    optional("contentClass", &Self::contentClass),
                    optional("collectionGroupId", &Self::collectionGroupId),
                    optional("parentCollectionGroupId", &Self::parentCollectionGroupId),
                    optional("subType", &Self::subType),
                    required("prefersParentCollectionSlug", &Self::prefersParentCollectionSlug),
                    required("prefersParentCollectionGroupId", &Self::prefersParentCollectionGroupId),
                    optional("explorePageId", &Self::explorePageId))
