#include "vorlane/Requests/RequestModels.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

namespace vorlane {

json::FreeFormObject encodedRequestModel(const RequestModel& model) {
    return std::visit([](const auto& m) { return json::FreeFormObject{json::encode(m)}; }, model);
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::DeferredDeeplinkRequestModel)
VORLANE_JSON_DEFINE(vorlane::ADFSSingleSignOnRequest)
VORLANE_JSON_DEFINE(vorlane::SingleSignOnValidationRequest)
VORLANE_JSON_DEFINE(vorlane::CollectionConfigRequest)
VORLANE_JSON_DEFINE(vorlane::VersionedConfigRequest)
VORLANE_JSON_DEFINE(vorlane::PaywallConfigRequest)
VORLANE_JSON_DEFINE(vorlane::SendConsentRequestModel)
VORLANE_JSON_DEFINE(vorlane::GetConsentPreferencesRequestModel)
VORLANE_JSON_DEFINE(vorlane::SubtitleStylingRequest)
