// The cost of one query through the service frame over the built-in catalog: reading the current
// inputs, building the variables, routing the query through the catalog's manifest, reading the
// answer, decoding it and delivering the result. The decode of the same bytes alone is measured
// beside it, so the difference is what the frame and the session add.

#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Transport/CatalogSession.hpp"

#include <benchmark/benchmark.h>


namespace {

using namespace vorlane;

struct NoTracker final : NonFatalErrorTracker {
    using NonFatalErrorTracker::logNonFatalError;
    void logNonFatalError(const std::string&, const StringDictionary&, const StringDictionary&) const override {}
};

struct ServiceUnderBench {
    std::shared_ptr<CatalogSession> session = CatalogSession::open(VORLANE_CATALOG_DIR);
    SDKContentService service{SDKContentService::Inputs::fixed(session, session->catalog().configuration,
                                                                QueryContext{}, std::make_shared<NoTracker>())};
    std::string contentId;  // the content id the catalog's video answer is routed by
    std::string answer;     // that answer's bytes

    ServiceUnderBench() {
        for (const auto& entry : session->catalog().manifest.answers) {
            if (!entry.query || entry.query->key != ContentQueryIdentifier::video || !entry.query->variables) continue;
            const auto id = entry.query->variables->find("contentId");
            if (id == entry.query->variables->end() || !id->is_string()) continue;
            contentId = id->get<std::string>();
            answer = readFile(session->catalog().directory / entry.file);
            return;
        }
    }
};

ServiceUnderBench& fixture() {
    static ServiceUnderBench instance;
    return instance;
}

// False, after telling the benchmark why, when the catalog gives nothing to measure.
bool measurable(benchmark::State& state, const ServiceUnderBench& f) {
    if (!f.contentId.empty()) return true;
    state.SkipWithError("the built-in catalog has no video answer routed by \"contentId\"");
    return false;
}

void BM_ServiceQuery(benchmark::State& state) {
    auto& f = fixture();
    if (!measurable(state, f)) return;
    for (auto _ : state) {
        Video video = f.service.getVideo(f.contentId).blockingGet();
        benchmark::DoNotOptimize(video);
    }
}

void BM_ServiceQueryDecodeOnly(benchmark::State& state) {
    auto& f = fixture();
    if (!measurable(state, f)) return;
    const auto settings = decoderSettings(ApiGeneration::legacy);
    for (auto _ : state) {
        auto container = json::decode<SingleVideoContainer>(f.answer, settings);
        benchmark::DoNotOptimize(container);
    }
}

BENCHMARK(BM_ServiceQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServiceQueryDecodeOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
