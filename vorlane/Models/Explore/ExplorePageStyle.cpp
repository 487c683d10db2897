#include "vorlane/Models/Explore/ExplorePageStyle.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Logger.hpp"

namespace vorlane {

namespace {

// Where the warnings of the style resolution are reported from; callers and log readers
// search for these fixed values.
constexpr std::string_view kWarningFile = "Models/ExplorePage";
constexpr std::string_view kWarningFunction = "effectivePageStyle";
constexpr int kUnknownNameLine = 89;
constexpr int kUnknownFallbackLine = 96;

// Used when neither the name nor the fallback is a style this client knows.
constexpr ExplorePageStyleCase kSafetyNetStyle = ExplorePageStyleCase::standardEmphasisWithHeader;

}  // namespace

ExplorePageStyle ExplorePageStyleDescriptor::effectivePageStyle() const {
    ExplorePageStyle named = ExplorePageStyle::fromWire(name);
    if (!named.isCatchAll()) return named;

    const std::string subject = json::encode(*this);
    const std::string_view rawFallback = fallback ? std::string_view(*fallback) : std::string_view();
    ExplorePageStyle fallbackStyle = ExplorePageStyle::fromWire(rawFallback);

    std::string message = "Unknown Page Style: ";
    message.append(name).append(". Falling back to: ").append(fallbackStyle.rawValue()).append(".");
    Logger::warn(subject, message, {}, kUnknownNameLine, kWarningFile, kWarningFunction);
    if (!fallbackStyle.isCatchAll()) return fallbackStyle;

    message = "Unknown Page Style Fallback: ";
    message.append(rawFallback)
        .append(". Using global safety-net fallback: ")
        .append(json::wireString(kSafetyNetStyle))
        .append(".");
    Logger::warn(subject, message, {}, kUnknownFallbackLine, kWarningFile, kWarningFunction);
    return kSafetyNetStyle;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ExplorePageStyleDescriptor)
VORLANE_JSON_DEFINE(vorlane::ExplorePageRestriction)