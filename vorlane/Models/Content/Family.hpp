#pragma once
// The family and group links of a legacy video or series: the family by which the service names
// a program in bundle and locator queries, the series a family belongs to, and partner groups.

#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct ParentRef {
    std::optional<EncodedIdentifier> encodedSeriesId;
    std::optional<std::string> seriesId;
    bool operator==(const ParentRef&) const = default;
};

inline auto jsonFields(json::Tag<ParentRef>) {
    using namespace json::rules;
    using S = ParentRef;
    return fields(optional("encodedSeriesId", &S::encodedSeriesId), optional("seriesId", &S::seriesId));
}

struct Family {
    std::optional<EncodedIdentifier> encodedFamilyId;
    std::optional<ParentRef> parentRef;
    bool operator==(const Family&) const = default;
};

inline auto jsonFields(json::Tag<Family>) {
    using namespace json::rules;
    using S = Family;
    return fields(optional("encodedFamilyId", &S::encodedFamilyId), optional("parentRef", &S::parentRef));
}

struct Group {
    std::optional<std::string> partnerGroupId;
    std::optional<std::string> type;
    std::optional<std::string> name;
    bool operator==(const Group&) const = default;
};

inline auto jsonFields(json::Tag<Group>) {
    using namespace json::rules;
    using S = Group;
    return fields(optional("partnerGroupId", &S::partnerGroupId), optional("type", &S::type), optional("name", &S::name));
}

// The family id a video or series is named by: its own family's, else the first listed family's
// (only the first is consulted), else the id of what it is the parent of.
std::optional<EncodedIdentifier> encodedFamilyId(const std::optional<Family>& family, const std::vector<Family>& families,
                                                 const std::optional<EncodedIdentifier>& encodedParentOf);

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ParentRef)
VORLANE_JSON_RECORD(vorlane::Family)
VORLANE_JSON_RECORD(vorlane::Group)
