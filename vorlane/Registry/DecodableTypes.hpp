#pragma once
// The one registry of every type that decodes from JSON: its name as the system names it (nested
// names dotted: "ExplorePage.Style"), its C++ type and the API generation whose decoder settings
// read it. The command line (decode, check, --list), the fuzz target and the tests all read this
// list; the service reads the settings of each generation from here.
//
// Adding a type is one line in DecodableTypes.cpp.

#include "vorlane/Platform/Json/JsonError.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/JsonReader.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// Which answers a type comes from, and so how it reads dates: legacy content answers carry ISO
// 8601 strings; Explore answers and the project's own documents use the default settings.
enum class ApiGeneration { legacy, explore, local };

// The decoder settings every type of `generation` is read with.
json::DecoderSettings decoderSettings(ApiGeneration generation) noexcept;

struct DecodableType {
    std::string_view name;      // as the system names it
    std::string_view cppName;   // the C++ type as written in the registry
    ApiGeneration generation;
    const void* typeKey;        // identifies the C++ type (see typeKeyOf)

    json::DecoderSettings settings() const noexcept { return decoderSettings(generation); }
    // Decodes the answer with this type's settings and returns the value's compact JSON encoding.
    std::string decodeAndEncode(const json::PaddedAnswer& answer, json::Diagnostics* diagnostics = nullptr) const {
        return roundTrip(answer, settings(), diagnostics);
    }
    std::string decodeAndEncode(std::string_view bytes, json::Diagnostics* diagnostics = nullptr) const;

    std::string (*roundTrip)(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                             json::Diagnostics* diagnostics);
    // False for the few records whose encoding has another shape than the answer they are read
    // from (keys renamed or flattened on writing): their encoding does not read back.
    bool readsBackItsEncoding = true;

    // The names of the value's derived members that take no argument: its own, then those of
    // the interfaces it models.
    std::vector<std::string_view> derivedNames = {};
    // The interfaces whose members the value answers ("Content", "Action", ...).
    std::vector<std::string_view> interfaces = {};
    // Decodes the answer and returns one JSON object of its derived members ("{}" without any).
    std::string derive(const json::PaddedAnswer& answer, json::Diagnostics* diagnostics = nullptr) const {
        return deriveAll(answer, settings(), diagnostics, derivedMembers.get());
    }
    std::string (*deriveAll)(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                             json::Diagnostics* diagnostics, const void* members) = nullptr;
    std::shared_ptr<const void> derivedMembers = {};
};

// Every registered type, sorted by name.
const std::vector<DecodableType>& decodableTypes();

// The type registered under `name`, or null.
const DecodableType* findDecodableType(std::string_view name);

// A distinct address per C++ type.
template <class T>
inline constexpr char typeKeyOf = 0;

// The registration of the type whose key is `typeKey`, or null. (Named apart from the look-up by
// name: a string literal would otherwise convert to the pointer and find nothing.)
const DecodableType* findDecodableTypeByKey(const void* typeKey);
// The registration of T, or null when T is not registered.
template <class T>
const DecodableType* findDecodableType() {
    return findDecodableTypeByKey(&typeKeyOf<T>);
}

}  // namespace vorlane
