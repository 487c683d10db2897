#pragma once
// When an Explore page or set must be fetched again: its refresh policy, an optional time to
// live, and the moment the value was received.

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace vorlane {

// What makes a page stale; `unknown` holds any other name as sent.
enum class RefreshPolicyCase { onPlaybackAction, onTTL, session, search, unknown };

constexpr auto jsonVocabulary(json::Tag<RefreshPolicyCase>) {
    using enum RefreshPolicyCase;
    return json::vocabulary<RefreshPolicyCase>("RefreshPolicy", {
        {onPlaybackAction, "on_playback_action"},
        {onTTL, "on_ttl"},
        {session, "session"},
        {search, "search"},
    })
        .catchAll(unknown);
}

// A refresh policy: a known case, or `unknown` holding the text. `RefreshPolicy::fromWire(text)`
// never fails; `rawValue()` is the wire string or the held text.
using RefreshPolicy = json::OpenEnum<RefreshPolicyCase>;

// The clock that dates refresh records and measures their age. Monotonic by default, so a change
// of the wall clock does not make pages stale or fresh. Tests replace it for a scope:
//
//   auto t = RefreshClock::now();
//   RefreshClock::Override clock([&] { return t; });
//   ... t += 301s; ...
class RefreshClock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    using Source = std::function<time_point()>;

    // The current time: the innermost override's, else the steady clock's. Thread-safe.
    static time_point now();

    // Replaces the clock process-wide while alive; the previous clock returns on destruction.
    // Overrides nest and must end in reverse order of creation.
    class Override {
    public:
        explicit Override(Source source);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Source previous_;
    };
};

// The refresh rule of a page or set. Read from {"policy": string, "ttlSeconds": integer or
// absent}; the moment it is decoded or constructed starts its time to live.
//
// Equality compares the policy and the time to live as sent, not the moment of receipt: the
// same answer decoded twice gives equal values.
class ExploreRefresh {
public:
    // Both start the time to live now (RefreshClock). The default value has an unknown, empty
    // policy, so it is stale as soon as any time passes.
    ExploreRefresh();
    explicit ExploreRefresh(RefreshPolicy policy, std::optional<std::int64_t> ttlSeconds = {});

    RefreshPolicy rawPolicy;
    std::optional<std::int64_t> rawTtlSeconds;

    // The moment this value was built or decoded; never read from or written to JSON.
    RefreshClock::time_point ttlBegin() const noexcept { return ttlBegin_; }

    // The policy in effect: an unknown policy behaves as `onTTL`.
    RefreshPolicy policy() const;
    // The time to live in effect: an unknown policy has a time to live of zero seconds.
    std::optional<std::int64_t> ttlSeconds() const;

    // Whether the page must be fetched again, given whether the user session was reset and
    // whether a playback happened since the value was received:
    //  1. with an unknown policy, or a time to live, once the age exceeds the time to live
    //     (zero for an unknown policy; exactly the time to live is still fresh);
    //  2. after a session reset;
    //  3. for `onPlaybackAction`, after a playback.
    bool needsRefresh(bool sessionReset, bool playbackHappened) const;

    bool operator==(const ExploreRefresh& other) const {
        return rawPolicy == other.rawPolicy && rawTtlSeconds == other.rawTtlSeconds;
    }

private:
    RefreshClock::time_point ttlBegin_;
};

// Decoding builds the value first, so its time to live starts when the answer is read.
inline auto jsonFields(json::Tag<ExploreRefresh>) {
    using namespace json::rules;
    using S = ExploreRefresh;
    return fields(required("policy", &S::rawPolicy), optional("ttlSeconds", &S::rawTtlSeconds));
}

inline auto jsonDerived(json::Tag<ExploreRefresh>) {
    using namespace json::derived;
    return members(member("policy", &ExploreRefresh::policy),
                   member("ttlSeconds", &ExploreRefresh::ttlSeconds));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExploreRefresh)
