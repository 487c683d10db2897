#include "vorlane/ContentService/QueryFactory.hpp"

#include <boost/url/encode.hpp>
#include <boost/url/rfc/pchars.hpp>

#include <cmath>
#include <stdexcept>

namespace vorlane {

QueryVariables::QueryVariables(std::initializer_list<std::pair<std::string, VariableValue>> entries)
    : entries_(entries) {}

QueryVariables& QueryVariables::set(std::string key, VariableValue value) {
    for (auto& entry : entries_)
        if (entry.first == key) {
            entry.second = std::move(value);
            return *this;
        }
    entries_.emplace_back(std::move(key), std::move(value));
    return *this;
}

QueryVariables& QueryVariables::merge(const JsonValue& object) {
    if (object.is_null()) return *this;
    if (!object.is_object()) throw std::invalid_argument("query parameters must be a JSON object, not " + object.dump());
    for (const auto& [key, value] : object.items()) set(key, value);
    return *this;
}

JsonValue QueryVariables::resolved() const {
    JsonValue out = JsonValue::object();
    for (const auto& [key, value] : entries_) {
        if (const auto* id = std::get_if<EncodedIdentifier>(&value))
            out[key] = id->string();
        else
            out[key] = std::get<JsonValue>(value);
    }
    return out;
}

JsonValue QueryFactory::standardVariables(const StandardVariableInputs& inputs) const {
    JsonValue variables = JsonValue::object();
    variables["appLanguage"] = inputs.preferredLanguage;
    variables["region"] = inputs.region;
    variables["apiVersion"] = inputs.apiVersion;
    if (inputs.impliedMaturityRating) variables["impliedMaturityRating"] = *inputs.impliedMaturityRating;
    variables["kidsModeEnabled"] = inputs.isKidsMode;
    variables["liveAndUnratedEnabled"] = inputs.liveAndUnratedEnabled;
    return variables;
}

sdk::RestQuery QueryFactory::restQuery(const std::string& queryId, const QueryVariables& operationVariables,
                                       const JsonValue& standardVariables) const {
    JsonValue variables = operationVariables.resolved();
    for (const auto& [key, value] : standardVariables.items())
        if (!variables.contains(key)) variables[key] = value;
    return sdk::RestQuery{queryId, std::move(variables)};
}

std::int64_t pageNumber(const ItemPage& page) noexcept {
    const std::int64_t size = rawValue(page.pageSize);
    if (size <= 0 || page.offset < 0) return 1;  // `zero` is 0 and `all` is -1
    return page.offset / size + 1;
}

namespace {

// The length of the UTF-8 sequence starting at `i`, or 0 when it is not a valid one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) noexcept {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, min = 0x10000;
    else return 0;
    if (i + length > text.size()) return 0;
    std::uint32_t codePoint = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}


}  // namespace

std::string percentEncodedSearchText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) return std::string(text);
        i += length;
    }
    // A path segment's characters (unreserved, sub-delimiters, ":" and "@") stay; "/" and every
    // other byte are escaped, upper-case hex.
    return boost::urls::encode(text, boost::urls::pchars);
}

std::optional<JsonValue> normalizedBookmark(const JsonValue& bookmarkUpsert) {
    if (!bookmarkUpsert.is_object()) return std::nullopt;
    const auto last = bookmarkUpsert.find("lastBookmark");
    if (last == bookmarkUpsert.end() || !last->is_object() || last->empty()) return std::nullopt;
    const auto member = [&](const char* key) -> const JsonValue* {
        const auto found = last->find(key);
        return found == last->end() ? nullptr : &*found;
    };
    const JsonValue* contentId = member("contentId");
    const JsonValue* mediaId = member("mediaId");
    const JsonValue* playhead = member("playhead");
    const JsonValue* occurredOn = member("occurredOn");
    if (!contentId || !contentId->is_string() || !mediaId || !mediaId->is_string()) return std::nullopt;
    if (!playhead || !playhead->is_number_float() || !occurredOn || !occurredOn->is_number_integer()) return std::nullopt;
    const double seconds = std::trunc(playhead->get<double>());
    // Only values strictly inside the 64-bit range convert exactly; NaN fails both comparisons.
    if (!(seconds > -9223372036854775808.0 && seconds < 9223372036854775808.0)) return std::nullopt;
    if (occurredOn->is_number_unsigned() && occurredOn->get<std::uint64_t>() > std::uint64_t(INT64_MAX)) return std::nullopt;
    JsonValue normalized = JsonValue::object();
    normalized["contentId"] = *contentId;
    normalized["mediaId"] = *mediaId;
    normalized["playhead"] = static_cast<std::int64_t>(seconds);
    normalized["occurredOn"] = occurredOn->get<std::int64_t>();
    return normalized;
}

namespace {

void requireFiniteNumbers(const JsonValue& value, const std::string& path) {
    if (value.is_number_float() && !std::isfinite(value.get<double>()))
        throw std::invalid_argument("the request body cannot hold the non-finite number at " + path);
    if (value.is_object())
        for (const auto& [key, member] : value.items()) requireFiniteNumbers(member, path + "." + key);
    else if (value.is_array())
        for (std::size_t i = 0; i < value.size(); ++i) requireFiniteNumbers(value[i], path + "[" + std::to_string(i) + "]");
}

}  // namespace

std::string postBody(const JsonValue& body) {
    requireFiniteNumbers(body, "body");
    return body.dump(2);
}

std::optional<ContentQueryIdentifier> legacySetQueryKey(ContentSetType type) noexcept {
    using Key = ContentQueryIdentifier;
    switch (type) {
        case ContentSetType::curated: return Key::curatedSet;
        case ContentSetType::personalizedCurated: return Key::personalizedCuratedSet;
        case ContentSetType::generic: return Key::genericSet;
        case ContentSetType::downloads: return Key::downloadsSet;
        case ContentSetType::watchlist: return Key::watchlistSet;
        case ContentSetType::trending: return Key::trendingSet;
        case ContentSetType::recommendation: return Key::recommendationSet;
        case ContentSetType::becauseYou: return Key::becauseYouSet;
        case ContentSetType::continueWatching:
        case ContentSetType::exploreSet: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace vorlane
