#pragma once
// Calls to action and the actions of the legacy content model, and the series kind.

#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Platform/Json/Codec.hpp"

#include <string>
#include <vector>

namespace vorlane {

enum class SeriesType { studioShow, standard, anthology };
enum class ContentActionType { browse };
enum class ContentActionRefType { details };
enum class ContentActionRefSubType { series };

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::SeriesType> {
    using E = vorlane::SeriesType;
    static constexpr std::string_view name = "SeriesType";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::studioShow, "studio-show"}, {E::standard, "standard"}, {E::anthology, "anthology"}};
};
template <>
struct vorlane::json::Vocabulary<vorlane::ContentActionType> {
    static constexpr std::string_view name = "ContentActionType";
    static constexpr VocabularyEntry<vorlane::ContentActionType> entries[] = {{vorlane::ContentActionType::browse, "browse"}};
};
template <>
struct vorlane::json::Vocabulary<vorlane::ContentActionRefType> {
    static constexpr std::string_view name = "ContentActionRefType";
    static constexpr VocabularyEntry<vorlane::ContentActionRefType> entries[] = {
        {vorlane::ContentActionRefType::details, "details"}};
};
template <>
struct vorlane::json::Vocabulary<vorlane::ContentActionRefSubType> {
    static constexpr std::string_view name = "ContentActionRefSubType";
    static constexpr VocabularyEntry<vorlane::ContentActionRefSubType> entries[] = {
        {vorlane::ContentActionRefSubType::series, "series"}};
};

namespace vorlane {

// A call to action: its texts, under the key "text".
struct CallToAction {
    TextMap texts;
    bool operator==(const CallToAction&) const = default;
};

struct ContentActionRefStyle {
    std::string name;
    bool operator==(const ContentActionRefStyle&) const = default;
};

// A browse action of the legacy content model; all seven keys are required.
struct ContentAction {
    ContentActionType type = ContentActionType::browse;
    std::string refId;
    ContentActionRefType refType = ContentActionRefType::details;
    std::string refIdType;
    ContentActionRefStyle refStyle;
    ContentActionRefSubType refSubtype = ContentActionRefSubType::series;
    OrderedMap<std::string> params;
    bool operator==(const ContentAction&) const = default;
};

// True when any of the actions opens an anthology.
bool shouldBrowseAnthology(const std::vector<ContentAction>& actions);

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::CallToAction)
VORLANE_JSON_CODEC(vorlane::ContentActionRefStyle)
VORLANE_JSON_CODEC(vorlane::ContentAction)
