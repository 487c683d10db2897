#include "vorlane/Platform/Display.hpp"

#include <atomic>

namespace vorlane {

namespace {
std::atomic<SizeClass> horizontal{SizeClass::regular};
}  // namespace

SizeClass Display::horizontalSizeClass() noexcept { return horizontal.load(std::memory_order_acquire); }

void Display::setHorizontalSizeClass(SizeClass sizeClass) noexcept {
    horizontal.store(sizeClass, std::memory_order_release);
}

}  // namespace vorlane
