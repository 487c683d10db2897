#include "vorlane/Platform/Persistence.hpp"

namespace vorlane {

void InMemoryPersistentStore::save(std::string_view key, const Persistable& record) {
    // Encoded before locking: encoding runs the record's own code, which must not run under our lock.
    PersistedRecord stored{record.schema(), record.encode()};
    std::lock_guard lock(mutex_);
    records_.insert_or_assign(std::string(key), std::move(stored));
}

std::optional<PersistedRecord> InMemoryPersistentStore::load(std::string_view key) const {
    std::lock_guard lock(mutex_);
    const auto found = records_.find(key);
    if (found == records_.end()) return std::nullopt;
    return found->second;
}

bool InMemoryPersistentStore::remove(std::string_view key) {
    std::lock_guard lock(mutex_);
    const auto found = records_.find(key);
    if (found == records_.end()) return false;
    records_.erase(found);
    return true;
}

std::vector<std::string> InMemoryPersistentStore::keys(std::string_view schemaName) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& [key, record] : records_) {
        if (record.schema.name == schemaName) result.push_back(key);
    }
    return result;
}

}  // namespace vorlane
