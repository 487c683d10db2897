#pragma once
// Where one user stopped in one title: the playhead and runtime in seconds and the credits
// thresholds after which the title counts as watched.

#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane {

struct Bookmark {
    std::string userId;
    std::int64_t occurredOn = 0;
    double playhead = 0;
    double runtime = 0;
    std::optional<double> ccMedia;  // the title's own credits start, when known
    double ccDefault = 0;           // the credits start to use otherwise

    // Watched once the playhead reaches the credits: the title's own start when it is positive,
    // else the default one when that is positive; with neither, never.
    bool isCompleted() const noexcept;

    bool operator==(const Bookmark&) const = default;
};

inline auto jsonFields(json::Tag<Bookmark>) {
    using namespace json::rules;
    using S = Bookmark;
    return fields(required("userId", &S::userId),
                  required("occurredOn", &S::occurredOn),
                  required("playhead", &S::playhead),
                  required("runtime", &S::runtime),
                  optional("ccMedia", &S::ccMedia),
                  required("ccDefault", &S::ccDefault));
}

}  // namespace vorlane
