#pragma once
// A PersistentStore in one SQLite database file.
//
// The file holds one table, records(key TEXT PRIMARY KEY, schema_name TEXT, schema_version
// INTEGER, bytes BLOB), and an index by schema name for keys(). It is created when absent and
// kept in write-ahead-log mode, so that reads proceed while a write or a transaction is under way,
// and are not held up by one another.
//
// Connections and threads: one connection writes, behind a mutex, so writes are serialized in the
// order they take it; reads each borrow a connection of their own from a pool (opened on demand,
// at most one per thread reading at the same moment), so readers on several threads do not wait
// for each other or for the writer. A read sees every write that had returned before it began,
// and never part of a transaction. Each connection keeps its statements prepared. This costs a
// connection per concurrent reader, which a device store (a handful of threads) affords; a single
// connection behind one mutex would have made every read wait for every other read and write.
//
// Every operation of the PersistentStore interface is one transaction of its own; transaction()
// groups several. Every SQLite failure is thrown as SqliteStoreError, naming the operation, the
// key and SQLite's message; nothing fails silently. A file that is not a database fails when the
// store is opened; a file that cannot be written (read-only on disk, or opened read-only) fails at
// the first write, or when opened if its directory does not let SQLite set up the log beside it.

#include "vorlane/Platform/Persistence.hpp"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// A failed operation of a SqlitePersistentStore: what() reads
// "<operation> of \"<key>\" in <file>: <SQLite's message>" (without the key part for operations
// on no key).
class SqliteStoreError : public std::runtime_error {
public:
    SqliteStoreError(std::string operation, std::optional<std::string> key, std::filesystem::path file,
                     int sqliteCode, std::string sqliteMessage);

    // "open", "save", "load", "remove", "keys", "begin transaction", "commit transaction", ...
    const std::string& operation() const noexcept { return operation_; }
    // The key operated on; for "keys", the schema name asked for.
    const std::optional<std::string>& key() const noexcept { return key_; }
    const std::filesystem::path& file() const noexcept { return file_; }
    // SQLite's (extended) result code, e.g. SQLITE_NOTADB or SQLITE_READONLY.
    int sqliteCode() const noexcept { return sqliteCode_; }
    const std::string& sqliteMessage() const noexcept { return sqliteMessage_; }

private:
    std::string operation_;
    std::optional<std::string> key_;
    std::filesystem::path file_;
    int sqliteCode_;
    std::string sqliteMessage_;
};

class SqlitePersistentStore final : public PersistentStore {
public:
    enum class Access {
        readWrite,  // creates the file and the table when absent
        readOnly,   // the file must exist and be a store; every write fails
    };

    // Opens (or creates) the store in `file`. Throws SqliteStoreError when the file cannot be
    // opened, is not a database, or (read-only) holds no store.
    explicit SqlitePersistentStore(std::filesystem::path file, Access access = Access::readWrite);
    // Closes every connection; a transaction cannot be under way then (it runs inside a call).
    ~SqlitePersistentStore() override;

    SqlitePersistentStore(const SqlitePersistentStore&) = delete;
    SqlitePersistentStore& operator=(const SqlitePersistentStore&) = delete;

    void save(std::string_view key, const Persistable& record) override;
    [[nodiscard]] std::optional<PersistedRecord> load(std::string_view key) const override;
    bool remove(std::string_view key) override;
    [[nodiscard]] std::vector<std::string> keys(std::string_view schemaName) const override;

    // Runs `work` with a store whose operations form one transaction: committed when `work`
    // returns, rolled back (and the exception rethrown) when it throws. Inside, the store handed to
    // `work` sees its own changes; other threads' reads see none of them until the commit, and
    // their writes wait for it. The handed store serves only inside `work`, on its thread: used
    // anywhere else it throws std::logic_error, as does calling this store itself from inside
    // `work` (which would otherwise wait for itself).
    void transaction(const std::function<void(PersistentStore&)>& work);

    const std::filesystem::path& file() const noexcept;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vorlane
