#include "vorlane/Models/Content/TextMetadata.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

namespace {
std::optional<TextMetadata> defaultText(const TextsByLanguage& languages) {
    if (const auto* text = languages.find(defaultLanguageKey)) return *text;
    return std::nullopt;
}
}  // namespace

std::optional<TextMetadata> TextMap::first(TextMetadata::TextType type) const {
    for (const auto& [field, types] : entries_) {
        const auto* entities = types.find(type);
        if (!entities || entities->empty()) continue;
        const auto& languages = entities->front().second;
        if (languages.empty()) continue;
        if (auto text = defaultText(languages)) return text;
    }
    return std::nullopt;
}

std::optional<TextMetadata> TextMap::first(TextMetadata::Field field, TextMetadata::TextType type, std::optional<MediaEntity> entity) const {
    const auto* types = entries_.find(field);
    if (!types) return std::nullopt;
    const auto* entities = types->find(type);
    if (!entities) return std::nullopt;
    const TextsByLanguage* languages = nullptr;
    if (entity) {
        languages = entities->find(*entity);
    } else if (!entities->empty()) {
        languages = &entities->front().second;
    }
    if (!languages) return std::nullopt;
    return defaultText(*languages);
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::TextMetadata)