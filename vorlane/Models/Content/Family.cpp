#include "vorlane/Models/Content/Family.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::ParentRef)
VORLANE_JSON_DEFINE(vorlane::Family)
VORLANE_JSON_DEFINE(vorlane::Group)

namespace vorlane {

std::optional<EncodedIdentifier> encodedFamilyId(const std::optional<Family>& family, const std::vector<Family>& families,
                                                 const std::optional<EncodedIdentifier>& encodedParentOf) {
    if (family && family->encodedFamilyId) return family->encodedFamilyId;
    if (!families.empty() && families.front().encodedFamilyId) return families.front().encodedFamilyId;
    return encodedParentOf;
}

}  // namespace vorlane
