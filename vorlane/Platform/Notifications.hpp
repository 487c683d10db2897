#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace vorlane {

/// The name of a notification. Names are compile-time constants (the constructor only accepts a
/// constant expression), so a name never refers to text that can go away, and comparing names compares
/// their text.
class NotificationName {
public:
    consteval explicit NotificationName(std::string_view rawValue) : rawValue_(rawValue) {}

    [[nodiscard]] constexpr std::string_view rawValue() const noexcept { return rawValue_; }

    friend constexpr bool operator==(NotificationName a, NotificationName b) noexcept {
        return a.rawValue_ == b.rawValue_;
    }

    /// Posted after the watchlist changed through the legacy content API (an item was put or deleted).
    static const NotificationName watchlistUpdated;

private:
    std::string_view rawValue_;
};

inline constexpr NotificationName NotificationName::watchlistUpdated{"watchlistUpdated"};

/// The keys of a notification's user info that the library posts.
///
/// `watchlistUpdated` carries three entries:
/// - `source`: the free-form JSON object describing where the change came from, as the caller gave it
///   (a `JsonValue`);
/// - `isAdd`: `bool`, true when an item was put on the watchlist, false when one was deleted;
/// - `with`: `std::string`, the text the caller passed along with the change.
struct NotificationUserInfoKey {
    static constexpr const char* source = "source";
    static constexpr const char* isAdd = "isAdd";
    static constexpr const char* with = "with";
};

/// User info: string keys to values of any type. A reader takes a value out with `std::any_cast`.
using NotificationUserInfo = std::map<std::string, std::any, std::less<>>;

/// The user info as one compact JSON object, keys in order: each value of a type the library posts
/// (`JsonValue`, `bool`, `std::string`, `std::int64_t`, `double`) as itself, any other as the string
/// "<unprintable>". For traces and inspection.
[[nodiscard]] std::string userInfoJson(const NotificationUserInfo& userInfo);

/// What an observer receives.
struct Notification {
    NotificationName name;
    std::any object;  ///< the sender, if the poster gave one
    NotificationUserInfo userInfo;
};

class NotificationCenter;

/// Keeps an observer registered while alive; destroying it (or `cancel`) removes the observer.
///
/// Once removal has returned, the observer's callback is not running on any other thread and will not
/// be called again, so a callback may safely use objects that die with the token. A callback may
/// remove its own observer (or any other) while it runs; that removal does not wait for itself.
class ObservationToken {
public:
    ObservationToken() noexcept = default;
    ObservationToken(ObservationToken&& other) noexcept = default;
    ObservationToken& operator=(ObservationToken&& other) noexcept;
    ObservationToken(const ObservationToken&) = delete;
    ObservationToken& operator=(const ObservationToken&) = delete;
    ~ObservationToken() { cancel(); }

    /// Removes the observer; does nothing when already removed or when the token is empty.
    void cancel() noexcept;

    /// Whether this token still holds a registration.
    [[nodiscard]] bool active() const noexcept { return observer_ != nullptr; }

private:
    friend class NotificationCenter;
    struct Observer;
    struct Registry;

    ObservationToken(std::weak_ptr<Registry> registry, std::shared_ptr<Observer> observer) noexcept
        : registry_(std::move(registry)), observer_(std::move(observer)) {}

    std::weak_ptr<Registry> registry_;
    std::shared_ptr<Observer> observer_;
};

/// Delivers notifications posted by name to the observers registered for that name.
///
/// Thread-safe. Observers run synchronously on the posting thread, in the order they were added, and
/// outside the center's lock, so they may post, add or remove observers. An observer added during a post
/// is not called by that post; an observer removed during a post is not called after its removal. An
/// exception thrown by an observer propagates out of `post`, and later observers of that post are not
/// called.
class NotificationCenter {
public:
    using Callback = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    /// The process-wide center the library posts to. Never destroyed.
    [[nodiscard]] static NotificationCenter& defaultCenter();

    void post(NotificationName name, std::any object = {}, NotificationUserInfo userInfo = {});

    /// Registers `callback` for notifications named `name`; it stays registered while the token lives.
    [[nodiscard]] ObservationToken addObserver(NotificationName name, Callback callback);

    /// Same as `token.cancel()`.
    void removeObserver(ObservationToken& token) noexcept { token.cancel(); }

private:
    std::shared_ptr<ObservationToken::Registry> registry_;
};

}  // namespace vorlane
