#pragma once
// The response of an HTTP exchange, as the networking layer hands it over: the status, the headers
// in arrival order, and the body.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlane {

struct HttpResponse {
    long status = 0;
    std::vector<std::pair<std::string, std::string>> headers;  // in arrival order, names as sent
    std::string body;

    // The first header named `name` (compared without case), or null.
    const std::string* header(std::string_view name) const noexcept;

    bool operator==(const HttpResponse&) const = default;
};

}  // namespace vorlane
