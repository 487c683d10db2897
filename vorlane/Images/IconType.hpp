#pragma once
// The icon shown with an empty-state message. Open: a string that names no known icon is kept as
// `unknown` carrying that string, and writes back unchanged.
//
//   IconType::fromWire("pcon") == IconTypeKind::parentalControl
//   IconType::fromWire("sparkles").rawValue() == "sparkles"

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

enum class IconTypeKind {
    unknown,  // holds the unrecognised text
    genericUnavailable,
    regionalUnavailable,
    serviceUnavailable,
    parentalControl,
    kidsMode,
    watchlistEmpty,
};

constexpr auto jsonVocabulary(json::Tag<IconTypeKind>) {
    using enum IconTypeKind;
    return json::vocabulary<IconTypeKind>("IconType", {
                                                          {genericUnavailable, "generic_unavailable"},
                                                          {regionalUnavailable, "regional_unavailable"},
                                                          {serviceUnavailable, "service_unavailable"},
                                                          {parentalControl, "pcon"},
                                                          {kidsMode, "kids_mode"},
                                                          {watchlistEmpty, "watchlistEmpty"},
                                                      })
        .catchAll(unknown);
}

using IconType = json::OpenEnum<IconTypeKind>;

}  // namespace vorlane
