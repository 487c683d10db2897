#pragma once
// Percent-encoding of URL parts, shared by every request the library builds.

#include <string>
#include <string_view>

namespace vorlane {

// `text` percent-encoded for a URL query value or path: unreserved characters (letters, digits,
// "-", ".", "_", "~") stay, and so does "/" when `keepSlash`; every other byte is %XX.
std::string percentEncoded(std::string_view text, bool keepSlash = false);

}  // namespace vorlane
