#pragma once
// A content identifier in its encoded string form. JSON: a bare string.

#include "vorlane/Platform/Json/Codec.hpp"

#include <functional>
#include <string>

namespace vorlane {

struct EncodedIdentifier {
    std::string identifier;

    EncodedIdentifier() = default;
    explicit EncodedIdentifier(std::string id) : identifier(std::move(id)) {}
    EncodedIdentifier(const char* id) : identifier(id) {}  // NOLINT: literals convert, as identifiers are written in code

    const std::string& string() const noexcept { return identifier; }
    const std::string& description() const noexcept { return identifier; }
    auto operator<=>(const EncodedIdentifier&) const = default;
};

}  // namespace vorlane

template <>
struct std::hash<vorlane::EncodedIdentifier> {
    std::size_t operator()(const vorlane::EncodedIdentifier& id) const noexcept { return std::hash<std::string>{}(id.identifier); }
};

// An identifier is a bare string, not an object.
template <>
struct vorlane::json::Codec<vorlane::EncodedIdentifier>
    : BareStringCodec<vorlane::EncodedIdentifier, &vorlane::EncodedIdentifier::identifier, "EncodedIdentifier"> {};
