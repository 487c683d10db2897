#include "vorlane/ContentService/SDKContentService.hpp"

namespace vorlane {

SDKContentServiceInputs SDKContentServiceInputs::fixed(std::shared_ptr<sdk::Session> session,
                                                      ContentQueryConfiguration configuration,
                                                      const QueryContext& context,
                                                      std::shared_ptr<const NonFatalErrorTracker> nonFatalErrorTracker) {
    return {.session = std::move(session),
            .requestCoordinator = std::make_shared<sdk::Coordinator>(),
            .nonFatalErrorTracker = std::move(nonFatalErrorTracker),
            .partner = context.partner,
            .config = BehaviorReader<ContentQueryConfiguration>(std::move(configuration)),
            .currentCountry = BehaviorReader<std::string>(context.currentCountry),
            .portabilityCountry = BehaviorReader<std::optional<std::string>>(context.portabilityCountry),
            .isKidsMode = BehaviorReader<bool>(context.isKidsMode),
            .impliedMaturityRating = BehaviorReader<std::optional<std::int64_t>>(context.impliedMaturityRating),
            .preferredLanguage = BehaviorReader<std::string>(context.preferredLanguage),
            .searchOverrides = BehaviorReader<sdk::SearchOverrides>(context.searchOverrides),
            .liveAndUnratedEnabled = BehaviorReader<bool>(context.liveAndUnratedEnabled),
            .profileId = BehaviorReader<std::optional<std::string>>(context.profileId)};
}

std::optional<ContentQueryDescriptor> SDKContentService::descriptor(ContentQueryIdentifier key) const {
    auto config = inputs_.config.snapshot();
    if (const auto* found = config->descriptor(key)) return *found;
    return std::nullopt;
}

std::string SDKContentService::resolveRegion() const {
    const std::optional<std::string> portability = inputs_.portabilityCountry.value();
    std::string region = portability.value_or("");
    if (!region.empty()) return region;
    const std::string current = inputs_.currentCountry.value();
    region = current;
    if (region.empty() && inputs_.nonFatalErrorTracker) {
        StringDictionary info;
        info.insertOrAssign("portabilityCountry", portability ? *portability : std::string("nil"));
        info.insertOrAssign("currentCountry", current);
        inputs_.nonFatalErrorTracker->logNonFatalError("Region not found in content API call", {"regionWasEmpty", "true"}, info);
    }
    return region;
}

std::optional<sdk::RestQuery> SDKContentService::restQuery(ContentQueryIdentifier key,
                                                           const QueryVariables& variables) const {
    auto found = descriptor(key);
    if (!found) return std::nullopt;
    StandardVariableInputs inputs;
    inputs.preferredLanguage = inputs_.preferredLanguage.value();
    inputs.region = resolveRegion();
    inputs.apiVersion = found->apiVersion;
    inputs.impliedMaturityRating = inputs_.impliedMaturityRating.value();
    inputs.isKidsMode = inputs_.isKidsMode.value();
    inputs.liveAndUnratedEnabled = inputs_.liveAndUnratedEnabled.value();
    return queryFactory_.restQuery(found->queryId, variables, queryFactory_.standardVariables(inputs));
}

rx::Single<std::string> SDKContentService::rawQuery(ContentQueryIdentifier key, const QueryVariables& variables,
                                                    std::string requestName, int line) const {
    auto found = descriptor(key);
    if (!found) return failure<std::string>(SDKContentServiceError::nullQueryId);
    sdk::RestQuery query{found->queryId, variables.resolved()};
    JsonValue logged = query.variables;
    return inputs_.session->contentApi()
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
