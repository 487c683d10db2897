#include "vorlane/Models/Content/ShopImage.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::ShopImage)
