// The image service's error header: which codes fail, which are worth retrying, and what is only
// logged.

#include "vorlane/Requests/ImageServiceErrors.hpp"
#include "vorlane/Requests/Requests.hpp"
#include "vorlane/Platform/Log.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

HttpResponse withHeader(std::optional<std::string> value) {
    HttpResponse response{200, {{"Content-Type", "image/jpeg"}}, "..."};
    if (value) response.headers.emplace_back("X-Corvane-Error", *value);  // header names are not case-sensitive
    return response;
}

TEST(ImageServiceErrors, EachCodeFailsRetriesOrIsOnlyLogged) {
    const struct Row {
        std::optional<std::string> header;
        std::optional<CorvaneError> parsed;
        std::optional<std::error_code> raised;
        bool retry;
        std::vector<std::pair<LogLevel, std::string>> logged;
    } rows[] = {
        {R"({"code":1002,"message":"slow"})", CorvaneError{1002, "slow"},
         make_error_code(ImageFetchingRepairableError::scalingTimeout), true,
         {{LogLevel::debug, "Received custom error `1002: slow` for request"}}},
        {R"({"code":1000,"message":"gone"})", CorvaneError{1000, "gone"},
         make_error_code(ImageFetchingFailingError::masterImageNotFound), false,
         {{LogLevel::debug, "Received custom error `1000: gone` for request"}}},
        {R"({"code":1001,"message":"fyi"})", CorvaneError{1001, "fyi"}, std::nullopt, false,
         {{LogLevel::debug, "Received custom error `1001: fyi` for request"}}},
        {R"({"code":1003,"message":"new"})", CorvaneError{1003, "new"}, std::nullopt, false,
         {{LogLevel::debug, "Received custom error `1003: new` for request"},
          {LogLevel::error, "Received unknown custom corvane error `1003: new`"}}},
        {"not json", std::nullopt, std::nullopt, false,
         {{LogLevel::error, "Cannot decode corvane error string - invalid format: not json"}}},
        {R"({"code":"1002","message":"m"})", std::nullopt, std::nullopt, false,
         {{LogLevel::error, R"(Cannot decode corvane error string - invalid format: {"code":"1002","message":"m"})"}}},
        {std::nullopt, std::nullopt, std::nullopt, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.header.value_or("(no header)"));
        const HttpResponse response = withHeader(row.header);
        EXPECT_EQ(corvaneHeaderError(response), row.parsed);
        LogCapture log;
        std::optional<std::error_code> raised;
        try {
            processSkeldaErrors(response);
        } catch (const std::system_error& error) {
            raised = error.code();
        }
        EXPECT_EQ(raised, row.raised);
        std::vector<std::pair<LogLevel, std::string>> logged;
        for (const auto& entry : log.entries()) logged.emplace_back(entry.level, entry.message);
        EXPECT_EQ(logged, row.logged);
        EXPECT_EQ(shouldRetryFromFailedSkeldaResponse(response), row.retry);
        // The image cache takes every response but one whose error retrying could repair.
        EXPECT_EQ(skeldaImageAllowsCacheWrite(response), !row.retry);
    }
    EXPECT_EQ(imageFetchingFailingErrorCategory().message(1), "noImage");
}

}  // namespace
}  // namespace vorlane
