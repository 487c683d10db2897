#pragma once
// The answer of a legacy search: its result type and, unless the answer lists popular titles
// rather than matches, its hits. A hit holds one piece of content of any kind; a hit whose content
// fails to decode is kept as an empty hit (and reported) instead of failing the answer.

#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

struct OstrelSearch {
    struct Hit {
        std::optional<ContentCoder> hit;  // absent when the content did not decode
        bool operator==(const Hit&) const = default;
    };

    std::string resultType;
    std::optional<std::vector<Hit>> hits;  // absent for an answer of popular titles

    // The content of the hits that decoded, in answer order.
    std::vector<ContentCoder> contents() const;

    bool operator==(const OstrelSearch&) const = default;
};

inline auto jsonFields(json::Tag<OstrelSearch::Hit>) {
    using namespace json::rules;
    return fields(tolerant("hit", &OstrelSearch::Hit::hit));
}

inline auto jsonDerived(json::Tag<OstrelSearch>) {
    using namespace json::derived;
    return members(member("contents", &OstrelSearch::contents));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::OstrelSearch::Hit)

// Hand-written: whether "hits" is read at all depends on the value of "resultType".
VORLANE_JSON_CODEC(vorlane::OstrelSearch)
