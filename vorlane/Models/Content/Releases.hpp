#pragma once
// Releases of a title (kind, year, territory, the service's date text, releasing organisation),
// the look-ups screens make on a list of them, and the year ranges shown for series.
//
//   {"releaseType": "original", "releaseYear": 2021, "territory": "US", "releaseDate": "2021-03-05"}

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vorlane {

enum class ReleaseTypeCase { original, broadcast, other };

constexpr auto jsonVocabulary(json::Tag<ReleaseTypeCase>) {
    using enum ReleaseTypeCase;
    return json::vocabulary<ReleaseTypeCase>("Release.ReleaseType", {
        {original, "original"},
        {broadcast, "broadcast"},
    })
        .catchAll(other);
}

struct Release {
    // The kind of release; `other` keeps any string besides the two known ones and writes it back.
    using ReleaseType = json::OpenEnum<ReleaseTypeCase>;

    std::optional<ReleaseType> releaseType;
    std::optional<std::int64_t> releaseYear;
    std::optional<std::string> territory;
    std::optional<std::string> releaseDate;  // the service's date text, kept as sent
    std::optional<std::string> releaseOrg;

    bool operator==(const Release&) const = default;
};

inline auto jsonFields(json::Tag<Release>) {
    using namespace json::rules;
    using S = Release;
    return fields(optional("releaseType", &S::releaseType), optional("releaseYear", &S::releaseYear),
                  optional("territory", &S::territory), optional("releaseDate", &S::releaseDate),
                  optional("releaseOrg", &S::releaseOrg));
}

// Look-ups on a list of releases: each returns the first match in order. The first two match by
// the type's wire string, so `other` holding "original" counts as original; a release without a
// type never matches.
[[nodiscard]] std::optional<Release> original(std::span<const Release> releases);
[[nodiscard]] std::optional<Release> broadcast(std::span<const Release> releases);
[[nodiscard]] std::optional<Release> releaseOf(std::span<const Release> releases, const Release::ReleaseType& type);

struct ReleaseYearRange {
    std::string startYear;
    std::optional<std::string> endYear;
    bool operator==(const ReleaseYearRange&) const = default;
};

inline auto jsonFields(json::Tag<ReleaseYearRange>) {
    using namespace json::rules;
    using S = ReleaseYearRange;
    return fields(required("startYear", &S::startYear), optional("endYear", &S::endYear));
}

struct LabeledReleaseYearRange {
    std::string label;
    std::string startYear;
    std::optional<std::string> endYear;
    bool operator==(const LabeledReleaseYearRange&) const = default;
};

inline auto jsonFields(json::Tag<LabeledReleaseYearRange>) {
    using namespace json::rules;
    using S = LabeledReleaseYearRange;
    return fields(required("label", &S::label), required("startYear", &S::startYear),
                  optional("endYear", &S::endYear));
}

inline auto jsonDerived(json::Tag<std::vector<Release>>) {
    using namespace json::derived;
    return members(member("original", [](const std::vector<Release>& r) { return original(r); }),
                   member("broadcast", [](const std::vector<Release>& r) { return broadcast(r); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Release)
VORLANE_JSON_RECORD(vorlane::ReleaseYearRange)
VORLANE_JSON_RECORD(vorlane::LabeledReleaseYearRange)
