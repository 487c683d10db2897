#pragma once

#include <concepts>
#include <utility>
#include <variant>

namespace vorlane {

/// A value that is one of two cases, `left` (an `A`) or `right` (a `B`). `A` and `B` may be the same
/// type: the case is kept by position, not by type. Two values are equal when they hold the same case
/// with equal values; equality exists only when both `A` and `B` are equality-comparable.
template <class A, class B>
class Either {
public:
    using Left = A;
    using Right = B;

    [[nodiscard]] static Either fromLeft(A value) { return Either(std::in_place_index<0>, std::move(value)); }
    [[nodiscard]] static Either fromRight(B value) { return Either(std::in_place_index<1>, std::move(value)); }

    [[nodiscard]] bool isLeft() const noexcept { return storage_.index() == 0; }
    [[nodiscard]] bool isRight() const noexcept { return storage_.index() == 1; }

    /// The case's value; throws `std::bad_variant_access` when the other case is held.
    [[nodiscard]] const A& left() const { return std::get<0>(storage_); }
    [[nodiscard]] const B& right() const { return std::get<1>(storage_); }

    /// The case's value, or null when the other case is held.
    [[nodiscard]] const A* leftIfPresent() const noexcept { return std::get_if<0>(&storage_); }
    [[nodiscard]] const B* rightIfPresent() const noexcept { return std::get_if<1>(&storage_); }

    /// Calls `onLeft` or `onRight` with the held value and returns what it returns.
    template <class OnLeft, class OnRight>
    decltype(auto) match(OnLeft&& onLeft, OnRight&& onRight) const {
        if (isLeft()) return std::forward<OnLeft>(onLeft)(left());
        return std::forward<OnRight>(onRight)(right());
    }

    friend bool operator==(const Either& a, const Either& b)
        requires std::equality_comparable<A> && std::equality_comparable<B>
    {
        return a.storage_ == b.storage_;
    }

private:
    template <std::size_t I, class V>
    Either(std::in_place_index_t<I> which, V&& value) : storage_(which, std::forward<V>(value)) {}

    std::variant<A, B> storage_;
};

}  // namespace vorlane
