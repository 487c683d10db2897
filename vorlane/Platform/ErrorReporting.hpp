#pragma once
// The error-tracking client as the layer sees it: events with a level, a message, tags and
// extras, handed to a sink. The host installs the sink that talks to its error-tracking
// service; the default one writes each event to the log.

#include "vorlane/Platform/Json/OrderedMap.hpp"

#include <memory>
#include <string>

namespace vorlane {

using StringDictionary = OrderedMap<std::string>;

// The client's event levels; the numbers are the client's own.
enum class ErrorEventLevel { none = 0, debug = 1, info = 2, warning = 3, error = 4, fatal = 5 };

struct ErrorEvent {
    ErrorEventLevel level = ErrorEventLevel::info;
    std::string message;
    StringDictionary tags;    // set on the capture scope, value for key
    StringDictionary extras;  // the capture scope's extras
    bool operator==(const ErrorEvent&) const = default;
};

class ErrorEventSink {
public:
    virtual ~ErrorEventSink() = default;
    // Called on the reporting thread; may hand the event off asynchronously.
    virtual void capture(const ErrorEvent& event) = 0;
};

// Writes every event to the `shared` log category: debug level up to info, error level above.
class LogErrorEventSink final : public ErrorEventSink {
public:
    void capture(const ErrorEvent& event) override;
};

// The sink used when none is given.
std::shared_ptr<ErrorEventSink> defaultErrorEventSink();

}  // namespace vorlane
