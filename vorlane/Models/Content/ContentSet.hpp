#pragma once
// One shelf's worth of legacy content of mixed kinds with its paging, and the set-or-reference a
// container holds: a complete set, or a locator whose items a later query fetches.

#include "vorlane/Models/Content/CollectionIdentifiers.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/ContentSetType.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorlane {

struct ContentSet {
    using SetType = ContentSetType;

    // Paging of the set's items (note the snake-case "page_size").
    struct Meta {
        std::int64_t hits = 0;
        std::int64_t pageSize = 0;
        std::int64_t offset = 0;
        bool operator==(const Meta&) const = default;
    };

    Meta meta;
    TextMap texts;
    SetType type = SetType::curated;
    std::string setId;
    std::optional<std::string> experimentToken;
    std::optional<bool> shouldRefresh;
    std::optional<AssociatedContentCollection> associatedCollection;
    std::vector<ContentCoder> items;  // an item of unknown kind, or that fails, is left out

    // A set of the given records, each tagged with its own kind.
    static ContentSet of(SetType type, std::string setId, Meta meta, TextMap texts,
                         const std::vector<std::shared_ptr<const Content>>& content,
                         std::optional<std::string> experimentToken = std::nullopt,
                         std::optional<bool> shouldRefresh = std::nullopt,
                         std::optional<AssociatedContentCollection> associatedCollection = std::nullopt);

    // The items' records, in order.
    std::vector<std::shared_ptr<const Content>> content() const { return models(items); }
    ContentSetReferenceLocator reference() const { return {type, setId}; }

    bool operator==(const ContentSet&) const = default;
};

inline auto jsonFields(json::Tag<ContentSet::Meta>) {
    using namespace json::rules;
    using S = ContentSet::Meta;
    return fields(required("hits", &S::hits), required("page_size", &S::pageSize), required("offset", &S::offset));
}

inline auto jsonFields(json::Tag<ContentSet>) {
    using namespace json::rules;
    using S = ContentSet;
    return fields(required("meta", &S::meta),
                  defaulted("text", &S::texts),
                  required("type", &S::type),
                  required("setId", &S::setId),
                  optional("experimentToken", &S::experimentToken),
                  optional("shouldRefresh", &S::shouldRefresh),
                  lenient("items", &S::items),
                  optional("collection", &S::associatedCollection))
        .writtenInOrder({"type", "setId", "meta", "text", "items", "experimentToken", "shouldRefresh", "collection"});
}

inline auto jsonDerived(json::Tag<ContentSet>) {
    using namespace json::derived;
    return members(member("reference", &ContentSet::reference),
                   member("content", [](const ContentSet& s) { return s.items; }));
}

// A complete set, or a reference to one with the texts to show until it is fetched.
struct ContentSetCoder {
    std::variant<ContentSet, ContentSetReferenceLocator> content;
    TextMap texts;

    const ContentSet* set() const noexcept { return std::get_if<ContentSet>(&content); }
    const ContentSetReferenceLocator* reference() const noexcept {
        return std::get_if<ContentSetReferenceLocator>(&content);
    }
    // The set's id, or the reference's.
    const std::string& id() const noexcept;
    // The set's type, or the reference's.
    ContentSetType setType() const noexcept;

    bool operator==(const ContentSetCoder&) const = default;
};

inline auto jsonDerived(json::Tag<ContentSetCoder>) {
    using namespace json::derived;
    return members(member("id", &ContentSetCoder::id),
                   member("setType", &ContentSetCoder::setType));
}

}  // namespace vorlane

// Hand-written: an object whose "refType" reads as a set type is a reference (and then needs
// "refId"); any other object is decoded as a complete set. A reference is written as "refType",
// "refId" and "text"; a complete set as itself.
VORLANE_JSON_CODEC(vorlane::ContentSetCoder)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ContentSet::Meta)
VORLANE_JSON_RECORD(vorlane::ContentSet)
