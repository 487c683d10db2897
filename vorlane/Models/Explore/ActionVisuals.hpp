#pragma once
// What an action shows: its display text and, for playback, modal and share actions, the titles,
// descriptions, event state and artwork drawn with it.

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Models/Content/AiringEventState.hpp"
#include "vorlane/Models/Content/DisplayTextVisuals.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// A text with its text-to-speech form.
struct StringWithTts {
    std::string text;
    std::string tts;

    bool operator==(const StringWithTts&) const = default;
};

inline auto jsonFields(json::Tag<StringWithTts>) {
    using namespace json::rules;
    using S = StringWithTts;
    return fields(required("text", &S::text),
                  required("tts", &S::tts));
}

struct PlaybackActionVisuals {
    std::string displayText;
    std::optional<std::string> title;
    std::optional<std::string> subtitle;
    std::optional<std::string> subtitleTts;
    // Description kind -> text, in document order.
    std::optional<OrderedMap<std::string>> description;
    std::optional<AiringEventState> airingEventState;
    std::optional<ExploreImageMap> artwork;

    // Empty display text and nothing else.
    static const PlaybackActionVisuals& empty();

    bool operator==(const PlaybackActionVisuals&) const = default;
};

inline auto jsonFields(json::Tag<PlaybackActionVisuals>) {
    using namespace json::rules;
    using S = PlaybackActionVisuals;
    return fields(required("displayText", &S::displayText),
                  optional("title", &S::title),
                  optional("subtitle", &S::subtitle),
                  optional("subtitleTts", &S::subtitleTts),
                  optional("description", &S::description),
                  optional("airingEventState", &S::airingEventState),
                  optional("artwork", &S::artwork));
}

struct ModalActionVisuals {
    std::string displayText;
    std::optional<std::string> title;
    std::optional<std::string> subtitle;
    std::optional<std::string> subtitleTts;
    std::optional<std::vector<StringWithTts>> promptParts;
    std::optional<std::string> description;
    std::optional<AiringEventState> airingEventState;
    std::optional<ExploreImageMap> artwork;

    bool operator==(const ModalActionVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ModalActionVisuals>) {
    using namespace json::rules;
    using S = ModalActionVisuals;
    return fields(required("displayText", &S::displayText),
                  optional("title", &S::title),
                  optional("subtitle", &S::subtitle),
                  optional("subtitleTts", &S::subtitleTts),
                  optional("promptParts", &S::promptParts),
                  optional("description", &S::description),
                  optional("airingEventState", &S::airingEventState),
                  optional("artwork", &S::artwork));
}

struct ShareActionVisuals {
    std::string displayText;
    std::string title;
    std::optional<ExploreImageMap> artwork;

    bool operator==(const ShareActionVisuals&) const = default;
};

inline auto jsonFields(json::Tag<ShareActionVisuals>) {
    using namespace json::rules;
    using S = ShareActionVisuals;
    return fields(required("displayText", &S::displayText),
                  required("title", &S::title),
                  optional("artwork", &S::artwork));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::StringWithTts)
VORLANE_JSON_RECORD(vorlane::PlaybackActionVisuals)
VORLANE_JSON_RECORD(vorlane::ModalActionVisuals)
VORLANE_JSON_RECORD(vorlane::ShareActionVisuals)
