#pragma once
// Whether playback or download of a title is blocked, and why.

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct MediaRightsMessage {
    enum class ErrorCode { blackout, noEntitlement };

    ErrorCode code = ErrorCode::blackout;
    std::string description;
    bool operator==(const MediaRightsMessage&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<MediaRightsMessage::ErrorCode>) {
    using enum MediaRightsMessage::ErrorCode;
    return json::vocabulary<MediaRightsMessage::ErrorCode>("MediaRightsMessage.ErrorCode",
                                                           {{blackout, "blackout"}, {noEntitlement, "no_entitlement"}});
}

inline auto jsonFields(json::Tag<MediaRightsMessage>) {
    using namespace json::rules;
    using S = MediaRightsMessage;
    return fields(required("code", &S::code), required("description", &S::description));
}

// Every field optional; the violations list is strict (one unreadable message fails the record).
struct MediaRights {
    std::optional<std::vector<MediaRightsMessage>> violations;
    std::optional<bool> downloadBlocked;
    std::optional<bool> pconBlocked;
    bool operator==(const MediaRights&) const = default;
};

inline auto jsonFields(json::Tag<MediaRights>) {
    using namespace json::rules;
    using S = MediaRights;
    return fields(optional("violations", &S::violations), optional("downloadBlocked", &S::downloadBlocked),
                  optional("pconBlocked", &S::pconBlocked));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::MediaRightsMessage)
VORLANE_JSON_RECORD(vorlane::MediaRights)
