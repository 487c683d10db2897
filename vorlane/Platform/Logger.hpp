#pragma once

#include "vorlane/Platform/SourceLocation.hpp"
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vorlane/Platform/EntryCapture.hpp"

namespace vorlane {

/// Extra facts attached to a warning: key and value pairs, printed and recorded in the order given.
/// A list rather than a map so that output is deterministic and follows the caller's order.
using WarningInfo = std::vector<std::pair<std::string, std::string>>;

/// One model warning, as a `WarningCapture` records it.
struct Warning {
    std::string subject;  ///< printable description of the record the warning is about
    std::string message;
    WarningInfo info;
    int line = 0;
    std::string file;
    std::string function;

    bool operator==(const Warning&) const = default;
};

/// Warnings of the content model (an unknown style name resolved through a fallback, and the like).
///
/// Written at warning level through the spdlog logger "kit", which shares the sink and threshold of the
/// `Log` loggers, as "SUBJECT: MESSAGE [key=value, ...]".
struct Logger {
    static void warn(std::string_view subject, std::string_view message, const WarningInfo& info, int line,
                     std::string_view file, std::string_view function);

    /// The same, with file, function and line of the call site.
    static void warn(std::string_view subject, std::string_view message, const WarningInfo& info = {},
                     SourceLocation where = SourceLocation::current()) {
        warn(subject, message, info, static_cast<int>(where.line()), where.file_name(), where.function_name());
    }
};

/// Records warnings while alive (see `EntryCapture`).
using WarningCapture = EntryCapture<Warning>;

}  // namespace vorlane
