#pragma once
// The sports context of legacy content: the event a video or airing shows, its competitors, the
// sport, league, team and venue records. Texts and images of these records are optional keys:
// an absent map stays absent (and is not written back).

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The image map of a sports record, empty when it has none.
const ImageMap& imagesOrEmpty(const std::optional<ImageMap>& image);

struct Venue {
    TextMap text;
    bool operator==(const Venue&) const = default;
};

inline auto jsonFields(json::Tag<Venue>) {
    using namespace json::rules;
    return fields(required("text", &Venue::text));
}

enum class HomeAway { home, away };

constexpr auto jsonVocabulary(json::Tag<HomeAway>) {
    using enum HomeAway;
    return json::vocabulary<HomeAway>("HomeAway", {{home, "home"}, {away, "away"}});
}

struct Competitor {
    struct Data {
        std::optional<TextMap> texts;
        std::optional<ImageMap> image;
        bool operator==(const Data&) const = default;
    };

    std::optional<HomeAway> homeAway;
    Data data;
    bool operator==(const Competitor&) const = default;
};

inline auto jsonFields(json::Tag<Competitor::Data>) {
    using namespace json::rules;
    using S = Competitor::Data;
    return fields(optional("text", &S::texts), optional("image", &S::image));
}

inline auto jsonFields(json::Tag<Competitor>) {
    using namespace json::rules;
    using S = Competitor;
    return fields(optional("homeAway", &S::homeAway), required("data", &S::data));
}

struct SportEvent : ContentImagesContaining {
    std::string type;
    std::string sportEventId;
    std::string sportId;
    std::string leagueId;
    std::optional<std::string> venueId;
    std::vector<Competitor> competitors;  // lenient: a competitor that fails is dropped
    std::optional<TextMap> texts;
    std::optional<ImageMap> images;
    std::optional<Venue> venue;

    const ImageMap& image() const override { return imagesOrEmpty(images); }
    bool operator==(const SportEvent&) const = default;
};

inline auto jsonFields(json::Tag<SportEvent>) {
    using namespace json::rules;
    using S = SportEvent;
    return fields(required("type", &S::type),
                  required("sportEventId", &S::sportEventId),
                  required("sportId", &S::sportId),
                  required("leagueId", &S::leagueId),
                  optional("venueId", &S::venueId),
                  lenient("competitors", &S::competitors, Missing::empty),
                  optional("text", &S::texts),
                  optional("image", &S::images),
                  optional("venue", &S::venue));
}

inline auto jsonDerived(json::Tag<SportEvent>) {
    using namespace json::derived;
    return members(member("image", &SportEvent::image));
}

struct SportData : ContentImagesContaining {
    std::string sportId;
    std::optional<TextMap> text;
    std::optional<ImageMap> images;

    const ImageMap& image() const override { return imagesOrEmpty(images); }
    bool operator==(const SportData&) const = default;
};

inline auto jsonFields(json::Tag<SportData>) {
    using namespace json::rules;
    using S = SportData;
    return fields(required("sportId", &S::sportId), optional("text", &S::text), optional("image", &S::images));
}

inline auto jsonDerived(json::Tag<SportData>) {
    using namespace json::derived;
    return members(member("image", &SportData::image));
}

struct LeagueData : ContentImagesContaining {
    std::optional<TextMap> text;
    std::optional<ImageMap> images;

    const ImageMap& image() const override { return imagesOrEmpty(images); }
    bool operator==(const LeagueData&) const = default;
};

inline auto jsonFields(json::Tag<LeagueData>) {
    using namespace json::rules;
    using S = LeagueData;
    return fields(optional("text", &S::text), optional("image", &S::images));
}

inline auto jsonDerived(json::Tag<LeagueData>) {
    using namespace json::derived;
    return members(member("image", &LeagueData::image));
}

struct TeamData : ContentImagesContaining {
    TextMap text;
    std::vector<LeagueData> leagues;
    std::vector<Venue> venues;
    ImageMap images;

    const ImageMap& image() const override { return images; }
    bool operator==(const TeamData&) const = default;
};

inline auto jsonFields(json::Tag<TeamData>) {
    using namespace json::rules;
    using S = TeamData;
    return fields(required("text", &S::text),
                  required("leagues", &S::leagues),
                  required("venues", &S::venues),
                  required("image", &S::images));
}

inline auto jsonDerived(json::Tag<TeamData>) {
    using namespace json::derived;
    return members(member("image", &TeamData::image));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Venue)
VORLANE_JSON_RECORD(vorlane::Competitor::Data)
VORLANE_JSON_RECORD(vorlane::Competitor)
VORLANE_JSON_RECORD(vorlane::SportEvent)
VORLANE_JSON_RECORD(vorlane::SportData)
VORLANE_JSON_RECORD(vorlane::LeagueData)
VORLANE_JSON_RECORD(vorlane::TeamData)
