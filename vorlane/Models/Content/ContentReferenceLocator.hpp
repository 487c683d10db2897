#pragma once
// Locators with which callers name a video or series, a set, or a collection for a later query.

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/ContentSetType.hpp"
#include "vorlane/Models/Content/ContentTypeIdentifier.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"

#include <optional>
#include <string>

namespace vorlane {

class Content;
struct Series;
struct Video;

struct ContentReferenceLocator {
    std::optional<EncodedIdentifier> id;
    ContentTypeIdentifier type = ContentTypeIdentifier::video;

    // A video is named by its encoded family id, a series by its encoded series id.
    static ContentReferenceLocator of(const Video& video);
    static ContentReferenceLocator of(const Series& series);
    // The same for a video or series held as content. Only those two kinds have a locator: any
    // other content is a programming error, thrown as std::invalid_argument.
    static ContentReferenceLocator of(const Content& content);
    bool operator==(const ContentReferenceLocator&) const = default;
};

inline auto jsonFields(json::Tag<ContentReferenceLocator>) {
    using namespace json::rules;
    using S = ContentReferenceLocator;
    return fields(optional("id", &S::id),
                  required("type", &S::type));
}

// A set whose items a later query fetches.
struct ContentSetReferenceLocator {
    ContentSetType refType = ContentSetType::curated;
    std::string refId;
    bool operator==(const ContentSetReferenceLocator&) const = default;
};

inline auto jsonFields(json::Tag<ContentSetReferenceLocator>) {
    using namespace json::rules;
    using S = ContentSetReferenceLocator;
    return fields(required("refType", &S::refType),
                  required("refId", &S::refId));
}

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
};

inline auto jsonFields(json::Tag<ContentCollectionReferenceLocator>) {
    using namespace json::rules;
    using S = ContentCollectionReferenceLocator;
    return fields(optional("slug", &S::slug),
                  optional("parentCollectionSlug", &S::parentCollectionSlug),
                  optional("contentClass", &S::contentClass),
                  optional("collectionGroupId", &S::collectionGroupId),
                  optional("parentCollectionGroupId", &S::parentCollectionGroupId),
                  optional("subType", &S::subType),
                  required("prefersParentCollectionSlug", &S::prefersParentCollectionSlug),
                  required("prefersParentCollectionGroupId", &S::prefersParentCollectionGroupId),
                  optional("explorePageId", &S::explorePageId));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ContentReferenceLocator)
VORLANE_JSON_RECORD(vorlane::ContentSetReferenceLocator)
VORLANE_JSON_RECORD(vorlane::ContentCollectionReferenceLocator)
