#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "vorlane/Platform/Notifications.hpp"

namespace vorlane {
namespace {

constexpr NotificationName otherName{"somethingElse"};

TEST(NotificationCenterTest, DeliversNameObjectAndUserInfoToObserversOfThatNameInOrder) {
    NotificationCenter center;
    std::vector<std::string> calls;
    bool isAdd = true;
    std::string with;
    auto first = center.addObserver(NotificationName::watchlistUpdated, [&](const Notification& n) {
        calls.push_back("first");
        EXPECT_FALSE(n.object.has_value());
        isAdd = std::any_cast<bool>(n.userInfo.at(NotificationUserInfoKey::isAdd));
        with = std::any_cast<std::string>(n.userInfo.at(NotificationUserInfoKey::with));
    });
    auto second = center.addObserver(NotificationName::watchlistUpdated, [&](const Notification&) {
        calls.push_back("second");
    });
    auto other = center.addObserver(otherName, [&](const Notification&) { calls.push_back("other"); });

    center.post(NotificationName::watchlistUpdated, {},
                {{NotificationUserInfoKey::source, std::string("{}")},
                 {NotificationUserInfoKey::isAdd, false},
                 {NotificationUserInfoKey::with, std::string("detailsPage")}});

    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(isAdd);
    EXPECT_EQ(with, "detailsPage");
    EXPECT_EQ(NotificationName::watchlistUpdated.rawValue(), "watchlistUpdated");
}

TEST(NotificationCenterTest, RemovalTakesEffectImmediatelyIncludingDuringAPost) {
    NotificationCenter center;
    std::vector<std::string> calls;
    ObservationToken self;
    ObservationToken later;
    self = center.addObserver(otherName, [&](const Notification&) {
        calls.push_back("self");
        self.cancel();   // removes itself while being called
        later.cancel();  // and an observer this post has not reached yet
    });
    later = center.addObserver(otherName, [&](const Notification&) { calls.push_back("later"); });
    auto kept = center.addObserver(otherName, [&](const Notification&) { calls.push_back("kept"); });
    {
        auto scoped = center.addObserver(otherName, [&](const Notification&) { calls.push_back("scoped"); });
    }

    center.post(otherName);
    center.post(otherName);
    EXPECT_EQ(calls, (std::vector<std::string>{"self", "kept", "kept"}));
    EXPECT_FALSE(self.active());

    // Reassigning a token removes the observer it held.
    kept = center.addObserver(otherName, [&](const Notification&) { calls.push_back("replacement"); });
    center.post(otherName);
    EXPECT_EQ(calls.back(), "replacement");
    EXPECT_EQ(calls.size(), 4u);
}

TEST(NotificationCenterTest, RemovalWaitsForACallbackRunningOnAnotherThread) {
    NotificationCenter center;
    std::promise<void> entered;
    std::atomic<bool> finished{false};
    auto token = center.addObserver(otherName, [&](const Notification&) {
        entered.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    });
    std::thread poster([&] { center.post(otherName); });
    entered.get_future().wait();
    token.cancel();
    EXPECT_TRUE(finished.load()) << "cancel returned while the callback was still running";
    poster.join();
}

TEST(NotificationCenterTest, TokensOutliveTheirCenterSafely) {
    ObservationToken token;
    {
        NotificationCenter center;
        token = center.addObserver(otherName, [](const Notification&) {});
    }
    token.cancel();
    EXPECT_FALSE(token.active());
}

}  // namespace
}  // namespace vorlane
