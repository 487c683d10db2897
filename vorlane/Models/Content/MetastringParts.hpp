#pragma once
// The pieces from which a title's one-line metadata string is composed ("Drama · 2021–2023 ·
// TV-14 · 3 Seasons"), every piece already in display form. Any piece may be missing.
//
//   {"genres": {"values": ["Drama"]}, "ratingInfo": {"rating": {"text": "TV-14"}, "advisories": []},
//    "releaseYearRange": {"startYear": "2021", "endYear": "2023"}, "seasonsAvailable": "3 Seasons"}

#include "vorlane/Models/Content/Duration.hpp"
#include "vorlane/Models/Content/Genres.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Releases.hpp"
#include "vorlane/Models/Playback/AudioVisual.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct MetastringLocation {
    std::optional<std::string> displayText;
    bool operator==(const MetastringLocation&) const = default;
};

inline auto jsonFields(json::Tag<MetastringLocation>) {
    using namespace json::rules;
    return fields(optional("displayText", &MetastringLocation::displayText));
}

struct MetastringSportsLeague {
    std::optional<std::string> name;
    bool operator==(const MetastringSportsLeague&) const = default;
};

inline auto jsonFields(json::Tag<MetastringSportsLeague>) {
    using namespace json::rules;
    return fields(optional("name", &MetastringSportsLeague::name));
}

struct MetastringPremiereDate {
    std::optional<std::string> displayText;
    std::optional<std::string> displayTextTts;  // the text for speech output
    bool operator==(const MetastringPremiereDate&) const = default;
};

inline auto jsonFields(json::Tag<MetastringPremiereDate>) {
    using namespace json::rules;
    using S = MetastringPremiereDate;
    return fields(optional("displayText", &S::displayText), optional("displayTextTts", &S::displayTextTts));
}

struct MetastringParts {
    // The names of the parts as a vocabulary of their own, each case's string its name; its order
    // is not the order of the fields below.
    enum class Keys {
        genres,
        audioVisual,
        ratingInfo,
        premiereDate,
        runtime,
        seasonsAvailable,
        location,
        sportsLeague,
        releaseYearRange,
    };

    std::optional<Genres> genres;
    std::optional<AudioVisual> audioVisual;
    std::optional<RatingInfo> ratingInfo;
    std::optional<ReleaseYearRange> releaseYearRange;
    std::optional<Duration> runtime;
    std::optional<std::string> seasonsAvailable;  // ready-made text
    std::optional<MetastringLocation> location;
    std::optional<MetastringSportsLeague> sportsLeague;
    std::optional<MetastringPremiereDate> premiereDate;

    bool operator==(const MetastringParts&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<MetastringParts::Keys>) {
    using enum MetastringParts::Keys;
    return json::vocabulary<MetastringParts::Keys>("MetastringParts.Keys", {
        {genres, "genres"},
        {audioVisual, "audioVisual"},
        {ratingInfo, "ratingInfo"},
        {premiereDate, "premiereDate"},
        {runtime, "runtime"},
        {seasonsAvailable, "seasonsAvailable"},
        {location, "location"},
        {sportsLeague, "sportsLeague"},
        {releaseYearRange, "releaseYearRange"},
    });
}

inline auto jsonFields(json::Tag<MetastringParts>) {
    using namespace json::rules;
    using S = MetastringParts;
    return fields(optional("genres", &S::genres), optional("audioVisual", &S::audioVisual),
                  optional("ratingInfo", &S::ratingInfo), optional("releaseYearRange", &S::releaseYearRange),
                  optional("runtime", &S::runtime), optional("seasonsAvailable", &S::seasonsAvailable),
                  optional("location", &S::location), optional("sportsLeague", &S::sportsLeague),
                  optional("premiereDate", &S::premiereDate));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::MetastringLocation)
VORLANE_JSON_RECORD(vorlane::MetastringSportsLeague)
VORLANE_JSON_RECORD(vorlane::MetastringPremiereDate)
VORLANE_JSON_RECORD(vorlane::MetastringParts)
