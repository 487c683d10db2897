// Queries over HTTP on the loopback interface: the service over the HTTP session against the
// catalog's server, one at a time and 200 at once, with each query's latency from subscription to
// its result (p50 and p99 over every query of the run).

#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Transport/CatalogServer.hpp"
#include "vorlane/Transport/HttpSession.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kVideo = "d4e5f6a7-tidewater-s2e4";

struct Loopback {
    std::shared_ptr<vorlane::CatalogSession> catalog = vorlane::CatalogSession::open(VORLANE_CATALOG_DIR);
    vorlane::CatalogServer server{catalog, {}};
    std::shared_ptr<vorlane::HttpSession> session = std::make_shared<vorlane::HttpSession>(
        vorlane::HttpSessionOptions{.baseUrl = server.url(), .client = {}, .extraHeaders = {}});
    vorlane::SDKContentService service{
        vorlane::SDKContentService::Inputs::fixed(session, catalog->catalog().configuration, vorlane::QueryContext{})};
};

Loopback& loopback() {
    static Loopback instance;
    return instance;
}

void reportLatencies(benchmark::State& state, std::vector<double>& micros) {
    std::sort(micros.begin(), micros.end());
    if (micros.empty()) return;
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
}

void BM_HttpQuerySequential(benchmark::State& state) {
    auto& lb = loopback();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(lb.service.getVideo(kVideo).blockingGet());
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    reportLatencies(state, micros);
}

void BM_Http200Concurrent(benchmark::State& state) {
    auto& lb = loopback();
    constexpr int count = 200;
    std::vector<double> micros;
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable allDone;
        int finished = 0, failed = 0;
        std::vector<vorlane::rx::Disposable> subscriptions;
        subscriptions.reserve(count);
        for (int i = 0; i < count; ++i) {
            const auto start = Clock::now();
            const auto finish = [&, start](bool ok) {
                std::lock_guard lock(mutex);
                micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
                failed += ok ? 0 : 1;
                if (++finished == count) allDone.notify_all();
            };
            subscriptions.push_back(lb.service.getVideo(kVideo).subscribe([finish](const vorlane::Video&) { finish(true); },
                                                                          [finish](std::exception_ptr) { finish(false); }));
        }
        std::unique_lock lock(mutex);
        allDone.wait(lock, [&] { return finished == count; });
        if (failed) state.SkipWithError("queries failed");
    }
    state.SetItemsProcessed(state.iterations() * count);
    reportLatencies(state, micros);
}

BENCHMARK(BM_HttpQuerySequential)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Http200Concurrent)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
