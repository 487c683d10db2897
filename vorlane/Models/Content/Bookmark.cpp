#include "vorlane/Models/Content/Bookmark.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Bookmark)

namespace vorlane {

bool Bookmark::isCompleted() const noexcept {
    std::optional<double> threshold;
    if (ccMedia && *ccMedia > 0)
        threshold = ccMedia;
    else if (ccDefault > 0)
        threshold = ccDefault;
    return threshold && *threshold <= playhead;
}

}  // namespace vorlane
