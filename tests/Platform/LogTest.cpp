#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Logger.hpp"

#include <gtest/gtest.h>

#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include <sstream>
#include <thread>

namespace vorlane {
namespace {

// Sends what the library's loggers print to a string for the life of the object, at `threshold`.
struct PrintedOutput {
    const LogLevel previous = Log::level();
    std::ostringstream stream;
    std::shared_ptr<spdlog::sinks::ostream_sink_st> sink = std::make_shared<spdlog::sinks::ostream_sink_st>(stream);

    explicit PrintedOutput(LogLevel threshold) {
        sink->set_pattern("%n|%l|%v|%s:%#|%!");
        for (const char* name : {"content", "shared", "kit"}) spdlog::get(name)->sinks().push_back(sink);
        Log::setLevel(threshold);
    }
    ~PrintedOutput() {
        Log::setLevel(previous);
        for (const char* name : {"content", "shared", "kit"}) std::erase(spdlog::get(name)->sinks(), sink);
    }
    std::string text() const { return stream.str(); }
};

TEST(LogTest, CaptureRecordsEveryFieldOfEachCallShape) {
    LogCapture capture;
    const int here = static_cast<int>(vorlane::SourceLocation::current().line());
    Log::content.debug("compiler site");
    Log::shared.error("named site", "logRequest(for:variables:)", 729);
    Log::content.error("explicit site", "Service.cpp", "execute()", 740);

    const auto entries = capture.entries();
    ASSERT_EQ(entries.size(), 3u);
    const std::string file = entries[0].file;
    EXPECT_TRUE(file.ends_with("LogTest.cpp")) << file;
    EXPECT_NE(entries[0].function.find("TestBody"), std::string::npos) << entries[0].function;
    EXPECT_EQ(entries[0], (LogEntry{LogCategory::content, LogLevel::debug, "compiler site", file, entries[0].function,
                                    here + 1}));
    EXPECT_EQ(entries[1],
              (LogEntry{LogCategory::shared, LogLevel::error, "named site", file, "logRequest(for:variables:)", 729}));
    EXPECT_EQ(entries[2],
              (LogEntry{LogCategory::content, LogLevel::error, "explicit site", "Service.cpp", "execute()", 740}));
}

TEST(LogTest, CapturesSeeOnlyEntriesWrittenWhileAttachedFromAnyThread) {
    LogCapture outer;
    Log::content.debug("before inner");
    {
        LogCapture inner;
        Log::content.debug("both");
        EXPECT_EQ(inner.size(), 1u);
    }
    Log::content.debug("after inner");
    EXPECT_EQ(LogCapture().size(), 0u);
    std::vector<std::string> messages;
    for (const auto& entry : outer.entries()) messages.push_back(entry.message);
    EXPECT_EQ(messages, (std::vector<std::string>{"before inner", "both", "after inner"}));

    LogCapture capture;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t) threads.emplace_back([] { for (int i = 0; i < 250; ++i) Log::shared.debug("tick"); });
    }
    EXPECT_EQ(capture.size(), 1000u);
}

TEST(LogTest, ACaptureWithACallbackIsHandedEachEntryInOrderInsteadOfKeepingIt) {
    std::vector<std::string> handed;
    LogCapture plain;
    {
        LogCapture listening([&handed](const LogEntry& entry) { handed.push_back(entry.message); });
        Log::content.debug("first");
        Log::shared.error("second");
        EXPECT_EQ(listening.size(), 0u);
    }
    Log::content.debug("after");
    EXPECT_EQ(handed, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(plain.size(), 3u);
}

TEST(LogTest, PrintsVerbatimWithSourceAboveTheThresholdAndCapturesEverything) {
    LogCapture capture;
    {
        PrintedOutput output(LogLevel::info);
        Log::content.debug("hidden debug", "f()", 1);
        Log::content.error("shown {} braces %s", "Thing.cpp", "load()", 42);
        EXPECT_EQ(output.text(), "content|error|shown {} braces %s|Thing.cpp:42|load()\n");
    }
    EXPECT_EQ(capture.size(), 2u) << "the threshold limits printing, not capturing";
    PrintedOutput output(LogLevel::debug);
    Log::shared.debug("now shown", "f()", 1);
    EXPECT_NE(output.text().find("shared|debug|now shown|"), std::string::npos) << output.text();
}

TEST(LoggerTest, WarningsCarryTheirFieldsAndPrintThroughKit) {
    WarningCapture capture;
    {
        PrintedOutput output(LogLevel::warning);
        Logger::warn("ExplorePage(id: 7)", "unknown style", {{"style", "grid"}, {"fallback", "standard"}}, 88,
                     "ExplorePage.cpp", "effectivePageStyle");
        EXPECT_EQ(output.text(), "kit|warning|ExplorePage(id: 7): unknown style [style=grid, fallback=standard]|"
                                 "ExplorePage.cpp:88|effectivePageStyle\n");
    }
    ASSERT_EQ(capture.size(), 1u);
    EXPECT_EQ(capture.entries()[0], (Warning{"ExplorePage(id: 7)", "unknown style",
                                             {{"style", "grid"}, {"fallback", "standard"}}, 88, "ExplorePage.cpp",
                                             "effectivePageStyle"}));

    LogCapture logEntries;
    Logger::warn("subject", "no info");
    EXPECT_EQ(capture.entries()[1].info, WarningInfo{});
    EXPECT_TRUE(capture.entries()[1].file.ends_with("LogTest.cpp"));
    EXPECT_EQ(logEntries.size(), 0u) << "warnings are not Log entries";
}

TEST(LogTest, LevelNamesReadCaseInsensitivelyWithFallback) {
    const std::vector<std::pair<std::string, LogLevel>> cases{
        {"debug", LogLevel::debug}, {"TRACE", LogLevel::debug}, {"Warn", LogLevel::warning},
        {"warning", LogLevel::warning}, {"err", LogLevel::error}, {"off", LogLevel::off},
        {"", LogLevel::info}, {"verbose", LogLevel::info}, {"debugx", LogLevel::info},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(detail::parseLogLevel(name, LogLevel::info), expected) << name;
}

}  // namespace
}  // namespace vorlane
