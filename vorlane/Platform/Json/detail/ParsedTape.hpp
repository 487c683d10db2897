#pragma once
// Internal to the JSON reader: the layout of a document as the parser leaves it. Nothing outside
// vorlane/Platform/Json may use it. The layout belongs to one version of the parser; the build
// refuses any other version (CMakeLists.txt) and JsonReader.cpp checks it again at compile time.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorlane::json::detail {

// A parsed document as the reader walks it: the parser's tape of 64-bit words (the type in the
// top byte, a payload below it) and its string buffer (each string a 32-bit length, then its
// bytes). Walking the tape inline, instead of through the parser's out-of-line handles, lets the
// hot loops (object members, array elements, scalar reads) compile into the record decoders.
struct Tape {
    const std::uint64_t* words = nullptr;
    const std::uint8_t* strings = nullptr;
    const void* document = nullptr;  // the parser's document, for excerpts

    static constexpr std::uint64_t payloadMask = 0x00FFFFFFFFFFFFFFull;
    static char typeOf(const std::uint64_t* word) noexcept { return static_cast<char>(*word >> 56); }

    // The word after the value starting at `word`: containers hold the index past their end,
    // numbers take a second word.
    [[gnu::always_inline]] const std::uint64_t* after(const std::uint64_t* word) const noexcept {
        switch (typeOf(word)) {
            case '{':
            case '[': return words + static_cast<std::uint32_t>(*word);
            case 'l':
            case 'u':
            case 'd': return word + 2;
            default: return word + 1;
        }
    }
    // The closing word of the container starting at `word`.
    const std::uint64_t* closing(const std::uint64_t* word) const noexcept {
        return words + static_cast<std::uint32_t>(*word) - 1;
    }
    std::string_view string(const std::uint64_t* word) const noexcept {
        const std::uint8_t* at = strings + (*word & payloadMask);
        std::uint32_t length;
        std::memcpy(&length, at, sizeof length);
        return {reinterpret_cast<const char*>(at + sizeof length), length};
    }
    template <class Number>
    static Number numberAfter(const std::uint64_t* word) noexcept {
        Number n;
        std::memcpy(&n, word + 1, sizeof n);
        return n;
    }
};

}  // namespace vorlane::json::detail
