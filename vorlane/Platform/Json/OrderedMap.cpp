#include "vorlane/Platform/Json/OrderedMap.hpp"

#include <cstring>
#include <random>

namespace vorlane::detail {

namespace {
// Drawn once per process, so which keys collide cannot be known in advance.
const std::uint64_t hashSeed = [] {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ 0x9E3779B97F4A7C15ull;
}();

inline std::uint64_t mix(std::uint64_t h) noexcept {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}
}  // namespace

std::uint64_t orderedMapHash(std::string_view key) noexcept {
    std::uint64_t h = hashSeed ^ (key.size() * 0x9E3779B97F4A7C15ull);
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key.data() + i, 8);
        h = mix(h ^ word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, key.data() + i, key.size() - i);
    return mix(h ^ tail);
}

}  // namespace vorlane::detail
