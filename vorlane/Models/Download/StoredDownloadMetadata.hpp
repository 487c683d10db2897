#pragma once
// Download metadata as the host keeps it on the device, in a PersistentStore.
//
// A record of any of the four versions is stored under the schema "DownloadMetadata" with its
// version as the schema version (1 to 4 for V1_1 to V1_4), and as its JSON encoding. The schema
// version, not the bytes, decides how a stored record is read back: the JSON of a newer record
// also reads as an older version (which ignores the newer keys), and that of an older one, lacking
// only optional keys, reads as a newer version, so guessing from the bytes would change the version.

#include "vorlane/Models/Download/DownloadMetadata.hpp"
#include "vorlane/Platform/Persistence.hpp"

#include <string>
#include <string_view>
#include <variant>

namespace vorlane {

struct StoredDownloadMetadata final : Persistable {
    using Record = std::variant<DownloadMetadataV1_1, DownloadMetadataV1_2, DownloadMetadataV1_3, DownloadMetadataV1_4>;

    static constexpr std::string_view schemaName = "DownloadMetadata";

    Record record;

    explicit StoredDownloadMetadata(Record record) : record(std::move(record)) {}

    // 1 to 4, for V1_1 to V1_4.
    int version() const noexcept { return static_cast<int>(record.index()) + 1; }

    // The record as the current version. Version 1.1 did not keep the three identifiers of
    // playback, so they are supplied here; the later versions keep their own and ignore these.
    DownloadMetadataV1_4 toLatest(const std::string& resourceId, const std::string& internalTitle,
                                  const std::string& deeplinkId) const;

    PersistableSchema schema() const override { return {std::string(schemaName), version()}; }
    PersistedBytes encode() const override;
    // The record stored under one of the four versions of "DownloadMetadata". Throws
    // PersistedSchemaError for another schema or version, and a decoding error when the bytes do
    // not hold a record of the version named.
    static StoredDownloadMetadata decode(const PersistedRecord& stored);

    bool operator==(const StoredDownloadMetadata& other) const { return record == other.record; }
};

static_assert(VersionedPersistableRecord<StoredDownloadMetadata>);

}  // namespace vorlane
