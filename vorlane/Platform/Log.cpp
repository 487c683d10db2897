#include "vorlane/Platform/Log.hpp"

#include <array>
#include <cstdlib>
#include <memory>
#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

namespace vorlane {

namespace {

// The library's loggers, in a fixed order; `Logger::warn` writes through "kit".
constexpr std::array<std::string_view, 3> kLoggerNames{"content", "shared", "kit"};
constexpr LogLevel kDefaultThreshold = LogLevel::info;
constexpr const char* kLevelVariable = "VORLANE_LOG_LEVEL";
constexpr const char* kPattern = "[%Y-%m-%d %H:%M:%S.%e] [%n] [%l] %v (%s:%# %!)";

spdlog::level::level_enum toSpdlog(LogLevel level) noexcept {
    switch (level) {
        case LogLevel::debug: return spdlog::level::debug;
        case LogLevel::info: return spdlog::level::info;
        case LogLevel::warning: return spdlog::level::warn;
        case LogLevel::error: return spdlog::level::err;
        case LogLevel::off: return spdlog::level::off;
    }
    return spdlog::level::off;
}

LogLevel fromSpdlog(spdlog::level::level_enum level) noexcept {
    switch (level) {
        case spdlog::level::trace:
        case spdlog::level::debug: return LogLevel::debug;
        case spdlog::level::info: return LogLevel::info;
        case spdlog::level::warn: return LogLevel::warning;
        case spdlog::level::err:
        case spdlog::level::critical: return LogLevel::error;
        default: return LogLevel::off;
    }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

// The three loggers, created together on first use so they share one sink and one threshold.
// Never destroyed: entries logged while the process shuts down still have somewhere to go.
class LibraryLoggers {
public:
    static LibraryLoggers& instance() {
        static LibraryLoggers* const loggers = new LibraryLoggers;
        return *loggers;
    }

    spdlog::logger& named(std::string_view name) const {
        for (std::size_t i = 0; i < kLoggerNames.size(); ++i) {
            if (kLoggerNames[i] == name) return *loggers_[i];
        }
        return *loggers_[0];
    }

    void setLevel(LogLevel threshold) const {
        for (const auto& logger : loggers_) logger->set_level(toSpdlog(threshold));
    }

    LogLevel level() const { return fromSpdlog(loggers_[0]->level()); }

private:
    LibraryLoggers() {
        const char* configured = std::getenv(kLevelVariable);
        const LogLevel threshold =
            configured ? detail::parseLogLevel(configured, kDefaultThreshold) : kDefaultThreshold;
        auto sink = std::make_shared<spdlog::sinks::stderr_color_sink_mt>();
        for (std::size_t i = 0; i < kLoggerNames.size(); ++i) {
            loggers_[i] = obtain(std::string(kLoggerNames[i]), sink, threshold);
        }
    }

    // A logger the host registered under this name wins; otherwise ours is registered. If another
    // thread registers the name between the lookup and our registration, theirs is taken instead.
    static std::shared_ptr<spdlog::logger> obtain(const std::string& name, const spdlog::sink_ptr& sink,
                                                  LogLevel threshold) {
        if (auto existing = spdlog::get(name)) return existing;
        auto logger = std::make_shared<spdlog::logger>(name, sink);
        logger->set_pattern(kPattern);
        logger->set_level(toSpdlog(threshold));
        logger->flush_on(spdlog::level::err);
        try {
            spdlog::register_logger(logger);
        } catch (const spdlog::spdlog_ex&) {
            if (auto existing = spdlog::get(name)) return existing;
        }
        return logger;
    }

    std::array<std::shared_ptr<spdlog::logger>, kLoggerNames.size()> loggers_;
};

}  // namespace

std::string_view toString(LogCategory category) noexcept {
    switch (category) {
        case LogCategory::content: return "content";
        case LogCategory::shared: return "shared";
    }
    return "content";
}

std::string_view toString(LogLevel level) noexcept {
    switch (level) {
        case LogLevel::debug: return "debug";
        case LogLevel::info: return "info";
        case LogLevel::warning: return "warning";
        case LogLevel::error: return "error";
        case LogLevel::off: return "off";
    }
    return "off";
}

void LogChannel::write(LogLevel level, std::string_view message, std::string_view file, std::string_view function,
                       int line) const {
    if (level == LogLevel::off) return;
    if (LogCapture::anyAttached()) {
        LogCapture::publish(LogEntry{category_, level, std::string(message), std::string(file),
                                     std::string(function), line});
    }
    detail::printLibraryEntry(toString(category_), level, message, file, function, line);
}

bool LogChannel::enabled(LogLevel level) const {
    if (level == LogLevel::off) return false;
    return LogCapture::anyAttached() || detail::libraryEntryPrints(toString(category_), level);
}

void Log::setLevel(LogLevel threshold) { LibraryLoggers::instance().setLevel(threshold); }

LogLevel Log::level() { return LibraryLoggers::instance().level(); }

namespace detail {

bool libraryEntryPrints(std::string_view loggerName, LogLevel level) {
    return level != LogLevel::off && LibraryLoggers::instance().named(loggerName).should_log(toSpdlog(level));
}

void printLibraryEntry(std::string_view loggerName, LogLevel level, std::string_view message, std::string_view file,
                       std::string_view function, int line) {
    if (!libraryEntryPrints(loggerName, level)) return;
    spdlog::logger& logger = LibraryLoggers::instance().named(loggerName);
    const auto spdlogLevel = toSpdlog(level);
    // spdlog keeps C strings for the source location; the views we are given need not be terminated.
    const std::string fileText(file);
    const std::string functionText(function);
    logger.log(spdlog::source_loc{fileText.c_str(), line, functionText.c_str()}, spdlogLevel,
               spdlog::string_view_t(message.data(), message.size()));
}

LogLevel parseLogLevel(std::string_view name, LogLevel fallback) noexcept {
    struct Spelling {
        std::string_view text;
        LogLevel level;
    };
    static constexpr std::array<Spelling, 8> spellings{{
        {"trace", LogLevel::debug},
        {"debug", LogLevel::debug},
        {"info", LogLevel::info},
        {"warning", LogLevel::warning},
        {"warn", LogLevel::warning},
        {"error", LogLevel::error},
        {"err", LogLevel::error},
        {"off", LogLevel::off},
    }};
    for (const auto& spelling : spellings) {
        if (equalsIgnoringCase(name, spelling.text)) return spelling.level;
    }
    return fallback;
}

}  // namespace detail

}  // namespace vorlane
