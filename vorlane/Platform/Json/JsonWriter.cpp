#include "vorlane/Platform/Json/JsonWriter.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlane::json {

namespace {

// Writes the escape of `c` at `at` (at most six bytes) and returns the end.
char* writeEscape(char* at, unsigned char c) {
    static constexpr char hex[] = "0123456789abcdef";
    char shortForm = 0;
    switch (c) {
        case '"': shortForm = '"'; break;
        case '\\': shortForm = '\\'; break;
        case '\n': shortForm = 'n'; break;
        case '\r': shortForm = 'r'; break;
        case '\t': shortForm = 't'; break;
        case '\b': shortForm = 'b'; break;
        case '\f': shortForm = 'f'; break;
        default: break;
    }
    *at++ = '\\';
    if (shortForm) {
        *at++ = shortForm;
        return at;
    }
    const char escape[] = {'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
    std::memcpy(at, escape, sizeof escape);
    return at + sizeof escape;
}

}  // namespace

Writer::Writer(EncoderSettings settings, std::string buffer) : settings_(settings), out_(std::move(buffer)) {
    // Only the part past the old contents is filled in; the old contents are overwritten as we go.
    out_.resize(out_.capacity());
    end_ = out_.data();
    limit_ = end_ + out_.size();
}

void Writer::grow(std::size_t n) {
    const auto used = static_cast<std::size_t>(end_ - out_.data());
    out_.resize(std::max({out_.size() * 2, used + n, std::size_t{1024}}));
    out_.resize(out_.capacity());
    end_ = out_.data() + used;
    limit_ = out_.data() + out_.size();
}

std::string Writer::take() {
    out_.resize(static_cast<std::size_t>(end_ - out_.data()));
    end_ = limit_ = nullptr;
    return std::move(out_);
}

namespace {

// For each byte of `word` that needs an escape (a control character below 0x20, a quote or a
// backslash), its high bit: the classic test for a zero byte, applied to the word and to its XOR
// with each special byte. Borrows only spread above a byte that matched, so the lowest bit set
// is exact, and that is the only one read.
template <class Word>
constexpr Word specialBytes(Word word) noexcept {
    constexpr Word ones = static_cast<Word>(0x0101010101010101ULL), highs = static_cast<Word>(0x8080808080808080ULL);
    constexpr auto zeroBytes = [](Word w) { return static_cast<Word>((w - ones) & ~w & highs); };
    const Word control = static_cast<Word>((word - ones * 0x20) & ~word & highs);
    return static_cast<Word>(control | zeroBytes(word ^ (ones * '"')) | zeroBytes(word ^ (ones * '\\')));
}

// Copies the first `n` (sizeof(Word) to 2 * sizeof(Word)) bytes of `from` to `to` up to the first byte that needs an escape,
// and returns how many that is. Two words that overlap cover any length without reading or writing
// past it, and without the stall of loading a wide block from bytes just stored.
template <class Word>
std::size_t copyPlainOverlapping(const char* from, std::size_t n, char* to) {
    Word low, high;
    std::memcpy(&low, from, sizeof(Word));
    std::memcpy(&high, from + n - sizeof(Word), sizeof(Word));
    std::memcpy(to, &low, sizeof(Word));
    std::memcpy(to + n - sizeof(Word), &high, sizeof(Word));
    if (const Word special = specialBytes(low)) return static_cast<std::size_t>(__builtin_ctzll(special)) / 8;
    if (const Word special = specialBytes(high)) return n - sizeof(Word) + static_cast<std::size_t>(__builtin_ctzll(special)) / 8;
    return n;
}

// The same for any `n` up to 16.
std::size_t copyPlainTail(const char* from, std::size_t n, char* to) {
    if (n >= 8) return copyPlainOverlapping<std::uint64_t>(from, n, to);
    if (n >= 4) return copyPlainOverlapping<std::uint32_t>(from, n, to);
    for (std::size_t k = 0; k < n; ++k) {
        const auto c = static_cast<unsigned char>(from[k]);
        if (c < 0x20 || c == '"' || c == '\\') return k;
        to[k] = from[k];
    }
    return n;
}

}  // namespace

// Most text needs no escape: it is checked and copied sixteen bytes at a time, and the last few
// bytes as two overlapping words. Room is asked for the text as it stands; each escape asks again
// for its own bytes and the rest of the text.
void Writer::quoted(std::string_view text, bool comma, char suffix) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    char* at = room(size + 4);
    if (comma) *at++ = ',';
    *at++ = '"';
    std::size_t i = 0;
    while (i < size) {
        const std::size_t block = std::min<std::size_t>(size - i, 16);
        std::size_t plain;
#if defined(__SSE2__)
        if (block == 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(at), bytes);
            const __m128i special = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))),
                _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes));
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(special));
            plain = mask == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(mask));
        } else {
            plain = copyPlainTail(data + i, block, at);
        }
#else
        plain = copyPlainTail(data + i, block, at);
#endif
        at += plain;
        i += plain;
        if (plain == block) continue;
        const auto c = static_cast<unsigned char>(data[i++]);
        end_ = at;
        at = writeEscape(room(6 + (size - i) + 2), c);
    }
    *at++ = '"';
    if (suffix) *at++ = suffix;
    end_ = at;
}

void Writer::int64(std::int64_t i) {
    char* at = room(24);
    if (needsComma_) *at++ = ',';
    end_ = std::to_chars(at, at + 22, i).ptr;
    needsComma_ = true;
}

void Writer::uint64(std::uint64_t u) {
    char* at = room(24);
    if (needsComma_) *at++ = ',';
    end_ = std::to_chars(at, at + 22, u).ptr;
    needsComma_ = true;
}

namespace {

constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// The shortest text of `d` when it is a decimal of at most six fraction digits and fifteen
// significant ones, written at `at`; nullptr otherwise. Such decimals map to distinct doubles, so
// the one that reads back as `d` with the fewest fraction digits is the shortest text there is.
// Between 0.001 and 1e15 the plain form is never longer than the exponent form, so this is the
// text std::to_chars gives, at a fraction of its cost (ratings, ratios and prices are like this).
char* writeShortDecimal(char* at, double d) {
    const double magnitude = std::fabs(d);
    if (!(magnitude >= 1e-3 && magnitude < 1e15)) return nullptr;
    for (int digits = 1; digits <= 6; ++digits) {
        const double scaled = magnitude * kPowersOfTen[digits];
        if (scaled >= 1e15) return nullptr;
        const auto whole = static_cast<std::uint64_t>(scaled + 0.5);
        if (static_cast<double>(whole) / kPowersOfTen[digits] != magnitude) continue;
        const auto unit = static_cast<std::uint64_t>(kPowersOfTen[digits]);
        if (d < 0) *at++ = '-';
        at = std::to_chars(at, at + 20, whole / unit).ptr;
        *at++ = '.';
        std::uint64_t fraction = whole % unit;
        for (int place = digits - 1; place >= 0; --place) {
            at[place] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        return at + digits;
    }
    return nullptr;
}

}  // namespace

void Writer::number(double d) {
    if (!std::isfinite(d)) throw EncodingError("cannot write a non-finite number as JSON");
    char* at = room(40);
    if (needsComma_) *at++ = ',';
    needsComma_ = true;
    // Whole numbers people would write out in full stay in full ("1000000.0", not "1e+06").
    const bool plainWhole = std::fabs(d) < 1e15 && std::trunc(d) == d;
    if (plainWhole) {
        char* const written = std::to_chars(at, at + 32, d, std::chars_format::fixed, 0).ptr;
        std::memcpy(written, ".0", 2);
        end_ = written + 2;
        return;
    }
    if (char* const written = writeShortDecimal(at, d)) {
        end_ = written;
        return;
    }
    char* const written = std::to_chars(at, at + 32, d).ptr;
    if (std::string_view(at, static_cast<std::size_t>(written - at)).find_first_of(".e") == std::string_view::npos) {
        std::memcpy(written, ".0", 2);
        end_ = written + 2;
    } else {
        end_ = written;
    }
}

}  // namespace vorlane::json
