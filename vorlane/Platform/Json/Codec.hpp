#pragma once
// The generic codec: how each kind of value is read from and written to JSON.
//
// Codec<T> has `static T decode(const Value&)` and `static void encode(Writer&, const T&)`.
// Scalars, strings, optionals, lists, ordered maps, vocabularies, dates and Safe<T> are covered
// here; regular records declare a field list beside their struct (Record.hpp). Irregular shapes
// declare a hand-written codec with VORLANE_JSON_CODEC in their header and define it in their .cpp
// from the reading rules below.
//
// Entry points: json::decode<T>(bytes, settings, diagnostics) and json::encode(value, settings).

#include "vorlane/Platform/Date.hpp"
#include "vorlane/Platform/Json/JsonError.hpp"
#include "vorlane/Platform/Json/JsonReader.hpp"
#include "vorlane/Platform/Json/JsonWriter.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Json/Vocabulary.hpp"

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace vorlane {

// A value that holds a T when its JSON decodes as one, and nothing when it does not.
// A failed decode is reported to the diagnostics collector, never thrown.
template <class T>
struct Safe {
    std::optional<T> value;
    bool operator==(const Safe&) const = default;
};

}  // namespace vorlane

namespace vorlane::json {

template <class T>
struct Codec;  // specialised per type

template <class T>
concept Decodable = requires(const Value& v) {
    { Codec<T>::decode(v) } -> std::convertible_to<T>;
};

// Declares the codec of a record in its header; the definition goes in the record's .cpp.
// Use at global scope with the fully qualified type name.
#define VORLANE_JSON_CODEC(Type)                                      \
    template <>                                                       \
    struct vorlane::json::Codec<Type> {                               \
        static Type decode(const ::vorlane::json::Value& value);     \
        static void encode(::vorlane::json::Writer& writer, const Type& value); \
    };

template <>
struct Codec<bool> {
    static bool decode(const Value& v) { return v.boolean(); }
    static void encode(Writer& w, bool b) { w.boolean(b); }
};

template <>
struct Codec<std::string> {
    static std::string decode(const Value& v) { return std::string(v.string()); }
    static void encode(Writer& w, const std::string& s) { w.string(s); }
};

// Decodes `v` into `target` with codec C. Codecs that can fill an existing value in place (records,
// lists, maps) do so, which saves building and moving a temporary per value; the others
// assign a decoded value. Either way every part of `target` is replaced.
template <class C, class M>
void decodeInto(const Value& v, M& target) {
    if constexpr (requires { C::decodeInto(v, target); })
        C::decodeInto(v, target);
    else
        target = C::decode(v);
}

namespace detail {
// How many elements a list or map of T reserves before reading its first: all it holds, unless they
// would take more than 64 MiB. A few bytes of answer can name an element many times their size
// (`[{},{},...]` of 2 KB records), so beyond that the list grows only as elements decode and a
// hostile answer fails at its first bad element instead of asking for gigabytes up front.
template <class T>
constexpr std::size_t reservable(std::size_t count) noexcept {
    constexpr std::size_t cap = (std::size_t{64} << 20) / sizeof(T);
    return count < cap ? count : cap;
}
}  // namespace detail

// Whether elements of T are best decoded in place: default-constructible, with a codec that fills.
template <class T, class C>
concept DecodesInPlace = std::default_initializable<T> && requires(const Value& v, T& t) { C::decodeInto(v, t); };

template <std::signed_integral I>
struct Codec<I> {
    static I decode(const Value& v) {
        std::int64_t i = v.int64();
        if constexpr (sizeof(I) < sizeof(std::int64_t)) {
            if (i < std::numeric_limits<I>::min() || i > std::numeric_limits<I>::max())
                v.fail(ErrorKind::dataCorrupted, "number " + std::to_string(i) + " does not fit in a " +
                                                     std::to_string(sizeof(I) * 8) + "-bit integer");
        }
        return static_cast<I>(i);
    }
    static void encode(Writer& w, I i) { w.int64(i); }
};

template <std::unsigned_integral U>
    requires(!std::same_as<U, bool>)
struct Codec<U> {
    static U decode(const Value& v) {
        std::uint64_t u = v.uint64();
        if constexpr (sizeof(U) < sizeof(std::uint64_t)) {
            if (u > std::numeric_limits<U>::max())
                v.fail(ErrorKind::dataCorrupted, "number " + std::to_string(u) + " does not fit in an unsigned " +
                                                     std::to_string(sizeof(U) * 8) + "-bit integer");
        }
        return static_cast<U>(u);
    }
    static void encode(Writer& w, U u) { w.uint64(u); }
};

template <>
struct Codec<double> {
    static double decode(const Value& v) { return v.number(); }
    static void encode(Writer& w, double d) { w.number(d); }
};

template <class T>
struct Codec<std::optional<T>> {
    static std::optional<T> decode(const Value& v) {
        if (v.isNull()) return std::nullopt;
        return Codec<T>::decode(v);
    }
    static void encode(Writer& w, const std::optional<T>& value) {
        if (value)
            Codec<T>::encode(w, *value);
        else
            w.null();
    }
};

// A choice of values is written as the value it holds. Encoding only: which alternative a JSON
// value stands for cannot be told in general, so records that read a choice have their own codec.
template <class... T>
struct Codec<std::variant<T...>> {
    static void encode(Writer& w, const std::variant<T...>& value) {
        std::visit([&w](const auto& held) { Codec<std::remove_cvref_t<decltype(held)>>::encode(w, held); }, value);
    }
};

// Writes a list with codec C for its elements.
template <class C, class T>
void encodeList(Writer& w, const std::vector<T>& list) {
    w.beginArray();
    for (const auto& element : list) C::encode(w, element);
    w.endArray();
}

// A strict list: any failing element fails the list.
template <class T>
struct Codec<std::vector<T>> {
    static std::vector<T> decode(const Value& v) {
        std::vector<T> out;
        decodeInto(v, out);
        return out;
    }
    static void decodeInto(const Value& v, std::vector<T>& out) {
        auto cursor = v.elements();
        out.clear();
        out.reserve(detail::reservable<T>(v.size()));
        while (cursor.next()) {
            if constexpr (DecodesInPlace<T, Codec<T>>)
                Codec<T>::decodeInto(cursor.value(), out.emplace_back());
            else
                out.push_back(Codec<T>::decode(cursor.value()));
        }
    }
    static void encode(Writer& w, const std::vector<T>& list) { encodeList<Codec<T>>(w, list); }
};

// A strict string-keyed map in document order.
template <class T>
struct Codec<OrderedMap<T>> {
    static OrderedMap<T> decode(const Value& v) {
        OrderedMap<T> out;
        decodeInto(v, out);
        return out;
    }
    static void decodeMember(const Value& value, T& target) {
        if constexpr (DecodesInPlace<T, Codec<T>>)
            Codec<T>::decodeInto(value, target);
        else
            target = Codec<T>::decode(value);
    }
    // A repeated key keeps its first position and takes its last value. As with a record's
    // fields, only that last occurrence is read: an earlier one may hold anything.
    static void decodeInto(const Value& v, OrderedMap<T>& out) {
        out.clear();
        const std::size_t count = v.size();
        out.reserve(detail::reservable<typename OrderedMap<T>::value_type>(count));
        // First pass: every key gets its entry, in the order keys first appear.
        bool repeated = false;
        for (auto cursor = v.members(); cursor.next();) {
            const std::size_t before = out.size();
            repeated |= out.positionOrAppend(cursor.key()) < before;
        }
        if (!repeated) {
            // The usual answer: member i is entry i, read in one more pass with no bookkeeping.
            std::size_t entry = 0;
            for (auto cursor = v.members(); cursor.next(); ++entry) decodeMember(cursor.value(), out.valueAt(entry));
            return;
        }
        // With repeated keys, each entry's last member is found first, then only those are read.
        std::vector<std::uint32_t> entryOf;
        entryOf.reserve(detail::reservable<std::uint32_t>(count));
        for (auto cursor = v.members(); cursor.next();)
            entryOf.push_back(static_cast<std::uint32_t>(out.positionOrAppend(cursor.key())));
        std::vector<std::uint32_t> lastOf(out.size());
        for (std::uint32_t member = 0; member < entryOf.size(); ++member) lastOf[entryOf[member]] = member;
        std::uint32_t member = 0;
        for (auto cursor = v.members(); cursor.next(); ++member)
            if (lastOf[entryOf[member]] == member) decodeMember(cursor.value(), out.valueAt(entryOf[member]));
    }
    static void encode(Writer& w, const OrderedMap<T>& map) {
        w.beginObject();
        for (const auto& [key, value] : map) {
            w.key(key);
            Codec<T>::encode(w, value);
        }
        w.endObject();
    }
};

// A vocabulary reads its wire strings; what an unknown one reads as is set by its table.
template <HasVocabulary E>
    requires std::is_enum_v<E>
struct Codec<E> {
    static E decode(const Value& v) {
        constexpr auto& table = vocabularyOf<E>;
        if constexpr (table.unknown == UnknownWire::neverFails) {
            if (!v.isString()) {
                v.report("expected " + std::string(table.name) + " as a string but found " +
                         std::string(describe(v.kind())) + "; read as \"" + std::string(wireString(table.special)) +
                         "\"");
                return table.special;
            }
        }
        std::string_view text = v.string(table.name);
        if (auto known = fromWireString<E>(text)) return *known;
        if constexpr (table.unknown == UnknownWire::readsAsFallback || table.unknown == UnknownWire::neverFails) {
            return table.special;
        } else {
            v.fail(ErrorKind::dataCorrupted, "cannot initialize " + std::string(table.name) +
                                                 " from invalid String value \"" + std::string(text) + "\"");
        }
    }
    static void encode(Writer& w, E value) { w.string(wireString(value)); }
};

// Open vocabularies keep an unknown string in their catch-all case.
template <class Case>
struct Codec<OpenEnum<Case>> {
    static OpenEnum<Case> decode(const Value& v) { return OpenEnum<Case>::fromWire(v.string(vocabularyName<Case>())); }
    static void encode(Writer& w, const OpenEnum<Case>& value) { w.string(value.rawValue()); }
};

template <class T>
struct Codec<Safe<T>> {
    static Safe<T> decode(const Value& v) {
        try {
            return Safe<T>{Codec<T>::decode(v)};
        } catch (const DecodingError& error) {
            v.report(error);
            return Safe<T>{};
        }
    }
    static void encode(Writer& w, const Safe<T>& value) {
        if (value.value)
            Codec<T>::encode(w, *value.value);
        else
            w.null();
    }
};

// The name of a value in messages, as a template argument.
template <std::size_t N>
struct ValueName {
    char text[N]{};
    constexpr ValueName(const char (&name)[N]) {  // NOLINT: built from a literal
        for (std::size_t i = 0; i < N; ++i) text[i] = name[i];
    }
    constexpr std::string_view view() const { return {text, N - 1}; }
};

// A value carried on the wire as a bare string held in one member (identifiers, open formats):
//   template <> struct vorlane::json::Codec<VideoFormat> : BareStringCodec<VideoFormat, &VideoFormat::rawValue, "VideoFormat"> {};
// A value that is not a string fails, naming `name`.
template <class T, std::string T::*text, ValueName name>
struct BareStringCodec {
    static T decode(const Value& v) {
        T out;
        out.*text = std::string(v.string(name.view()));
        return out;
    }
    static void encode(Writer& w, const T& value) { w.string(value.*text); }
};

// Dates follow the decoder's setting: ISO 8601 text, or seconds since 2001-01-01 as a number.
template <>
struct Codec<Date> {
    static Date decode(const Value& v);
    static void encode(Writer& w, const Date& date);
};

// ---- Reading rules for hand-written codecs --------------------------------------------------
// Each takes the object and a key. They are the same rules the record declarations use.

// Decodes `v` as T; a failure becomes absent and is reported.
template <class T>
std::optional<T> decodeTolerantly(const Value& v) {
    if (v.isNull()) return std::nullopt;
    try {
        return Codec<T>::decode(v);
    } catch (const DecodingError& error) {
        v.report(error);
        return std::nullopt;
    }
}

// The elements of an array that decode (with codec C), in order; each failing element is dropped
// and reported.
template <class T, class C = Codec<T>>
std::vector<T> decodeLenientList(const Value& array) {
    std::vector<T> out;
    auto cursor = array.elements();
    out.reserve(detail::reservable<T>(array.size()));
    while (cursor.next()) {
        Value element = cursor.value();
        if constexpr (DecodesInPlace<T, C>) {
            try {
                C::decodeInto(element, out.emplace_back());
            } catch (const DecodingError& error) {
                out.pop_back();
                element.report(error);
            }
        } else {
            try {
                out.push_back(C::decode(element));
            } catch (const DecodingError& error) {
                element.report(error);
            }
        }
    }
    return out;
}

// The object under `key`, which must be present and an object (answers wrap their value in
// {"data": {"name": ...}}).
inline Value requiredObject(const Value& object, std::string_view key) {
    if (!object.isObject()) object.failExpected("an object");
    auto member = object.member(key);
    if (!member) object.failMissingKey(key);
    if (!member->isObject()) member->failExpected("an object");
    return *member;
}

template <class T>
T readRequired(const Value& object, std::string_view key) {
    auto member = object.member(key);
    if (!member) object.failMissingKey(key);
    return Codec<T>::decode(*member);
}

// Absent or null gives absent; a present value of another type fails.
template <class T>
std::optional<T> readOptional(const Value& object, std::string_view key) {
    auto member = object.member(key);
    if (!member || member->isNull()) return std::nullopt;
    return Codec<T>::decode(*member);
}

// Any failure gives absent.
template <class T>
std::optional<T> readTolerant(const Value& object, std::string_view key) {
    auto member = object.member(key);
    if (!member) return std::nullopt;
    return decodeTolerantly<T>(*member);
}

// Absent or null gives `fallback`.
template <class T>
T readDefaulted(const Value& object, std::string_view key, T fallback) {
    auto member = object.member(key);
    if (!member || member->isNull()) return fallback;
    return Codec<T>::decode(*member);
}

// Lenient list under a key that must be present and hold a list.
template <class T>
std::vector<T> decodeSafely(const Value& object, std::string_view key) {
    auto member = object.member(key);
    if (!member) object.failMissingKey(key);
    if (!member->isArray()) member->failExpected("an array");
    return decodeLenientList<T>(*member);
}

// Lenient list whose missing (or null) key gives absent.
template <class T>
std::optional<std::vector<T>> decodeSafelyIfPresent(const Value& object, std::string_view key) {
    auto member = object.member(key);
    if (!member || member->isNull()) return std::nullopt;
    if (!member->isArray()) member->failExpected("an array");
    return decodeLenientList<T>(*member);
}

// ---- Entry points ---------------------------------------------------------------------------

template <class T>
T decode(std::string_view bytes, const DecoderSettings& settings = {}, Diagnostics* diagnostics = nullptr) {
    DecodeContext context{settings, diagnostics};
    std::optional<T> result;
    detail::withRoot(
        bytes, context,
        [](const Value& root, void* state) { static_cast<std::optional<T>*>(state)->emplace(Codec<T>::decode(root)); },
        &result);
    return std::move(*result);
}

class PaddedAnswer;  // JsonInput.hpp
namespace detail {
// Like withRoot(bytes, ...), parsing the answer's buffer in place.
void withRoot(const PaddedAnswer& answer, const DecodeContext& context, void (*visit)(const Value&, void*), void* state);
}  // namespace detail

// Decodes an answer read with PaddedAnswer (a file or a stream), without copying it.
template <class T>
T decode(const PaddedAnswer& answer, const DecoderSettings& settings = {}, Diagnostics* diagnostics = nullptr) {
    DecodeContext context{settings, diagnostics};
    std::optional<T> result;
    detail::withRoot(
        answer, context,
        [](const Value& root, void* state) { static_cast<std::optional<T>*>(state)->emplace(Codec<T>::decode(root)); },
        &result);
    return std::move(*result);
}

template <class T>
std::string encode(const T& value, const EncoderSettings& settings = {}) {
    Writer writer(settings);
    Codec<T>::encode(writer, value);
    return writer.take();
}

// Encodes into `out`, reusing its capacity: repeated encodings (a server answering, a benchmark)
// then write into memory already in place. On failure `out` is left empty.
template <class T>
void encodeInto(std::string& out, const T& value, const EncoderSettings& settings = {}) {
    Writer writer(settings, std::move(out));
    out.clear();
    Codec<T>::encode(writer, value);
    out = writer.take();
}

}  // namespace vorlane::json
