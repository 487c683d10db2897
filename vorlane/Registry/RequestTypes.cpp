// The decodable types of the image service's errors and of named requests.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Requests/ImageServiceErrors.hpp"
#include "vorlane/Requests/RequestManager.hpp"
#include "vorlane/Requests/RequestModels.hpp"

namespace vorlane {

void registerRequestTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        REGISTER(CorvaneError, "CorvaneError", legacy),
        REGISTER(RequestConfig, "RequestConfig", local),
        REGISTER(RequestConfigEntry, "RequestConfigEntry", local),
        REGISTER(HttpMethod, "HttpMethod", local),
        REGISTER(Request, "Request", local),
        REGISTER(DeferredDeeplinkRequestModel, "DeferredDeeplinkRequestModel", local),
        REGISTER(ADFSSingleSignOnRequest, "ADFSSingleSignOnRequest", local),
        REGISTER(SingleSignOnValidationRequest, "SingleSignOnValidationRequest", local),
        REGISTER(CollectionConfigRequest, "CollectionConfigRequest", local),
        REGISTER(PaywallConfigRequest, "PaywallConfigRequest", local),
        REGISTER(VersionedConfigRequest, "VersionedConfigRequest", local),
        REGISTER(SendConsentRequestModel, "SendConsentRequestModel", local),
        REGISTER(GetConsentPreferencesRequestModel, "GetConsentPreferencesRequestModel", local),
        REGISTER(SubtitleStylingRequest, "SubtitleStylingRequest", local),
    });
}

}  // namespace vorlane
