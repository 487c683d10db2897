#pragma once
// Which content class a collection request is made for.

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"

#include <optional>

namespace vorlane {

// The content class the screen slugs of `queryConfiguration` give the locator's effective slug;
// the locator's own class when none matches; absent without a slug.
[[nodiscard]] std::optional<CollectionContentClass> slugFilteredCollectionClass(
    const ContentCollectionReferenceLocator& locator, const ContentQueryConfiguration& queryConfiguration);

}  // namespace vorlane
