#pragma once
// Locators with which callers name a video or series, a set, or a collection for a later query.

#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/ContentSetType.hpp"
#include "vorlane/Models/Content/ContentTypeIdentifier.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct ContentReferenceLocator {
    std::optional<EncodedIdentifier> id;
    ContentTypeIdentifier type = ContentTypeIdentifier::video;
    bool operator==(const ContentReferenceLocator&) const = default;
};

// A set whose items a later query fetches.
struct ContentSetReferenceLocator {
    ContentSetType refType = ContentSetType::curated;
    std::string refId;
    bool operator==(const ContentSetReferenceLocator&) const = default;
};

struct ContentCollectionReferenceLocator {
    std::optional<std::string> slug;
    std::optional<std::string> parentCollectionSlug;
    std::optional<CollectionContentClass> contentClass;
    std::optional<std::string> collectionGroupId;
    std::optional<std::string> parentCollectionGroupId;
    std::optional<std::string> subType;
    bool prefersParentCollectionSlug = true;  // required in JSON; true when built in code
    bool prefersParentCollectionGroupId = true;
    std::optional<std::string> explorePageId;

    bool operator==(const ContentCollectionReferenceLocator&) const = default;

    static ContentCollectionReferenceLocator forExplorePage(CollectionContentClass contentClass, std::string explorePageId);

    // The parent's identifier while it is preferred and present, else the locator's own.
    std::optional<std::string> identifier(CollectionIdentifierType kind) const;

    // The content class the screen slugs of `queryConfiguration` give the effective slug; the
    // locator's own class when none matches; absent without a slug.
    std::optional<CollectionContentClass> slugFilteredCollectionClass(const ContentQueryConfiguration& queryConfiguration) const;
};

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ContentReferenceLocator)
VORLANE_JSON_CODEC(vorlane::ContentSetReferenceLocator)
VORLANE_JSON_CODEC(vorlane::ContentCollectionReferenceLocator)
