#pragma once
// The message a page or set shows when it has nothing to show, with the icon drawn beside it.
//
//   {"title": "Nothing here yet", "message": "Titles you save appear here.", "iconType": "watchlistEmpty"}

#include "vorlane/Images/IconType.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <string>

namespace vorlane {

struct EmptyState {
    std::string title;
    std::string message;
    IconType iconType;

    bool operator==(const EmptyState&) const = default;
};

inline auto jsonFields(json::Tag<EmptyState>) {
    using namespace json::rules;
    using S = EmptyState;
    return fields(required("title", &S::title), required("message", &S::message),
                  required("iconType", &S::iconType));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::EmptyState)
