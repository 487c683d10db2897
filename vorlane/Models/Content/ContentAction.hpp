#pragma once
// Calls to action and the actions of the legacy content model, and the series kind.

#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <string>
#include <vector>

namespace vorlane {

enum class SeriesType { studioShow, standard, anthology };
enum class ContentActionType { browse };
enum class ContentActionRefType { details };
enum class ContentActionRefSubType { series };

constexpr auto jsonVocabulary(json::Tag<SeriesType>) {
    using enum SeriesType;
    return json::vocabulary<SeriesType>("SeriesType", {
        {studioShow, "studio-show"},
        {standard, "standard"},
        {anthology, "anthology"},
    });
}

}  // namespace vorlane
namespace vorlane {

constexpr auto jsonVocabulary(json::Tag<ContentActionType>) {
    using enum ContentActionType;
    return json::vocabulary<ContentActionType>("ContentActionType", {
        {browse, "browse"},
    });
}

}  // namespace vorlane
namespace vorlane {

constexpr auto jsonVocabulary(json::Tag<ContentActionRefType>) {
    using enum ContentActionRefType;
    return json::vocabulary<ContentActionRefType>("ContentActionRefType", {
        {details, "details"},
    });
}

}  // namespace vorlane
namespace vorlane {

constexpr auto jsonVocabulary(json::Tag<ContentActionRefSubType>) {
    using enum ContentActionRefSubType;
    return json::vocabulary<ContentActionRefSubType>("ContentActionRefSubType", {
        {series, "series"},
    });
}

// A call to action: its texts, under the key "text".
struct CallToAction {
    TextMap texts;
    bool operator==(const CallToAction&) const = default;
};

inline auto jsonFields(json::Tag<CallToAction>) {
    using namespace json::rules;
    using S = CallToAction;
    return fields(required("text", &S::texts));
}

struct ContentActionRefStyle {
    std::string name;
    bool operator==(const ContentActionRefStyle&) const = default;
};

inline auto jsonFields(json::Tag<ContentActionRefStyle>) {
    using namespace json::rules;
    using S = ContentActionRefStyle;
    return fields(required("name", &S::name));
}

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

inline auto jsonFields(json::Tag<ContentAction>) {
    using namespace json::rules;
    using S = ContentAction;
    return fields(required("type", &S::type),
                  required("refId", &S::refId),
                  required("refType", &S::refType),
                  required("refIdType", &S::refIdType),
                  required("refStyle", &S::refStyle),
                  required("refSubtype", &S::refSubtype),
                  required("params", &S::params));
}

// True when any of the actions opens an anthology.
bool shouldBrowseAnthology(const std::vector<ContentAction>& actions);

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::CallToAction)
VORLANE_JSON_RECORD(vorlane::ContentActionRefStyle)
VORLANE_JSON_RECORD(vorlane::ContentAction)
