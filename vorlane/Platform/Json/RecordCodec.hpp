#pragma once
// The generic record codec: decoding and encoding a record from the field list declared beside it
// (Record.hpp). Only a record's own .cpp includes this, through VORLANE_JSON_DEFINE, so each codec
// is compiled once, out of line, wherever its record is used.

#include "vorlane/Platform/Json/Record.hpp"

#include <tuple>
#include <utility>

namespace vorlane::json {

namespace detail {

// Reads the members of `object` into `out`: one pass finds the last occurrence of each declared
// key, then each rule reads its value (or settles its missing key) once, in declared order.
template <class T, class... Rules>
void readFields(const Value& object, T& out, const std::tuple<Rules...>& rules,
                const KeyMatcher<sizeof...(Rules)>& keys) {
    constexpr std::size_t count = sizeof...(Rules);
    if (!object.isObject()) object.failExpected("an object");
    MemberRef found[count] = {};
    std::size_t hint = 0;
    for (auto cursor = object.members(); cursor.next();) {
        const std::size_t index = keys.match(cursor.key(), hint);
        if (index == count) continue;
        found[index] = cursor.ref();
        hint = index + 1;
    }
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((found[I] ? std::get<I>(rules).read(object.member(found[I]), out) : std::get<I>(rules).missing(object, out)),
         ...);
    }(std::index_sequence_for<Rules...>{});
}

// A record's fields and the key matcher over them, built once per record type.
template <class T>
struct RecordSchema {
    using FieldList = decltype(jsonFields(Tag<T>{}));
    FieldList fields = jsonFields(Tag<T>{});
    decltype(matcherFor(fields.rules)) keys = matcherFor(fields.rules);

    static const RecordSchema& shared() {
        static const RecordSchema schema;
        return schema;
    }
};

}  // namespace detail

template <class T, class... Rules>
void field::Nested<T, Rules...>::read(const Value& v, T& out) const {
    detail::readFields(v, out, rules, keys);
}

template <class T>
T RecordCodec<T>::decode(const Value& value) {
    T out{};
    decodeInto(value, out);
    return out;
}

template <class T>
void RecordCodec<T>::decodeInto(const Value& value, T& out) {
    const auto& schema = detail::RecordSchema<T>::shared();
    detail::readFields(value, out, schema.fields.rules, schema.keys);
}

template <class T>
void RecordCodec<T>::encode(Writer& writer, const T& value) {
    const auto& schema = detail::RecordSchema<T>::shared();
    writer.beginObject();
    std::apply([&](const auto&... rule) { (rule.write(writer, value), ...); }, schema.fields.rules);
    writer.endObject();
}

}  // namespace vorlane::json

// Instantiates the codec of a record declared with a field list (in the record's .cpp, at global
// scope, with the fully qualified type name).
#define VORLANE_JSON_DEFINE(Type) template struct vorlane::json::RecordCodec<Type>;
