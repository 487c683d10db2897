#pragma once
// The images of the shop panel: the QR code that opens the shop, the backgrounds for large and
// mobile screens, the call-to-action artwork and the shop's logo.

#include "vorlane/Platform/Json/Record.hpp"

#include <string>

namespace vorlane {

struct ShopImage {
    std::string qrCode;
    std::string background;
    std::string backgroundMobile;
    std::string goToShopOstrel;
    std::string shopOstrelLogo;

    bool operator==(const ShopImage&) const = default;
};

inline auto jsonFields(json::Tag<ShopImage>) {
    using namespace json::rules;
    using S = ShopImage;
    return fields(required("qrCode", &S::qrCode), required("background", &S::background),
                  required("backgroundMobile", &S::backgroundMobile),
                  required("goToShopOstrel", &S::goToShopOstrel),
                  required("shopOstrelLogo", &S::shopOstrelLogo));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ShopImage)
