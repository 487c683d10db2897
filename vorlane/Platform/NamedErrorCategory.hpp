#pragma once
// An error category whose name is its enumeration's and whose messages are the cases' names (what
// `toString(E)` gives): for error enumerations that carry no text of their own.

#include <string>
#include <system_error>

namespace vorlane {

template <class E>
class NamedErrorCategory final : public std::error_category {
public:
    explicit NamedErrorCategory(const char* name) : name_(name) {}
    const char* name() const noexcept override { return name_; }
    std::string message(int code) const override { return std::string(toString(static_cast<E>(code))); }

private:
    const char* name_;
};

}  // namespace vorlane
