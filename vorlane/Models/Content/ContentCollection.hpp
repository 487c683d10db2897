#pragma once
// A browsable page of the legacy content API (a home page, a brand page, an editorial page):
// identified by its collection group and slugs, classified by its content class, holding an
// ordered list of containers, each of which shows a set of content.

#include "vorlane/Models/Content/CollectionIdentifiers.hpp"
#include "vorlane/Models/Content/ContentContainer.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct ContentCollection {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::standardCollection;
    using CollectionType = vorlane::CollectionType;
    using CollectionSubType = vorlane::CollectionSubType;
    using Slug = CollectionSlug;

    TextMap texts;
    std::optional<CallToAction> callToAction;
    ImageMap image;
    std::vector<VideoArtwork> videoArtwork;
    std::string collectionId;
    CollectionType type = CollectionType::standard;
    CollectionSubType subType = CollectionSubType::standard;
    std::optional<std::string> experimentToken;
    std::optional<std::vector<ActionCoder>> actionCoders;
    ContentCollectionIdentifiers identifiers;
    std::vector<ContentContainer> containers;  // a container that fails to decode is left out

    // A collection is named by its group id, not its own id.
    const std::string& contentId() const noexcept { return identifiers.collectionGroupId; }
    // The actions' records, in order; absent when the answer had none.
    std::optional<std::vector<std::shared_ptr<const Action>>> actions() const;
    bool isEmpty() const noexcept { return containers.empty(); }
    // No texts, images, artwork, actions or containers, empty ids, the standard kinds, content class "".
    static const ContentCollection& empty();

    bool operator==(const ContentCollection&) const = default;
};

inline auto jsonFields(json::Tag<ContentCollection>) {
    using namespace json::rules;
    using S = ContentCollection;
    return fields(required("collectionGroup", &S::identifiers),
                  defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction),
                  defaulted("image", &S::image),
                  lenient("videoArt", &S::videoArtwork, Missing::empty),
                  required("collectionId", &S::collectionId),
                  required("type", &S::type),
                  required("subType", &S::subType),
                  optional("experimentToken", &S::experimentToken),
                  lenientIfPresent("actions", &S::actionCoders),
                  lenient("containers", &S::containers))
        .writtenInOrder({"collectionGroup", "text", "callToAction", "image", "videoArt", "containers", "collectionId", "type", "subType", "experimentToken", "actions"});
}

inline auto jsonDerived(json::Tag<ContentCollection>) {
    using namespace json::derived;
    return members(member("isEmpty", &ContentCollection::isEmpty),
                   member("actions", [](const ContentCollection& c) { return c.actionCoders; }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ContentCollection)
