#pragma once
// What the tests of async results share.

#include <stdexcept>

namespace vorlane::rx::testing {

// The error the tests make operators and sources fail with.
struct Boom : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace vorlane::rx::testing
