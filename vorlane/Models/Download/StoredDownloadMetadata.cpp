#include "vorlane/Models/Download/StoredDownloadMetadata.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <type_traits>
#include <utility>

namespace vorlane {

DownloadMetadataV1_4 StoredDownloadMetadata::toLatest(const std::string& resourceId, const std::string& internalTitle,
                                                      const std::string& deeplinkId) const {
    return std::visit(
        [&](const auto& metadata) -> DownloadMetadataV1_4 {
            using Version = std::remove_cvref_t<decltype(metadata)>;
            if constexpr (std::is_same_v<Version, DownloadMetadataV1_4>) {
                return metadata;
            } else if constexpr (std::is_same_v<Version, DownloadMetadataV1_1>) {
                return metadata.toLatest(resourceId, internalTitle, deeplinkId);
            } else {
                return metadata.toLatest();
            }
        },
        record);
}

PersistedBytes StoredDownloadMetadata::encode() const {
    const std::string text = std::visit([](const auto& metadata) { return json::encode(metadata); }, record);
    return PersistedBytes(text.begin(), text.end());
}

StoredDownloadMetadata StoredDownloadMetadata::decode(const PersistedRecord& stored) {
    const auto& [name, version] = stored.schema;
    if (name != schemaName) {
        throw PersistedSchemaError("a stored \"" + name + "\" record is not download metadata (\"" +
                                   std::string(schemaName) + "\")");
    }
    const std::string_view text(reinterpret_cast<const char*>(stored.bytes.data()), stored.bytes.size());
    switch (version) {
    case 1: return StoredDownloadMetadata(json::decode<DownloadMetadataV1_1>(text));
    case 2: return StoredDownloadMetadata(json::decode<DownloadMetadataV1_2>(text));
    case 3: return StoredDownloadMetadata(json::decode<DownloadMetadataV1_3>(text));
    case 4: return StoredDownloadMetadata(json::decode<DownloadMetadataV1_4>(text));
    default:
        throw PersistedSchemaError("stored download metadata of version " + std::to_string(version) +
                                   " is of no version this release reads (1 to 4)");
    }
}

}  // namespace vorlane
