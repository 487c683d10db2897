#pragma once
// Declaring regular records: one list of fields, each a JSON key with one reading rule, drives
// both decoding and encoding.
//
// In the record's .cpp (the header declares VORLANE_JSON_CODEC(vorlane::ExplorePagination)):
//
//   VORLANE_JSON_RECORD(vorlane::ExplorePagination,
//       required("hasMore", &Self::hasMore),
//       required("hasPrev", &Self::hasPrev),
//       required("currentOffset", &Self::currentOffset),
//       optional("totalCount", &Self::totalCount))
//
// Rules:
//   required(key, m)          missing key fails (keyNotFound); null fails unless m is optional
//   optional(key, m[, Absent::writeNull])
//                             m is std::optional; missing or null gives absent; a wrong type fails.
//                             An absent value is omitted on encode, or written as null
//   tolerant(key, m)          m is std::optional; any failure gives absent (and is reported)
//   defaulted(key, m, value)  missing or null gives `value`
//   lenient(key, m)           m is std::vector; key must be present and hold a list; elements that
//                             fail are dropped (and reported), order kept
//   lenientIfPresent(key, m)  m is std::optional<std::vector>; missing or null gives absent
//
// Decoding makes one pass over the object's members, dispatching on the key; unknown keys are
// ignored; on a repeated key the last one wins. Encoding writes the fields in declared order.

#include "vorlane/Platform/Json/Codec.hpp"

#include <array>
#include <bitset>
#include <tuple>
#include <utility>

namespace vorlane::json {

enum class Absent { omit, writeNull };

template <class T, class M>
struct RequiredField {
    std::string_view key;
    M T::*member;

    void read(const Value& v, T& out) const { out.*member = Codec<M>::decode(v); }
    void missing(const Value& object, T&) const { object.failMissingKey(key); }
    void write(Writer& w, const T& in) const {
        w.key(key);
        Codec<M>::encode(w, in.*member);
    }
};

template <class T, class M>
struct OptionalField {
    std::string_view key;
    std::optional<M> T::*member;
    Absent absent = Absent::omit;

    void read(const Value& v, T& out) const {
        if (v.isNull())
            out.*member = std::nullopt;
        else
            out.*member = Codec<M>::decode(v);
    }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        const auto& value = in.*member;
        if (value) {
            w.key(key);
            Codec<M>::encode(w, *value);
        } else if (absent == Absent::writeNull) {
            w.key(key);
            w.null();
        }
    }
};

template <class T, class M>
struct TolerantField {
    std::string_view key;
    std::optional<M> T::*member;

    void read(const Value& v, T& out) const { out.*member = decodeTolerantly<M>(v); }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        if (const auto& value = in.*member) {
            w.key(key);
            Codec<M>::encode(w, *value);
        }
    }
};

template <class T, class M>
struct DefaultedField {
    std::string_view key;
    M T::*member;
    M fallback;

    void read(const Value& v, T& out) const { out.*member = v.isNull() ? fallback : Codec<M>::decode(v); }
    void missing(const Value&, T& out) const { out.*member = fallback; }
    void write(Writer& w, const T& in) const {
        w.key(key);
        Codec<M>::encode(w, in.*member);
    }
};

template <class T, class E>
struct LenientField {
    std::string_view key;
    std::vector<E> T::*member;

    void read(const Value& v, T& out) const {
        if (!v.isArray()) v.failExpected("an array");
        out.*member = decodeLenientList<E>(v);
    }
    void missing(const Value& object, T&) const { object.failMissingKey(key); }
    void write(Writer& w, const T& in) const {
        w.key(key);
        Codec<std::vector<E>>::encode(w, in.*member);
    }
};

template <class T, class E>
struct LenientIfPresentField {
    std::string_view key;
    std::optional<std::vector<E>> T::*member;

    void read(const Value& v, T& out) const {
        if (v.isNull()) {
            out.*member = std::nullopt;
            return;
        }
        if (!v.isArray()) v.failExpected("an array");
        out.*member = decodeLenientList<E>(v);
    }
    void missing(const Value&, T& out) const { out.*member = std::nullopt; }
    void write(Writer& w, const T& in) const {
        if (const auto& value = in.*member) {
            w.key(key);
            Codec<std::vector<E>>::encode(w, *value);
        }
    }
};

template <class T, class M>
constexpr RequiredField<T, M> required(std::string_view key, M T::*member) {
    return {key, member};
}
template <class T, class M>
constexpr OptionalField<T, M> optional(std::string_view key, std::optional<M> T::*member, Absent absent = Absent::omit) {
    return {key, member, absent};
}
template <class T, class M>
constexpr TolerantField<T, M> tolerant(std::string_view key, std::optional<M> T::*member) {
    return {key, member};
}
template <class T, class M, class D>
DefaultedField<T, M> defaulted(std::string_view key, M T::*member, D&& fallback) {
    return {key, member, M(std::forward<D>(fallback))};
}
template <class T, class E>
constexpr LenientField<T, E> lenient(std::string_view key, std::vector<E> T::*member) {
    return {key, member};
}
template <class T, class E>
constexpr LenientIfPresentField<T, E> lenientIfPresent(std::string_view key, std::optional<std::vector<E>> T::*member) {
    return {key, member};
}

// The declared fields of a record and the one-pass decoder and in-order encoder over them.
template <class T, class... Fields>
class RecordSchema {
public:
    static constexpr std::size_t count = sizeof...(Fields);

    explicit RecordSchema(Fields... fields) : fields_(std::move(fields)...) {
        std::size_t i = 0;
        std::apply([&](const auto&... f) { ((keys_[i++] = f.key), ...); }, fields_);
    }

    T decode(const Value& v) const {
        if (!v.isObject()) v.failExpected("an object");
        T out{};
        std::bitset<count> seen;
        std::size_t hint = 0;
        for (auto cursor = v.members(); cursor.next();) {
            std::size_t index = indexOf(cursor.key(), hint);
            if (index == count) continue;
            hint = index + 1;
            seen.set(index);
            readers()[index](*this, cursor.value(), out);
        }
        if (!seen.all())
            for (std::size_t i = 0; i < count; ++i)
                if (!seen.test(i)) missers()[i](*this, v, out);
        return out;
    }

    void encode(Writer& w, const T& in) const {
        w.beginObject();
        std::apply([&](const auto&... f) { (f.write(w, in), ...); }, fields_);
        w.endObject();
    }

private:
    using Reader = void (*)(const RecordSchema&, const Value&, T&);

    // Members usually arrive in declared order, so the search starts after the last match.
    std::size_t indexOf(std::string_view key, std::size_t hint) const noexcept {
        for (std::size_t step = 0; step < count; ++step) {
            std::size_t i = hint + step;
            if (i >= count) i -= count;
            if (keys_[i].size() == key.size() && keys_[i] == key) return i;
        }
        return count;
    }

    template <std::size_t... I>
    static constexpr std::array<Reader, count> makeReaders(std::index_sequence<I...>) {
        return {[](const RecordSchema& s, const Value& v, T& out) { std::get<I>(s.fields_).read(v, out); }...};
    }
    template <std::size_t... I>
    static constexpr std::array<Reader, count> makeMissers(std::index_sequence<I...>) {
        return {[](const RecordSchema& s, const Value& v, T& out) { std::get<I>(s.fields_).missing(v, out); }...};
    }
    static const std::array<Reader, count>& readers() {
        static constexpr auto table = makeReaders(std::index_sequence_for<Fields...>{});
        return table;
    }
    static const std::array<Reader, count>& missers() {
        static constexpr auto table = makeMissers(std::index_sequence_for<Fields...>{});
        return table;
    }

    std::tuple<Fields...> fields_;
    std::array<std::string_view, count> keys_{};
};

template <class T, class... Fields>
RecordSchema<T, Fields...> record(Fields... fields) {
    return RecordSchema<T, Fields...>(std::move(fields)...);
}

template <class T>
struct Tag {};

}  // namespace vorlane::json

// Defines Codec<Type> from a field list (in the record's .cpp, at global scope). Inside the list,
// `Self` names the record and the rules above are in scope.
#define VORLANE_JSON_RECORD(Type, ...)                                                           \
    namespace {                                                                                  \
    [[maybe_unused]] const auto& vorlaneRecordSchema(::vorlane::json::Tag<Type>) {               \
        using namespace ::vorlane::json;                                                         \
        using Self = Type;                                                                       \
        static const auto schema = record<Type>(__VA_ARGS__);                                    \
        return schema;                                                                           \
    }                                                                                            \
    }                                                                                            \
    Type vorlane::json::Codec<Type>::decode(const ::vorlane::json::Value& value) {               \
        return vorlaneRecordSchema(::vorlane::json::Tag<Type>{}).decode(value);                  \
    }                                                                                            \
    void vorlane::json::Codec<Type>::encode(::vorlane::json::Writer& writer, const Type& value) { \
        vorlaneRecordSchema(::vorlane::json::Tag<Type>{}).encode(writer, value);                 \
    }
