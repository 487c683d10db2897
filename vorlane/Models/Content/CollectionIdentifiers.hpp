#pragma once
// How a legacy collection is identified (its group, slugs, parents and content class), and the
// trimmed collection a set carries about the collection it belongs to.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/CollectionContentClass.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/SportTags.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// Closed: an unknown string fails the group that holds it.
enum class AssociationType { parent };

constexpr auto jsonVocabulary(json::Tag<AssociationType>) {
    return json::vocabulary<AssociationType>("AssociationType", {{AssociationType::parent, "Parent"}});
}

struct AssociatedCollectionGroup {
    std::optional<AssociationType> associationType;
    std::optional<std::string> collectionGroupId;
    bool operator==(const AssociatedCollectionGroup&) const = default;
};

inline auto jsonFields(json::Tag<AssociatedCollectionGroup>) {
    using namespace json::rules;
    using S = AssociatedCollectionGroup;
    return fields(optional("associationType", &S::associationType), optional("collectionGroupId", &S::collectionGroupId));
}

// The kind of a collection and of its subtype. Closed: an unknown string fails the collection.
enum class CollectionType { collection, standard };
enum class CollectionSubType { standard, personalized };

constexpr auto jsonVocabulary(json::Tag<CollectionType>) {
    using enum CollectionType;
    return json::vocabulary<CollectionType>("ContentCollection.CollectionType",
                                            {{collection, "Collection"}, {standard, "StandardCollection"}});
}

constexpr auto jsonVocabulary(json::Tag<CollectionSubType>) {
    using enum CollectionSubType;
    return json::vocabulary<CollectionSubType>("ContentCollection.CollectionSubType",
                                               {{standard, "StandardCollection"}, {personalized, "PersonalizedCollection"}});
}

// A collection's slug in one language.
struct CollectionSlug {
    std::string language;
    std::string value;
    bool operator==(const CollectionSlug&) const = default;
};

inline auto jsonFields(json::Tag<CollectionSlug>) {
    using namespace json::rules;
    return fields(required("language", &CollectionSlug::language), required("value", &CollectionSlug::value));
}

struct ContentCollectionIdentifiers {
    std::string key;
    std::string collectionGroupId;
    std::optional<std::string> parentCollectionGroupId;  // anything but a string reads as absent
    std::optional<std::string> parentCollectionSlug;     // likewise
    CollectionContentClass contentClass;
    std::vector<CollectionSlug> slugs;                    // strict: one bad slug fails the record
    std::optional<std::vector<SportTags::Coder>> sportTagCoders;
    std::vector<AssociatedCollectionGroup> associatedCollectionGroups;

    // The sport tags, in order; empty when none were decoded.
    std::vector<std::shared_ptr<const SportTag>> sportTags() const;
    // The group id of the first associated group that is a parent (absent when that one has none).
    std::optional<std::string> associatedCollectionParentGroupId() const;

    bool operator==(const ContentCollectionIdentifiers&) const = default;
};

inline auto jsonFields(json::Tag<ContentCollectionIdentifiers>) {
    using namespace json::rules;
    using S = ContentCollectionIdentifiers;
    return fields(required("key", &S::key),
                  required("collectionGroupId", &S::collectionGroupId),
                  tolerant("parentCollectionGroupId", &S::parentCollectionGroupId),
                  tolerant("parentCollectionSlug", &S::parentCollectionSlug),
                  required("contentClass", &S::contentClass),
                  required("slugs", &S::slugs),
                  lenientIfPresent("sportTags", &S::sportTagCoders),
                  lenient("associatedCollectionGroups", &S::associatedCollectionGroups, Missing::empty));
}

inline auto jsonDerived(json::Tag<ContentCollectionIdentifiers>) {
    using namespace json::derived;
    return members(member("associatedCollectionParentGroupId", &ContentCollectionIdentifiers::associatedCollectionParentGroupId),
                   member("sportTags", [](const ContentCollectionIdentifiers& ids) { return ids.sportTagCoders.value_or(std::vector<SportTags::Coder>{}); }));
}

// The collection a set belongs to, without its containers, actions or experiment token.
struct AssociatedContentCollection {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::standardCollection;

    TextMap texts;
    std::optional<CallToAction> callToAction;
    ImageMap image;
    std::vector<VideoArtwork> videoArtwork;
    std::string collectionId;
    CollectionType type = CollectionType::standard;
    CollectionSubType subType = CollectionSubType::standard;
    ContentCollectionIdentifiers identifiers;

    const std::string& contentId() const noexcept { return identifiers.collectionGroupId; }
    // No texts, images or artwork, empty ids, the standard kinds, the content class "".
    static const AssociatedContentCollection& empty();

    bool operator==(const AssociatedContentCollection&) const = default;
};

inline auto jsonFields(json::Tag<AssociatedContentCollection>) {
    using namespace json::rules;
    using S = AssociatedContentCollection;
    return fields(defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction),
                  defaulted("image", &S::image),
                  lenient("videoArt", &S::videoArtwork, Missing::empty),
                  required("collectionId", &S::collectionId),
                  required("type", &S::type),
                  required("subType", &S::subType),
                  required("collectionGroup", &S::identifiers));
}

// The identifiers of an empty collection: empty key and group, the content class "".
ContentCollectionIdentifiers emptyCollectionIdentifiers();

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::AssociatedCollectionGroup)
VORLANE_JSON_RECORD(vorlane::CollectionSlug)
VORLANE_JSON_RECORD(vorlane::ContentCollectionIdentifiers)
VORLANE_JSON_RECORD(vorlane::AssociatedContentCollection)
