#include "vorlane/Platform/Logger.hpp"

#include "vorlane/Platform/Log.hpp"

namespace vorlane {

namespace {

std::string formatWarning(std::string_view subject, std::string_view message, const WarningInfo& info) {
    std::string text;
    text.reserve(subject.size() + message.size() + 2);
    text.append(subject).append(": ").append(message);
    if (!info.empty()) {
        text.append(" [");
        for (std::size_t i = 0; i < info.size(); ++i) {
            if (i > 0) text.append(", ");
            text.append(info[i].first).append("=").append(info[i].second);
        }
        text.append("]");
    }
    return text;
}

}  // namespace

void Logger::warn(std::string_view subject, std::string_view message, const WarningInfo& info, int line,
                  std::string_view file, std::string_view function) {
    if (WarningCapture::anyAttached()) {
        WarningCapture::publish(Warning{std::string(subject), std::string(message), info, line, std::string(file),
                                        std::string(function)});
    }
    if (!detail::libraryEntryPrints("kit", LogLevel::warning)) return;  // nothing to format
    detail::printLibraryEntry("kit", LogLevel::warning, formatWarning(subject, message, info), file, function, line);
}

}  // namespace vorlane
