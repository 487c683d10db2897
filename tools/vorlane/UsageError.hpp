#pragma once
// A command line that does not fit its command: printed as `error: usage: MESSAGE`, exit 1.

#include <iostream>
#include <stdexcept>
#include <string>

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

}  // namespace vorlane::cli
