#pragma once
// Table-driven helpers of the JSON tests: each row is a JSON text and either the value it
// decodes to or the failure (kind and path) it must raise.

#include "vorlane/Platform/Json/Codec.hpp"

#include <gtest/gtest.h>

#include <variant>

namespace vorlane::jsontesting {

using json::ErrorKind;

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

// The failure of decoding `text` as T.
template <class T>
json::DecodingError decodeFailure(std::string_view text) {
    try {
        json::decode<T>(text);
    } catch (const json::DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoded without error: " << text;
    return {ErrorKind::dataCorrupted, "", ""};
}

}  // namespace vorlane::jsontesting
