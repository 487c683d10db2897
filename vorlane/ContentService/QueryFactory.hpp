#pragma once
// Builds the variables of legacy queries: the six standard variables every legacy query carries,
// and the merge with an operation's own variables.

#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Session.hpp"

#include <cstdint>
#include <optional>
#include <string>
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

    QueryVariables& set(std::string key, VariableValue value);
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

}  // namespace vorlane
