#pragma once
// A string-keyed map that keeps the order of its entries as they appeared in the answer, so
// "the first entry" means the first one in the document.
//
// Entries sit in one vector in insertion order. Small maps are searched linearly (no index, no
// extra allocation); once a map grows past a few entries it keeps an open-addressing index of
// entry positions, so building a map of n keys from an answer costs O(n) whatever n is. The hash
// is seeded per process, so an answer cannot be crafted to make every key collide.

#include "vorlane/Platform/Json/Vocabulary.hpp"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace vorlane {

namespace detail {
// A seeded hash of a key (the seed is drawn once per process).
std::uint64_t orderedMapHash(std::string_view key) noexcept;
}  // namespace detail

template <class V>
class OrderedMap {
public:
    using value_type = std::pair<std::string, V>;
    using const_iterator = typename std::vector<value_type>::const_iterator;

    OrderedMap() = default;
    OrderedMap(std::initializer_list<value_type> entries) {
        reserve(entries.size());
        for (const auto& entry : entries) insertOrAssign(entry.first, entry.second);
    }

    const V* find(std::string_view key) const noexcept {
        const std::size_t at = position(key);
        return at == npos ? nullptr : &entries_[at].second;
    }
    V* find(std::string_view key) noexcept {
        const std::size_t at = position(key);
        return at == npos ? nullptr : &entries_[at].second;
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
        indexLast();
        return entries_.back().second;
    }
    template <json::HasVocabulary E>
    V& insertOrAssign(E key, V value) {
        return insertOrAssign(std::string(json::wireString(key)), std::move(value));
    }
    // The position of `key`, appending it with a default value when absent.
    std::size_t positionOrAppend(std::string_view key) {
        if (const std::size_t at = position(key); at != npos) return at;
        entries_.emplace_back(std::piecewise_construct, std::forward_as_tuple(key), std::forward_as_tuple());
        indexLast();
        return entries_.size() - 1;
    }
    // The value at a position (below size()).
    V& valueAt(std::size_t at) noexcept { return entries_[at].second; }

    void clear() noexcept {
        entries_.clear();
        slots_.clear();
    }
    bool erase(std::string_view key) {
        const std::size_t at = position(key);
        if (at == npos) return false;
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
        rebuildIndex();
        return true;
    }

    const_iterator begin() const noexcept { return entries_.begin(); }
    const_iterator end() const noexcept { return entries_.end(); }
    std::size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    void reserve(std::size_t n) {
        entries_.reserve(n);
        if (n > linearLimit && slotsFor(n) > slots_.size()) rebuildIndex(n);
    }
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
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    static constexpr std::size_t linearLimit = 8;  // maps this small are searched without an index
    static constexpr std::uint32_t emptySlot = 0xFFFFFFFFu;

    // A power of two at least twice the entry count, so probes stay short.
    static std::size_t slotsFor(std::size_t n) noexcept {
        std::size_t slots = 16;
        while (slots < 2 * n) slots *= 2;
        return slots;
    }

    std::size_t position(std::string_view key) const noexcept {
        if (slots_.empty()) {
            for (std::size_t i = 0; i < entries_.size(); ++i)
                if (entries_[i].first == key) return i;
            return npos;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = detail::orderedMapHash(key) & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t at = slots_[slot];
            if (at == emptySlot) return npos;
            if (entries_[at].first == key) return at;
        }
    }

    void place(std::size_t at) noexcept {
        const std::size_t mask = slots_.size() - 1;
        std::size_t slot = detail::orderedMapHash(entries_[at].first) & mask;
        while (slots_[slot] != emptySlot) slot = (slot + 1) & mask;
        slots_[slot] = static_cast<std::uint32_t>(at);
    }

    // Indexes the entry just appended, growing (or starting) the index as needed.
    void indexLast() {
        const std::size_t n = entries_.size();
        if (slots_.empty() && n <= linearLimit) return;
        if (slots_.size() < 2 * n) {
            rebuildIndex(n);
            return;
        }
        place(n - 1);
    }

    void rebuildIndex(std::size_t capacity = 0) {
        const std::size_t n = std::max(capacity, entries_.size());
        if (n <= linearLimit) {
            slots_.clear();
            return;
        }
        slots_.assign(slotsFor(n), emptySlot);
        for (std::size_t i = 0; i < entries_.size(); ++i) place(i);
    }

    std::vector<value_type> entries_;
    std::vector<std::uint32_t> slots_;  // entry positions by hash; empty while the map is small
};

}  // namespace vorlane
