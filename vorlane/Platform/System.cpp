#include "vorlane/Platform/System.hpp"

#include <mutex>

namespace vorlane {

namespace {
std::mutex systemVersionMutex;
std::string& systemVersionSlot() {
    static std::string version = VORLANE_VERSION;
    return version;
}
}  // namespace

std::string System::version() {
    std::lock_guard lock(systemVersionMutex);
    return systemVersionSlot();
}

void System::setVersion(std::string version) {
    std::lock_guard lock(systemVersionMutex);
    systemVersionSlot() = std::move(version);
}

}  // namespace vorlane
