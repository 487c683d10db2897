#include "vorlane/ContentService/QueryFactory.hpp"

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

}  // namespace vorlane
