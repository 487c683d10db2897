#include "vorlane/Requests/Requests.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/System.hpp"
#include "vorlane/Requests/ImageServiceErrors.hpp"

#include <array>
#include <mutex>
#include <system_error>

namespace vorlane {

// The payloads read from a JSON object of their fields (the command line's arguments).
inline auto jsonFields(json::Tag<Requests::DeferredDeeplink>) {
    return json::rules::fields(json::rules::required("fingerprint", &Requests::DeferredDeeplink::fingerprint));
}
inline auto jsonFields(json::Tag<Requests::AdfsSSO>) {
    using namespace json::rules;
    return fields(required("username", &Requests::AdfsSSO::username), required("password", &Requests::AdfsSSO::password));
}
inline auto jsonFields(json::Tag<Requests::SamlSSO>) {
    return json::rules::fields(json::rules::required("claim", &Requests::SamlSSO::claim));
}
inline auto jsonFields(json::Tag<Requests::CollectionConfig>) {
    return json::rules::fields(json::rules::required("version", &Requests::CollectionConfig::version));
}
inline auto jsonFields(json::Tag<Requests::Paywall>) {
    return json::rules::fields(json::rules::required("filename", &Requests::Paywall::filename));
}
inline auto jsonFields(json::Tag<Requests::LocalizationSettingsConfig>) {
    return json::rules::fields(json::rules::required("version", &Requests::LocalizationSettingsConfig::version));
}
inline auto jsonFields(json::Tag<Requests::SendConsent>) {
    return json::rules::fields(json::rules::required("payload", &Requests::SendConsent::payload));
}
inline auto jsonFields(json::Tag<Requests::GetConsentPreferences>) {
    using namespace json::rules;
    using S = Requests::GetConsentPreferences;
    return fields(required("identifier", &S::identifier), required("tenantId", &S::tenantId),
                  required("authToken", &S::authToken));
}

namespace {

using Plain = Requests::Plain;

// One row per case, in the order of the cases: the payload cases by their variant index, then the
// cases without payload by their enumerator. Note the capitalised keys of four of them.
struct CaseRow {
    RequestsCaseInfo info;
    Requests (*make)(const json::FreeFormObject& payload);  // null for a case without payload
};

template <class Payload>
Requests makeCase(const json::FreeFormObject& payload) {
    return json::decode<Payload>(payload.json);
}

const std::vector<CaseRow>& caseRows() {
    static const std::vector<CaseRow> rows = {
        {{"deferredDeeplink", "deferredDeeplink", {"fingerprint"}}, makeCase<Requests::DeferredDeeplink>},
        {{"adfsSSO", "adfsSSO", {"username", "password"}}, makeCase<Requests::AdfsSSO>},
        {{"samlSSO", "samlSSO", {"claim"}}, makeCase<Requests::SamlSSO>},
        {{"collectionConfig", "collectionConfig", {"version"}}, makeCase<Requests::CollectionConfig>},
        {{"paywall", "PaywallConfig", {"filename"}}, makeCase<Requests::Paywall>},
        {{"localizationSettingsConfig", "localizationSettingsConfig", {"version"}},
         makeCase<Requests::LocalizationSettingsConfig>},
        {{"sendConsent", "sendConsent", {"payload"}}, makeCase<Requests::SendConsent>},
        {{"getConsentPreferences", "getConsentPreferences", {"identifier", "tenantId", "authToken"}},
         makeCase<Requests::GetConsentPreferences>},
        {{"appConfig", "AppConfig", {}}, nullptr},
        {{"localization", "Localization", {}}, nullptr},
        {{"remoteURLConfig", "RemoteURLConfig", {}}, nullptr},
        {{"tivel", "tivel", {}}, nullptr},
        {{"ambridAPIKey", "ambridAPIKey", {}}, nullptr},
        {{"ambridToken", "ambridToken", {}}, nullptr},
        {{"licensePlateAPIKey", "licensePlateAPIKey", {}}, nullptr},
        {{"skelda", "skelda", {}}, nullptr},
        {{"subtitleStyling", "subtitleStyling", {}}, nullptr},
        {{"helpPage", "helpPage", {}}, nullptr},
        {{"accountCommSettings", "accountCommSettings", {}}, nullptr},
        {{"feedback", "feedback", {}}, nullptr},
        {{"appStore", "appStore", {}}, nullptr},
        {{"appleSubscriptionManagement", "appleSubscriptionManagement", {}}, nullptr},
    };
    return rows;
}

constexpr std::size_t kPayloadCases = std::variant_size_v<Requests::Case> - 1;

const CaseRow& rowOf(const Requests::Case& value) {
    const std::size_t index = value.index() < kPayloadCases
                                  ? value.index()
                                  : kPayloadCases + static_cast<std::size_t>(std::get<Plain>(value));
    return caseRows()[index];
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::mutex requestManagerMutex;
std::shared_ptr<RequestManager>& requestManagerSlot() {
    static std::shared_ptr<RequestManager> manager;
    return manager;
}

[[noreturn]] void failRequest(RequestsFailure failure, const std::string& message) {
    Log::content.error(message, "request", __LINE__);
    throw RequestsError(failure, message);
}

}  // namespace

std::string_view Requests::rawValue(CustomCacheWritePolicy) noexcept { return "skeldaImage"; }

std::optional<Requests::CustomCacheWritePolicy> Requests::customCacheWritePolicy(std::string_view rawValue) noexcept {
    if (rawValue == "skeldaImage") return CustomCacheWritePolicy::skeldaImage;
    return std::nullopt;
}

std::string_view Requests::name() const noexcept { return rowOf(case_).info.name; }
std::string_view Requests::key() const noexcept { return rowOf(case_).info.key; }

// Builds a model with the fields `fill` sets and every optional map absent.
template <class Model, class Fill>
std::optional<RequestModel> model(Fill fill) {
    Model model;
    fill(model);
    return model;
}

std::optional<RequestModel> Requests::requestModel() const {
    return std::visit(
        Overloaded{
            [](const DeferredDeeplink& c) {
                return model<DeferredDeeplinkRequestModel>([&](auto& m) { m.fingerprint = c.fingerprint; });
            },
            [](const AdfsSSO& c) {
                return model<ADFSSingleSignOnRequest>([&](auto& m) { m.username = c.username, m.password = c.password; });
            },
            [](const SamlSSO& c) { return model<SingleSignOnValidationRequest>([&](auto& m) { m.samlClaim = c.claim; }); },
            [](const CollectionConfig& c) { return model<CollectionConfigRequest>([&](auto& m) { m.version = c.version; }); },
            [](const Paywall& c) { return model<PaywallConfigRequest>([&](auto& m) { m.filename = c.filename; }); },
            [](const LocalizationSettingsConfig& c) {
                return model<VersionedConfigRequest>([&](auto& m) { m.version = c.version; });
            },
            [](const SendConsent& c) { return model<SendConsentRequestModel>([&](auto& m) { m.payload = c.payload; }); },
            [](const GetConsentPreferences& c) {
                return model<GetConsentPreferencesRequestModel>([&](auto& m) {
                    m.identifier = c.identifier, m.tenantId = c.tenantId, m.authToken = c.authToken;
                });
            },
            [](Plain plain) -> std::optional<RequestModel> {
                if (plain != Plain::subtitleStyling) return std::nullopt;
                return model<SubtitleStylingRequest>([](auto& m) {
                    m.templateParametersAndValues = RequestParameters{{"app_version", System::version()}};
                });
            },
        },
        case_);
}

Request Requests::request() const {
    const std::shared_ptr<RequestManager> manager = requestManager();
    if (!manager) failRequest(RequestsFailure::noRequestManager, "Requests.requestManager was nil.");
    const std::string quotedKey = "\"" + std::string(key()) + "\"";
    std::optional<Request> built;
    try {
        const std::optional<RequestModel> model = requestModel();
        built = manager->request(key(), model ? std::optional(encodedRequestModel(*model)) : std::nullopt);
    } catch (const std::exception& error) {
        failRequest(RequestsFailure::creationFailed, "Error creating request for key " + quotedKey + ": " + error.what());
    }
    if (!built)
        failRequest(RequestsFailure::notInRequestConfig,
                    "Matching request for key " + quotedKey + " was not found in RequestConfig.json");
    return std::move(*built);
}

std::shared_ptr<RequestManager> Requests::requestManager() {
    std::lock_guard lock(requestManagerMutex);
    return requestManagerSlot();
}

void Requests::setRequestManager(std::shared_ptr<RequestManager> manager) {
    std::lock_guard lock(requestManagerMutex);
    requestManagerSlot() = std::move(manager);
    if (const auto& set = requestManagerSlot())
        set->registerCacheWritePolicy(std::string(rawValue(CustomCacheWritePolicy::skeldaImage)), skeldaImageAllowsCacheWrite);
}

bool skeldaImageAllowsCacheWrite(const HttpResponse& response) {
    try {
        processSkeldaErrors(response);
        return true;
    } catch (const std::system_error& error) {
        return error.code().category() != imageFetchingRepairableErrorCategory();
    }
}

Requests requestsNamed(std::string_view name, const json::FreeFormObject& payload) {
    for (const CaseRow& row : caseRows()) {
        if (row.info.name != name) continue;
        if (row.make) return row.make(payload);
        if (payload.json != "{}")
            throw std::invalid_argument("the request \"" + std::string(name) + "\" takes no arguments");
        return static_cast<Plain>(&row - &caseRows()[kPayloadCases]);
    }
    throw std::invalid_argument("no request is named \"" + std::string(name) + "\"");
}

const std::vector<RequestsCaseInfo>& requestsCases() {
    static const std::vector<RequestsCaseInfo> infos = [] {
        std::vector<RequestsCaseInfo> out;
        for (const CaseRow& row : caseRows()) out.push_back(row.info);
        return out;
    }();
    return infos;
}

}  // namespace vorlane
