#pragma once
// Builds the variables of legacy queries: the six standard variables every legacy query carries,
// and the merge with an operation's own variables.

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Models/Content/ContentSetType.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Models/Content/ItemPage.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Session.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vorlane {

// An operation's own variables, in the order the operation sets them. A value is free-form JSON or
// an encoded identifier, which is sent as its identifier string.
class QueryVariables {
public:
    using VariableValue = std::variant<JsonValue, EncodedIdentifier>;

    QueryVariables() = default;
    QueryVariables(std::initializer_list<std::pair<std::string, VariableValue>> entries);

    // Sets `key`: an existing key keeps its position and takes the new value.
    QueryVariables& set(std::string key, VariableValue value);
    // Sets every member of `object` (a JSON object; null counts as empty) in its order.
    QueryVariables& merge(const JsonValue& object);
    bool empty() const noexcept { return entries_.empty(); }

    // The variables as a JSON object, encoded identifiers replaced by their strings.
    JsonValue resolved() const;

private:
    std::vector<std::pair<std::string, VariableValue>> entries_;
};

struct StandardVariableInputs {
    std::string preferredLanguage;
    std::string region;
    std::string apiVersion;
    std::optional<std::int64_t> impliedMaturityRating;
    bool isKidsMode = false;
    bool liveAndUnratedEnabled = false;
};

// Stateless.
struct QueryFactory {
    // "appLanguage", "region", "apiVersion", "impliedMaturityRating" (left out when unknown, never
    // null), "kidsModeEnabled", "liveAndUnratedEnabled", in that order.
    JsonValue standardVariables(const StandardVariableInputs& inputs) const;

    // The operation's variables with the standard ones merged in; on a shared key the operation's
    // value wins. Operation keys come first, in their order, then the remaining standard keys.
    sdk::RestQuery restQuery(const std::string& queryId, const QueryVariables& operationVariables,
                             const JsonValue& standardVariables) const;
};

// The "page" a legacy set query sends for `page`: 1 for the `zero` and `all` sizes and for a
// negative offset, else the page the offset falls in, counted from 1 (offset 40 of twenty: 3).
std::int64_t pageNumber(const ItemPage& page) noexcept;

// The search text as sent: percent-encoded except for the characters a URL path allows, "/"
// excepted, so a slash is escaped too. Text that is not valid UTF-8 cannot be encoded and is sent
// unchanged.
std::string percentEncodedSearchText(std::string_view text);

// The bookmark a caller's upsert map carries, normalized for sending: its "lastBookmark" must be a
// non-empty object with "contentId" and "mediaId" strings, a floating-point "playhead" (seconds)
// and an integer "occurredOn". Yields {"contentId", "mediaId", "playhead" (truncated toward zero to
// an integer), "occurredOn"}; anything else, including a playhead no 64-bit integer holds, is no
// bookmark.
std::optional<JsonValue> normalizedBookmark(const JsonValue& bookmarkUpsert);

// An Explore POST body as the networking layer writes JSON: pretty-printed, two spaces a level,
// members in their order. A number that is not finite has no JSON form: std::invalid_argument
// naming where it is ("body.pids[2]").
std::string postBody(const JsonValue& body);

// The query key of a set type fetched by the legacy set query; absent for the continue-watching and
// Explore sets, which are fetched their own ways.
std::optional<ContentQueryIdentifier> legacySetQueryKey(ContentSetType type) noexcept;

}  // namespace vorlane
