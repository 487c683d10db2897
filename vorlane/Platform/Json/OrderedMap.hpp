#pragma once
// A string-keyed map that keeps the order of its entries as they appeared in the answer, so
// "the first entry" means the first one in the document. Look-ups are linear: maps in answers
// are small, and order matters more than asymptotics here.

#include "vorlane/Platform/Json/Vocabulary.hpp"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlane {

template <class V>
class OrderedMap {
public:
    using value_type = std::pair<std::string, V>;
    using const_iterator = typename std::vector<value_type>::const_iterator;

    OrderedMap() = default;
    OrderedMap(std::initializer_list<value_type> entries) {
        for (const auto& entry : entries) insertOrAssign(entry.first, entry.second);
    }

    const V* find(std::string_view key) const noexcept {
        for (const auto& entry : entries_)
            if (entry.first == key) return &entry.second;
        return nullptr;
    }
    V* find(std::string_view key) noexcept {
        for (auto& entry : entries_)
            if (entry.first == key) return &entry.second;
        return nullptr;
    }
    // A vocabulary case looks up the entry under its wire string.
    template <json::HasVocabulary E>
    const V* find(E key) const noexcept {
        return find(json::wireString(key));
    }
    template <class K>
    bool contains(const K& key) const noexcept {
        return find(key) != nullptr;
    }

    // Replaces the value of an existing key in place (its position is kept), else appends.
    V& insertOrAssign(std::string key, V value) {
        if (V* existing = find(std::string_view(key))) {
            *existing = std::move(value);
            return *existing;
        }
        entries_.emplace_back(std::move(key), std::move(value));
        return entries_.back().second;
    }
    template <json::HasVocabulary E>
    V& insertOrAssign(E key, V value) {
        return insertOrAssign(std::string(json::wireString(key)), std::move(value));
    }
    bool erase(std::string_view key) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->first == key) {
                entries_.erase(it);
                return true;
            }
        return false;
    }

    const_iterator begin() const noexcept { return entries_.begin(); }
    const_iterator end() const noexcept { return entries_.end(); }
    std::size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    void reserve(std::size_t n) { entries_.reserve(n); }
    const value_type& front() const { return entries_.front(); }

    // Maps are equal when they hold the same keys with equal values, in any order.
    bool operator==(const OrderedMap& other) const {
        if (size() != other.size()) return false;
        for (const auto& [key, value] : entries_) {
            const V* theirs = other.find(std::string_view(key));
            if (!theirs || !(*theirs == value)) return false;
        }
        return true;
    }

private:
    std::vector<value_type> entries_;
};

}  // namespace vorlane
