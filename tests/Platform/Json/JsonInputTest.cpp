// Reading answers: the size limit of every way in, whole reads of files and streams, and parser
// memory that does not outlive an oversized answer.

#include "JsonTestSupport.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <variant>

namespace vorlane::jsoninputtests {
namespace {

namespace fs = std::filesystem;

// A JSON string literal of exactly `size` bytes.
std::string documentOf(std::size_t size) { return '"' + std::string(size - 2, 'a' + size % 26) + '"'; }

// Reads `bytes` through a socket written by another thread, as a pipe from another program would
// arrive; the writer stops when the reader gives up.
json::PaddedAnswer readThroughStream(const std::string& bytes, std::size_t limit) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) throw std::runtime_error("socketpair");
    std::thread writer([&bytes, fd = ends[1]] {
        for (std::size_t sent = 0; sent < bytes.size();) {
            ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        ::close(fd);
    });
    struct Join { std::thread& thread; int fd; ~Join() { ::close(fd); thread.join(); } } join{writer, ends[0]};
    return json::PaddedAnswer::fromStream(ends[0], limit, "the socket");
}

json::PaddedAnswer readThroughFile(const std::string& bytes, std::size_t limit) {
    const fs::path path = fs::temp_directory_path() / ("vorlane-input-" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary) << bytes;
    struct Remove { fs::path path; ~Remove() { fs::remove(path); } } remove{path};
    return json::PaddedAnswer::fromFile(path, limit);
}

TEST(AnswerInput, EveryWayInReadsWholeAnswersAndRefusesLargerOnesNamingBothSizes) {
    using Read = std::function<std::string(const std::string& bytes, std::size_t limit)>;
    auto decodedFrom = [](json::PaddedAnswer answer) {
        for (std::size_t i = 0; i < json::PaddedAnswer::padding; ++i)
            EXPECT_EQ(answer.data()[answer.size() + i], '\0') << "padding byte " << i;
        return json::decode<std::string>(answer);
    };
    const std::pair<std::string, Read> ways[] = {
        {"text", [](const std::string& bytes, std::size_t limit) {
             return json::decode<std::string>(bytes, json::DecoderSettings{.maxAnswerBytes = limit});
         }},
        {"padded copy", [](const std::string& bytes, std::size_t limit) {
             return json::decode<std::string>(json::PaddedAnswer::fromBytes(bytes), json::DecoderSettings{.maxAnswerBytes = limit});
         }},
        {"file", [&](const std::string& bytes, std::size_t limit) { return decodedFrom(readThroughFile(bytes, limit)); }},
        {"stream", [&](const std::string& bytes, std::size_t limit) { return decodedFrom(readThroughStream(bytes, limit)); }},
    };
    // size, limit, the failure's message ("" when it decodes); a stream is refused once it passes
    // the limit, everything else by its whole size.
    struct Row { std::size_t size, limit; std::string streamMessage, message; };
    const Row rows[] = {
        {2, 2, "", ""}, {100, 100, "", ""},
        {300'000, 300'000, "", ""},  // several reads, and a stream's buffer grows
        {101, 100, "the answer is larger than the limit (at least 101 bytes; the limit is 100 bytes)",
         "the answer is larger than the limit (101 bytes; the limit is 100 bytes)"},
        {1'000'000, 200'000, "the answer is larger than the limit (at least 200001 bytes; the limit is 200000 bytes)",
         "the answer is larger than the limit (1000000 bytes; the limit is 200000 bytes)"},
    };
    for (const auto& entry : ways) {
        const auto& [way, read] = entry;
        for (const Row& row : rows) {
            SCOPED_TRACE(way + ", " + std::to_string(row.size) + " bytes, limit " + std::to_string(row.limit));
            const std::string document = documentOf(row.size);
            const std::string& message = way == "stream" ? row.streamMessage : row.message;
            if (message.empty()) {
                EXPECT_EQ(read(document, row.limit), document.substr(1, row.size - 2));
                continue;
            }
            auto error = jsontesting::thrownDecodingError([&] { entry.second(document, row.limit); });
            EXPECT_EQ(error.kind(), json::ErrorKind::dataCorrupted);
            EXPECT_EQ(error.path(), "(root)");
            EXPECT_EQ(error.message(), message);
        }
    }
    EXPECT_EQ(jsontesting::thrownMessage<std::runtime_error>([] { json::PaddedAnswer::fromFile("/nonexistent/answer.json", 100); }),
              "cannot read /nonexistent/answer.json: No such file or directory");
}

TEST(AnswerInput, NumbersTheParserCannotHoldAreNamedAndAByteOrderMarkIsSkipped) {
    const std::string notJson = "the given data was not valid JSON: ";
    // text, and the decoded list or the failure's message
    struct Row { std::string text; std::variant<std::vector<double>, std::string> expected; };
    const Row rows[] = {
        {"18446744073709551616", notJson + "number out of range: 18446744073709551616"},
        {"-9223372036854775809", notJson + "number out of range: -9223372036854775809"},
        {"1e400", notJson + "number out of range: 1e400"},
        {R"(["1e400", 1, -1E+400])", notJson + "number out of range: -1E+400"},  // not the string
        {"[1" + std::string(50, '0') + "]", notJson + "number out of range: 1" + std::string(39, '0') + "..."},
        {"[1.]", notJson + "malformed number: 1."}, {"[2, -]", notJson + "malformed number: -"},
        {"[01]", notJson + "malformed number: 01"},
        {"[1e-400, 18446744073709551615, -9223372036854775808]",
         std::vector<double>{0.0, 18446744073709551615.0, -9223372036854775808.0}},
        {"\xEF\xBB\xBF[1, 2]", std::vector<double>{1, 2}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF[1]", ""},  // one mark only
        {"[\xEF\xBB\xBF" "1]", ""}, {"\xEF\xBB", ""},
    };
    for (const Row& row : rows) {
        for (bool padded : {false, true}) {
            SCOPED_TRACE(row.text + (padded ? " (padded answer)" : " (text)"));
            auto decode = [&] {
                return padded ? json::decode<std::vector<double>>(json::PaddedAnswer::fromBytes(row.text))
                              : json::decode<std::vector<double>>(row.text);
            };
            if (const auto* list = std::get_if<std::vector<double>>(&row.expected)) {
                EXPECT_EQ(decode(), *list);
                continue;
            }
            auto error = jsontesting::thrownDecodingError(decode);
            EXPECT_EQ(error.kind(), json::ErrorKind::dataCorrupted);
            EXPECT_EQ(error.path(), "(root)");
            const auto& message = std::get<std::string>(row.expected);
            if (message.empty())
                EXPECT_EQ(error.message().rfind(notJson, 0), 0u) << error.message();
            else
                EXPECT_EQ(error.message(), message);
        }
    }
}

}  // namespace
}  // namespace vorlane::jsoninputtests
