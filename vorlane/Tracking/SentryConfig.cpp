#include "vorlane/Tracking/SentryConfig.hpp"

#include "vorlane/Platform/Json/Record.hpp"

VORLANE_JSON_RECORD(vorlane::SentryConfig,
                    required("isEnabled", &Self::isEnabled),
                    required("dsn", &Self::dsn),
                    required("enableAutoSessionTracking", &Self::enableAutoSessionTracking),
                    required("sampleRate", &Self::sampleRate),
                    required("tracesSampleRate", &Self::tracesSampleRate),
                    required("enableNonFatalErrorLogging", &Self::enableNonFatalErrorLogging),
                    required("nonFatalErrorLoggingSampleRate", &Self::nonFatalErrorLoggingSampleRate),
                    required("featureFlagErrorLoggingEnabled", &Self::featureFlagErrorLoggingEnabled))
