#pragma once
// The errors the image-resizing service reports in a response it still answers: a header
// "x-corvane-error" holding {"code": N, "message": "..."}. Code 1000 (the master image does not
// exist) is a failure that will not go away; code 1002 (scaling timed out) is worth retrying; 1001
// is a report, not an error; any other code is logged and ignored, and so is a header that does not
// read, so an image response is never rejected only because its error header is unreadable.

#include "vorlane/Platform/HttpResponse.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vorlane {

inline constexpr std::string_view kCorvaneErrorHeader = "x-corvane-error";

struct CorvaneError {
    std::int64_t code = 0;
    std::string message;
    bool operator==(const CorvaneError&) const = default;
};

inline auto jsonFields(json::Tag<CorvaneError>) {
    using namespace json::rules;
    return fields(required("code", &CorvaneError::code), required("message", &CorvaneError::message));
}

// Failures that retrying will not repair. `noImage` is for an answer without any image; the
// header never raises it.
enum class ImageFetchingFailingError { masterImageNotFound = 0, noImage = 1 };
// Failures worth retrying.
enum class ImageFetchingRepairableError { scalingTimeout = 0 };

std::string_view toString(ImageFetchingFailingError error) noexcept;
std::string_view toString(ImageFetchingRepairableError error) noexcept;
const std::error_category& imageFetchingFailingErrorCategory() noexcept;
const std::error_category& imageFetchingRepairableErrorCategory() noexcept;
std::error_code make_error_code(ImageFetchingFailingError error) noexcept;
std::error_code make_error_code(ImageFetchingRepairableError error) noexcept;

// A header value read as a CorvaneError; absent (and logged at error level) when it is not one.
std::optional<CorvaneError> corvaneError(std::string_view headerValue);

// The response's error header, read; absent without one.
std::optional<CorvaneError> corvaneHeaderError(const HttpResponse& response);

// Throws std::system_error with ImageFetchingRepairableError::scalingTimeout for code 1002 and
// ImageFetchingFailingError::masterImageNotFound for 1000; returns for anything else (logging what
// it received at debug level, and an unknown code at error level).
void processSkeldaErrors(const HttpResponse& response);

// True exactly when the response's error is one retrying can repair.
bool shouldRetryFromFailedSkeldaResponse(const HttpResponse& response);

}  // namespace vorlane

template <>
struct std::is_error_code_enum<vorlane::ImageFetchingFailingError> : std::true_type {};
template <>
struct std::is_error_code_enum<vorlane::ImageFetchingRepairableError> : std::true_type {};

VORLANE_JSON_RECORD(vorlane::CorvaneError)
