#pragma once
// Reports of anomalies that do not stop the app (an empty region, say).

#include "vorlane/Platform/ErrorReporting.hpp"

#include <string>
#include <utility>

namespace vorlane {

class NonFatalErrorTracker {
public:
    virtual ~NonFatalErrorTracker() = default;

    // One tag; the same as the map form with a one-entry map.
    virtual void logNonFatalError(const std::string& message, const std::pair<std::string, std::string>& tag,
                                  const StringDictionary& additionalInfo) const {
        StringDictionary tags;
        tags.insertOrAssign(tag.first, tag.second);
        logNonFatalError(message, tags, additionalInfo);
    }
    virtual void logNonFatalError(const std::string& message, const StringDictionary& tags,
                                  const StringDictionary& additionalInfo) const = 0;
};

}  // namespace vorlane
