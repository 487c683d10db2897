#pragma once
// Localized texts of legacy content: the text map
//   field -> text type -> source entity -> language key -> TextMetadata
// read through the "default" language key, which the content API always uses for the text to show.

#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Platform/Json/Codec.hpp"

#include <optional>
#include <string>

namespace vorlane {

enum class TextField { title, description, name, nickName, shortDisplayName, location, abbreviation, unknown };
enum class TextType { full, medium, brief, slug, long_, short_, city, state, country, unknown };

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::TextField> {
    using E = vorlane::TextField;
    static constexpr std::string_view name = "TextMetadata.Field";
    static constexpr E fallback = E::unknown;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::title, "title"},
        {E::description, "description"},
        {E::name, "name"},
        {E::nickName, "nickName"},
        {E::shortDisplayName, "shortDisplayName"},
        {E::location, "location"},
        {E::abbreviation, "abbreviation"},
        {E::unknown, "unknown"},
    };
};

template <>
struct vorlane::json::Vocabulary<vorlane::TextType> {
    using E = vorlane::TextType;
    static constexpr std::string_view name = "TextMetadata.TextType";
    static constexpr E fallback = E::unknown;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::full, "full"},
        {E::medium, "medium"},
        {E::brief, "brief"},
        {E::slug, "slug"},
        {E::long_, "long"},
        {E::short_, "short"},
        {E::city, "city"},
        {E::state, "state"},
        {E::country, "country"},
        {E::unknown, "unknown"},
    };
};

namespace vorlane {

struct TextMetadata {
    using Field = TextField;
    using TextType = vorlane::TextType;

    std::string language;
    std::string content;
    std::optional<MediaEntity> sourceEntity;
    bool operator==(const TextMetadata&) const = default;
};

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
    std::optional<TextMetadata> first(TextType type) const;

    // The "default" text of `field` and `type` for `entity`, or for the first entity when absent.
    std::optional<TextMetadata> first(TextField field, TextType type,
                                      std::optional<MediaEntity> entity = std::nullopt) const;

    bool operator==(const TextMap&) const = default;

private:
    Entries entries_;
};

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::TextMetadata)

template <>
struct vorlane::json::Codec<vorlane::TextMap> {
    static vorlane::TextMap decode(const Value& v) { return vorlane::TextMap(Codec<vorlane::TextMap::Entries>::decode(v)); }
    static void encode(Writer& w, const vorlane::TextMap& map) { Codec<vorlane::TextMap::Entries>::encode(w, map.entries()); }
};
