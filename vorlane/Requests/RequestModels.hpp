#pragma once
// The request models of the named requests: what each call fills into its "RequestConfig.json"
// entry. A model is encoded as a JSON object; its three optional string maps are read by the
// request manager (query parameters, headers, template parameters) and its other fields are
// template values. Every optional map is absent unless the model says otherwise.

#include "vorlane/Platform/Json/FreeFormObject.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <variant>

namespace vorlane {

using RequestParameters = OrderedMap<std::string>;

struct DeferredDeeplinkRequestModel {
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    std::string fingerprint;
    bool operator==(const DeferredDeeplinkRequestModel&) const = default;
};

inline auto jsonFields(json::Tag<DeferredDeeplinkRequestModel>) {
    using namespace json::rules;
    using S = DeferredDeeplinkRequestModel;
    return fields(optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders), required("fingerprint", &S::fingerprint));
}

struct ADFSSingleSignOnRequest {
    std::string username;
    std::string password;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const ADFSSingleSignOnRequest&) const = default;
};

inline auto jsonFields(json::Tag<ADFSSingleSignOnRequest>) {
    using namespace json::rules;
    using S = ADFSSingleSignOnRequest;
    return fields(required("username", &S::username), required("password", &S::password),
                  optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

struct SingleSignOnValidationRequest {
    std::string samlClaim;
    std::optional<RequestParameters> templateParametersAndValues;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const SingleSignOnValidationRequest&) const = default;
};

inline auto jsonFields(json::Tag<SingleSignOnValidationRequest>) {
    using namespace json::rules;
    using S = SingleSignOnValidationRequest;
    return fields(required("samlClaim", &S::samlClaim),
                  optional("templateParametersAndValues", &S::templateParametersAndValues),
                  optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

struct CollectionConfigRequest {
    std::string version;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const CollectionConfigRequest&) const = default;
};

inline auto jsonFields(json::Tag<CollectionConfigRequest>) {
    using namespace json::rules;
    using S = CollectionConfigRequest;
    return fields(required("version", &S::version), optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

struct VersionedConfigRequest {
    std::string version;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const VersionedConfigRequest&) const = default;
};

inline auto jsonFields(json::Tag<VersionedConfigRequest>) {
    using namespace json::rules;
    using S = VersionedConfigRequest;
    return fields(required("version", &S::version), optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

struct PaywallConfigRequest {
    std::string filename;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const PaywallConfigRequest&) const = default;
};

inline auto jsonFields(json::Tag<PaywallConfigRequest>) {
    using namespace json::rules;
    using S = PaywallConfigRequest;
    return fields(required("filename", &S::filename), optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

struct SendConsentRequestModel {
    json::FreeFormObject payload;  // string -> any
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    std::optional<RequestParameters> templateParametersAndValues;
    bool operator==(const SendConsentRequestModel&) const = default;
};

inline auto jsonFields(json::Tag<SendConsentRequestModel>) {
    using namespace json::rules;
    using S = SendConsentRequestModel;
    return fields(required("payload", &S::payload), optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders),
                  optional("templateParametersAndValues", &S::templateParametersAndValues));
}

struct GetConsentPreferencesRequestModel {
    std::string identifier;
    std::string tenantId;
    std::string authToken;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> templateParametersAndValues;
    bool operator==(const GetConsentPreferencesRequestModel&) const = default;
};

inline auto jsonFields(json::Tag<GetConsentPreferencesRequestModel>) {
    using namespace json::rules;
    using S = GetConsentPreferencesRequestModel;
    return fields(required("identifier", &S::identifier), required("tenantId", &S::tenantId),
                  required("authToken", &S::authToken),
                  optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("templateParametersAndValues", &S::templateParametersAndValues));
}

struct SubtitleStylingRequest {
    std::optional<RequestParameters> templateParametersAndValues;
    std::optional<RequestParameters> queryParametersAndValues;
    std::optional<RequestParameters> additionalHTTPHeaders;
    bool operator==(const SubtitleStylingRequest&) const = default;
};

inline auto jsonFields(json::Tag<SubtitleStylingRequest>) {
    using namespace json::rules;
    using S = SubtitleStylingRequest;
    return fields(optional("templateParametersAndValues", &S::templateParametersAndValues),
                  optional("queryParametersAndValues", &S::queryParametersAndValues),
                  optional("additionalHTTPHeaders", &S::additionalHTTPHeaders));
}

// Any of the models.
using RequestModel =
    std::variant<DeferredDeeplinkRequestModel, ADFSSingleSignOnRequest, SingleSignOnValidationRequest,
                 CollectionConfigRequest, PaywallConfigRequest, VersionedConfigRequest, SendConsentRequestModel,
                 GetConsentPreferencesRequestModel, SubtitleStylingRequest>;

// The model's JSON encoding, as the request manager reads it.
json::FreeFormObject encodedRequestModel(const RequestModel& model);

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::DeferredDeeplinkRequestModel)
VORLANE_JSON_RECORD(vorlane::ADFSSingleSignOnRequest)
VORLANE_JSON_RECORD(vorlane::SingleSignOnValidationRequest)
VORLANE_JSON_RECORD(vorlane::CollectionConfigRequest)
VORLANE_JSON_RECORD(vorlane::VersionedConfigRequest)
VORLANE_JSON_RECORD(vorlane::PaywallConfigRequest)
VORLANE_JSON_RECORD(vorlane::SendConsentRequestModel)
VORLANE_JSON_RECORD(vorlane::GetConsentPreferencesRequestModel)
VORLANE_JSON_RECORD(vorlane::SubtitleStylingRequest)
