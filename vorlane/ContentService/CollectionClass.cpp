#include "vorlane/ContentService/CollectionClass.hpp"

#include <algorithm>

namespace vorlane {

std::optional<CollectionContentClass> slugFilteredCollectionClass(const ContentCollectionReferenceLocator& locator,
                                                                   const ContentQueryConfiguration& c) {
    const auto effective = locator.identifier(CollectionIdentifierType::slug);
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
    return locator.contentClass;
}

}  // namespace vorlane
