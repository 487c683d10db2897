#pragma once
// Table-driven helpers of the JSON tests: each row is a JSON text and either the value it
// decodes to or the failure (kind and path) it must raise; and the checks every vocabulary and
// every all-keys-required record shares.

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <variant>

namespace vorlane::jsontesting {

// The text of a file under tests/data ("playback/milestones.json").
inline std::string testData(const std::string& relativePath) {
    std::ifstream in(std::string(VORLANE_TEST_DATA_DIR) + "/" + relativePath);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using json::ErrorKind;

// The `member` of each element of `list`, in order: ids, paths, kinds.
template <class List, class Element, class Member>
std::vector<Member> eachOf(const List& list, Member Element::*member) {
    std::vector<Member> out;
    for (const auto& element : list) out.push_back(element.*member);
    return out;
}

// `text` as a JSON string literal, escaped as the writer escapes it.
inline std::string quoted(std::string_view text) { return json::encode(std::string(text)); }

struct Failure {
    ErrorKind kind;
    std::string path;
};

template <class T>
struct Row {
    std::string json;
    std::variant<T, Failure> expected;
};

template <class T, class DecodeText>
void expectRows(const std::vector<Row<T>>& rows, DecodeText decodeText) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        try {
            auto value = decodeText(row.json);
            if (const T* expected = std::get_if<T>(&row.expected))
                EXPECT_EQ(value, *expected);
            else
                ADD_FAILURE() << "decoded, expected " << json::toString(std::get<Failure>(row.expected).kind);
        } catch (const json::DecodingError& error) {
            if (const auto* failure = std::get_if<Failure>(&row.expected)) {
                EXPECT_EQ(json::toString(error.kind()), json::toString(failure->kind)) << error.what();
                EXPECT_EQ(error.path(), failure->path) << error.what();
            } else {
                ADD_FAILURE() << "unexpected failure: " << error.what();
            }
        }
    }
}

// Rows whose text decodes as T itself.
template <class T>
void expectDecodes(const std::vector<Row<T>>& rows, const json::DecoderSettings& settings = {}) {
    expectRows(rows, [&](std::string_view text) { return json::decode<T>(text, settings); });
}

// The decoding error `action` throws.
template <class Action>
json::DecodingError thrownDecodingError(Action&& action) {
    try {
        action();
    } catch (const json::DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "no decoding error";
    return {ErrorKind::dataCorrupted, "", ""};
}

// The message of the E that `action` throws, or "no failure" when it throws nothing.
template <class E, class Action>
std::string thrownMessage(Action&& action) {
    try {
        action();
    } catch (const E& error) {
        return error.what();
    }
    return "no failure";
}

// The failure of decoding `text` as T.
template <class T>
json::DecodingError decodeFailure(std::string_view text) {
    SCOPED_TRACE(text);
    return thrownDecodingError([&] { json::decode<T>(text); });
}

// Every case of E, in declaration order from `first`, has exactly the expected wire string, and
// reads (as `As`: E itself or the open type holding it) and writes as it.
template <class E, class As = E>
void expectWireStrings(const std::vector<std::string_view>& expected, std::size_t first = 0) {
    SCOPED_TRACE(std::string(json::vocabularyName<E>()));
    const auto& cases = json::allCases<E>();
    ASSERT_EQ(std::size(cases), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(cases[i].value), first + i) << expected[i];
        EXPECT_EQ(cases[i].wire, expected[i]);
        EXPECT_EQ(json::decode<As>(quoted(expected[i])), cases[i].value) << expected[i];
        EXPECT_EQ(json::encode(As(cases[i].value)), quoted(expected[i]));
    }
}

// A closed vocabulary rejects each text, naming itself and the text.
template <class E>
void expectRejected(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) {
        const auto error = decodeFailure<E>(quoted(text));
        EXPECT_EQ(error.kind(), ErrorKind::dataCorrupted) << text;
        EXPECT_NE(error.message().find(json::vocabularyName<E>()), std::string::npos) << error.message();
        EXPECT_NE(error.message().find(quoted(text)), std::string::npos) << error.message();
    }
}

// An open vocabulary keeps each text in its catch-all case and writes it back unchanged.
template <class Open>
void expectKeptAsCatchAll(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) {
        const auto decoded = json::decode<Open>(quoted(text));
        EXPECT_TRUE(decoded.isCatchAll()) << text;
        EXPECT_EQ(decoded.rawValue(), text);
        EXPECT_EQ(json::encode(decoded), quoted(text));
    }
}

// A closed vocabulary: every case has exactly its expected wire string, and each of `rejected` is refused.
template <class E>
void expectClosedVocabulary(const std::vector<std::string_view>& expected, std::initializer_list<std::string_view> rejected) {
    expectWireStrings<E>(expected);
    expectRejected<E>(rejected);
}

// An open vocabulary: every case has exactly its expected wire string, and each of `kept` is held in the catch-all.
template <class E, class Open>
void expectOpenVocabulary(const std::vector<std::string_view>& expected, std::initializer_list<std::string_view> kept) {
    expectWireStrings<E, Open>(expected);
    expectKeptAsCatchAll<Open>(kept);
}

// Without any one of `keys` (every key of `complete` when none are named), `complete` fails as
// T naming that key as not found.
template <class T>
void expectKeysRequired(const JsonValue& complete, std::vector<std::string> keys = {}) {
    if (keys.empty())
        for (const auto& [key, value] : complete.items()) keys.push_back(key);
    for (const auto& key : keys) {
        JsonValue partial = complete;
        partial.erase(key);
        const auto missing = decodeFailure<T>(partial.dump());
        EXPECT_EQ(json::toString(missing.kind()), json::toString(ErrorKind::keyNotFound)) << key;
        EXPECT_EQ(missing.path(), key);
    }
}

// `complete` decodes as T and writes back as itself; without any one key, or with it null, it fails
// naming that key.
template <class T>
void expectEveryKeyRequired(const JsonValue& complete) {
    EXPECT_EQ(JsonValue::parse(json::encode(json::decode<T>(complete.dump()))), complete);
    expectKeysRequired<T>(complete);
    for (const auto& [key, value] : complete.items()) {
        JsonValue partial = complete;
        partial[key] = nullptr;
        EXPECT_EQ(decodeFailure<T>(partial.dump()).path(), key);
    }
}

}  // namespace vorlane::jsontesting
