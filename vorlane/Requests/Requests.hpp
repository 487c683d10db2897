#pragma once
// The named remote calls the app makes besides content queries. Each case maps to its key in
// "RequestConfig.json" and to the request model that fills in the entry, and asks the process-wide
// request manager for a ready request.

#include "vorlane/Requests/RequestManager.hpp"
#include "vorlane/Requests/RequestModels.hpp"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace vorlane {

// Why a named request could not be built. Each is a programming or packaging fault, logged at
// error level when it happens.
enum class RequestsFailure { noRequestManager, creationFailed, notInRequestConfig };

class RequestsError : public std::runtime_error {
public:
    RequestsError(RequestsFailure failure, const std::string& message) : std::runtime_error(message), failure_(failure) {}
    RequestsFailure failure() const noexcept { return failure_; }

private:
    RequestsFailure failure_;
};

class Requests {
public:
    // The cases; payload fields in order.
    struct DeferredDeeplink { std::string fingerprint; bool operator==(const DeferredDeeplink&) const = default; };
    struct AdfsSSO { std::string username, password; bool operator==(const AdfsSSO&) const = default; };
    struct SamlSSO { std::string claim; bool operator==(const SamlSSO&) const = default; };
    struct CollectionConfig { std::string version; bool operator==(const CollectionConfig&) const = default; };
    struct Paywall { std::string filename; bool operator==(const Paywall&) const = default; };
    struct LocalizationSettingsConfig { std::string version; bool operator==(const LocalizationSettingsConfig&) const = default; };
    struct SendConsent { json::FreeFormObject payload; bool operator==(const SendConsent&) const = default; };
    struct GetConsentPreferences {
        std::string identifier, tenantId, authToken;
        bool operator==(const GetConsentPreferences&) const = default;
    };
    // The cases without payload.
    enum class Plain {
        appConfig, localization, remoteURLConfig, tivel, ambridAPIKey, ambridToken, licensePlateAPIKey, skelda,
        subtitleStyling, helpPage, accountCommSettings, feedback, appStore, appleSubscriptionManagement,
    };
    using Case = std::variant<DeferredDeeplink, AdfsSSO, SamlSSO, CollectionConfig, Paywall, LocalizationSettingsConfig,
                              SendConsent, GetConsentPreferences, Plain>;

    // The one cache-write policy the app registers.
    enum class CustomCacheWritePolicy { skeldaImage };
    static std::string_view rawValue(CustomCacheWritePolicy policy) noexcept;
    // Exactly "skeldaImage" gives its case; any other text none.
    static std::optional<CustomCacheWritePolicy> customCacheWritePolicy(std::string_view rawValue) noexcept;

    // A case is a request.
    template <class C>
        requires std::is_constructible_v<Case, C>
    Requests(C value) : case_(std::move(value)) {}  // NOLINT(google-explicit-constructor)

    static Requests deferredDeeplink(std::string fingerprint) { return DeferredDeeplink{std::move(fingerprint)}; }
    static Requests adfsSSO(std::string username, std::string password) {
        return AdfsSSO{std::move(username), std::move(password)};
    }
    static Requests samlSSO(std::string claim) { return SamlSSO{std::move(claim)}; }
    static Requests collectionConfig(std::string version) { return CollectionConfig{std::move(version)}; }
    static Requests paywall(std::string filename) { return Paywall{std::move(filename)}; }
    static Requests localizationSettingsConfig(std::string version) { return LocalizationSettingsConfig{std::move(version)}; }
    static Requests sendConsent(json::FreeFormObject payload) { return SendConsent{std::move(payload)}; }
    static Requests getConsentPreferences(std::string identifier, std::string tenantId, std::string authToken) {
        return GetConsentPreferences{std::move(identifier), std::move(tenantId), std::move(authToken)};
    }

    const Case& value() const noexcept { return case_; }

    // The case's name ("paywall", "appStore", ...).
    std::string_view name() const noexcept;
    // The configuration key of the case.
    std::string_view key() const noexcept;
    // The model that fills in the entry, or none.
    std::optional<RequestModel> requestModel() const;
    // The request the manager builds for `key()` with `requestModel()`. A missing manager, an entry
    // that fails to build, and a key missing from the configuration are each logged at error level
    // and thrown as a RequestsError.
    Request request() const;

    // The process-wide manager, empty until the app sets one. Setting one registers the
    // "skeldaImage" cache-write policy with it.
    static std::shared_ptr<RequestManager> requestManager();
    static void setRequestManager(std::shared_ptr<RequestManager> manager);

    bool operator==(const Requests&) const = default;

private:
    Case case_;
};

// The cache-write policy "skeldaImage": an image-service response may be cached unless its error
// header names an error that retrying could repair.
bool skeldaImageAllowsCacheWrite(const HttpResponse& response);

// The case named `name` with the payload given as a JSON object of its fields (the CLI's ARG=VALUE
// arguments); json::DecodingError naming the field when one is missing or of the wrong type,
// std::invalid_argument for an unknown name. `caseNames()` lists every name with its payload
// fields, in the order of the cases.
Requests requestsNamed(std::string_view name, const json::FreeFormObject& payload);
struct RequestsCaseInfo {
    std::string_view name;
    std::string_view key;
    std::vector<std::string_view> payloadFields;
};
const std::vector<RequestsCaseInfo>& requestsCases();

}  // namespace vorlane
