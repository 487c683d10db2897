// The one registry: every area's types, sorted by name, with the look-ups the rest of the library uses.

#include "vorlane/Registry/DecodableTypes.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace vorlane {

json::DecoderSettings decoderSettings(ApiGeneration generation) noexcept {
    return generation == ApiGeneration::legacy ? json::DecoderSettings::iso8601() : json::DecoderSettings{};
}

namespace {

std::vector<DecodableType> registeredTypes() {
    std::vector<DecodableType> types;
    for (auto area : registeringAreas) area(types);
    std::sort(types.begin(), types.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (std::size_t i = 1; i < types.size(); ++i)
        if (types[i - 1].name == types[i].name)
            throw std::logic_error("type name registered twice: " + std::string(types[i].name));
    return types;
}

}  // namespace

std::string DecodableType::decodeAndEncode(std::string_view bytes, json::Diagnostics* diagnostics) const {
    return decodeAndEncode(json::PaddedAnswer::fromBytes(bytes), diagnostics);
}

const std::vector<DecodableType>& decodableTypes() {
    static const std::vector<DecodableType> types = registeredTypes();
    return types;
}

const DecodableType* findDecodableType(std::string_view name) {
    const auto& types = decodableTypes();
    auto it = std::lower_bound(types.begin(), types.end(), name,
                               [](const DecodableType& type, std::string_view n) { return type.name < n; });
    return it != types.end() && it->name == name ? &*it : nullptr;
}

const DecodableType* findDecodableTypeByKey(const void* typeKey) {
    static const auto byKey = [] {
        std::unordered_map<const void*, const DecodableType*> map;
        for (const auto& type : decodableTypes()) map.emplace(type.typeKey, &type);
        return map;
    }();
    auto it = byKey.find(typeKey);
    return it == byKey.end() ? nullptr : it->second;
}

}  // namespace vorlane
