#include "vorlane/Requests/RequestManager.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/PercentEncoding.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vorlane {

namespace {

bool isPlaceholderCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

bool equalWithoutCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// The values placeholders are filled with: the model's template parameters, then its own fields.
class TemplateValues {
public:
    explicit TemplateValues(const std::optional<json::FreeFormObject>& model) {
        if (!model) return;
        model_ = JsonValue::parse(model->json, nullptr, false);
        if (!model_.is_object()) throw RequestBuildError("the request model is not a JSON object");
    }

    // The value of `name`, or null when the model has none.
    const JsonValue* find(std::string_view name) const {
        if (!model_.is_object()) return nullptr;
        const std::string key(name);
        if (const auto parameters = model_.find("templateParametersAndValues");
            parameters != model_.end() && parameters->is_object()) {
            if (const auto found = parameters->find(key); found != parameters->end()) return &*found;
        }
        if (const auto found = model_.find(key); found != model_.end() && !found->is_null()) return &*found;
        return nullptr;
    }

    // The model's string map under `key`, in order (non-string values as their JSON).
    std::vector<std::pair<std::string, std::string>> map(const char* key) const {
        std::vector<std::pair<std::string, std::string>> out;
        if (!model_.is_object()) return out;
        const auto found = model_.find(key);
        if (found == model_.end() || !found->is_object()) return out;
        for (const auto& [name, value] : found->items()) out.emplace_back(name, text(value));
        return out;
    }

    static std::string text(const JsonValue& value) {
        return value.is_string() ? value.get<std::string>() : value.dump();
    }

private:
    JsonValue model_;
};

enum class Placement { url, plain };

// `text` with each "{name}" replaced by its value (percent-encoded in a url); one pass, so a value
// that itself holds braces is not read again.
std::string substituted(std::string_view text, const TemplateValues& values, Placement placement, std::string_view where) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        if (open == std::string_view::npos) break;
        std::size_t end = open + 1;
        while (end < text.size() && isPlaceholderCharacter(text[end])) ++end;
        if (end == open + 1 || end == text.size() || text[end] != '}') {  // not a placeholder: kept
            out.append(text.substr(at, end - at));
            at = end;
            continue;
        }
        const std::string_view name = text.substr(open + 1, end - open - 1);
        const JsonValue* value = values.find(name);
        if (!value)
            throw RequestBuildError("the placeholder {" + std::string(name) + "} in " + std::string(where) + " has no value");
        out.append(text.substr(at, open - at));
        const std::string valueText = TemplateValues::text(*value);
        out += placement == Placement::url ? percentEncoded(valueText) : valueText;
        at = end + 1;
    }
    out.append(text.substr(std::min(at, text.size())));
    return out;
}

// The body template with its placeholders filled: a string that is exactly one placeholder becomes
// the value itself, any other string has its placeholders replaced as text.
JsonValue substitutedBody(const JsonValue& body, const TemplateValues& values) {
    if (body.is_string()) {
        const std::string& text = body.get_ref<const std::string&>();
        if (text.size() > 2 && text.front() == '{' && text.back() == '}' &&
            std::all_of(text.begin() + 1, text.end() - 1, isPlaceholderCharacter)) {
            if (const JsonValue* value = values.find(std::string_view(text).substr(1, text.size() - 2))) return *value;
        }
        return substituted(text, values, Placement::plain, "the body");
    }
    if (body.is_object()) {
        JsonValue out = JsonValue::object();
        for (const auto& [key, value] : body.items()) out[key] = substitutedBody(value, values);
        return out;
    }
    if (body.is_array()) {
        JsonValue out = JsonValue::array();
        for (const auto& element : body) out.push_back(substitutedBody(element, values));
        return out;
    }
    return body;
}

// Puts (name, value) into `entries`, replacing an entry of the same name in its place.
template <class Same>
void merge(std::vector<std::pair<std::string, std::string>>& entries, std::string name, std::string value, Same same) {
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) { return same(entry.first, name); });
    if (found != entries.end())
        found->second = std::move(value);
    else
        entries.emplace_back(std::move(name), std::move(value));
}

std::string joined(std::string_view base, std::string_view relative) {
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
    return std::string(base) + "/" + std::string(relative);
}

}  // namespace

RequestManager::RequestManager(RequestConfig config, std::optional<std::string> baseURLOverride, std::size_t cacheCapacity)
    : config_(std::move(config)), baseURLOverride_(std::move(baseURLOverride)), cacheCapacity_(cacheCapacity) {}

std::shared_ptr<RequestManager> RequestManager::load(const std::filesystem::path& file,
                                                     std::optional<std::string> baseURLOverride) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        return std::make_shared<RequestManager>(json::decode<RequestConfig>(text), std::move(baseURLOverride));
    } catch (const json::DecodingError& error) {
        throw json::DecodingError(error.kind(), error.path(), file.string() + ": " + error.message());
    }
}

std::optional<Request> RequestManager::request(std::string_view key, const std::optional<json::FreeFormObject>& model) const {
    const RequestConfigEntry* entry = config_.requests.find(key);
    if (!entry) return std::nullopt;
    const TemplateValues values(model);

    Request request;
    request.key = std::string(key);
    request.method = entry->method;

    std::string url = substituted(entry->url, values, Placement::url, "the url");
    if (url.find("://") == std::string::npos) {
        const std::optional<std::string>& base = baseURLOverride_ ? baseURLOverride_ : config_.baseURL;
        if (!base) throw RequestBuildError("the url \"" + url + "\" is relative and there is no base URL");
        url = joined(*base, url);
    }
    std::vector<std::pair<std::string, std::string>> query;
    if (entry->query)
        for (const auto& [name, value] : *entry->query)
            query.emplace_back(name, substituted(value, values, Placement::plain, "the query parameter \"" + name + "\""));
    for (auto& [name, value] : values.map("queryParametersAndValues"))
        merge(query, std::move(name), std::move(value), std::equal_to<>());
    char separator = url.find('?') == std::string::npos ? '?' : '&';
    for (const auto& [name, value] : query) {
        url += separator + percentEncoded(name) + "=" + percentEncoded(value);
        separator = '&';
    }
    request.url = std::move(url);

    std::vector<std::pair<std::string, std::string>> headers;
    if (entry->headers)
        for (const auto& [name, value] : *entry->headers)
            headers.emplace_back(name, substituted(value, values, Placement::plain, "the header \"" + name + "\""));
    for (auto& [name, value] : values.map("additionalHTTPHeaders")) merge(headers, std::move(name), std::move(value), equalWithoutCase);

    if (entry->body) {
        request.body = substitutedBody(JsonValue::parse(entry->body->json), values).dump();
        // A content type the entry or the model set stays.
        if (std::none_of(headers.begin(), headers.end(), [](const auto& h) { return equalWithoutCase(h.first, "Content-Type"); }))
            headers.emplace_back("Content-Type", "application/json");
    }
    for (const auto& [name, value] : headers) {
        if (name.empty() || name.find_first_of(":\r\n") != std::string::npos || value.find_first_of("\r\n") != std::string::npos)
            throw RequestBuildError("the header \"" + name + "\" holds a line break, a colon in its name, or no name");
        request.headers.insertOrAssign(name, value);
    }

    if (entry->cacheWritePolicy) {
        if (!hasCacheWritePolicy(*entry->cacheWritePolicy))
            throw RequestBuildError("the cache-write policy \"" + *entry->cacheWritePolicy + "\" is not registered");
        request.cacheWritePolicy = entry->cacheWritePolicy;
    }
    return request;
}

void RequestManager::registerCacheWritePolicy(std::string name, CacheWritePolicy policy) {
    std::lock_guard lock(mutex_);
    policies_[std::move(name)] = std::move(policy);
}

bool RequestManager::hasCacheWritePolicy(std::string_view name) const {
    std::lock_guard lock(mutex_);
    return policies_.find(name) != policies_.end();
}

bool RequestManager::allowsCacheWrite(const Request& request, const HttpResponse& response) const {
    if (response.status < 200 || response.status >= 300) return false;
    if (!request.cacheWritePolicy) return true;
    CacheWritePolicy policy;
    {
        std::lock_guard lock(mutex_);
        const auto found = policies_.find(*request.cacheWritePolicy);
        if (found == policies_.end()) return false;
        policy = found->second;
    }
    return policy(response);  // outside the lock: a policy may log, or ask the manager
}

bool RequestManager::storeResponse(const Request& request, const HttpResponse& response) {
    if (request.method != HttpMethod::get || cacheCapacity_ == 0 || !allowsCacheWrite(request, response)) return false;
    std::lock_guard lock(mutex_);
    if (const auto found = cacheIndex_.find(request.url); found != cacheIndex_.end()) {
        cache_.erase(found->second);
        cacheIndex_.erase(found);
    }
    cache_.emplace_front(request.url, response);
    cacheIndex_[request.url] = cache_.begin();
    if (cache_.size() > cacheCapacity_) {
        cacheIndex_.erase(cache_.back().first);
        cache_.pop_back();
    }
    return true;
}

std::optional<HttpResponse> RequestManager::cachedResponse(const Request& request) const {
    std::lock_guard lock(mutex_);
    const auto found = cacheIndex_.find(request.url);
    if (found == cacheIndex_.end()) return std::nullopt;
    return found->second->second;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::RequestConfigEntry)
VORLANE_JSON_DEFINE(vorlane::RequestConfig)
VORLANE_JSON_DEFINE(vorlane::Request)
