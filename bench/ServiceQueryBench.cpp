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

// A session whose every legacy answer is already in memory: no routing, no file. What a query
// costs beyond decoding its answer is then the frame's own work (inputs, variables, the Single's
// stages, delivering the value).
class InMemorySession final : public sdk::Session {
public:
    explicit InMemorySession(std::string answer) : api_(std::make_shared<Api>(std::move(answer))) {}
    std::shared_ptr<const sdk::ContentAPI> contentApi() const override { return api_; }
    std::shared_ptr<const sdk::ExploreAPI> exploreApi() const override { return nullptr; }

private:
    struct NoBookmarks final : sdk::BookmarkAPI {
        void import(const std::vector<sdk::Bookmark>&) override {}
    };
    struct Api final : sdk::ContentAPI {
        explicit Api(std::string bytes) : answer(std::move(bytes)) {}
        rx::Single<std::string> query(sdk::RestQuery, std::optional<sdk::SearchOverrides>, std::optional<std::string>,
                                      sdk::CallSite) const override {
            return rx::just(answer);
        }
        sdk::BookmarkAPI& bookmarks() const override { return noBookmarks; }
        std::string answer;
        mutable NoBookmarks noBookmarks;
    };
    std::shared_ptr<Api> api_;
};

void BM_ServiceFrameInMemory(benchmark::State& state) {
    auto& f = fixture();
    if (!measurable(state, f)) return;
    const SDKContentService service{SDKContentService::Inputs::fixed(std::make_shared<InMemorySession>(f.answer),
                                                                     f.session->catalog().configuration, QueryContext{},
                                                                     std::make_shared<NoTracker>())};
    for (auto _ : state) {
        Video video = service.getVideo(f.contentId).blockingGet();
        benchmark::DoNotOptimize(video);
    }
}

BENCHMARK(BM_ServiceQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServiceFrameInMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServiceQueryDecodeOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
