#pragma once
// The networking kit's side of named requests: "RequestConfig.json" describes each remote call the
// app makes besides content queries (configuration files, single sign-on, consent, ...) under a
// key, and a request manager turns an entry and a request model into a ready `Request`.
//
// The file:
//   {
//     "baseURL": "https://config.example.com/",            (optional; relative urls need one)
//     "requests": {
//       "PaywallConfig": {
//         "method": "GET",                                   (optional, GET by default)
//         "url": "static/config/paywall/{filename}",         (absolute, or relative to the base)
//         "query": {"platform": "linux"},                    (optional, sent in this order)
//         "headers": {"Accept": "application/json"},         (optional, sent in this order)
//         "body": {"claim": "{samlClaim}"},                  (optional, any JSON; sent as JSON)
//         "cacheWritePolicy": "skeldaImage"                  (optional; a registered policy)
//       }, ...
//     }
//   }
//
// Templates: "{name}" in the url, a query or header value, or a string of the body is replaced by
// the model's template parameter `name`, else by the model's own field `name` (a string as it
// stands, any other value as its compact JSON). In the url the value is percent-encoded; in the
// body a string that is exactly "{name}" becomes the value itself, of whatever JSON type. A brace
// that does not open a placeholder is kept. A placeholder with no value fails the request.
//
// The model's "queryParametersAndValues" follow the entry's query parameters (replacing an entry
// parameter of the same name in its place), and its "additionalHTTPHeaders" follow the entry's
// headers likewise (names compared without case).

#include "vorlane/Platform/HttpResponse.hpp"
#include "vorlane/Platform/Json/FreeFormObject.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vorlane {

enum class HttpMethod { get, post, put, patch, del, head };

constexpr auto jsonVocabulary(json::Tag<HttpMethod>) {
    using enum HttpMethod;
    return json::vocabulary<HttpMethod>("HttpMethod", {
        {get, "GET"},
        {post, "POST"},
        {put, "PUT"},
        {patch, "PATCH"},
        {del, "DELETE"},
        {head, "HEAD"},
    });
}

// One entry of "RequestConfig.json".
struct RequestConfigEntry {
    HttpMethod method = HttpMethod::get;
    std::string url;
    std::optional<OrderedMap<std::string>> query;
    std::optional<OrderedMap<std::string>> headers;
    std::optional<json::FreeFormValue> body;  // a template of the JSON body
    std::optional<std::string> cacheWritePolicy;
    bool operator==(const RequestConfigEntry&) const = default;
};

inline auto jsonFields(json::Tag<RequestConfigEntry>) {
    using namespace json::rules;
    using S = RequestConfigEntry;
    return fields(defaulted("method", &S::method, HttpMethod::get), required("url", &S::url),
                  optional("query", &S::query), optional("headers", &S::headers), optional("body", &S::body),
                  optional("cacheWritePolicy", &S::cacheWritePolicy));
}

struct RequestConfig {
    std::optional<std::string> baseURL;
    OrderedMap<RequestConfigEntry> requests;
    bool operator==(const RequestConfig&) const = default;
};

inline auto jsonFields(json::Tag<RequestConfig>) {
    using namespace json::rules;
    return fields(optional("baseURL", &RequestConfig::baseURL), required("requests", &RequestConfig::requests));
}

// A request ready to send: everything resolved, the query string in the url.
struct Request {
    std::string key;  // the configuration key it was built from
    HttpMethod method = HttpMethod::get;
    std::string url;
    OrderedMap<std::string> headers;
    std::optional<std::string> body;  // JSON text
    std::optional<std::string> cacheWritePolicy;
    bool operator==(const Request&) const = default;
};

inline auto jsonFields(json::Tag<Request>) {
    using namespace json::rules;
    using S = Request;
    return fields(required("key", &S::key), required("method", &S::method), required("url", &S::url),
                  required("headers", &S::headers), optional("body", &S::body),
                  optional("cacheWritePolicy", &S::cacheWritePolicy));
}

// An entry that cannot be turned into a request: a placeholder without a value, a relative url
// without a base, a header value with a line break, an unregistered cache-write policy, a model
// that is not a JSON object.
class RequestBuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decides whether a response may be written to the cache.
using CacheWritePolicy = std::function<bool(const HttpResponse&)>;

class RequestManager {
public:
    // `baseURLOverride`, when given, takes the place of the file's "baseURL" (a test server, a
    // staging host).
    explicit RequestManager(RequestConfig config, std::optional<std::string> baseURLOverride = std::nullopt,
                            std::size_t cacheCapacity = 64);

    // Reads "RequestConfig.json" (or any file of that format); std::runtime_error naming the file
    // when it cannot be read, json::DecodingError with the file in the message when it does not
    // decode.
    static std::shared_ptr<RequestManager> load(const std::filesystem::path& file,
                                                std::optional<std::string> baseURLOverride = std::nullopt);

    const RequestConfig& config() const noexcept { return config_; }

    // The request of `key` built with `model` (the model's JSON encoding, an object); absent when
    // the file has no entry for `key`; RequestBuildError when the entry cannot be built.
    std::optional<Request> request(std::string_view key, const std::optional<json::FreeFormObject>& model) const;

    // Registers (or replaces) the cache-write policy `name`.
    void registerCacheWritePolicy(std::string name, CacheWritePolicy policy);
    bool hasCacheWritePolicy(std::string_view name) const;

    // Whether `response` to `request` may be cached: a success (status below 300) whose request
    // names no policy, or whose policy allows it.
    bool allowsCacheWrite(const Request& request, const HttpResponse& response) const;

    // The last response cached for a GET of the request's url, written only when allowed; the
    // cache keeps the most recently written `cacheCapacity` urls. Hosts read it to work offline.
    bool storeResponse(const Request& request, const HttpResponse& response);
    std::optional<HttpResponse> cachedResponse(const Request& request) const;

private:
    RequestConfig config_;
    std::optional<std::string> baseURLOverride_;
    std::size_t cacheCapacity_;

    mutable std::mutex mutex_;
    std::map<std::string, CacheWritePolicy, std::less<>> policies_;
    std::list<std::pair<std::string, HttpResponse>> cache_;  // most recent first
    std::unordered_map<std::string, std::list<std::pair<std::string, HttpResponse>>::iterator> cacheIndex_;
};


}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::RequestConfigEntry)
VORLANE_JSON_RECORD(vorlane::RequestConfig)
VORLANE_JSON_RECORD(vorlane::Request)
