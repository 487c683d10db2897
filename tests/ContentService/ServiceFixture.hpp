#pragma once
// A content service over a scripted session, with every current value held by the test.

#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Transport/ScriptedSession.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <system_error>

namespace vorlane::test {

class RecordingTracker : public NonFatalErrorTracker {
public:
    using NonFatalErrorTracker::logNonFatalError;
    void logNonFatalError(const std::string& message, const StringDictionary& tags,
                          const StringDictionary& additionalInfo) const override {
        reports.push_back({message, tags, additionalInfo});
    }
    struct Report { std::string message; StringDictionary tags, info; };
    mutable std::vector<Report> reports;
};

struct ServiceFixture : ::testing::Test {
    explicit ServiceFixture(ContentQueryConfiguration configuration) : config(std::move(configuration)) {}

    std::shared_ptr<ScriptedSession> session = std::make_shared<ScriptedSession>();
    std::shared_ptr<RecordingTracker> tracker = std::make_shared<RecordingTracker>();
    BehaviorReader<ContentQueryConfiguration> config;
    BehaviorReader<std::string> currentCountry{"US"}, language{"en-GB"};
    BehaviorReader<std::optional<std::int64_t>> rating{std::optional<std::int64_t>(1350)};
    BehaviorReader<std::optional<std::string>> portability{std::nullopt}, profile{std::nullopt};
    BehaviorReader<bool> kids{false}, liveAndUnrated{true};
    BehaviorReader<sdk::SearchOverrides> overrides{sdk::SearchOverrides{}};
    SDKContentService service{{.session = session,
                               .requestCoordinator = nullptr,
                               .nonFatalErrorTracker = tracker,
                               .partner = "partner",
                               .config = config,
                               .currentCountry = currentCountry,
                               .portabilityCountry = portability,
                               .isKidsMode = kids,
                               .impliedMaturityRating = rating,
                               .preferredLanguage = language,
                               .searchOverrides = overrides,
                               .liveAndUnratedEnabled = liveAndUnrated,
                               .profileId = profile}};
};

// Every query key, configured as "core/<key>".
inline ContentQueryConfiguration everyQuery() {
    ContentQueryConfiguration config;
    for (const auto& entry : json::allCases<ContentQueryIdentifier>())
        config.queryDescriptors.insertOrAssign(entry.value, ContentQueryDescriptor{"core/" + std::string(entry.wire), "5.1"});
    config.defaultSeriesBundleEpisodeCount = 7;
    config.avatarSlug = "avatars";
    config.homeScreenSlug = "home";
    config.brandSlugs = {"northlight"};
    config.collectionContentClassConfig.insertOrAssign(
        "home", CollectionContentClassConfig{ContentQueryIdentifier::completeCollectionBySlug, CollectionIdentifierType::slug, true,
                                             "PersonalizedCollection"});
    config.collectionContentClassConfig.insertOrAssign(
        "brand", CollectionContentClassConfig{ContentQueryIdentifier::collectionByGroupId, CollectionIdentifierType::collectionGroupId,
                                              false, "PersonalizedCollection"});
    return config;
}

// Runs `action` and expects it to throw the error code `expected`.
template <class Code>
void expectErrorCode(const std::function<void()>& action, Code expected) {
    try {
        action();
        ADD_FAILURE() << "no error";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), make_error_code(expected)) << error.code().category().name() << " " << error.code().value();
    }
}

}  // namespace vorlane::test
