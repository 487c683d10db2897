#pragma once
// Small helpers shared by the test suites.

#include "vorlane/Platform/Json/Codec.hpp"

#include <string>
#include <string_view>

namespace vorlane::test {

// `text` as a JSON string literal, escaped as the writer escapes it.
inline std::string quoted(std::string_view text) { return json::encode(std::string(text)); }

}  // namespace vorlane::test
