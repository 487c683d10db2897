#pragma once
// Advisory labels of a title: an advisory value valid in one region, with the well-known values
// the screens look for.
//
//   {"value": "smoking_disclaimer", "region": "US"}

#include "vorlane/Platform/Json/Record.hpp"

#include <string>
#include <string_view>

namespace vorlane {

struct AdvisoryKey {
    static constexpr std::string_view heritageDisclaimer = "heritage_disclaimer";
    static constexpr std::string_view graphicContentDisclaimer = "graphic_content_disclaimer";
    static constexpr std::string_view pseDisclaimer = "pse_disclaimer";
    static constexpr std::string_view productPlacementDisclaimer = "product_placement_disclaimer";
    static constexpr std::string_view smokingDisclaimer = "smoking_disclaimer";
    // The beginning of the keys of product-placement image labels.
    static constexpr std::string_view productPlacementImagePrefix = "image_label_product_placement_disclaimer_";

    std::string value;
    std::string region;

    // value, region and the size truncated toward zero, joined with "_". The size must be finite
    // and within the signed 64-bit range.
    [[nodiscard]] std::string cacheKey(double size) const;

    bool operator==(const AdvisoryKey&) const = default;
};

inline auto jsonFields(json::Tag<AdvisoryKey>) {
    using namespace json::rules;
    using S = AdvisoryKey;
    return fields(required("value", &S::value), required("region", &S::region));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::AdvisoryKey)
