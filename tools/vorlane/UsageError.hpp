#pragma once
// A command line that does not fit its command: printed as `error: usage: MESSAGE`, exit 1.

#include <iostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorlane::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints a command's failure as its first error line, `error: KIND: MESSAGE`, and gives exit code 1.
inline int fail(const std::string& kind, const std::string& message) {
    std::cerr << "error: " << kind << ": " << message << '\n';
    return 1;
}

// NAME=VALUE texts as (name, value) pairs, in order; UsageError for a text that is not one.
inline std::vector<std::pair<std::string, std::string>> splitArguments(const std::vector<std::string>& texts) {
    std::vector<std::pair<std::string, std::string>> arguments;
    for (const auto& text : texts) {
        const auto equals = text.find('=');
        if (equals == std::string::npos || equals == 0) throw UsageError("\"" + text + "\" is not NAME=VALUE");
        arguments.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    }
    return arguments;
}

}  // namespace vorlane::cli
