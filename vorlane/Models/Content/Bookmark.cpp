#include "vorlane/Models/Content/Bookmark.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::Bookmark)
VORLANE_JSON_DEFINE(vorlane::EpisodeBookmark)
VORLANE_JSON_DEFINE(vorlane::BookmarkContainer)

namespace vorlane {

bool Bookmark::isCompleted() const noexcept {
    std::optional<double> threshold;
    if (ccMedia && *ccMedia > 0)
        threshold = ccMedia;
    else if (ccDefault > 0)
        threshold = ccDefault;
    return threshold && *threshold <= playhead;
}

BookmarkContainer Bookmark::asContainer(sdk::ContentIdentifier identifier) const {
    return BookmarkContainer(std::move(identifier), *this);
}

double EpisodeBookmark::progress() const noexcept {
    if (runtime <= 0 || playhead <= 0) return 0;
    if (playhead < ccThreshold && playhead < runtime) return playhead / runtime;
    return 1;
}

}  // namespace vorlane

std::size_t std::hash<vorlane::EpisodeBookmark>::operator()(const vorlane::EpisodeBookmark& bookmark) const noexcept {
    const std::hash<double> number;
    std::size_t seed = std::hash<std::string>{}(bookmark.contentId);
    for (std::size_t part : {std::hash<std::int64_t>{}(bookmark.occurredOn), number(bookmark.playhead),
                             number(bookmark.runtime), number(bookmark.ccThreshold)})
        seed ^= part + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    return seed;
}
