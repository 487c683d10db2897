#pragma once

namespace vorlane {

/// Horizontal size class of the display the app draws on.
enum class SizeClass { compact, regular };

/// The current display as the host describes it. Artwork selection reads it at call time.
/// Thread-safe; `regular` until the host says otherwise.
struct Display {
    [[nodiscard]] static SizeClass horizontalSizeClass() noexcept;
    [[nodiscard]] static bool isHorizontallyCompact() noexcept {
        return horizontalSizeClass() == SizeClass::compact;
    }
    /// Host side: called when the window's size class changes.
    static void setHorizontalSizeClass(SizeClass sizeClass) noexcept;
};

}  // namespace vorlane
