#include "vorlane/Platform/HttpResponse.hpp"

#include <algorithm>
#include <cctype>

namespace vorlane {

const std::string* HttpResponse::header(std::string_view name) const noexcept {
    const auto same = [name](const std::string& candidate) {
        return std::ranges::equal(candidate, name, [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (const auto& [key, value] : headers)
        if (same(key)) return &value;
    return nullptr;
}

}  // namespace vorlane
