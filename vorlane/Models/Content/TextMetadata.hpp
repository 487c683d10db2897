#pragma once
// Localized texts of legacy content: the text map
//   field -> text type -> source entity -> language key -> TextMetadata
// read through the "default" language key, which the content API always uses for the text to show.

#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct TextMetadata {
    enum class Field { title, description, name, nickName, shortDisplayName, location, abbreviation, unknown };
    enum class TextType { full, medium, brief, slug, long_, short_, city, state, country, unknown };

    std::string language;
    std::string content;
    std::optional<MediaEntity> sourceEntity;
    bool operator==(const TextMetadata&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<TextMetadata::Field>) {
    using enum TextMetadata::Field;
    return json::vocabulary<TextMetadata::Field>("TextMetadata.Field", {
                                                                          {title, "title"},
                                                                          {description, "description"},
                                                                          {name, "name"},
                                                                          {nickName, "nickName"},
                                                                          {shortDisplayName, "shortDisplayName"},
                                                                          {location, "location"},
                                                                          {abbreviation, "abbreviation"},
                                                                          {unknown, "unknown"},
                                                                      })
        .unknownAs(unknown);
}

constexpr auto jsonVocabulary(json::Tag<TextMetadata::TextType>) {
    using enum TextMetadata::TextType;
    return json::vocabulary<TextMetadata::TextType>("TextMetadata.TextType", {
                                                                                {full, "full"},
                                                                                {medium, "medium"},
                                                                                {brief, "brief"},
                                                                                {slug, "slug"},
                                                                                {long_, "long"},
                                                                                {short_, "short"},
                                                                                {city, "city"},
                                                                                {state, "state"},
                                                                                {country, "country"},
                                                                                {unknown, "unknown"},
                                                                            })
        .unknownAs(unknown);
}

inline auto jsonFields(json::Tag<TextMetadata>) {
    using namespace json::rules;
    using S = TextMetadata;
    return fields(required("language", &S::language),
                  required("content", &S::content),
                  optional("sourceEntity", &S::sourceEntity));
}

// The key under which the text to show is stored.
inline constexpr std::string_view defaultLanguageKey = "default";

using TextsByLanguage = OrderedMap<TextMetadata>;
using TextsByEntity = OrderedMap<TextsByLanguage>;
using TextsByType = OrderedMap<TextsByEntity>;

// The text map of a content record. Look-ups never fail; they return nothing.
class TextMap {
public:
    using Entries = OrderedMap<TextsByType>;

    TextMap() = default;
    explicit TextMap(Entries entries) : entries_(std::move(entries)) {}

    const Entries& entries() const noexcept { return entries_; }
    bool empty() const noexcept { return entries_.empty(); }

    // The first field (in map order) that has `type`: its first entity's "default" text, if that
    // entity's language map has one; otherwise the walk goes on with the next field.
    std::optional<TextMetadata> first(TextMetadata::TextType type) const;

    // The "default" text of `field` and `type` for `entity`, or for the first entity when absent.
    std::optional<TextMetadata> first(TextMetadata::Field field, TextMetadata::TextType type,
                                      std::optional<MediaEntity> entity = std::nullopt) const;

    bool operator==(const TextMap&) const = default;

private:
    Entries entries_;
};

}  // namespace vorlane

// Hand-written: a text map is written as the bare nested map it wraps, not as a record.
template <>
struct vorlane::json::Codec<vorlane::TextMap> {
    static vorlane::TextMap decode(const Value& v) { return vorlane::TextMap(Codec<vorlane::TextMap::Entries>::decode(v)); }
    static void encode(Writer& w, const vorlane::TextMap& map) { Codec<vorlane::TextMap::Entries>::encode(w, map.entries()); }
};

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::TextMetadata)
