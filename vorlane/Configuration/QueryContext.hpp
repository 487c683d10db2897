#pragma once
// The run-time inputs a content service reads through its current-value holders, as one record:
// what `vorlane query --context FILE` reads. An absent key takes the value a freshly started app
// has: partner "vorlane", current country "US", language "en", no portability country, kids mode
// off, no maturity rating, live-and-unrated off, no profile, no search overrides.

#include "vorlane/Platform/Json/Record.hpp"
#include "vorlane/Platform/SearchOverrides.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane {

struct QueryContext {
    std::string partner = "vorlane";
    std::string currentCountry = "US";
    std::optional<std::string> portabilityCountry;
    bool isKidsMode = false;
    std::optional<std::int64_t> impliedMaturityRating;
    std::string preferredLanguage = "en";
    sdk::SearchOverrides searchOverrides;
    bool liveAndUnratedEnabled = false;
    std::optional<std::string> profileId;
    bool operator==(const QueryContext&) const = default;
};

inline auto jsonFields(json::Tag<QueryContext>) {
    using namespace json::rules;
    using S = QueryContext;
    const QueryContext fresh;
    return fields(defaulted("partner", &S::partner, fresh.partner),
                  defaulted("currentCountry", &S::currentCountry, fresh.currentCountry),
                  optional("portabilityCountry", &S::portabilityCountry),
                  defaulted("isKidsMode", &S::isKidsMode, fresh.isKidsMode),
                  optional("impliedMaturityRating", &S::impliedMaturityRating),
                  defaulted("preferredLanguage", &S::preferredLanguage, fresh.preferredLanguage),
                  defaulted("searchOverrides", &S::searchOverrides),
                  defaulted("liveAndUnratedEnabled", &S::liveAndUnratedEnabled, fresh.liveAndUnratedEnabled),
                  optional("profileId", &S::profileId));
}

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::QueryContext)

// Hand-written around the record's codec: a context file is typed by a person, so a key the record
// does not read (a misspelt "curentCountry") fails instead of being ignored.
VORLANE_JSON_CODEC(vorlane::QueryContext)
