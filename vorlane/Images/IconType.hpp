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

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::IconTypeKind> {
    using E = vorlane::IconTypeKind;
    static constexpr std::string_view name = "IconType";
    static constexpr E catchAll = E::unknown;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::genericUnavailable, "generic_unavailable"},
        {E::regionalUnavailable, "regional_unavailable"},
        {E::serviceUnavailable, "service_unavailable"},
        {E::parentalControl, "pcon"},
        {E::kidsMode, "kids_mode"},
        {E::watchlistEmpty, "watchlistEmpty"},
    };
};

namespace vorlane {

using IconType = json::OpenEnum<IconTypeKind>;

}  // namespace vorlane
