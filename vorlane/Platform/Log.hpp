#pragma once

#include "vorlane/Platform/SourceLocation.hpp"
#include <string>
#include <string_view>

#include "vorlane/Platform/EntryCapture.hpp"

namespace vorlane {

/// What part of the library an entry comes from. Each category writes through its own spdlog logger,
/// named after the category ("content", "shared").
enum class LogCategory { content, shared };

/// Severity of an entry, and the output threshold set with `Log::setLevel`. The library writes entries
/// at `debug` and `error` through `Log` and at `warning` through `Logger::warn`; `info` and `off` exist
/// as thresholds.
enum class LogLevel { debug, info, warning, error, off };

[[nodiscard]] std::string_view toString(LogCategory category) noexcept;
[[nodiscard]] std::string_view toString(LogLevel level) noexcept;

/// One entry written through `Log`, as a `LogCapture` records it.
struct LogEntry {
    LogCategory category = LogCategory::content;
    LogLevel level = LogLevel::debug;
    std::string message;
    std::string file;
    std::string function;
    int line = 0;

    bool operator==(const LogEntry&) const = default;
};

/// The writing side of one category: `Log::content.debug(...)`.
///
/// Each level comes in three call shapes:
/// - `debug(message)`: file, function and line of the call site, taken by the compiler;
/// - `debug(message, function, line)`: a function name and line chosen by the caller (the library logs
///   fixed names such as "logRequest(for:variables:)") with the call site's file;
/// - `debug(message, file, function, line)`: everything explicit.
class LogChannel {
public:
    constexpr explicit LogChannel(LogCategory category) noexcept : category_(category) {}

    [[nodiscard]] constexpr LogCategory category() const noexcept { return category_; }

    void debug(std::string_view message, SourceLocation where = SourceLocation::current()) const {
        write(LogLevel::debug, message, where.file_name(), where.function_name(), lineOf(where));
    }
    void debug(std::string_view message, std::string_view function, int line,
               SourceLocation where = SourceLocation::current()) const {
        write(LogLevel::debug, message, where.file_name(), function, line);
    }
    void debug(std::string_view message, std::string_view file, std::string_view function, int line) const {
        write(LogLevel::debug, message, file, function, line);
    }

    void error(std::string_view message, SourceLocation where = SourceLocation::current()) const {
        write(LogLevel::error, message, where.file_name(), where.function_name(), lineOf(where));
    }
    void error(std::string_view message, std::string_view function, int line,
               SourceLocation where = SourceLocation::current()) const {
        write(LogLevel::error, message, where.file_name(), function, line);
    }
    void error(std::string_view message, std::string_view file, std::string_view function, int line) const {
        write(LogLevel::error, message, file, function, line);
    }

    /// Whether an entry at `level` would be recorded by a capture or printed now. A caller whose
    /// message is costly to build (a request's printed variables) asks first.
    [[nodiscard]] bool enabled(LogLevel level) const;

    /// Records the entry in every attached `LogCapture`, then prints it when `level` is at or above the
    /// output threshold. `off` is not an entry level and writes nothing.
    void write(LogLevel level, std::string_view message, std::string_view file, std::string_view function,
               int line) const;

private:
    static constexpr int lineOf(const SourceLocation& where) noexcept {
        return static_cast<int>(where.line());
    }

    LogCategory category_;
};

/// The library's diagnostic log.
///
/// Output goes through spdlog: one logger per category ("content", "shared"; model warnings use "kit",
/// see `Logger`), all printing to standard error with the source file, line and function of each entry.
/// A host that registers spdlog loggers under these names before the library's first log call keeps
/// them, sinks and levels included; otherwise the library creates and registers its own.
///
/// The output threshold starts at `info` (debug entries are not printed) unless the environment variable
/// VORLANE_LOG_LEVEL names another level ("debug", "info", "warning" or "warn", "error", "off"), read once
/// when the loggers are created; `setLevel` changes it at any time.
struct Log {
    static constexpr LogChannel content{LogCategory::content};
    static constexpr LogChannel shared{LogCategory::shared};

    /// Sets the output threshold of every library logger (content, shared, kit).
    static void setLevel(LogLevel threshold);
    /// The current output threshold.
    [[nodiscard]] static LogLevel level();
};

/// Records `Log` entries while alive (see `EntryCapture`).
using LogCapture = EntryCapture<LogEntry>;

namespace detail {

/// Prints one entry through the library's spdlog logger called `loggerName` ("content", "shared" or
/// "kit") if `level` passes the threshold. Captures are the caller's business.
void printLibraryEntry(std::string_view loggerName, LogLevel level, std::string_view message, std::string_view file,
                       std::string_view function, int line);

/// Whether an entry at `level` written through `loggerName` would be printed now.
[[nodiscard]] bool libraryEntryPrints(std::string_view loggerName, LogLevel level);

/// Reads a level name as VORLANE_LOG_LEVEL accepts it; anything else gives `fallback`.
[[nodiscard]] LogLevel parseLogLevel(std::string_view name, LogLevel fallback) noexcept;

}  // namespace detail

}  // namespace vorlane
