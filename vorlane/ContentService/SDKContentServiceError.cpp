#include "vorlane/ContentService/SDKContentServiceError.hpp"

namespace vorlane {

std::string_view toString(SDKContentServiceError error) noexcept {
    switch (error) {
        case SDKContentServiceError::missingIdentifier: return "missingIdentifier";
        case SDKContentServiceError::missing: return "missing";
        case SDKContentServiceError::missingDescriptor: return "missingDescriptor";
        case SDKContentServiceError::nullQueryId: return "nullQueryId";
    }
    return "unknown";
}

std::string_view toString(AvatarServiceError error) noexcept {
    switch (error) {
        case AvatarServiceError::avatarNotFound: return "avatarNotFound";
        case AvatarServiceError::defaultsNotFound: return "defaultsNotFound";
    }
    return "unknown";
}

namespace {

// The message is the case name: the errors carry no text of their own.
template <class E>
class NamedCategory final : public std::error_category {
public:
    explicit NamedCategory(const char* name) : name_(name) {}
    const char* name() const noexcept override { return name_; }
    std::string message(int code) const override { return std::string(toString(static_cast<E>(code))); }

private:
    const char* name_;
};

}  // namespace

const std::error_category& sdkContentServiceErrorCategory() noexcept {
    static const NamedCategory<SDKContentServiceError> category("SDKContentServiceError");
    return category;
}

const std::error_category& avatarServiceErrorCategory() noexcept {
    static const NamedCategory<AvatarServiceError> category("AvatarServiceError");
    return category;
}

std::error_code make_error_code(SDKContentServiceError error) noexcept {
    return {static_cast<int>(error), sdkContentServiceErrorCategory()};
}

std::error_code make_error_code(AvatarServiceError error) noexcept {
    return {static_cast<int>(error), avatarServiceErrorCategory()};
}

}  // namespace vorlane
