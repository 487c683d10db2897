#pragma once
// Table-driven helpers shared by the JSON core tests: each row is a JSON text and either the
// value it decodes to or the failure (kind and path) it must raise.

#include "vorlane/Platform/Json/Codec.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vorlane::jsontesting {

struct Failure {
    json::ErrorKind kind;
    std::string path;
};

template <class T>
struct Row {
    std::string json;
    std::variant<T, Failure> expected;
};

// Runs `decodeText` on every row and checks the value, or the kind and path of the failure.
template <class T, class DecodeText>
void expectRows(const std::vector<Row<T>>& rows, DecodeText decodeText) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        if (const T* value = std::get_if<T>(&row.expected)) {
            try {
                EXPECT_EQ(decodeText(row.json), *value);
            } catch (const json::DecodingError& error) {
                ADD_FAILURE() << "unexpected failure: " << error.what();
            }
            continue;
        }
        const auto& failure = std::get<Failure>(row.expected);
        try {
            decodeText(row.json);
            ADD_FAILURE() << "decoded, expected " << json::toString(failure.kind) << " at " << failure.path;
        } catch (const json::DecodingError& error) {
            EXPECT_EQ(json::toString(error.kind()), json::toString(failure.kind)) << error.what();
            EXPECT_EQ(error.path(), failure.path) << error.what();
        }
    }
}

// The failure of decoding `text` as T; fails the test when it decodes.
template <class T>
json::DecodingError decodeFailure(std::string_view text, const json::DecoderSettings& settings = {}) {
    try {
        json::decode<T>(text, settings);
    } catch (const json::DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoded without error: " << text;
    return json::DecodingError(json::ErrorKind::dataCorrupted, "", "");
}

}  // namespace vorlane::jsontesting
