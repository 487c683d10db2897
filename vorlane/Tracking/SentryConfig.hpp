#pragma once
// The remotely delivered configuration of error tracking. Every field is required.

#include "vorlane/Platform/Json/Record.hpp"

#include <string>

namespace vorlane {

struct SentryConfig {
    bool isEnabled = false;                       // tracking on or off (read by the host)
    std::string dsn;                              // the service's ingestion address, as delivered
    bool enableAutoSessionTracking = false;       // read by the host
    double sampleRate = 0;                        // share of crash and error events sent (host)
    double tracesSampleRate = 0;                  // share of performance traces sent (host)
    bool enableNonFatalErrorLogging = false;      // gate of the non-fatal tracker
    double nonFatalErrorLoggingSampleRate = 0;    // share of non-fatal reports sent
    bool featureFlagErrorLoggingEnabled = false;  // read by the host
    bool operator==(const SentryConfig&) const = default;
};

inline auto jsonFields(json::Tag<SentryConfig>) {
    using namespace json::rules;
    using S = SentryConfig;
    return fields(required("isEnabled", &S::isEnabled),
                  required("dsn", &S::dsn),
                  required("enableAutoSessionTracking", &S::enableAutoSessionTracking),
                  required("sampleRate", &S::sampleRate),
                  required("tracesSampleRate", &S::tracesSampleRate),
                  required("enableNonFatalErrorLogging", &S::enableNonFatalErrorLogging),
                  required("nonFatalErrorLoggingSampleRate", &S::nonFatalErrorLoggingSampleRate),
                  required("featureFlagErrorLoggingEnabled", &S::featureFlagErrorLoggingEnabled));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SentryConfig)
