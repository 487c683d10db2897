#pragma once
// What a legacy record sends to have the Explore API resolve its deep link: the id, what kind of id
// it is, and optionally the kind of action wanted.

#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

// The kind of id sent to resolve a deep link. Closed.
enum class ExploreDeeplinkReferenceIdType { encodedSeriesId, encodedFamilyId, deeplinkId, channelId };

constexpr auto jsonVocabulary(json::Tag<ExploreDeeplinkReferenceIdType>) {
    using enum ExploreDeeplinkReferenceIdType;
    return json::vocabulary<ExploreDeeplinkReferenceIdType>("ExploreDeeplink.ReferenceIdType", {
        {encodedSeriesId, "encodedSeriesId"},
        {encodedFamilyId, "encodedFamilyId"},
        {deeplinkId, "deeplinkId"},
        {channelId, "channelId"},
    });
}

struct ExploreDeeplinkParams {
    std::string refId;
    ExploreDeeplinkReferenceIdType refIdType = ExploreDeeplinkReferenceIdType::encodedSeriesId;
    std::optional<ActionTypeIdentifier> action;
    bool operator==(const ExploreDeeplinkParams&) const = default;
};

inline auto jsonFields(json::Tag<ExploreDeeplinkParams>) {
    using namespace json::rules;
    using S = ExploreDeeplinkParams;
    return fields(required("refId", &S::refId), required("refIdType", &S::refIdType), optional("action", &S::action));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExploreDeeplinkParams)
