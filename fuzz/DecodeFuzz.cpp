// Fuzzes the decoders: the first byte picks the record type, the rest is the JSON text. A decode
// may fail only with DecodingError; anything else (a crash, a sanitizer report, another exception)
// is a finding. A successful decode must encode and decode again to the same encoding.

#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreRefresh.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace vorlane;

template <class T>
void roundTrip(std::string_view bytes, json::DecoderSettings settings) {
    json::Diagnostics diagnostics;
    std::string first;
    try {
        first = json::encode(json::decode<T>(bytes, settings, &diagnostics), json::EncoderSettings{settings.dates});
    } catch (const json::DecodingError&) {
        return;
    }
    // What was written must read back to the same text.
    std::string second = json::encode(json::decode<T>(first, settings), json::EncoderSettings{settings.dates});
    if (first != second) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto legacy = json::DecoderSettings::iso8601();
    switch (data[0] % 12) {
        case 0: roundTrip<ContentQueryConfiguration>(bytes, {}); break;
        case 1: roundTrip<SentryConfig>(bytes, {}); break;
        case 2: roundTrip<ImageMap>(bytes, legacy); break;
        case 3: roundTrip<ExploreImageMap>(bytes, {}); break;
        case 4: roundTrip<TextMap>(bytes, legacy); break;
        case 5: roundTrip<ContentCollectionReferenceLocator>(bytes, legacy); break;
        case 6: roundTrip<std::vector<Safe<ContentCoder>>>(bytes, legacy); break;
        case 7: roundTrip<JsonValue>(bytes, {}); break;
        case 8: roundTrip<CatalogManifest>(bytes, {}); break;
        case 9: roundTrip<std::vector<VideoArtwork>>(bytes, legacy); break;
        case 10: roundTrip<ExplorePageStyleDescriptor>(bytes, {}); break;
        case 11: roundTrip<std::vector<Date>>(bytes, legacy); break;
    }
    return 0;
}
