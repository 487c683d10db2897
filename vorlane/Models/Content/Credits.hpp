#pragma once
// People and credits: the participants of a title keyed by their role, the character an actor
// plays, and the credit groups a details screen lists under a heading.
//
//   {"displayName": "Ada Reyes", "order": 1, "participantId": "p-1", "sortName": "Reyes, Ada",
//    "characterDetails": {"character": "Captain Mira", "characterId": "c-7"}}

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// The roles under which titles list their participants. Closed: any other role string fails.
enum class ParticipantRole { actor, executive, producer, director, directedBy, creator, createdBy };

constexpr auto jsonVocabulary(json::Tag<ParticipantRole>) {
    using enum ParticipantRole;
    return json::vocabulary<ParticipantRole>("ParticipantRole", {
        {actor, "Actor"},
        {executive, "Executive"},
        {producer, "Producer"},
        {director, "Director"},
        {directedBy, "Directed By"},
        {creator, "Creator"},
        {createdBy, "Created By"},
    });
}

// The role named by a raw role string; nothing for any string outside the seven.
[[nodiscard]] constexpr std::optional<ParticipantRole> participantRole(std::string_view raw) noexcept {
    return json::fromWireString<ParticipantRole>(raw);
}

// The group a role is shown under: "Directed By" groups with "Director", "Created By" with
// "Creator"; every other role is its own group.
[[nodiscard]] constexpr std::string_view value(ParticipantRole role) noexcept {
    switch (role) {
        case ParticipantRole::directedBy: return json::wireString(ParticipantRole::director);
        case ParticipantRole::createdBy: return json::wireString(ParticipantRole::creator);
        default: return json::wireString(role);
    }
}

struct CharacterDetails {
    std::string character;
    std::string characterId;
    std::optional<std::string> language;
    bool operator==(const CharacterDetails&) const = default;
};

inline auto jsonFields(json::Tag<CharacterDetails>) {
    using namespace json::rules;
    using S = CharacterDetails;
    return fields(required("character", &S::character), required("characterId", &S::characterId),
                  optional("language", &S::language));
}

struct Participant {
    std::optional<CharacterDetails> characterDetails;
    std::string displayName;
    std::int64_t order = 0;  // the participant's place in the list of its role
    std::string participantId;
    std::string sortName;
    bool operator==(const Participant&) const = default;
};

inline auto jsonFields(json::Tag<Participant>) {
    using namespace json::rules;
    using S = Participant;
    return fields(optional("characterDetails", &S::characterDetails), required("displayName", &S::displayName),
                  required("order", &S::order), required("participantId", &S::participantId),
                  required("sortName", &S::sortName));
}

struct Credit {
    std::string displayText;
    bool operator==(const Credit&) const = default;
};

inline auto jsonFields(json::Tag<Credit>) {
    using namespace json::rules;
    return fields(required("displayText", &Credit::displayText));
}

// Credits under one heading; a credit that does not decode is dropped.
struct CreditGroup {
    std::string heading;
    std::vector<Credit> items;
    bool operator==(const CreditGroup&) const = default;
};

inline auto jsonFields(json::Tag<CreditGroup>) {
    using namespace json::rules;
    using S = CreditGroup;
    return fields(required("heading", &S::heading), lenient("items", &S::items));
}

inline auto jsonDerived(json::Tag<ParticipantRole>) {
    using namespace json::derived;
    return members(member("value", [](ParticipantRole role) { return std::string(value(role)); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::CharacterDetails)
VORLANE_JSON_RECORD(vorlane::Participant)
VORLANE_JSON_RECORD(vorlane::Credit)
VORLANE_JSON_RECORD(vorlane::CreditGroup)
