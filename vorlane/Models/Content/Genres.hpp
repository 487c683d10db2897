#pragma once
// Genres of a title: the display names (plain or with the service's label) and the typed genre
// whose partner identifier titles list as their genre identifiers.
//
//   {"label": "Genres", "values": ["Drama", "Mystery"]}

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// Genre names; one that is not a string is dropped.
struct Genres {
    std::vector<std::string> values;
    bool operator==(const Genres&) const = default;
};

inline auto jsonFields(json::Tag<Genres>) {
    using namespace json::rules;
    using S = Genres;
    return fields(lenient("values", &S::values));
}

struct LabeledGenres {
    std::string label;
    std::vector<std::string> values;
    bool operator==(const LabeledGenres&) const = default;
};

inline auto jsonFields(json::Tag<LabeledGenres>) {
    using namespace json::rules;
    using S = LabeledGenres;
    return fields(required("label", &S::label), lenient("values", &S::values));
}

struct TypedGenre {
    std::optional<std::string> partnerId;
    bool operator==(const TypedGenre&) const = default;
};

inline auto jsonFields(json::Tag<TypedGenre>) {
    using namespace json::rules;
    using S = TypedGenre;
    return fields(optional("partnerId", &S::partnerId));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Genres)
VORLANE_JSON_RECORD(vorlane::LabeledGenres)
VORLANE_JSON_RECORD(vorlane::TypedGenre)
