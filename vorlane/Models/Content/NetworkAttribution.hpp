#pragma once
// The network a title is attributed to: its spoken name, its slug and its logo artwork.
//
//   {"ttsText": "Harbor Network", "slug": "harbor",
//    "artwork": {"network": {"logo": {"3.00": {"imageId": "net-logo-300"}}}}}

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct NetworkAttribution {
    std::string ttsText;  // the text for speech output
    std::optional<std::string> slug;
    std::optional<ExploreImageMap> artwork;
    bool operator==(const NetworkAttribution&) const = default;
};

inline auto jsonFields(json::Tag<NetworkAttribution>) {
    using namespace json::rules;
    using S = NetworkAttribution;
    return fields(required("ttsText", &S::ttsText), optional("slug", &S::slug), optional("artwork", &S::artwork));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::NetworkAttribution)
