#include "vorlane/ContentService/SDKContentService.hpp"

namespace vorlane {

SDKContentService::SDKContentService(
    std::shared_ptr<sdk::Session> session, std::shared_ptr<sdk::Coordinator> requestCoordinator,
    std::shared_ptr<const NonFatalErrorTracker> nonFatalErrorTracker, std::string partner,
    BehaviorReader<ContentQueryConfiguration> config, BehaviorReader<std::string> currentCountry,
    BehaviorReader<std::optional<std::int64_t>> impliedMaturityRating,
    BehaviorReader<std::optional<std::string>> portabilityCountry, BehaviorReader<bool> isKidsMode,
    BehaviorReader<std::string> preferredLanguage, BehaviorReader<sdk::SearchOverrides> searchOverrides,
    BehaviorReader<bool> liveAndUnratedEnabled, BehaviorReader<std::optional<std::string>> profileId)
    : session_(std::move(session)),
      requestCoordinator_(std::move(requestCoordinator)),
      nonFatalErrorTracker_(std::move(nonFatalErrorTracker)),
      partner_(std::move(partner)),
      currentCountry_(std::move(currentCountry)),
      portabilityCountry_(std::move(portabilityCountry)),
      isKidsMode_(std::move(isKidsMode)),
      config_(std::move(config)),
      impliedMaturityRating_(std::move(impliedMaturityRating)),
      preferredLanguage_(std::move(preferredLanguage)),
      searchOverrides_(std::move(searchOverrides)),
      liveAndUnratedEnabled_(std::move(liveAndUnratedEnabled)),
      profileId_(std::move(profileId)) {}

std::optional<ContentQueryDescriptor> SDKContentService::descriptor(ContentQueryIdentifier key) const {
    auto config = config_.snapshot();
    if (const auto* found = config->descriptor(key)) return *found;
    return std::nullopt;
}

std::string SDKContentService::resolveRegion() const {
    const std::optional<std::string> portability = portabilityCountry_.value();
    std::string region = portability.value_or("");
    if (!region.empty()) return region;
    const std::string current = currentCountry_.value();
    region = current;
    if (region.empty() && nonFatalErrorTracker_) {
        StringDictionary info;
        info.insertOrAssign("portabilityCountry", portability ? *portability : std::string("nil"));
        info.insertOrAssign("currentCountry", current);
        nonFatalErrorTracker_->logNonFatalError("Region not found in content API call", {"regionWasEmpty", "true"}, info);
    }
    return region;
}

std::optional<sdk::RestQuery> SDKContentService::restQuery(ContentQueryIdentifier key,
                                                           const QueryVariables& variables) const {
    auto found = descriptor(key);
    if (!found) return std::nullopt;
    StandardVariableInputs inputs;
    inputs.preferredLanguage = preferredLanguage_.value();
    inputs.region = resolveRegion();
    inputs.apiVersion = found->apiVersion;
    inputs.impliedMaturityRating = impliedMaturityRating_.value();
    inputs.isKidsMode = isKidsMode_.value();
    inputs.liveAndUnratedEnabled = liveAndUnratedEnabled_.value();
    return queryFactory_.restQuery(found->queryId, variables, queryFactory_.standardVariables(inputs));
}

rx::Single<std::string> SDKContentService::rawQuery(ContentQueryIdentifier key, const QueryVariables& variables,
                                                    std::string requestName, int line) const {
    auto found = descriptor(key);
    if (!found) return failure<std::string>(SDKContentServiceError::nullQueryId);
    sdk::RestQuery query{found->queryId, variables.resolved()};
    JsonValue logged = query.variables;
    return session_->contentApi()
        ->query(std::move(query), std::nullopt, std::nullopt, sdk::CallSite{__FILE__, line})
        .doOnSubscribe([requestName = std::move(requestName), logged = std::move(logged)] {
            logRequest(requestName, logged);
        });
}

void SDKContentService::logRequest(const std::string& queryId, const JsonValue& variables) {
    if (!Log::content.enabled(LogLevel::debug)) return;  // the printed variables are built only for a reader
    Log::content.debug("Executing request: " + queryId + ", variables: " + variables.dump(), "logRequest(for:variables:)",
                       __LINE__);
}

void SDKContentService::logExploreRequest(const std::string& queryId, const std::optional<JsonValue>& variables,
                                          const std::optional<JsonValue>& params) {
    if (!Log::content.enabled(LogLevel::debug)) return;
    const std::string empty = "{}";
    Log::content.debug("Executing request: " + queryId + ", variables: " + (variables ? variables->dump() : empty) +
                           ", exploreParams: " + (params ? params->dump() : empty),
                       "logExploreRequest(for:variables:exploreParams:)", __LINE__);
}

}  // namespace vorlane
