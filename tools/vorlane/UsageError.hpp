#pragma once
// A command line that does not fit its command: printed as `error: usage: MESSAGE`, exit 1.

#include <stdexcept>

namespace vorlane::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vorlane::cli
