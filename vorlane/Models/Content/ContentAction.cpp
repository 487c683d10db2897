#include "vorlane/Models/Content/ContentAction.hpp"

#include "vorlane/Platform/Json/Record.hpp"

#include <algorithm>

namespace vorlane {

bool shouldBrowseAnthology(const std::vector<ContentAction>& actions) {
    return std::any_of(actions.begin(), actions.end(),
                       [](const ContentAction& action) { return action.refStyle.name == "anthology"; });
}

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::CallToAction, required("text", &Self::texts))

VORLANE_JSON_RECORD(vorlane::ContentActionRefStyle, required("name", &Self::name))

VORLANE_JSON_RECORD(vorlane::ContentAction,
                    required("type", &Self::type),
                    required("refId", &Self::refId),
                    required("refType", &Self::refType),
                    required("refIdType", &Self::refIdType),
                    required("refStyle", &Self::refStyle),
                    required("refSubtype", &Self::refSubtype),
                    required("params", &Self::params))
