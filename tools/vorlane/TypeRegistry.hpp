#pragma once
// Every record type the command line can decode, by the name the system gives it
// (nested names dotted: "ExplorePage.Style"), with the decoder settings the service uses for it.

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"

#include <map>
#include <string>
#include <string_view>

namespace vorlane::cli {

struct DecodableType {
    json::DecoderSettings settings;
    // Decodes `answer` and returns the value's compact JSON encoding (same date setting).
    std::string (*decodeAndEncode)(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                                   json::Diagnostics* diagnostics);
};

class TypeRegistry {
public:
    // Registers T under `name`; legacy answers read dates as ISO 8601, the rest use defaults.
    template <class T>
    void add(std::string name, json::DecoderSettings settings = {}) {
        types_.insert_or_assign(std::move(name), DecodableType{settings, &roundTrip<T>});
    }

    const DecodableType* find(std::string_view name) const {
        auto it = types_.find(std::string(name));
        return it == types_.end() ? nullptr : &it->second;
    }
    const std::map<std::string, DecodableType>& all() const noexcept { return types_; }

    // The registry of every type the library defines.
    static const TypeRegistry& shared();

private:
    template <class T>
    static std::string roundTrip(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                                 json::Diagnostics* diagnostics) {
        return json::encode(json::decode<T>(answer, settings, diagnostics), json::EncoderSettings{settings.dates});
    }

    std::map<std::string, DecodableType> types_;
};

}  // namespace vorlane::cli
