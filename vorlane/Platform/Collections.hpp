#pragma once

#include <memory>
#include <type_traits>
#include <vector>

namespace vorlane {

/// The first element that is a `U` (its dynamic type is `U` or derives from it), or null when there is
/// none. Null elements are skipped. The result shares ownership with the list.
///
///     auto trailer = firstOfType<TrailerAction>(actions);  // std::shared_ptr<const TrailerAction>
template <class U, class Base>
[[nodiscard]] std::shared_ptr<const U> firstOfType(const std::vector<std::shared_ptr<const Base>>& items) {
    static_assert(std::is_polymorphic_v<Base>, "firstOfType looks at dynamic types: Base must be polymorphic");
    for (const auto& item : items) {
        if (auto match = std::dynamic_pointer_cast<const U>(item)) return match;
    }
    return nullptr;
}

}  // namespace vorlane
