#pragma once

#include <concepts>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

/// The stored form of a record.
using PersistedBytes = std::vector<std::uint8_t>;

/// What kind of record some bytes hold, and in which version of its format.
struct PersistableSchema {
    std::string name;  ///< e.g. "Avatar"
    int version = 1;

    bool operator==(const PersistableSchema&) const = default;
};

/// A record that can be kept in a `PersistentStore`.
///
/// The encoding side is this interface. The decoding side is a static member of the concrete type,
/// `static T decode(std::span<const std::uint8_t>)`, which throws when the bytes do not hold a `T`;
/// `PersistableRecord` checks for both.
class Persistable {
public:
    virtual ~Persistable() = default;

    [[nodiscard]] virtual PersistableSchema schema() const = 0;
    [[nodiscard]] virtual PersistedBytes encode() const = 0;
};

template <class T>
concept PersistableRecord = std::derived_from<T, Persistable> && requires(std::span<const std::uint8_t> bytes) {
    { T::decode(bytes) } -> std::same_as<T>;
};

/// A record as a store holds it.
struct PersistedRecord {
    PersistableSchema schema;
    PersistedBytes bytes;

    bool operator==(const PersistedRecord&) const = default;
};

/// A record kept in several versions of its format, whose bytes are read by the schema they were
/// stored under: `static T decode(const PersistedRecord&)`, which throws `PersistedSchemaError` for
/// a schema it does not read and the format's own error for bytes that do not hold it.
template <class T>
concept VersionedPersistableRecord = std::derived_from<T, Persistable> && requires(const PersistedRecord& stored) {
    { T::decode(stored) } -> std::same_as<T>;
};

/// A stored record whose schema (name or version) is not one the decoding type reads.
class PersistedSchemaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Keeps records under string keys. Implementations are thread-safe.
class PersistentStore {
public:
    virtual ~PersistentStore() = default;

    /// Stores the record's schema and encoding under `key`, replacing what was there.
    virtual void save(std::string_view key, const Persistable& record) = 0;
    /// What is stored under `key`, if anything.
    [[nodiscard]] virtual std::optional<PersistedRecord> load(std::string_view key) const = 0;
    /// Removes what is stored under `key`; true when there was something.
    virtual bool remove(std::string_view key) = 0;
    /// The keys of the records of schema `schemaName` (any version), in ascending order.
    [[nodiscard]] virtual std::vector<std::string> keys(std::string_view schemaName) const = 0;

    /// Loads and decodes a `T`. Nothing when the key is absent; throws when the bytes under the key do
    /// not decode as a `T`.
    template <PersistableRecord T>
    [[nodiscard]] std::optional<T> loadRecord(std::string_view key) const {
        auto stored = load(key);
        if (!stored) return std::nullopt;
        return T::decode(std::span<const std::uint8_t>(stored->bytes));
    }

    /// Loads and decodes a versioned `T` by the schema it was stored under. Nothing when the key is
    /// absent; throws when the schema or the bytes are not those of a `T`.
    template <VersionedPersistableRecord T>
    [[nodiscard]] std::optional<T> loadRecord(std::string_view key) const {
        auto stored = load(key);
        if (!stored) return std::nullopt;
        return T::decode(*stored);
    }
};

/// A store in memory, for tests and for hosts that keep nothing between runs. `SqlitePersistentStore`
/// (SqlitePersistentStore.hpp) keeps records in a database file.
class InMemoryPersistentStore final : public PersistentStore {
public:
    void save(std::string_view key, const Persistable& record) override;
    [[nodiscard]] std::optional<PersistedRecord> load(std::string_view key) const override;
    bool remove(std::string_view key) override;
    [[nodiscard]] std::vector<std::string> keys(std::string_view schemaName) const override;

private:
    mutable std::mutex mutex_;
    std::map<std::string, PersistedRecord, std::less<>> records_;
};

}  // namespace vorlane
