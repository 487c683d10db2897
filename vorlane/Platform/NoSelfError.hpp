#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vorlane {

/// Reported by work that runs on behalf of an object held weakly when that object is gone by the time
/// the work runs (the live-now provider's refresh, for one).
class NoSelfError : public std::runtime_error {
public:
    NoSelfError() : std::runtime_error("the object this work belongs to no longer exists") {}

    /// `owner` names the object, e.g. "LiveNowInfoProvider".
    explicit NoSelfError(std::string_view owner)
        : std::runtime_error(std::string(owner) + " no longer exists") {}
};

}  // namespace vorlane
