#pragma once
// The service's own failures, as std::error_code categories named after their types; the code is
// the case's position. They are raised as std::system_error.

#include <string>
#include <system_error>

namespace vorlane {

enum class SDKContentServiceError { missingIdentifier = 0, missing = 1, missingDescriptor = 2, nullQueryId = 3 };

enum class AvatarServiceError { avatarNotFound = 0, defaultsNotFound = 1 };

const std::error_category& sdkContentServiceErrorCategory() noexcept;
const std::error_category& avatarServiceErrorCategory() noexcept;

std::error_code make_error_code(SDKContentServiceError error) noexcept;
std::error_code make_error_code(AvatarServiceError error) noexcept;

// The case name ("nullQueryId").
std::string_view toString(SDKContentServiceError error) noexcept;
std::string_view toString(AvatarServiceError error) noexcept;

}  // namespace vorlane

template <>
struct std::is_error_code_enum<vorlane::SDKContentServiceError> : std::true_type {};
template <>
struct std::is_error_code_enum<vorlane::AvatarServiceError> : std::true_type {};
