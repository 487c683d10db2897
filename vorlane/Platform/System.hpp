#pragma once
// Facts about the running system that requests report to servers.

#include <string>

namespace vorlane {

struct System {
    // The version this build reports as the app's version ("app_version"): the library's release,
    // unless the host sets its own.
    static std::string version();
    static void setVersion(std::string version);
};

}  // namespace vorlane
