// Named requests: each case's key and model, the request manager's templates and merges, the three
// failures of building a request with their log lines, and the cache-write policy.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/System.hpp"
#include "vorlane/Requests/Requests.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Sets the process-wide manager for one test and clears it after.
struct ManagerScope {
    explicit ManagerScope(std::shared_ptr<RequestManager> manager) { Requests::setRequestManager(std::move(manager)); }
    ~ManagerScope() { Requests::setRequestManager(nullptr); }
};

std::shared_ptr<RequestManager> managerOf(std::string_view config, std::optional<std::string> base = std::nullopt) {
    return std::make_shared<RequestManager>(json::decode<RequestConfig>(config), std::move(base));
}

TEST(Requests, EachCaseHasItsKeyAndModel) {
    const struct Row {
        Requests request;
        std::string_view key;
        std::optional<std::string> model;  // the model's encoding
    } rows[] = {
        {Requests::deferredDeeplink("fp"), "deferredDeeplink", R"({"fingerprint":"fp"})"},
        {Requests::adfsSSO("u", "p"), "adfsSSO", R"({"username":"u","password":"p"})"},
        {Requests::samlSSO("c"), "samlSSO", R"({"samlClaim":"c"})"},
        {Requests::collectionConfig("3"), "collectionConfig", R"({"version":"3"})"},
        {Requests::paywall("x"), "PaywallConfig", R"({"filename":"x"})"},
        {Requests::localizationSettingsConfig("7"), "localizationSettingsConfig", R"({"version":"7"})"},
        {Requests::sendConsent({R"({"ads":false})"}), "sendConsent", R"({"payload":{"ads":false}})"},
        {Requests::getConsentPreferences("i", "t", "a"), "getConsentPreferences",
         R"({"identifier":"i","tenantId":"t","authToken":"a"})"},
        {Requests::Plain::appConfig, "AppConfig", std::nullopt},
        {Requests::Plain::localization, "Localization", std::nullopt},
        {Requests::Plain::remoteURLConfig, "RemoteURLConfig", std::nullopt},
        {Requests::Plain::tivel, "tivel", std::nullopt},
        {Requests::Plain::ambridAPIKey, "ambridAPIKey", std::nullopt},
        {Requests::Plain::ambridToken, "ambridToken", std::nullopt},
        {Requests::Plain::licensePlateAPIKey, "licensePlateAPIKey", std::nullopt},
        {Requests::Plain::skelda, "skelda", std::nullopt},
        {Requests::Plain::subtitleStyling, "subtitleStyling",
         R"({"templateParametersAndValues":{"app_version":")" + System::version() + "\"}}"},
        {Requests::Plain::helpPage, "helpPage", std::nullopt},
        {Requests::Plain::accountCommSettings, "accountCommSettings", std::nullopt},
        {Requests::Plain::feedback, "feedback", std::nullopt},
        {Requests::Plain::appStore, "appStore", std::nullopt},
        {Requests::Plain::appleSubscriptionManagement, "appleSubscriptionManagement", std::nullopt},
    };
    ASSERT_EQ(std::size(rows), requestsCases().size());
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(row.request.key(), row.key);
        EXPECT_EQ(requestsCases()[i].name, row.request.name());
        const auto model = row.request.requestModel();
        EXPECT_EQ(model ? std::optional(encodedRequestModel(*model).json) : std::nullopt, row.model);
        // The command line's form of the case gives the same case.
        json::FreeFormObject payload{"{}"};
        if (row.model && !row.request.name().starts_with("subtitle")) {
            payload.json = *row.model;
            if (row.request.name() == "samlSSO") payload.json = R"({"claim":"c"})";
        }
        EXPECT_EQ(requestsNamed(row.request.name(), payload), row.request);
    }
    EXPECT_THROW(requestsNamed("appStore", {R"({"x":"1"})"}), std::invalid_argument);
    EXPECT_THROW(requestsNamed("AppConfig", {"{}"}), std::invalid_argument);  // a key is not a name

    for (const char* other : {"SkeldaImage", "", "skeldaImage ", "skelda"})
        EXPECT_EQ(Requests::customCacheWritePolicy(other), std::nullopt) << other;
    EXPECT_EQ(Requests::customCacheWritePolicy("skeldaImage"), Requests::CustomCacheWritePolicy::skeldaImage);
}

TEST(RequestManager, FillsTemplatesAndMergesTheModelsMaps) {
    const std::string config = R"({"baseURL": "https://cfg.example/root/", "requests": {
        "plain": {"url": "/files/{filename}", "query": {"a": "1", "v": "{version}"}, "headers": {"Accept": "x"}},
        "absolute": {"method": "POST", "url": "https://other.example/t/{tenantId}?fixed=1",
                     "headers": {"content-type": "text/plain", "Authorization": "Bearer {authToken}"},
                     "body": {"whole": "{payload}", "text": "id {identifier}!", "list": ["{identifier}", 2], "keep": "{ not}{}"}},
        "missing": {"url": "x/{nope}"},
        "badHeader": {"url": "x", "headers": {"X": "{identifier}"}}
    }})";
    const auto manager = managerOf(config);
    const struct Row {
        std::string key, model, expected;
    } rows[] = {
        // Path values are percent-encoded, query values too; the model's query parameters replace
        // the entry's in place and follow them otherwise; header names merge without case.
        {"plain",
         R"({"filename":"a b/c.json","version":"2","queryParametersAndValues":{"v":"9","z":"&"},
             "additionalHTTPHeaders":{"accept":"y","X-Extra":"1"}})",
         R"({"key":"plain","method":"GET","url":"https://cfg.example/root/files/a%20b%2Fc.json?a=1&v=9&z=%26",)"
         R"("headers":{"Accept":"y","X-Extra":"1"}})"},
        // A body placeholder alone keeps its value's type; inside text it is text; a brace that opens
        // no placeholder is kept; the entry's own content type stays.
        {"absolute", R"({"payload":{"ads":false,"n":[1]},"identifier":"u-1","tenantId":"t 9","authToken":"tok"})",
         R"({"key":"absolute","method":"POST","url":"https://other.example/t/t%209?fixed=1",)"
         R"("headers":{"content-type":"text/plain","Authorization":"Bearer tok"},)"
         R"("body":"{\"whole\":{\"ads\":false,\"n\":[1]},\"text\":\"id u-1!\",\"list\":[\"u-1\",2],\"keep\":\"{ not}{}\"}"})"},
        // The template parameters come before the model's own fields.
        {"plain", R"({"filename":"f","version":"own","templateParametersAndValues":{"version":"tpl"}})",
         R"({"key":"plain","method":"GET","url":"https://cfg.example/root/files/f?a=1&v=tpl","headers":{"Accept":"x"}})"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model);
        const auto request = manager->request(row.key, json::FreeFormObject{JsonValue::parse(row.model).dump()});
        ASSERT_TRUE(request);
        EXPECT_EQ(json::encode(*request), row.expected);
    }
    EXPECT_EQ(manager->request("absent", std::nullopt), std::nullopt);

    const struct Failure {
        std::string key, model, message;
        std::optional<std::string> base = std::nullopt;
    } failures[] = {
        {"missing", "{}", "the placeholder {nope} in the url has no value"},
        {"plain", R"({"filename":"f"})", "the placeholder {version} in the query parameter \"v\" has no value"},
        {"badHeader", R"({"identifier":"a\r\nInjected: 1"})", "the header \"X\" holds a line break"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.key);
        try {
            manager->request(failure.key, json::FreeFormObject{failure.model});
            ADD_FAILURE() << "built";
        } catch (const RequestBuildError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(failure.message)) << error.what();
        }
    }
    // A relative url needs a base; a given base takes the file's place.
    const auto noBase = managerOf(R"({"requests": {"r": {"url": "static/a.json"}}})");
    EXPECT_THROW(noBase->request("r", std::nullopt), RequestBuildError);
    EXPECT_EQ(managerOf(R"({"requests": {"r": {"url": "static/a.json"}}})", "http://127.0.0.1:9/")->request("r", std::nullopt)->url,
              "http://127.0.0.1:9/static/a.json");
}

TEST(Requests, EachFailureIsLoggedAndThrown) {
    const auto fails = [](const Requests& request) {
        LogCapture log;
        std::optional<RequestsFailure> failure;
        try {
            request.request();
        } catch (const RequestsError& error) {
            failure = error.failure();
        }
        EXPECT_EQ(log.entries().size(), 1u);
        const LogEntry entry = log.entries().empty() ? LogEntry{} : log.entries().front();
        EXPECT_EQ(entry.level, LogLevel::error);
        EXPECT_EQ(entry.category, LogCategory::content);
        EXPECT_EQ(entry.function, "request");
        return std::pair(failure, entry.message);
    };
    Requests::setRequestManager(nullptr);
    EXPECT_EQ(fails(Requests::Plain::appStore),
              std::pair(std::optional(RequestsFailure::noRequestManager), std::string("Requests.requestManager was nil.")));

    const ManagerScope scope(managerOf(R"({"baseURL": "https://b.example/", "requests": {
        "PaywallConfig": {"url": "p/{nope}"}, "skelda": {"url": "k", "cacheWritePolicy": "skeldaImage"},
        "AppConfig": {"url": "a", "cacheWritePolicy": "unregistered"}}})"));
    EXPECT_EQ(fails(Requests::paywall("x")),
              std::pair(std::optional(RequestsFailure::creationFailed),
                        std::string(R"(Error creating request for key "PaywallConfig": the placeholder {nope} in the url has no value)")));
    EXPECT_EQ(fails(Requests::Plain::appConfig).first, RequestsFailure::creationFailed);
    EXPECT_EQ(fails(Requests::Plain::helpPage),
              std::pair(std::optional(RequestsFailure::notInRequestConfig),
                        std::string(R"(Matching request for key "helpPage" was not found in RequestConfig.json)")));
    // Setting the manager registered the image policy, so the skelda entry builds.
    EXPECT_EQ(Requests(Requests::Plain::skelda).request().cacheWritePolicy, "skeldaImage");
}

TEST(RequestManager, CachesOnlyWhatItsPolicyAllowsAndKeepsTheLatest) {
    const auto manager = std::make_shared<RequestManager>(
        json::decode<RequestConfig>(R"({"baseURL": "https://b.example/", "requests": {
            "img": {"url": "img/{filename}", "cacheWritePolicy": "skeldaImage"}, "post": {"method": "POST", "url": "p"}}})"),
        std::nullopt, 2);
    const ManagerScope scope(manager);
    const auto image = [&](std::string name) { return *manager->request("img", json::FreeFormObject{R"({"filename":")" + name + "\"}"}); };
    const HttpResponse fine{200, {}, "bytes"};
    const HttpResponse repairable{200, {{"x-corvane-error", R"({"code":1002,"message":"slow"})"}}, "partial"};
    const HttpResponse failing{200, {{"x-corvane-error", R"({"code":1000,"message":"gone"})"}}, "placeholder"};

    EXPECT_TRUE(manager->storeResponse(image("a"), fine));
    EXPECT_FALSE(manager->storeResponse(image("b"), repairable));
    EXPECT_TRUE(manager->storeResponse(image("c"), failing));
    EXPECT_FALSE(manager->storeResponse(image("d"), HttpResponse{404, {}, ""}));
    EXPECT_FALSE(manager->storeResponse(*manager->request("post", std::nullopt), fine));
    EXPECT_EQ(manager->cachedResponse(image("a")), fine);
    EXPECT_EQ(manager->cachedResponse(image("b")), std::nullopt);
    EXPECT_TRUE(manager->storeResponse(image("e"), fine));  // the cache holds two: "a" was the oldest
    EXPECT_EQ(manager->cachedResponse(image("a")), std::nullopt);
    EXPECT_EQ(manager->cachedResponse(image("c")), failing);
}

}  // namespace
}  // namespace vorlane
