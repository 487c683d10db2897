#pragma once
// What the tests of persistent stores share: a scratch directory and a record of given bytes.

#include "vorlane/Platform/Persistence.hpp"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace vorlane::persistencetesting {

// A fresh directory for the life of the object.
struct ScratchDirectory {
    inline static std::atomic<int> made{0};
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("vorlane-store-" + std::to_string(::getpid()) + "-" + std::to_string(made++));

    ScratchDirectory() { std::filesystem::create_directories(path); }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path operator/(const std::string& file) const { return path / file; }
};

// A record that stores exactly the schema and bytes it is given.
struct BytesRecord final : Persistable {
    PersistedRecord stored;

    BytesRecord(std::string schemaName, int version, std::string_view bytes)
        : stored{{std::move(schemaName), version}, PersistedBytes(bytes.begin(), bytes.end())} {}
    PersistableSchema schema() const override { return stored.schema; }
    PersistedBytes encode() const override { return stored.bytes; }
};

}  // namespace vorlane::persistencetesting
