#pragma once
// The generic record codec: decoding and encoding a record from the field list declared beside it
// (Record.hpp). Only a record's own .cpp includes this, through VORLANE_JSON_DEFINE, so each codec
// is compiled once, out of line, wherever its record is used.

#include "vorlane/Platform/Json/Record.hpp"

#include <array>
#include <stdexcept>
#include <string>
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

// The order in which a record's fields are written: positions into its rules.
template <class... Rules>
std::array<std::size_t, sizeof...(Rules)> writePositions(const Fields<Rules...>& fields) {
    constexpr std::size_t count = sizeof...(Rules);
    const auto keys = std::apply([](const auto&... rule) { return std::array<std::string_view, count>{rule.key...}; },
                                 fields.rules);
    std::array<std::size_t, count> order{};
    std::array<bool, count> placed{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < fields.writeOrderSize; ++i) {
        std::size_t position = 0;
        while (position < count && (keys[position] != fields.writeOrder[i] || placed[position])) ++position;
        if (position == count)
            throw std::logic_error("written key \"" + std::string(fields.writeOrder[i]) + "\" names no field");
        placed[position] = true;
        order[next++] = position;
    }
    for (std::size_t position = 0; position < count; ++position)
        if (!placed[position]) order[next++] = position;
    return order;
}

// Writes one field, by its position.
template <class T, class Tuple, std::size_t I>
void writeField(const Tuple& rules, Writer& w, const T& value) {
    std::get<I>(rules).write(w, value);
}

// A record's fields, the key matcher over them and the order they are written in, built once per
// record type.
template <class T>
struct RecordSchema {
    using FieldList = decltype(jsonFields(Tag<T>{}));
    using Rules = decltype(FieldList::rules);
    static constexpr std::size_t count = std::tuple_size_v<Rules>;

    FieldList fields = jsonFields(Tag<T>{});
    decltype(matcherFor(fields.rules)) keys = matcherFor(fields.rules);
    bool reordered = fields.writeOrderSize > 0;
    std::array<std::size_t, count> writeOrder = writePositions(fields);

    void write(Writer& w, const T& value) const {
        if (!reordered) {
            std::apply([&](const auto&... rule) { (rule.write(w, value), ...); }, fields.rules);
            return;
        }
        static constexpr auto writers = []<std::size_t... I>(std::index_sequence<I...>) {
            return std::array<void (*)(const Rules&, Writer&, const T&), count>{&writeField<T, Rules, I>...};
        }(std::make_index_sequence<count>{});
        for (std::size_t position : writeOrder) writers[position](fields.rules, w, value);
    }

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
    schema.write(writer, value);
    writer.endObject();
}

}  // namespace vorlane::json

// Instantiates the codec of a record declared with a field list (in the record's .cpp, at global
// scope, with the fully qualified type name).
#define VORLANE_JSON_DEFINE(Type) template struct vorlane::json::RecordCodec<Type>;
