#include "vorlane/Requests/ImageServiceErrors.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/NamedErrorCategory.hpp"

VORLANE_JSON_DEFINE(vorlane::CorvaneError)

namespace vorlane {

std::string_view toString(ImageFetchingFailingError error) noexcept {
    switch (error) {
        case ImageFetchingFailingError::masterImageNotFound: return "masterImageNotFound";
        case ImageFetchingFailingError::noImage: return "noImage";
    }
    return "unknown";
}

std::string_view toString(ImageFetchingRepairableError error) noexcept {
    switch (error) {
        case ImageFetchingRepairableError::scalingTimeout: return "scalingTimeout";
    }
    return "unknown";
}

const std::error_category& imageFetchingFailingErrorCategory() noexcept {
    static const NamedErrorCategory<ImageFetchingFailingError> category("ImageFetchingFailingError");
    return category;
}

const std::error_category& imageFetchingRepairableErrorCategory() noexcept {
    static const NamedErrorCategory<ImageFetchingRepairableError> category("ImageFetchingRepairableError");
    return category;
}

std::error_code make_error_code(ImageFetchingFailingError error) noexcept {
    return {static_cast<int>(error), imageFetchingFailingErrorCategory()};
}

std::error_code make_error_code(ImageFetchingRepairableError error) noexcept {
    return {static_cast<int>(error), imageFetchingRepairableErrorCategory()};
}

std::optional<CorvaneError> corvaneError(std::string_view headerValue) {
    try {
        return json::decode<CorvaneError>(headerValue);
    } catch (const json::DecodingError&) {
        Log::content.error("Cannot decode corvane error string - invalid format: " + std::string(headerValue),
                           "corvaneError()", __LINE__);
        return std::nullopt;
    }
}

std::optional<CorvaneError> corvaneHeaderError(const HttpResponse& response) {
    const std::string* value = response.header(kCorvaneErrorHeader);
    if (!value) return std::nullopt;
    return corvaneError(*value);
}

void processSkeldaErrors(const HttpResponse& response) {
    const auto error = corvaneHeaderError(response);
    if (!error) return;
    const std::string described = "`" + std::to_string(error->code) + ": " + error->message + "`";
    Log::content.debug("Received custom error " + described + " for request", "processSkeldaErrors()", __LINE__);
    switch (error->code) {
        case 1002: throw std::system_error(make_error_code(ImageFetchingRepairableError::scalingTimeout));
        case 1001: return;
        case 1000: throw std::system_error(make_error_code(ImageFetchingFailingError::masterImageNotFound));
        default:
            Log::content.error("Received unknown custom corvane error " + described, "processSkeldaErrors()", __LINE__);
            return;
    }
}

bool shouldRetryFromFailedSkeldaResponse(const HttpResponse& response) {
    try {
        processSkeldaErrors(response);
        return false;
    } catch (const std::system_error& error) {
        return error.code().category() == imageFetchingRepairableErrorCategory();
    }
}

}  // namespace vorlane
