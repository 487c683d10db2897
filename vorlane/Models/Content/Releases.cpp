#include "vorlane/Models/Content/Releases.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <string_view>

namespace vorlane {

namespace {

template <class Matches>
std::optional<Release> firstRelease(std::span<const Release> releases, Matches matches) {
    for (const Release& release : releases)
        if (release.releaseType && matches(*release.releaseType)) return release;
    return std::nullopt;
}

std::optional<Release> firstWithWire(std::span<const Release> releases, std::string_view wire) {
    return firstRelease(releases, [wire](const Release::ReleaseType& type) { return type.rawValue() == wire; });
}

}  // namespace

std::optional<Release> original(std::span<const Release> releases) {
    return firstWithWire(releases, json::wireString(ReleaseTypeCase::original));
}

std::optional<Release> broadcast(std::span<const Release> releases) {
    return firstWithWire(releases, json::wireString(ReleaseTypeCase::broadcast));
}

std::optional<Release> releaseOf(std::span<const Release> releases, const Release::ReleaseType& type) {
    return firstRelease(releases, [&type](const Release::ReleaseType& candidate) { return candidate == type; });
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::Release)
VORLANE_JSON_DEFINE(vorlane::ReleaseYearRange)
VORLANE_JSON_DEFINE(vorlane::LabeledReleaseYearRange)
