#include "vorlane/Models/Content/ContentAction.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>

namespace vorlane {

bool shouldBrowseAnthology(const std::vector<ContentAction>& actions) {
    return std::any_of(actions.begin(), actions.end(),
                       [](const ContentAction& action) { return action.refStyle.name == "anthology"; });
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::CallToAction)
VORLANE_JSON_DEFINE(vorlane::ContentActionRefStyle)
VORLANE_JSON_DEFINE(vorlane::ContentAction)