#include "vorlane/ContentService/SDKContentServiceError.hpp"

#include "vorlane/Platform/NamedErrorCategory.hpp"

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

const std::error_category& sdkContentServiceErrorCategory() noexcept {
    static const NamedErrorCategory<SDKContentServiceError> category("SDKContentServiceError");
    return category;
}

const std::error_category& avatarServiceErrorCategory() noexcept {
    static const NamedErrorCategory<AvatarServiceError> category("AvatarServiceError");
    return category;
}

std::error_code make_error_code(SDKContentServiceError error) noexcept {
    return {static_cast<int>(error), sdkContentServiceErrorCategory()};
}

std::error_code make_error_code(AvatarServiceError error) noexcept {
    return {static_cast<int>(error), avatarServiceErrorCategory()};
}

}  // namespace vorlane
