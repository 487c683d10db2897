#pragma once
// Vocabularies: enumerations carried on the wire as exact, case-sensitive strings.
//
// A vocabulary is declared right under its enumeration with one table of (case, wire string),
// found by argument-dependent lookup, so nested enumerations need no twin names:
//
//   enum class ImageFormat { jpeg, png };
//   constexpr auto jsonVocabulary(json::Tag<ImageFormat>) {
//       using enum ImageFormat;
//       return json::vocabulary<ImageFormat>("ImageFormat", {{jpeg, "jpeg"}, {png, "png"}});
//   }
//
// What an unknown wire string reads as is part of the table:
//   (nothing)            closed: an unknown string fails with dataCorrupted
//   .unknownAs(c)        an unknown string reads as `c`; a value that is not a string still fails
//   .neverFailing(c)     anything that is not a known wire string (another type included) reads as
//                        `c`; a non-string is reported to the diagnostics collector
//   .catchAll(c)         open: used through OpenEnum<E>, whose catch-all case `c` keeps the text

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vorlane::json {

// The tag through which declarations beside a type are found by argument-dependent lookup.
template <class T>
struct Tag {};

template <class E>
struct VocabularyEntry {
    E value;
    std::string_view wire;
};

enum class UnknownWire { fails, readsAsFallback, neverFails, keptInCatchAll };

template <class E, std::size_t N>
struct VocabularyTable {
    std::string_view name;
    std::array<VocabularyEntry<E>, N> entries;
    UnknownWire unknown = UnknownWire::fails;
    E special{};  // the fallback or catch-all case, when `unknown` names one

    constexpr VocabularyTable unknownAs(E c) const { return with(UnknownWire::readsAsFallback, c); }
    constexpr VocabularyTable neverFailing(E c) const { return with(UnknownWire::neverFails, c); }
    constexpr VocabularyTable catchAll(E c) const { return with(UnknownWire::keptInCatchAll, c); }

private:
    constexpr VocabularyTable with(UnknownWire rule, E c) const {
        VocabularyTable copy = *this;
        copy.unknown = rule;
        copy.special = c;
        return copy;
    }
};

template <class E, std::size_t N>
constexpr VocabularyTable<E, N> vocabulary(std::string_view name, const VocabularyEntry<E> (&entries)[N]) {
    VocabularyTable<E, N> table{name, {}};
    for (std::size_t i = 0; i < N; ++i) table.entries[i] = entries[i];
    return table;
}

template <class E>
concept HasVocabulary = requires { jsonVocabulary(Tag<E>{}); };

// The table of E, evaluated once at compile time.
template <HasVocabulary E>
inline constexpr auto vocabularyOf = jsonVocabulary(Tag<E>{});

template <class E>
concept HasFallback = HasVocabulary<E> && (vocabularyOf<E>.unknown == UnknownWire::readsAsFallback ||
                                           vocabularyOf<E>.unknown == UnknownWire::neverFails);

template <class E>
concept HasCatchAll = HasVocabulary<E> && vocabularyOf<E>.unknown == UnknownWire::keptInCatchAll;

// The name the system gives the vocabulary ("Image.Purpose"), for messages.
template <HasVocabulary E>
constexpr std::string_view vocabularyName() noexcept {
    return vocabularyOf<E>.name;
}

// The wire string of a case; empty for a case without one (a catch-all).
template <HasVocabulary E>
constexpr std::string_view wireString(E value) noexcept {
    for (const auto& entry : vocabularyOf<E>.entries)
        if (entry.value == value) return entry.wire;
    return {};
}

// The case whose wire string is exactly `text`.
template <HasVocabulary E>
constexpr std::optional<E> fromWireString(std::string_view text) noexcept {
    for (const auto& entry : vocabularyOf<E>.entries)
        if (entry.wire.size() == text.size() && entry.wire == text) return entry.value;
    return std::nullopt;
}

// Every case with a wire string, in table order.
template <HasVocabulary E>
constexpr const auto& allCases() noexcept {
    return vocabularyOf<E>.entries;
}

// An open enumeration: a known case, or the catch-all case holding the unknown wire text.
template <HasCatchAll Case>
class OpenEnum {
public:
    static constexpr Case catchAllCase = vocabularyOf<Case>.special;

    OpenEnum() : case_(catchAllCase) {}
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
    bool isCatchAll() const noexcept { return case_ == catchAllCase; }
    // The wire string: the case's own, or the held text for the catch-all.
    std::string_view rawValue() const noexcept { return isCatchAll() ? std::string_view(text_) : wireString(case_); }

    bool operator==(const OpenEnum&) const = default;
    bool operator==(Case value) const noexcept { return case_ == value && !isCatchAll(); }

private:
    Case case_;
    std::string text_;
};

}  // namespace vorlane::json
