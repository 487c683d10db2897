// The operations table: every entry reaches the service's own implementation, and arguments are
// decoded by their parameters' types, or refused naming what is wrong.

#include "tests/ContentService/ServiceFixture.hpp"
#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/Operations.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vorlane {
namespace {

struct Operations : test::ServiceFixture {
    Operations() : ServiceFixture(ContentQueryConfiguration{}) {}

    // What running the operation on its sample arguments gives: its printed result, or its failure's message.
    static std::string outcome(const ServiceOperation& operation, const OperationTargets& targets) {
        OperationArguments arguments;
        const auto samples = operation.sampleArguments();
        for (std::size_t i = 0; i < samples.size(); ++i)
            arguments.emplace_back(std::string(operation.parameters[i].name), samples[i]);
        try {
            return operation.run(targets, arguments);
        } catch (const std::exception& error) {
            return error.what();
        }
    }
};

TEST_F(Operations, EveryEntryRunsTheServicesOwnImplementation) {
    // A service that implements nothing answers every entry with the interface's failure; the
    // service answers none of them so (with no descriptors configured it fails its own way).
    const ContentService nothing;
    const AvatarService noAvatars;
    ASSERT_EQ(serviceOperations().size(), 42u);  // 39 content operations and 3 avatar ones
    for (const auto& operation : serviceOperations()) {
        SCOPED_TRACE(operation.signature());
        EXPECT_NE(outcome(operation, {nothing, noAvatars}).find("is not implemented by this service"), std::string::npos);
        EXPECT_EQ(outcome(operation, {service, service}).find("is not implemented"), std::string::npos);
    }
    // Only the Explore watchlist changes, which need no descriptor, reached the session.
    for (const auto& call : session->calls())
        EXPECT_TRUE(call.kind == SessionCallKind::addToWatchlist || call.kind == SessionCallKind::removeFromWatchlist);
}

TEST_F(Operations, ArgumentsDecodeAsTheirParametersOrAreRefused) {
    // The message of the argument error running `name` raises; any other failure escapes.
    const auto failure = [&](std::string_view name, const OperationArguments& arguments) {
        return jsontesting::thrownMessage<OperationArgumentError>(
            [&] { findServiceOperation(name, arguments).run({service, service}, arguments); });
    };
    const struct {
        std::string_view operation;
        OperationArguments arguments;
        std::string expected;  // the start of the message
    } rows[] = {
        {"getLiveNow", {{"page", "1.5"}}, "argument page=1.5 does not decode as an integer: "},
        // Numbers past 64 bits are quoted as written, never clamped or rounded into range.
        {"getLiveNow", {{"page", "99999999999999999999"}}, "argument page=99999999999999999999 does not decode as an integer: "},
        {"getLiveNow", {{"page", "-9223372036854775809"}}, "argument page=-9223372036854775809 does not decode as an integer: "},
        {"getLiveNow", {{"page", "-9223372036854775809.5"}},
         "argument page=-9223372036854775809.5 does not decode as an integer: "},
        {"getLiveNow", {{"page", "1"}, {"page", "2"}}, "argument page is given twice"},
        {"getLiveNow", {}, "the arguments given fit no form of getLiveNow: `getLiveNow page`: missing argument page."},
        {"getAiring", {{"id", "x"}},
         "the arguments given fit no form of getAiring: `getAiring contentId`: unknown argument id; missing argument "
         "contentId. `getAiring airingId`: unknown argument id; missing argument airingId."},
        {"getExtras", {{"encodedFamilyId", "f"}, {"page", "1"}, {"pageSize", "7"}},
         "argument pageSize=7 does not decode as a page size (0, -1 for all, 10, 15, 20, 30, 40, 45 or 60): "},
        {"getVideo", {{"contentId", "true"}}, "argument contentId=true does not decode as a string: "},
        {"getAvatars", {{"avatarIds", "a"}}, "argument avatarIds=a does not decode as an array of strings: "},
        {"getLoveNow", {{"page", "1"}}, "unknown operation \"getLoveNow\""},
    };
    for (const auto& row : rows) {
        const std::string message = failure(row.operation, row.arguments);
        EXPECT_EQ(message.rfind(row.expected, 0), 0u) << message;
    }

    // A value that is not JSON is its own text; optional and free-form parameters may be left out.
    const auto& getContent = findServiceOperation("getContent", {{"locator", "{}"}});
    EXPECT_EQ(getContent.signature(), "getContent locator [additionalParameters] [page]");
    EXPECT_EQ(getContent.parameters[0].description, "a ContentSetReferenceLocator object");
    EXPECT_THROW(failure("getVideo", {{"contentId", "not json"}}), std::system_error);
}

}  // namespace
}  // namespace vorlane
