#pragma once
// Vocabularies: enumerations carried on the wire as exact, case-sensitive strings.
//
// One table per enumeration lists (case, wire string). A closed vocabulary fails on an unknown
// string; one with a `fallback` case reads every unknown string as that case; an open vocabulary
// (OpenEnum) keeps the unknown text in its catch-all case.
//
//   enum class CollectionIdentifierType { slug, collectionGroupId };
//   template <> struct vorlane::json::Vocabulary<CollectionIdentifierType> {
//       static constexpr std::string_view name = "CollectionIdentifierType";
//       static constexpr VocabularyEntry<CollectionIdentifierType> entries[] = {
//           {CollectionIdentifierType::slug, "slug"},
//           {CollectionIdentifierType::collectionGroupId, "collectionGroupId"}};
//   };
//
// Optional members of the specialisation: `static constexpr E fallback` (unknown strings read as
// it), `static constexpr E catchAll` (the case of an OpenEnum that holds unknown text).

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vorlane::json {

template <class E>
struct VocabularyEntry {
    E value;
    std::string_view wire;
};

template <class E>
struct Vocabulary;  // specialised once per enumeration

template <class E>
concept HasVocabulary = requires {
    { Vocabulary<E>::name } -> std::convertible_to<std::string_view>;
    std::size(Vocabulary<E>::entries);
};

template <class E>
concept HasFallback = HasVocabulary<E> && requires { { Vocabulary<E>::fallback } -> std::convertible_to<E>; };

template <class E>
concept HasCatchAll = HasVocabulary<E> && requires { { Vocabulary<E>::catchAll } -> std::convertible_to<E>; };

// The wire string of a case; empty for a case without one (a catch-all).
template <HasVocabulary E>
constexpr std::string_view wireString(E value) noexcept {
    for (const auto& entry : Vocabulary<E>::entries)
        if (entry.value == value) return entry.wire;
    return {};
}

// The case whose wire string is exactly `text`.
template <HasVocabulary E>
constexpr std::optional<E> fromWireString(std::string_view text) noexcept {
    for (const auto& entry : Vocabulary<E>::entries)
        if (entry.wire.size() == text.size() && entry.wire == text) return entry.value;
    return std::nullopt;
}

// Every case with a wire string, in table order.
template <HasVocabulary E>
constexpr const auto& allCases() noexcept {
    return Vocabulary<E>::entries;
}

// An open enumeration: a known case, or the catch-all case holding the unknown wire text.
template <HasCatchAll Case>
class OpenEnum {
public:
    OpenEnum() : case_(Vocabulary<Case>::catchAll) {}
    OpenEnum(Case value) : case_(value) {}  // NOLINT: a known case converts implicitly

    // A known wire string gives its case; any other text gives the catch-all case holding it.
    static OpenEnum fromWire(std::string_view text) {
        if (auto known = fromWireString<Case>(text)) return OpenEnum(*known);
        return other(std::string(text));
    }
    static OpenEnum other(std::string text) {
        OpenEnum result;
        result.text_ = std::move(text);
        return result;
    }

    Case kind() const noexcept { return case_; }
    bool isCatchAll() const noexcept { return case_ == Vocabulary<Case>::catchAll; }
    // The wire string: the case's own, or the held text for the catch-all.
    std::string_view rawValue() const noexcept { return isCatchAll() ? std::string_view(text_) : wireString(case_); }

    bool operator==(const OpenEnum&) const = default;
    bool operator==(Case value) const noexcept { return case_ == value && !isCatchAll(); }

private:
    Case case_;
    std::string text_;
};

}  // namespace vorlane::json
