// The SQLite store: the in-memory store's answers, the file's layout and journal mode across
// reopening, transactions, readers beside a writer, and the errors of files that hold no store or
// cannot be written.

#include "tests/Platform/PersistenceTestSupport.hpp"
#include "vorlane/Platform/SqlitePersistentStore.hpp"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <thread>

namespace vorlane {
namespace {

using persistencetesting::BytesRecord;
using persistencetesting::ScratchDirectory;
using Keys = std::vector<std::string>;

PersistedRecord storedAs(std::string name, int version, std::string_view bytes) {
    return BytesRecord(std::move(name), version, bytes).stored;
}

// What `run` throws as a SqliteStoreError: "operation|code|what()".
std::string storeFailure(const std::function<void()>& run) {
    try {
        run();
    } catch (const SqliteStoreError& error) {
        return error.operation() + "|" + std::to_string(error.sqliteCode()) + "|" + error.what();
    }
    return "no SqliteStoreError";
}

TEST(SqlitePersistentStore, AnswersAsTheInMemoryStoreDoes) {
    ScratchDirectory directory;
    SqlitePersistentStore sqlite(directory / "store.db");
    InMemoryPersistentStore memory;
    const std::string binary("\x00\xff\x01", 3), umlaut = "\xc3\xa4";
    for (PersistentStore* store : {static_cast<PersistentStore*>(&memory), static_cast<PersistentStore*>(&sqlite)}) {
        SCOPED_TRACE(store == &sqlite ? "sqlite" : "memory");
        for (const auto& [key, record] : {std::pair<std::string, BytesRecord>{"b", {"Note", 1, "first"}},
                                          {umlaut, {"Note", 2, binary}}, {"a", {"Note", 1, ""}}, {"B", {"Note", 3, "B"}},
                                          {"a b", {"Other", 1, "x"}}, {"b", {"Other", 7, "replaced"}}, {"", {"Note", 1, ""}}})
            store->save(key, record);
        EXPECT_EQ(store->keys("Note"), (Keys{"", "B", "a", umlaut}));  // in byte order; "b" moved to "Other"
        EXPECT_EQ(store->keys("Other"), (Keys{"a b", "b"}));
        EXPECT_EQ(store->keys("note"), Keys{});
        EXPECT_EQ(store->load("b"), storedAs("Other", 7, "replaced"));
        EXPECT_EQ(store->load(umlaut), storedAs("Note", 2, binary));
        EXPECT_EQ(store->load("a"), storedAs("Note", 1, ""));
        EXPECT_EQ(store->load("c"), std::nullopt);
        EXPECT_TRUE(store->remove("b"));
        EXPECT_FALSE(store->remove("b"));
        EXPECT_EQ(store->load("b"), std::nullopt);
    }
}

TEST(SqlitePersistentStore, KeepsOneRowPerKeyInAWriteAheadLoggedFileThatOutlivesTheStore) {
    ScratchDirectory directory;
    const auto file = directory / "store.db";
    {
        SqlitePersistentStore store(file);
        store.save("k", BytesRecord("Note", 2, "bytes"));
        store.save("k", BytesRecord("Note", 3, "again"));
    }
    EXPECT_EQ(SqlitePersistentStore(file).load("k"), storedAs("Note", 3, "again"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::string rows;
    const char* queries = "PRAGMA journal_mode; SELECT key, schema_name, schema_version, typeof(schema_version), "
                          "typeof(bytes), CAST(bytes AS TEXT) FROM records";
    sqlite3_exec(db, queries, [](void* out, int columns, char** values, char**) {
        for (int i = 0; i < columns; ++i) *static_cast<std::string*>(out) += values[i] + std::string(i + 1 < columns ? "|" : ";");
        return 0;
    }, &rows, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(rows, "wal;k|Note|3|integer|blob|again;");
}

TEST(SqlitePersistentStore, ATransactionCommitsWhenItsWorkReturnsAndLeavesNothingWhenItThrows) {
    ScratchDirectory directory;
    SqlitePersistentStore store(directory / "store.db");
    store.save("kept", BytesRecord("Note", 1, "kept"));
    // The work fails by throwing, or by calling the store itself rather than the one handed to it.
    for (const std::function<void()>& fail : {std::function<void()>([] { throw std::runtime_error("failed"); }),
                                              std::function<void()>([&] { (void)store.load("kept"); })}) {
        PersistentStore* handed = nullptr;
        EXPECT_ANY_THROW(store.transaction([&](PersistentStore& inside) {
            handed = &inside;
            inside.save("new", BytesRecord("Note", 1, "new"));
            EXPECT_TRUE(inside.remove("kept"));
            EXPECT_EQ(inside.keys("Note"), Keys{"new"});  // its own writes, before the commit
            fail();
        }));
        EXPECT_EQ(store.keys("Note"), Keys{"kept"});
        EXPECT_THROW((void)handed->load("kept"), std::logic_error) << "the handed store serves only the work";
    }
    store.transaction([](PersistentStore& inside) {
        inside.save("one", BytesRecord("Note", 1, "1"));
        inside.save("two", BytesRecord("Note", 1, "2"));
        inside.remove("kept");
    });
    EXPECT_EQ(store.keys("Note"), (Keys{"one", "two"}));
}

TEST(SqlitePersistentStore, ReadersOnSeveralThreadsSeeOnlyWholeRecordsAndTransactions) {
    ScratchDirectory directory;
    SqlitePersistentStore store(directory / "store.db");
    constexpr int pairs = 20;
    std::atomic<bool> writing{true};
    std::atomic<int> failures{0}, reads{0};
    // A pair "a<i>", "b<i>" is saved in one transaction, then "single<i>" alone; readers must see
    // pairs whole, their number never shrinking, and each record with the bytes it was saved with.
    std::thread writer([&] {
        for (int i = 0; i < pairs; ++i) {
            const std::string n = std::to_string(i);
            store.transaction([&](PersistentStore& inside) {
                for (const char* side : {"a", "b"}) inside.save(side + n, BytesRecord("Pair", 1, n));
            });
            store.save("single" + n, BytesRecord("Single", 1, n));
        }
        writing = false;
    });
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&] {
            std::size_t seen = 0;
            do {
                const Keys keys = store.keys("Pair");
                if (keys.size() % 2 != 0 || keys.size() < seen) ++failures;
                seen = keys.size();
                for (const auto& key : keys)
                    if (store.load(key) != storedAs("Pair", 1, key.substr(1))) ++failures;
                ++reads;
            } while (writing);
        });
    }
    writer.join();
    for (auto& reader : readers) reader.join();
    EXPECT_EQ(failures, 0);
    EXPECT_GE(reads, 3);
    EXPECT_EQ(store.keys("Pair").size() + store.keys("Single").size(), 3u * pairs);
}

TEST(SqlitePersistentStore, FilesThatHoldNoStoreFailToOpenAndReadOnlyOnesAtTheWrite) {
    ScratchDirectory directory;
    const auto text = directory / "text.db", damaged = directory / "damaged.db", other = directory / "other.db";
    std::ofstream(text) << std::string(2048, 'x');
    SqlitePersistentStore(damaged).save("k", BytesRecord("Note", 1, "bytes"));
    std::fstream(damaged, std::ios::in | std::ios::out | std::ios::binary).write("not SQLite, no!!", 16);
    sqlite3* db = nullptr;
    sqlite3_open(other.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE unrelated (x)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    using enum SqlitePersistentStore::Access;
    const auto opening = [](std::filesystem::path file, SqlitePersistentStore::Access access) {
        return [=] { SqlitePersistentStore store(file, access); };
    };
    const std::string notADatabase = "open|26|open in ", cannotOpen = "open|14|open in ";
    EXPECT_EQ(storeFailure(opening(text, readWrite)), notADatabase + text.string() + ": file is not a database");
    EXPECT_EQ(storeFailure(opening(damaged, readOnly)), notADatabase + damaged.string() + ": file is not a database");
    EXPECT_EQ(storeFailure(opening(directory.path, readWrite)),
              cannotOpen + directory.path.string() + ": unable to open database file");
    EXPECT_EQ(storeFailure(opening(directory / "missing.db", readOnly)),
              cannotOpen + (directory / "missing.db").string() + ": unable to open database file");
    EXPECT_EQ(storeFailure(opening(other, readOnly)), "open|1|open in " + other.string() + ": no such table: records");

    const auto file = directory / "store.db";
    SqlitePersistentStore(file).save("k", BytesRecord("Note", 1, "bytes"));
    SqlitePersistentStore store(file, readOnly);
    EXPECT_EQ(store.load("k"), storedAs("Note", 1, "bytes"));
    const auto readOnlyFailure = [&](const std::string& operation, const std::string& key) {
        return operation + "|8|" + operation + " of \"" + key + "\" in " + file.string() +
               ": attempt to write a readonly database";
    };
    EXPECT_EQ(storeFailure([&] { store.save("new", BytesRecord("Note", 1, "")); }), readOnlyFailure("save", "new"));
    EXPECT_EQ(storeFailure([&] { store.remove("k"); }), readOnlyFailure("remove", "k"));
    EXPECT_EQ(storeFailure([&] { store.transaction([](PersistentStore& s) { s.save("t", BytesRecord("N", 1, "")); }); }),
              readOnlyFailure("save", "t"));
    EXPECT_EQ(store.keys("Note"), Keys{"k"});
}

}  // namespace
}  // namespace vorlane
