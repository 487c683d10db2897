#pragma once
// Polymorphic values tagged by a member of their own object: {"type": "MepoVideo", ...keys of the
// video...}. A compile-time table maps each tag to the concrete record it selects; the record is
// decoded from the same object, and encoding writes the tag beside the record's own keys.
//
//   using ContentRecords = json::TaggedRecords<Content, ContentTypeIdentifier,
//       json::TaggedCase<ContentTypeIdentifier::video, Video>,
//       json::TaggedCase<ContentTypeIdentifier::series, json::NotBuilt>, ...>;
//
// A tag whose record this version does not build yet (NotBuilt, or a tag missing from the table)
// fails its element with a reason that says so. The table is a type: there is no state to set up
// or to race on.

#include "vorlane/Platform/Json/Codec.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace vorlane::json {

// Marks a tag whose record is not built by this version of the library.
struct NotBuilt {};

// Marks a record that writes the tag key itself, as one of its own fields (a collection's "type"):
// the tag is then not written a second time, and what the record writes is what a reader sees.
struct RecordWritesTagKey {};

template <auto TagValue, class RecordType, class... Options>
struct TaggedCase {
    static constexpr auto tag = TagValue;
    using Record = RecordType;
    static constexpr bool recordWritesTagKey = (std::is_same_v<Options, RecordWritesTagKey> || ...);
};

template <class Interface, class TagEnum, class... Cases>
struct TaggedRecords {
    // The record that `tag` selects, decoded from `object`; `tagValue` is where failures about
    // the tag itself are reported, `kind` names the family in messages ("content").
    static std::shared_ptr<const Interface> decode(TagEnum tag, const Value& object, const Value& tagValue,
                                                   std::string_view kind) {
        std::shared_ptr<const Interface> out;
        const bool known = ((tag == Cases::tag && (decodeCase<Cases>(object, out), true)) || ...);
        if (!known || !out) notBuilt(tag, tagValue, kind);
        return out;
    }

    // Whether the record `tag` selects writes the tag key itself.
    static constexpr bool recordWritesTagKey(TagEnum tag) {
        return ((tag == Cases::tag && Cases::recordWritesTagKey) || ...);
    }

    // Writes the members of `model`'s record (without braces) into the object open in `w`.
    static void encodeMembers(Writer& w, TagEnum tag, const Interface& model, std::string_view kind) {
        const bool written = ((tag == Cases::tag && encodeCase<Cases>(w, model)) || ...);
        if (!written)
            throw EncodingError(std::string(kind) + " tagged \"" + std::string(wireString(tag)) +
                                "\" does not hold the record its tag selects");
    }

private:
    template <class Case>
    static void decodeCase(const Value& object, std::shared_ptr<const Interface>& out) {
        using Record = typename Case::Record;
        if constexpr (DecodesInPlace<Record, Codec<Record>>) {
            // Read straight into the shared record: large records are not moved twice.
            static_assert(std::is_base_of_v<Interface, Record>);
            auto record = std::make_shared<Record>();
            Codec<Record>::decodeInto(object, *record);
            out = std::move(record);
        } else if constexpr (!std::is_same_v<Record, NotBuilt>) {
            static_assert(std::is_base_of_v<Interface, Record>);
            out = std::make_shared<const Record>(Codec<Record>::decode(object));
        }
    }

    template <class Case>
    static bool encodeCase(Writer& w, const Interface& model) {
        if constexpr (std::is_same_v<typename Case::Record, NotBuilt>) {
            return false;
        } else {
            const auto* record = dynamic_cast<const typename Case::Record*>(&model);
            if (!record) return false;
            w.mergeNextObject();
            Codec<typename Case::Record>::encode(w, *record);
            return true;
        }
    }

    [[noreturn]] static void notBuilt(TagEnum tag, const Value& tagValue, std::string_view kind) {
        tagValue.fail(ErrorKind::dataCorrupted, std::string(kind) + " of type \"" + std::string(wireString(tag)) +
                                                    "\" is not decoded by this version of the library");
    }
};

// Decodes a tagged value: reads the tag under `tagKey` (a closed vocabulary), then the record.
template <class Records, class TagEnum>
auto decodeTagged(const Value& object, std::string_view tagKey, std::string_view kind) {
    if (!object.isObject()) object.failExpected("an object");
    auto tagValue = object.member(tagKey);
    if (!tagValue) object.failMissingKey(tagKey);
    const TagEnum tag = Codec<TagEnum>::decode(*tagValue);
    return std::pair{tag, Records::decode(tag, object, *tagValue, kind)};
}

// Writes {tagKey: tag, ...the record's keys}, or only the record's keys when it writes the tag key.
template <class Records, class TagEnum, class Interface>
void encodeTagged(Writer& w, std::string_view tagKey, TagEnum tag, const Interface& model, std::string_view kind) {
    w.beginObject();
    if (!Records::recordWritesTagKey(tag)) {
        w.key(tagKey);
        Codec<TagEnum>::encode(w, tag);
    }
    Records::encodeMembers(w, tag, model, kind);
    w.endObject();
}

}  // namespace vorlane::json
