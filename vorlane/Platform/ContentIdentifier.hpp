#pragma once
// How the client SDK names one title: by its content id or by its avail id.

#include "vorlane/Platform/Json/Codec.hpp"

#include <string>

namespace vorlane::sdk {

// Names one title to the SDK, by its content id or by its avail id.
// JSON: {"contentId": "..."} or {"availId": "..."}.
struct ContentIdentifier {
    enum class Kind { contentId, availId };
    Kind kind = Kind::contentId;
    std::string value;

    static ContentIdentifier contentId(std::string id) { return {Kind::contentId, std::move(id)}; }
    static ContentIdentifier availId(std::string id) { return {Kind::availId, std::move(id)}; }
    bool operator==(const ContentIdentifier&) const = default;
};

}  // namespace vorlane::sdk

// Hand-written: exactly one of two alternative keys is present, and it decides the kind.
VORLANE_JSON_CODEC(vorlane::sdk::ContentIdentifier)
