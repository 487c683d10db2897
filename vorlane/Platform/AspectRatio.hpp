#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlane {

/// An aspect ratio: width divided by height.
using AspectRatio = double;

/// The named ratios artwork is requested at. Their text forms (`asString`) are the ratio keys of the
/// image maps in the service's answers: "1.00", "3.00", "0.80", "1.33", "1.78", "3.32", "3.91", "4.61".
namespace Ratio {
inline constexpr AspectRatio one = 1.0;
inline constexpr AspectRatio three = 3.0;
inline constexpr AspectRatio eighty = 0.8;
inline constexpr AspectRatio fourByThree = 4.0 / 3.0;
inline constexpr AspectRatio sixteenByNine = 16.0 / 9.0;
inline constexpr AspectRatio threeThirtyTwo = 3.32;
inline constexpr AspectRatio threeNinetyOne = 3.91;
inline constexpr AspectRatio fourSixOne = 4.61;
}  // namespace Ratio

/// The ratio key of `ratio`: fixed notation with two decimals, as printf's "%.2f" writes it in the "C"
/// locale whatever the process locale is (16/9 -> "1.78", 0.8 -> "0.80").
///
/// Rounding is of the exact binary value, to nearest: a ratio written as 1.775 is stored just below it
/// and gives "1.77", exactly what printf("%.2f") gives. Non-finite ratios give "nan",
/// "inf" or "-inf".
[[nodiscard]] std::string asString(AspectRatio ratio);

/// Reads a ratio written as a decimal ("1.78") or as width and height ("16:9"). Both numbers are plain
/// decimals without sign or surrounding spaces; the result must be positive and finite. Anything else
/// gives nothing.
[[nodiscard]] std::optional<AspectRatio> parseAspectRatio(std::string_view text);

}  // namespace vorlane
