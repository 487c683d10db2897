#include "vorlane/Platform/ErrorReporting.hpp"

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Log.hpp"

namespace vorlane {

void LogErrorEventSink::capture(const ErrorEvent& event) {
    std::string text = "Error event (level " + std::to_string(static_cast<int>(event.level)) + "): " + event.message +
                       ", tags: " + json::encode(event.tags) + ", extras: " + json::encode(event.extras);
    if (event.level <= ErrorEventLevel::info)
        Log::shared.debug(text, "capture(event:)", __LINE__);
    else
        Log::shared.error(text, "capture(event:)", __LINE__);
}

std::shared_ptr<ErrorEventSink> defaultErrorEventSink() {
    static const auto sink = std::make_shared<LogErrorEventSink>();
    return sink;
}

}  // namespace vorlane
