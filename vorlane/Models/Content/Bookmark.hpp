#pragma once
// Where one user stopped in one title: the playhead and runtime in seconds and the credits
// thresholds after which the title counts as watched. Also the bookmark of one episode as the
// continue-watching answer of a season lists it, and a bookmark together with the SDK identifier
// of the title it belongs to.

#include "vorlane/Platform/ContentIdentifier.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vorlane {

struct BookmarkContainer;

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

    // This bookmark as the user meta of `identifier`'s title, without a content id.
    BookmarkContainer asContainer(sdk::ContentIdentifier identifier) const;

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

inline auto jsonDerived(json::Tag<Bookmark>) {
    using namespace json::derived;
    return members(member("isCompleted", &Bookmark::isCompleted));
}

// One episode's viewing position, keyed by the episode in a season's continue-watching answer.
struct EpisodeBookmark {
    std::string contentId;
    std::int64_t occurredOn = 0;
    double playhead = 0;
    double runtime = 0;
    double ccThreshold = 0;  // where the credits start

    // How far into the episode the user is, 0 to 1: nothing without a positive runtime and
    // playhead, the whole episode once the playhead reaches the credits or the end.
    double progress() const noexcept;

    bool operator==(const EpisodeBookmark&) const = default;
};

inline auto jsonFields(json::Tag<EpisodeBookmark>) {
    using namespace json::rules;
    using S = EpisodeBookmark;
    return fields(required("contentId", &S::contentId),
                  required("occurredOn", &S::occurredOn),
                  required("playhead", &S::playhead),
                  required("runtime", &S::runtime),
                  required("ccThreshold", &S::ccThreshold));
}

inline auto jsonDerived(json::Tag<EpisodeBookmark>) {
    using namespace json::derived;
    return members(member("progress", &EpisodeBookmark::progress));
}

// A bookmark with the title it belongs to, named as the SDK names titles ({"contentId": ...} or
// {"availId": ...}).
struct BookmarkContainer {
    std::optional<std::string> contentId;
    sdk::ContentIdentifier contentIdentifier;
    Bookmark userMeta;

    BookmarkContainer() = default;
    BookmarkContainer(sdk::ContentIdentifier identifier, Bookmark bookmark)
        : contentIdentifier(std::move(identifier)), userMeta(std::move(bookmark)) {}
    BookmarkContainer(std::optional<std::string> id, sdk::ContentIdentifier identifier, Bookmark bookmark)
        : contentId(std::move(id)), contentIdentifier(std::move(identifier)), userMeta(std::move(bookmark)) {}

    bool operator==(const BookmarkContainer&) const = default;
};

inline auto jsonFields(json::Tag<BookmarkContainer>) {
    using namespace json::rules;
    using S = BookmarkContainer;
    return fields(optional("contentId", &S::contentId),
                  required("contentIdentifier", &S::contentIdentifier),
                  required("userMeta", &S::userMeta));
}

}  // namespace vorlane

template <>
struct std::hash<vorlane::EpisodeBookmark> {
    std::size_t operator()(const vorlane::EpisodeBookmark& bookmark) const noexcept;
};

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Bookmark)
VORLANE_JSON_RECORD(vorlane::EpisodeBookmark)
VORLANE_JSON_RECORD(vorlane::BookmarkContainer)
