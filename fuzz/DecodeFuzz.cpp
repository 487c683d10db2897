// Fuzzes the decoders of every registered type: the first two bytes pick the type (its index in
// the registry, little-endian, modulo the count), the rest is the JSON text. A decode may fail only with
// DecodingError; anything else (a crash, a sanitizer report, another exception) is a finding. A
// successful decode must encode to text that decodes to the same encoding (for the types whose
// encoding has the shape they read).

#include "vorlane/Registry/DecodableTypes.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto& types = vorlane::decodableTypes();
    const auto& type = types[(data[0] | std::size_t{data[1]} << 8) % types.size()];
    std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    vorlane::json::Diagnostics diagnostics;
    std::string first;
    try {
        first = type.decodeAndEncode(bytes, &diagnostics);
    } catch (const vorlane::json::DecodingError&) {
        return 0;
    }
    // What was written must read back to the same text, where the type's encoding has the shape
    // it reads.
    if (type.readsBackItsEncoding && type.decodeAndEncode(first) != first) std::abort();
    return 0;
}
