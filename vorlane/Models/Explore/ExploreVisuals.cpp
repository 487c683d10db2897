#include "vorlane/Models/Explore/ExploreVisuals.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"


namespace vorlane {

namespace {

// The value under `key`, appended empty when the map has none.
template <class V>
V& entryOf(OrderedMap<V>& map, std::string_view key) {
    if (V* existing = map.find(key)) return *existing;
    return map.insertOrAssign(std::string(key), V{});
}

// Folds the entries, in order, into field -> type -> entity -> {"default": text}; an entry replaces
// the language map of an earlier one with the same field, type and entity.
TextMap foldTexts(const std::vector<ExploreToContentText>& texts) {
    TextMap::Entries entries;
    for (const auto& text : texts) {
        TextsByEntity& entities = entryOf(entryOf(entries, text.field), text.type);
        TextsByLanguage languages;
        languages.insertOrAssign(std::string(defaultLanguageKey), TextMetadata{text.language, text.content, std::nullopt});
        entities.insertOrAssign(text.sourceEntity, std::move(languages));
    }
    return TextMap(std::move(entries));
}

}  // namespace

TextMap legacyTexts(std::string_view title, const std::optional<DescriptionMap>& description,
                    std::string_view sourceEntity) {
    constexpr std::string_view language = "en";
    std::vector<ExploreToContentText> texts;
    texts.reserve(1 + (description ? description->size() : 0));
    texts.push_back({"title", "full", std::string(sourceEntity), std::string(language), std::string(title)});
    if (description)
        for (const auto& [kind, text] : *description)
            texts.push_back({"description", kind, std::string(sourceEntity), std::string(language), text});
    return foldTexts(texts);
}

std::vector<VideoArtwork> legacyVideoArtwork(const std::optional<ExploreVideoArtworkMap>& videoArtwork) {
    std::vector<VideoArtwork> result;
    if (!videoArtwork) return result;
    for (const auto& [key, artwork] : *videoArtwork) {
        const auto purpose = json::fromWireString<VideoArtwork::ArtworkType>(key);
        if (!purpose || !artwork.videoId) continue;
        // The video id is taken as the URL as sent; it is not checked here.
        result.push_back(VideoArtwork{*purpose, {VideoArtwork::ArtworkURL{*artwork.videoId, {}}}});
    }
    return result;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExplorePromoLabel)
VORLANE_JSON_DEFINE(vorlane::ExploreVisualsPrompt)
VORLANE_JSON_DEFINE(vorlane::ExploreVisuals)
VORLANE_JSON_DEFINE(vorlane::ExploreItemPrompt)
VORLANE_JSON_DEFINE(vorlane::ExploreBadgingUpsell)
VORLANE_JSON_DEFINE(vorlane::ExploreBadging)
VORLANE_JSON_DEFINE(vorlane::ExploreSetItemVisuals)
VORLANE_JSON_DEFINE(vorlane::ExploreSetVisuals)
VORLANE_JSON_DEFINE(vorlane::DetailsContainerVisuals)
VORLANE_JSON_DEFINE(vorlane::ShopContainerVisuals)
