#pragma once
// Declaring regular records: one list of fields, each a JSON key with one reading rule, drives
// both decoding and encoding. The list sits in the header right under the struct and is found by
// argument-dependent lookup:
//
//   struct ExplorePagination {
//       bool hasMore = false;
//       std::optional<std::int64_t> totalCount;
//       bool operator==(const ExplorePagination&) const = default;
//   };
//   inline auto jsonFields(json::Tag<ExplorePagination>) {
//       using namespace json::rules;
//       using S = ExplorePagination;
//       return fields(required("hasMore", &S::hasMore), optional("totalCount", &S::totalCount));
//   }
//
// and the record's .cpp instantiates the codec once, out of line (RecordCodec.hpp):
//
//   VORLANE_JSON_DEFINE(vorlane::ExplorePagination)
//
// Rules (json::rules):
//   required(key, m)          missing key fails (keyNotFound); null fails unless m is optional
//   optional(key, m[, Absent::writeNull])
//                             m is std::optional; missing or null gives absent; a wrong type fails.
//                             An absent value is omitted on encode, or written as null
//   tolerant(key, m)          m is std::optional; any failure gives absent (and is reported)
//   defaulted(key, m[, value])  missing or null gives `value` (default: a value-initialised M)
//   lenient(key, m)           m is std::vector; key must be present and hold a list; elements that
//                             fail are dropped (and reported), order kept
//   lenient(key, m, Missing::empty)
//                             as lenient, but a missing or null key gives an empty list
//   lenientIfPresent(key, m[, Absent::writeNull])
//                             m is std::optional<std::vector>; missing or null gives absent
//   readOnly(rule)            the field is read by `rule` and never written
//   writtenAs(key2, rule)     the field is read by `rule` and written under key2
//   nested(key, rules...)     a required object whose members are read into the record's own
//                             fields by `rules` (and written back as that object)
// Every rule but `nested` takes a last argument that overrides the codec of its value:
//   json::with<SomeCodec>     SomeCodec::decode / SomeCodec::encode read and write the value
//   json::objectOnly          a free-form value (JsonValue) that must be a JSON object
//
// Decoding finds each declared key's last occurrence in one pass over the object's members, then
// reads every field once, in declared order: on a repeated key the last one wins and earlier ones
// are not read at all; unknown keys are ignored. Encoding writes the fields in declared order, or
// in the order `fields(...).writtenInOrder({keys...})` gives.

#include "vorlane/Platform/Json/Codec.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace vorlane::json {

// A record type: one whose field list is declared beside it.
template <class T>
concept Record = requires { jsonFields(Tag<T>{}); };

// The codec of every record; its members are defined in RecordCodec.hpp and instantiated once,
// in the record's .cpp, by VORLANE_JSON_DEFINE. (A class of its own rather than members of the
// constrained specialisation below: members of a constrained partial specialisation defined out of
// line get internal linkage from g++ 12, so they could not be instantiated in one place.)
template <class T>
struct RecordCodec {
    static T decode(const Value& value);
    // Fills `out` (every field is replaced), without building a temporary record.
    static void decodeInto(const Value& value, T& out);
    static void encode(Writer& writer, const T& value);
};

template <Record T>
struct Codec<T> : RecordCodec<T> {};

enum class Absent { omit, writeNull };
enum class Missing { fails, empty };

// ---- Codec selectors: which codec reads a field's value ----------------------------------------

struct DefaultCodec {
    template <class M>
    using For = Codec<M>;
};

template <class C>
struct WithCodec {
    template <class M>
    using For = C;
};
template <class C>
inline constexpr WithCodec<C> with{};

// A free-form value that must be a JSON object.
template <class M>
struct ObjectOnlyCodec {
    static M decode(const Value& v) {
        if (!v.isObject()) v.failExpected("an object");
        return Codec<M>::decode(v);
    }
    static void encode(Writer& w, const M& value) { Codec<M>::encode(w, value); }
};
struct ObjectOnly {
    template <class M>
    using For = ObjectOnlyCodec<M>;
};
inline constexpr ObjectOnly objectOnly{};

template <class S>
concept CodecSelector = requires { typename S::template For<int>; };

// ---- Field rules -------------------------------------------------------------------------------
// Each rule reads a present value (`read`), settles a missing key (`missing`) and writes itself.

namespace detail {

// The first eight bytes of a key as one word, zero past its end.
inline std::uint64_t keyPrefix(const char* data, std::size_t length) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, data, length < 8 ? length : 8);
    return word;
}

static_assert(std::endian::native == std::endian::little, "key prefixes are compared as little-endian words");

// The same for a member name inside a parsed document: the parser's string buffer is padded, so
// eight bytes can always be loaded at once and the bytes past the name masked off.
inline std::uint64_t parsedKeyPrefix(const char* data, std::size_t length) noexcept {
    std::uint64_t word;
    std::memcpy(&word, data, 8);
    if (length < 8) word &= (std::uint64_t{1} << (8 * length)) - 1;
    return word;
}

// Matches member names against the declared keys of one object. A key is compared as its length
// and its first and last eight bytes (whole words, no call), with a byte-wise compare only for the
// middle of keys longer than sixteen bytes; the search starts after the last match, since members
// usually arrive in declared order.
template <std::size_t N>
struct KeyMatcher {
    std::array<std::string_view, N> keys{};
    std::array<std::uint64_t, N> prefixes{};
    std::array<std::uint64_t, N> suffixes{};  // the last eight bytes of keys longer than eight

    explicit KeyMatcher(const std::array<std::string_view, N>& declared) : keys(declared) {
        for (std::size_t i = 0; i < N; ++i) {
            prefixes[i] = keyPrefix(keys[i].data(), keys[i].size());
            if (keys[i].size() > 8) std::memcpy(&suffixes[i], keys[i].data() + keys[i].size() - 8, 8);
        }
    }

    // The index of `key` (a member name of a parsed document), or N when it is not declared.
    [[gnu::always_inline]] std::size_t match(std::string_view key, std::size_t hint) const noexcept {
        const std::size_t length = key.size();
        const std::uint64_t prefix = parsedKeyPrefix(key.data(), length);
        std::uint64_t suffix = 0;
        if (length > 8) std::memcpy(&suffix, key.data() + length - 8, 8);
        for (std::size_t step = 0; step < N; ++step) {
            std::size_t i = hint + step;
            if (i >= N) i -= N;
            if (prefixes[i] != prefix || keys[i].size() != length || suffixes[i] != suffix) continue;
            if (length <= 16 || std::memcmp(keys[i].data() + 8, key.data() + 8, length - 16) == 0) return i;
        }
        return N;
    }
};

template <class... Rules>
KeyMatcher<sizeof...(Rules)> matcherFor(const std::tuple<Rules...>& rules) {
    return KeyMatcher<sizeof...(Rules)>(
        std::apply([](const auto&... rule) { return std::array<std::string_view, sizeof...(Rules)>{rule.key...}; }, rules));
}

}  // namespace detail

namespace field {

template <class T, class M, class C>
struct Required {
    using Record = T;
    std::string_view key;
    M T::*member;

    void read(const Value& v, T& out) const { decodeInto<C>(v, out.*member); }
    void missing(const Value& object, T&) const { object.failMissingKey(key); }
    void write(Writer& w, const T& in) const {
        w.key(key);
        C::encode(w, in.*member);
    }
};

template <class T, class M, class C>
struct Optional {
    using Record = T;
    std::string_view key;
    std::optional<M> T::*member;
    Absent absent;

    void read(const Value& v, T& out) const {
        if (v.isNull())
            out.*member = std::nullopt;
        else if constexpr (DecodesInPlace<M, C>)
            C::decodeInto(v, (out.*member).emplace());
        else
            out.*member = C::decode(v);
    }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        const auto& value = in.*member;
        if (value) {
            w.key(key);
            C::encode(w, *value);
        } else if (absent == Absent::writeNull) {
            w.key(key);
            w.null();
        }
    }
};

template <class T, class M, class C>
struct Tolerant {
    using Record = T;
    std::string_view key;
    std::optional<M> T::*member;

    void read(const Value& v, T& out) const {
        if (v.isNull()) {
            out.*member = std::nullopt;
            return;
        }
        try {
            out.*member = C::decode(v);
        } catch (const DecodingError& error) {
            v.report(error);
            out.*member = std::nullopt;
        }
    }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        if (const auto& value = in.*member) {
            w.key(key);
            C::encode(w, *value);
        }
    }
};

template <class T, class M, class C>
struct Defaulted {
    using Record = T;
    std::string_view key;
    M T::*member;
    M fallback;

    void read(const Value& v, T& out) const {
        if (v.isNull())
            out.*member = fallback;
        else
            decodeInto<C>(v, out.*member);
    }
    void missing(const Value&, T& out) const { out.*member = fallback; }
    void write(Writer& w, const T& in) const {
        w.key(key);
        C::encode(w, in.*member);
    }
};

template <class T, class E, class C>
struct Lenient {
    using Record = T;
    std::string_view key;
    std::vector<E> T::*member;
    Missing whenMissing;

    void read(const Value& v, T& out) const {
        if (v.isNull() && whenMissing == Missing::empty) {
            (out.*member).clear();
            return;
        }
        if (!v.isArray()) v.failExpected("an array");
        out.*member = decodeLenientList<E, C>(v);
    }
    void missing(const Value& object, T& out) const {
        if (whenMissing == Missing::fails) object.failMissingKey(key);
        (out.*member).clear();
    }
    void write(Writer& w, const T& in) const {
        w.key(key);
        encodeList<C>(w, in.*member);
    }
};

template <class T, class E, class C>
struct LenientIfPresent {
    using Record = T;
    std::string_view key;
    std::optional<std::vector<E>> T::*member;
    Absent absent;

    void read(const Value& v, T& out) const {
        if (v.isNull()) {
            out.*member = std::nullopt;
            return;
        }
        if (!v.isArray()) v.failExpected("an array");
        out.*member = decodeLenientList<E, C>(v);
    }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        if (const auto& value = in.*member) {
            w.key(key);
            encodeList<C>(w, *value);
        } else if (absent == Absent::writeNull) {
            w.key(key);
            w.null();
        }
    }
};

// A required object whose members are read into the enclosing record's own fields.
template <class T, class... Rules>
struct Nested {
    using Record = T;
    std::string_view key;
    std::tuple<Rules...> rules;
    detail::KeyMatcher<sizeof...(Rules)> keys = detail::matcherFor(rules);

    void read(const Value& v, T& out) const;  // RecordCodec.hpp
    void missing(const Value& object, T&) const { object.failMissingKey(key); }
    void write(Writer& w, const T& in) const {
        w.key(key);
        w.beginObject();
        std::apply([&](const auto&... rule) { (rule.write(w, in), ...); }, rules);
        w.endObject();
    }
};

// A field that is read by its rule and never written.
template <class Rule>
struct ReadOnly : Rule {
    void write(Writer&, const typename Rule::Record&) const {}
};

// A field read under one key and written under another.
template <class Rule>
struct WrittenAs : Rule {
    std::string_view writtenKey;
    void write(Writer& w, const typename Rule::Record& in) const {
        Rule renamed = *this;
        renamed.key = writtenKey;
        renamed.write(w, in);
    }
};

}  // namespace field

// The declared fields of a record.
template <class... Rules>
struct Fields {
    std::tuple<Rules...> rules;
    // The keys in the order they are written, when that differs from the order they are read in
    // (which decides which failure is reported first). Empty: written in declared order.
    std::array<std::string_view, sizeof...(Rules)> writeOrder{};
    std::size_t writeOrderSize = 0;

    // Writes the fields in the order of `keys` (their reading keys); fields not listed are written
    // after them, in declared order. A key that names no field is a programming error, reported
    // when the record's codec is first used.
    constexpr Fields writtenInOrder(std::initializer_list<std::string_view> keys) && {
        Fields out = std::move(*this);
        out.writeOrderSize = 0;
        for (std::string_view key : keys) {
            if (out.writeOrderSize == out.writeOrder.size()) throw std::logic_error("more written keys than fields");
            out.writeOrder[out.writeOrderSize++] = key;
        }
        return out;
    }
};

namespace rules {

template <class... Rules>
constexpr Fields<Rules...> fields(Rules... rules) {
    return {std::tuple<Rules...>(std::move(rules)...)};
}

template <class T, class M, CodecSelector S = DefaultCodec>
constexpr field::Required<T, M, typename S::template For<M>> required(std::string_view key, M T::*member, S = {}) {
    return {key, member};
}
template <class T, class M, CodecSelector S = DefaultCodec>
constexpr field::Optional<T, M, typename S::template For<M>> optional(std::string_view key, std::optional<M> T::*member,
                                                                     Absent absent = Absent::omit, S = {}) {
    return {key, member, absent};
}
template <class T, class M, CodecSelector S>
constexpr field::Optional<T, M, typename S::template For<M>> optional(std::string_view key, std::optional<M> T::*member,
                                                                     S selector) {
    return optional(key, member, Absent::omit, selector);
}
template <class T, class M, CodecSelector S = DefaultCodec>
constexpr field::Tolerant<T, M, typename S::template For<M>> tolerant(std::string_view key, std::optional<M> T::*member,
                                                                     S = {}) {
    return {key, member};
}
template <class T, class M, CodecSelector S = DefaultCodec>
field::Defaulted<T, M, typename S::template For<M>> defaulted(std::string_view key, M T::*member, S = {}) {
    return {key, member, M{}};
}
template <class T, class M, class D, CodecSelector S = DefaultCodec>
    requires std::constructible_from<M, D&&>
field::Defaulted<T, M, typename S::template For<M>> defaulted(std::string_view key, M T::*member, D&& fallback,
                                                              S = {}) {
    return {key, member, M(std::forward<D>(fallback))};
}
template <class T, class E, CodecSelector S = DefaultCodec>
constexpr field::Lenient<T, E, typename S::template For<E>> lenient(std::string_view key, std::vector<E> T::*member,
                                                                   Missing whenMissing = Missing::fails, S = {}) {
    return {key, member, whenMissing};
}
template <class T, class E, CodecSelector S = DefaultCodec>
constexpr field::LenientIfPresent<T, E, typename S::template For<E>> lenientIfPresent(
    std::string_view key, std::optional<std::vector<E>> T::*member, Absent absent = Absent::omit, S = {}) {
    return {key, member, absent};
}

template <class First, class... Rules>
field::Nested<typename First::Record, First, Rules...> nested(std::string_view key, First first,
                                                                       Rules... rules) {
    std::tuple<First, Rules...> all(std::move(first), std::move(rules)...);
    auto keys = detail::matcherFor(all);
    return {key, std::move(all), std::move(keys)};
}

// Reads the field by `rule` but never writes it (a key the answer carries that a record does not
// pass on).
template <class Rule>
constexpr field::ReadOnly<Rule> readOnly(Rule rule) {
    return {std::move(rule)};
}

// Reads the field by `rule` under its key, and writes it under `writtenKey`.
template <class Rule>
constexpr field::WrittenAs<Rule> writtenAs(std::string_view writtenKey, Rule rule) {
    return {std::move(rule), writtenKey};
}

using json::Absent;
using json::Missing;
using json::objectOnly;
using json::with;

}  // namespace rules

}  // namespace vorlane::json

// Declares, after a record's field list, that its codec is instantiated once, in the record's
// .cpp (VORLANE_JSON_DEFINE): files that use the record call that copy instead of compiling their
// own from RecordCodec.hpp (at global scope, with the fully qualified type name).
#define VORLANE_JSON_RECORD(Type) extern template struct vorlane::json::RecordCodec<Type>;
