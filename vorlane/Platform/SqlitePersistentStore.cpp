#include "vorlane/Platform/SqlitePersistentStore.hpp"

#include "vorlane/Platform/Log.hpp"

#include <sqlite3.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>

namespace vorlane {

namespace {

// The statements each connection prepares (on first use) and keeps.
enum class SqliteStatement : std::size_t { save, load, remove, keys, begin, commit, rollback };
constexpr std::size_t sqliteStatementCount = 7;

constexpr std::array<const char*, sqliteStatementCount> sqliteStatementTexts = {
    "INSERT INTO records (key, schema_name, schema_version, bytes) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (key) DO UPDATE SET schema_name = excluded.schema_name, "
    "schema_version = excluded.schema_version, bytes = excluded.bytes",
    "SELECT schema_name, schema_version, bytes FROM records WHERE key = ?1",
    "DELETE FROM records WHERE key = ?1",
    "SELECT key FROM records WHERE schema_name = ?1 ORDER BY key",
    // Takes the write lock at once, so a transaction never fails halfway for want of it.
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
};

constexpr const char* createStoreSchema =
    "CREATE TABLE IF NOT EXISTS records ("
    "key TEXT PRIMARY KEY NOT NULL, schema_name TEXT NOT NULL, schema_version INTEGER NOT NULL, bytes BLOB NOT NULL"
    ") WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS records_by_schema ON records (schema_name, key);";

// How long a connection waits for a lock another connection (another store on the same file, or
// another process) holds before the operation fails with SQLITE_BUSY.
constexpr int sqliteBusyTimeoutMs = 5000;

std::string describeStoreFailure(const std::string& operation, const std::optional<std::string>& key,
                                 const std::filesystem::path& file, const std::string& message) {
    std::string text = operation;
    if (key) text += " of \"" + *key + "\"";
    return text + " in " + file.string() + ": " + message;
}

// Text for SQLite, which reads a null pointer as SQL NULL even with a length of zero.
const char* sqliteText(std::string_view text) noexcept { return text.data() ? text.data() : ""; }

}  // namespace

SqliteStoreError::SqliteStoreError(std::string operation, std::optional<std::string> key, std::filesystem::path file,
                                   int sqliteCode, std::string sqliteMessage)
    : std::runtime_error(describeStoreFailure(operation, key, file, sqliteMessage)), operation_(std::move(operation)),
      key_(std::move(key)), file_(std::move(file)), sqliteCode_(sqliteCode), sqliteMessage_(std::move(sqliteMessage)) {}

// Named rather than anonymous: the store's Impl holds these types.
namespace sqlitestore {

// One database connection and its prepared statements; used by one thread at a time.
class SqliteConnection {
public:
    SqliteConnection(const std::filesystem::path& file, int flags) : file_(file) {
        const int code = sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (code != SQLITE_OK) {
            // A handle is returned even on failure (except when out of memory), with the message.
            std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
            const int extended = db_ ? sqlite3_extended_errcode(db_) : code;
            sqlite3_close(db_);
            db_ = nullptr;
            throw SqliteStoreError("open", std::nullopt, file_, extended, std::move(message));
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, sqliteBusyTimeoutMs);
    }

    ~SqliteConnection() {
        for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
        sqlite3_close(db_);
    }

    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* db() const noexcept { return db_; }

    // Throws the connection's last error as the failure of `operation` on `key`.
    [[noreturn]] void fail(const std::string& operation, std::optional<std::string_view> key) const {
        failWith(operation, key, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    }
    [[noreturn]] void failWith(const std::string& operation, std::optional<std::string_view> key, int code,
                               std::string message) const {
        throw SqliteStoreError(operation, key ? std::optional<std::string>(*key) : std::nullopt, file_, code,
                               std::move(message));
    }

    // Runs SQL text that returns no rows we need (setting up the file).
    void execute(const char* sql, const std::string& operation) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(operation, std::nullopt);
    }

    // The journal mode after asking for write-ahead logging ("wal" unless the file cannot have it).
    std::string enableWriteAheadLog() {
        std::string mode;
        const auto readMode = [](void* out, int columns, char** values, char**) {
            if (columns > 0 && values[0]) *static_cast<std::string*>(out) = values[0];
            return 0;
        };
        if (sqlite3_exec(db_, "PRAGMA journal_mode = WAL", readMode, &mode, nullptr) != SQLITE_OK)
            fail("open", std::nullopt);
        return mode;
    }

    // The statement, prepared on first use, ready to bind. `StatementRun` resets it afterwards.
    sqlite3_stmt* prepared(SqliteStatement which, const std::string& operation, std::optional<std::string_view> key) {
        const auto index = static_cast<std::size_t>(which);
        sqlite3_stmt*& statement = statements_[index];
        if (!statement && sqlite3_prepare_v3(db_, sqliteStatementTexts[index], -1, SQLITE_PREPARE_PERSISTENT,
                                             &statement, nullptr) != SQLITE_OK) {
            statement = nullptr;
            fail(operation, key);
        }
        return statement;
    }

private:
    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    std::array<sqlite3_stmt*, sqliteStatementCount> statements_{};
};

// One run of a prepared statement: binds, steps, and leaves the statement reset with no bindings,
// which also ends the read a SELECT holds open.
class StatementRun {
public:
    StatementRun(SqliteConnection& connection, SqliteStatement which, std::string operation,
                 std::optional<std::string_view> key)
        : connection_(connection), operation_(std::move(operation)), key_(key),
          statement_(connection.prepared(which, operation_, key)) {}
    ~StatementRun() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }

    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

    void bindText(int index, std::string_view text) {
        check(sqlite3_bind_text64(statement_, index, sqliteText(text), text.size(), SQLITE_STATIC, SQLITE_UTF8));
    }
    void bindInt(int index, std::int64_t value) { check(sqlite3_bind_int64(statement_, index, value)); }
    void bindBlob(int index, const PersistedBytes& bytes) {
        // An empty blob is bound as such: a null pointer would bind SQL NULL.
        check(bytes.empty() ? sqlite3_bind_zeroblob(statement_, index, 0)
                            : sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_STATIC));
    }

    // True while a row is ready, false once the statement is done; throws on failure.
    bool step() {
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW) return true;
        if (code == SQLITE_DONE) return false;
        connection_.fail(operation_, key_);
    }

    std::string text(int column) const {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return data ? std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                    : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    PersistedBytes blob(int column) const {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
        return data ? PersistedBytes(data, data + sqlite3_column_bytes(statement_, column)) : PersistedBytes();
    }

    [[noreturn]] void failWith(int code, std::string message) const {
        connection_.failWith(operation_, key_, code, std::move(message));
    }

private:
    void check(int code) const {
        if (code != SQLITE_OK) connection_.fail(operation_, key_);
    }

    SqliteConnection& connection_;
    std::string operation_;
    std::optional<std::string_view> key_;
    sqlite3_stmt* statement_;
};

// The operations, on whichever connection the caller holds.

void saveRecordOn(SqliteConnection& connection, std::string_view key, const PersistedRecord& record) {
    StatementRun use(connection, SqliteStatement::save, "save", key);
    use.bindText(1, key);
    use.bindText(2, record.schema.name);
    use.bindInt(3, record.schema.version);
    use.bindBlob(4, record.bytes);
    use.step();
}

std::optional<PersistedRecord> loadRecordOn(SqliteConnection& connection, std::string_view key) {
    StatementRun use(connection, SqliteStatement::load, "load", key);
    use.bindText(1, key);
    if (!use.step()) return std::nullopt;
    const std::int64_t version = use.integer(1);
    if (version < std::numeric_limits<int>::min() || version > std::numeric_limits<int>::max())
        use.failWith(SQLITE_MISMATCH, "the stored schema version " + std::to_string(version) + " is out of range");
    return PersistedRecord{{use.text(0), static_cast<int>(version)}, use.blob(2)};
}

bool removeRecordOn(SqliteConnection& connection, std::string_view key) {
    StatementRun use(connection, SqliteStatement::remove, "remove", key);
    use.bindText(1, key);
    use.step();
    return sqlite3_changes(connection.db()) > 0;
}

std::vector<std::string> recordKeysOn(SqliteConnection& connection, std::string_view schemaName) {
    StatementRun use(connection, SqliteStatement::keys, "keys", schemaName);
    use.bindText(1, schemaName);
    std::vector<std::string> keys;
    while (use.step()) keys.push_back(use.text(0));
    return keys;
}

void runStatementOn(SqliteConnection& connection, SqliteStatement which, const char* operation) {
    StatementRun use(connection, which, operation, std::nullopt);
    use.step();
}

// Ends a transaction that failed. SQLite may have rolled it back already (after some errors it
// does so itself). A failure here is only logged: the error that ended the transaction is the one
// the caller reports.
void rollBackAfterFailure(SqliteConnection& connection) noexcept {
    if (sqlite3_get_autocommit(connection.db())) return;
    try {
        runStatementOn(connection, SqliteStatement::rollback, "roll back transaction");
    } catch (const std::exception& error) {
        Log::shared.error(error.what());
    }
}

// The store handed to a transaction's work: every operation on the writer connection, whose lock
// the transaction holds, so reads see the transaction's own writes. It serves only the thread
// running the transaction, while the work runs; the store keeps it, so that a reference kept past
// the work fails clearly instead of dangling.
class SqliteTransactionStore final : public PersistentStore {
public:
    SqliteTransactionStore(SqliteConnection& writer, const std::atomic<std::thread::id>& transactionThread)
        : writer_(writer), transactionThread_(transactionThread) {}

    void save(std::string_view key, const Persistable& record) override {
        checkInside();
        saveRecordOn(writer_, key, PersistedRecord{record.schema(), record.encode()});
    }
    std::optional<PersistedRecord> load(std::string_view key) const override {
        checkInside();
        return loadRecordOn(writer_, key);
    }
    bool remove(std::string_view key) override {
        checkInside();
        return removeRecordOn(writer_, key);
    }
    std::vector<std::string> keys(std::string_view schemaName) const override {
        checkInside();
        return recordKeysOn(writer_, schemaName);
    }

private:
    void checkInside() const {
        if (transactionThread_.load() != std::this_thread::get_id())
            throw std::logic_error("the store handed to a SqlitePersistentStore transaction was used outside its work");
    }

    SqliteConnection& writer_;
    const std::atomic<std::thread::id>& transactionThread_;
};

}  // namespace sqlitestore

struct SqlitePersistentStore::Impl {
    using Connection = sqlitestore::SqliteConnection;
    using Statement = SqliteStatement;

    Impl(std::filesystem::path file, Access access)
        : file(std::move(file)), access(access),
          writer(this->file, access == Access::readOnly ? SQLITE_OPEN_READONLY
                                                         : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) {
        if (access == Access::readWrite) {
            // Also where a file that is not a database is found out: these are the first reads.
            const std::string mode = writer.enableWriteAheadLog();
            if (mode != "wal") {
                throw SqliteStoreError("open", std::nullopt, this->file, SQLITE_CANTOPEN,
                                       "the file cannot be kept in write-ahead-log mode (its journal mode is \"" +
                                           mode + "\")");
            }
            writer.execute(createStoreSchema, "open");
        }
        // Prepared now, so that a file holding no store (or another table of that name) fails here.
        for (Statement which : {Statement::save, Statement::load, Statement::remove, Statement::keys})
            writer.prepared(which, "open", std::nullopt);
    }

    // A reader connection borrowed from the pool, returned when the lease ends.
    class Lease {
    public:
        explicit Lease(const Impl& impl) : impl_(impl) {
            {
                std::lock_guard lock(impl.poolMutex);
                if (!impl.idleReaders.empty()) {
                    connection_ = std::move(impl.idleReaders.back());
                    impl.idleReaders.pop_back();
                }
            }
            // Opened without the pool's lock: opening reads the file.
            if (!connection_) connection_ = std::make_unique<Connection>(impl.file, SQLITE_OPEN_READONLY);
        }
        ~Lease() {
            std::lock_guard lock(impl_.poolMutex);
            impl_.idleReaders.push_back(std::move(connection_));
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        Connection& operator*() const noexcept { return *connection_; }

    private:
        const Impl& impl_;
        std::unique_ptr<Connection> connection_;
    };

    // Calling the store from inside its own transaction would wait for itself.
    void checkNotInTransaction() const {
        if (transactionThread.load() == std::this_thread::get_id())
            throw std::logic_error("a SqlitePersistentStore was called from inside its own transaction; "
                                   "use the store handed to the transaction instead");
    }

    const std::filesystem::path file;
    const Access access;
    std::mutex writerMutex;
    Connection writer;  // guarded by writerMutex; closed last, so it checkpoints the log
    // The thread running a transaction's work, if any (the default id otherwise).
    std::atomic<std::thread::id> transactionThread{};
    sqlitestore::SqliteTransactionStore transactionStore{writer, transactionThread};
    mutable std::mutex poolMutex;
    mutable std::vector<std::unique_ptr<Connection>> idleReaders;  // guarded by poolMutex
};

SqlitePersistentStore::SqlitePersistentStore(std::filesystem::path file, Access access)
    : impl_(std::make_unique<Impl>(std::move(file), access)) {}

SqlitePersistentStore::~SqlitePersistentStore() = default;

void SqlitePersistentStore::save(std::string_view key, const Persistable& record) {
    impl_->checkNotInTransaction();
    // Encoded before locking: encoding runs the record's own code, which must not run under our lock.
    const PersistedRecord stored{record.schema(), record.encode()};
    std::lock_guard lock(impl_->writerMutex);
    sqlitestore::saveRecordOn(impl_->writer, key, stored);
}

std::optional<PersistedRecord> SqlitePersistentStore::load(std::string_view key) const {
    impl_->checkNotInTransaction();
    Impl::Lease reader(*impl_);
    return sqlitestore::loadRecordOn(*reader, key);
}

bool SqlitePersistentStore::remove(std::string_view key) {
    impl_->checkNotInTransaction();
    std::lock_guard lock(impl_->writerMutex);
    return sqlitestore::removeRecordOn(impl_->writer, key);
}

std::vector<std::string> SqlitePersistentStore::keys(std::string_view schemaName) const {
    impl_->checkNotInTransaction();
    Impl::Lease reader(*impl_);
    return sqlitestore::recordKeysOn(*reader, schemaName);
}

void SqlitePersistentStore::transaction(const std::function<void(PersistentStore&)>& work) {
    impl_->checkNotInTransaction();
    std::lock_guard lock(impl_->writerMutex);
    Impl::Connection& writer = impl_->writer;
    sqlitestore::runStatementOn(writer, Impl::Statement::begin, "begin transaction");
    impl_->transactionThread.store(std::this_thread::get_id());
    try {
        work(impl_->transactionStore);
        impl_->transactionThread.store(std::thread::id());
        sqlitestore::runStatementOn(writer, Impl::Statement::commit, "commit transaction");
    } catch (...) {
        impl_->transactionThread.store(std::thread::id());
        sqlitestore::rollBackAfterFailure(writer);
        throw;
    }
}

const std::filesystem::path& SqlitePersistentStore::file() const noexcept { return impl_->file; }

}  // namespace vorlane
