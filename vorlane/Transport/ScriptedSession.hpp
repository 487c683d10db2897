#pragma once
// An in-memory session for tests: replies are queued in advance and consumed in order, one per
// call that runs (search, query, execute, watchlist add or remove). A reply is answer bytes, an
// error, or answer bytes delivered later from another thread. A call with no reply left fails
// with ScriptedSessionError. Every call is recorded, in order, when it runs (at subscription).

#include "vorlane/Platform/Session.hpp"
#include "vorlane/Transport/SessionCall.hpp"

#include <chrono>
#include <memory>
#include <stdexcept>

namespace vorlane {

class ScriptedSessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScriptedSession final : public sdk::Session {
public:
    ScriptedSession();
    ~ScriptedSession() override;

    void enqueueAnswer(std::string bytes);
    void enqueueError(std::exception_ptr error);
    // The answer arrives from a worker thread after `delay`.
    void enqueueAnswerFromThread(std::string bytes, std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    std::size_t pendingReplies() const;

    std::shared_ptr<const sdk::ContentAPI> contentApi() const override;
    std::shared_ptr<const sdk::ExploreAPI> exploreApi() const override;

    // The calls that ran so far, in order (bookmark imports included).
    std::vector<SessionCall> calls() const;
    // How many times contentApi() and exploreApi() were asked for.
    std::size_t apiRequests() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace vorlane
