// The HTTP session against the catalog's server on a loopback port: answers equal the catalog
// session's, every injected fault ends each query exactly once with its own failure, and many
// queries at once all complete.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Transport/CatalogServer.hpp"
#include "vorlane/Transport/HttpSession.hpp"
#include "vorlane/Transport/NamedRequests.hpp"
#include "vorlane/Requests/Requests.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace vorlane {
namespace {

constexpr const char* kVideo = "d4e5f6a7-tidewater-s2e4";

struct OverHttp : ::testing::Test {
    std::shared_ptr<CatalogSession> catalog = CatalogSession::open(VORLANE_CATALOG_DIR);
    CatalogServer server{catalog, {.host = "127.0.0.1", .port = 0, .faults = {}, .faultHeader = true}};

    std::shared_ptr<HttpSession> session(std::vector<std::pair<std::string, std::string>> headers = {},
                                         HttpClientOptions client = {}, std::string url = "") {
        return std::make_shared<HttpSession>(
            HttpSessionOptions{.baseUrl = url.empty() ? server.url() : url, .client = client, .extraHeaders = std::move(headers)});
    }
    static SDKContentService serviceOver(std::shared_ptr<sdk::Session> over, const ContentQueryConfiguration& configuration) {
        return SDKContentService(SDKContentService::Inputs::fixed(std::move(over), configuration, QueryContext{}));
    }
    SDKContentService serviceOver(std::shared_ptr<sdk::Session> over) const {
        return serviceOver(std::move(over), catalog->catalog().configuration);
    }
};

// Subscribes and waits; counts how the Single ended, which must be once.
struct Outcome {
    int values = 0, errors = 0;
    std::exception_ptr error;
};
template <class T>
Outcome await(const rx::Single<T>& single) {
    Outcome outcome;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    auto finish = [&](auto record) {
        std::lock_guard lock(mutex);
        record();
        done = true;
        ended.notify_all();
    };
    auto subscription = single.subscribe([&](const T&) { finish([&] { ++outcome.values; }); },
                                         [&](std::exception_ptr error) { finish([&] { ++outcome.errors, outcome.error = error; }); });
    std::unique_lock lock(mutex);
    ended.wait_for(lock, std::chrono::seconds(10), [&] { return done; });
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a second ending would land by now
    return outcome;
}

std::optional<HttpFailureKind> failureKind(const Outcome& outcome) {
    if (!outcome.error) return std::nullopt;
    try {
        std::rethrow_exception(outcome.error);
    } catch (const HttpError& error) {
        return error.kind();
    } catch (...) {
        return std::nullopt;
    }
}

TEST_F(OverHttp, AnswersAndCallsAreTheCatalogSessions) {
    auto http = session();
    const auto overHttp = serviceOver(http);
    const auto overCatalog = serviceOver(catalog);
    // Each pair in order: over HTTP first, then straight through the catalog session.
    const auto same = [](const auto& overHttp, const auto& direct) {
        const auto first = overHttp();
        EXPECT_EQ(first, direct());
    };
    same([&] { return overHttp.getVideo(kVideo).blockingGet(); }, [&] { return overCatalog.getVideo(kVideo).blockingGet(); });
    same([&] { return overHttp.getExplorePage("page-home", std::nullopt, 15).blockingGet(); },
         [&] { return overCatalog.getExplorePage("page-home", std::nullopt, 15).blockingGet(); });
    same([&] { return overHttp.getUserState({"pid-hl-s01e04", "pid-hl-s01e05"}).blockingGet(); },
         [&] { return overCatalog.getUserState({"pid-hl-s01e04", "pid-hl-s01e05"}).blockingGet(); });
    EXPECT_NO_THROW(overHttp.addToWatchlistExplore({"r", "deeplinkId", std::nullopt}).blockingGet());
    // The client records each call as the catalog session records the same call made directly.
    const auto sent = catalog->calls();
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(http->calls(), (std::vector<SessionCall>{sent[1], sent[3], sent[5], sent[6]}));
}

TEST_F(OverHttp, EachFaultEndsTheQueryOnceWithItsFailure) {
    HttpClientOptions quick;
    quick.totalTimeout = std::chrono::milliseconds(150);
    HttpClientOptions small;
    small.maxBodyBytes = 64;
    CatalogServer stopped{catalog, {}};
    const std::string closedUrl = stopped.url();
    stopped.stop();
    std::string tlsUrl = server.url();
    tlsUrl.replace(0, 4, "https");
    const struct Row {
        std::string name;
        std::shared_ptr<HttpSession> session;
        HttpFailureKind expected;
    } rows[] = {
        {"delay past the timeout", session({{"X-Vorlane-Fault", "delay=400"}}, quick), HttpFailureKind::timeout},
        {"status", session({{"X-Vorlane-Fault", "status=503"}}), HttpFailureKind::status},
        {"truncated body", session({{"X-Vorlane-Fault", "truncate"}}), HttpFailureKind::truncated},
        {"dropped connection", session({{"X-Vorlane-Fault", "drop"}}), HttpFailureKind::dropped},
        {"answer too large", session({}, small), HttpFailureKind::tooLarge},
        {"nothing listens", session({}, {}, closedUrl), HttpFailureKind::refused},
        {"TLS to a plain server", session({}, {}, tlsUrl), HttpFailureKind::tls},
        {"a bad fault request", session({{"X-Vorlane-Fault", "explode"}}), HttpFailureKind::status},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outcome = await(serviceOver(row.session).getVideo(kVideo));
        EXPECT_EQ(outcome.values + outcome.errors, 1);
        EXPECT_EQ(failureKind(outcome), row.expected);
    }
    // A delay within the timeout is only slower; an unrouted query is the server's 404 with its reason.
    EXPECT_EQ(await(serviceOver(session({{"X-Vorlane-Fault", "delay=50"}})).getVideo(kVideo)).values, 1);
    try {
        serviceOver(session()).getVideo("no-such-video").blockingGet();
        ADD_FAILURE() << "no error";
    } catch (const HttpError& error) {
        ASSERT_TRUE(error.response());
        EXPECT_EQ(error.response()->status, 404);
        EXPECT_EQ(JsonValue::parse(error.response()->body)["error"], "unrouted");
    }
}

TEST_F(OverHttp, ManyQueriesAtOnceAllCompleteOnce) {
    auto http = session();
    const auto service = serviceOver(http);
    constexpr int count = 200;
    std::atomic<int> values{0}, errors{0}, finished{0};
    std::mutex mutex;
    std::condition_variable allDone;
    std::vector<rx::Disposable> subscriptions;
    for (int i = 0; i < count; ++i) {
        subscriptions.push_back(service.getVideo(kVideo).subscribe(
            [&](const Video&) { ++values, ++finished, allDone.notify_all(); },
            [&](std::exception_ptr) { ++errors, ++finished, allDone.notify_all(); }));
    }
    std::unique_lock lock(mutex);
    allDone.wait_for(lock, std::chrono::seconds(30), [&] { return finished.load() == count; });
    EXPECT_EQ(values.load(), count);
    EXPECT_EQ(errors.load(), 0);
    EXPECT_EQ(http->calls().size(), static_cast<std::size_t>(count));
    EXPECT_EQ(http->client().inFlight(), 0u);
}

TEST_F(OverHttp, DisposingCancelsTheTransferAndTheServerParsesFaults) {
    auto slow = session({{"X-Vorlane-Fault", "delay=400"}});
    int ended = 0;
    auto subscription = serviceOver(slow).getVideo(kVideo).subscribe([&](const Video&) { ++ended; },
                                                                     [&](std::exception_ptr) { ++ended; });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    subscription.dispose();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(slow->client().inFlight(), 0u);
    EXPECT_EQ(ended, 0);

    EXPECT_EQ(ServerFault::parse("status=503,path=/explore/"),
              (ServerFault{ServerFault::Kind::status, 503, "/explore/"}));
    for (const char* bad : {"status=99", "delay=-1", "delay=", "truncate,page=x", "boom"})
        EXPECT_THROW(ServerFault::parse(bad), std::invalid_argument) << bad;
}

TEST_F(OverHttp, StaticFilesAndNamedRequests) {
    const HttpClient client;
    const struct Row {
        std::string path;
        bool served;
    } rows[] = {
        {"static/config/app-config.json", true},
        {"static/config/", false},  // a folder is not a file
        {"static/config/none.json", false},
        {"static/%2e%2e/manifest.json", false},     // nothing outside the folder,
        {"static/..%2fRequestConfig.json", false},  // however the step up is spelled
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        HttpRequest get;
        get.url = server.url() + row.path;
        const Outcome outcome = await(client.send(get));
        if (row.served)
            EXPECT_EQ(outcome.values, 1);
        else
            EXPECT_EQ(failureKind(outcome), HttpFailureKind::status);
    }
    // The catalog's request configuration with the server as its base: the answer is the file,
    // and the cache takes it.
    const auto manager = RequestManager::load(std::filesystem::path(VORLANE_CATALOG_DIR) / "RequestConfig.json", server.url());
    Requests::setRequestManager(manager);
    const Request request = Requests::paywall("annual.json").request();
    const HttpResponse response = sendRequest(client, manager, request).blockingGet();
    EXPECT_EQ(*response.header("content-type"), "application/json");
    EXPECT_EQ(JsonValue::parse(response.body)["plans"][0]["id"], "annual");
    EXPECT_EQ(manager->cachedResponse(request), response);
    Requests::setRequestManager(nullptr);
}

}  // namespace
}  // namespace vorlane
