// Decoding throughput beside the raw DOM parse of the same bytes, in one run. The document is the
// Explore home page of the built-in catalog, its shelves repeated to a few megabytes: sets of items
// with visuals, artwork maps by context, content and ratio, actions, progress and pagination.

#include "bench/LegacyCollectionBench.hpp"
#include "bench/PeakMemory.hpp"
#include "vorlane/Models/Explore/ExplorePage.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <map>
#include <random>
#include <string>
#include <thread>

namespace bench {

// The record of the linear-scale runs: a small flat record, so the figures are per element.
struct Image {
    std::string imageId;
    double aspectRatio = 0;
    std::optional<std::string> format;
};

using namespace vorlane::json::rules;
inline auto jsonFields(vorlane::json::Tag<Image>) {
    return fields(required("imageId", &Image::imageId), required("aspectRatio", &Image::aspectRatio),
                  optional("format", &Image::format));
}

}  // namespace bench

VORLANE_JSON_DEFINE(bench::Image)

namespace {

using vorlane::ExplorePageResponse;

// The catalog's Explore home page with its shelves repeated until the answer is about 2.5 MB: the
// largest answer an app decodes, with every element a lenient list drops kept in.
std::string makeDocument(int copies) {
    std::ifstream in(VORLANE_CATALOG_DIR "/explore/home-page.json", std::ios::binary);
    const std::string home{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string open = R"("containers":[)", close = R"(],"actions")";
    const auto from = home.find(open), to = home.find(close);
    if (from == std::string::npos || to == std::string::npos) {
        std::fprintf(stderr, "the catalog's home page has no container list\n");
        std::exit(2);
    }
    const std::string shelves = home.substr(from + open.size(), to - from - open.size());
    std::string out = home.substr(0, from + open.size());
    for (int i = 0; i < copies; ++i) {
        if (i) out += ',';
        out += shelves;
    }
    return out + home.substr(to);
}

const std::string& document() {
    static const std::string doc = makeDocument(8);
    return doc;
}

// Decoding gives every action, container and item a model of its own; a plain copy of the page
// would share them. These build new ones, record by record, as decoding does.
template <class... Records>
vorlane::ActionCoder copiedAction(const vorlane::ActionCoder& coder) {
    std::optional<vorlane::ActionCoder> copy;
    ((copy || !coder.as<Records>() ? void() : void(copy.emplace(*coder.as<Records>()))), ...);
    if (!copy) std::abort();  // an action kind missing from the list below
    return *copy;
}

void copyActions(std::optional<std::vector<vorlane::ActionCoder>>& coders) {
    using namespace vorlane;
    if (!coders) return;
    for (auto& coder : *coders)
        coder = copiedAction<BrowseAction, DownloadAction, DownloadSeasonAction, LegacyBrowseAction, ModalAction,
                             ModifySavesAction, PlaybackAction, ShareAction, TrailerAction, ToggleAspectRatioAction,
                             UpNextLegacyBrowseAction, UpsellAction>(coder);
}

template <class... Records>
vorlane::ContainerCoder copiedContainer(const vorlane::ContainerCoder& coder) {
    std::optional<vorlane::ContainerCoder> copy;
    ((copy || !coder.as<Records>() ? void() : void(copy.emplace(*coder.as<Records>()))), ...);
    if (!copy) std::abort();
    return *copy;
}

ExplorePageResponse deepCopy(const ExplorePageResponse& response) {
    using namespace vorlane;
    ExplorePageResponse copy = response;
    if (!copy.explorePage) return copy;
    std::optional<std::vector<ActionCoder>> pageActions = std::move(copy.explorePage->actionCoders);
    copyActions(pageActions);
    copy.explorePage->actionCoders = std::move(*pageActions);
    for (auto& container : copy.explorePage->containerCoders) {
        if (const auto* set = container.as<ExploreSet>()) {
            ExploreSet own = *set;
            copyActions(own.actionCoders);
            if (own.items)
                for (auto& item : *own.items) copyActions(item.actionCoders);
            container = ContainerCoder(std::move(own));
        } else {
            container = copiedContainer<DetailsContainer, EpisodesContainer, ShopContainer>(container);
        }
    }
    return copy;
}

// The page as the library reads answers: once, into a padded buffer, parsed in place.
const vorlane::json::PaddedAnswer& paddedDocument() {
    static const auto answer = vorlane::json::PaddedAnswer::fromBytes(document());
    return answer;
}

void BM_RawDomParse(benchmark::State& state) {
    simdjson::padded_string padded(document());
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(padded).get(root)) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(padded.size()));
}

void BM_TypedDecode(benchmark::State& state) {
    const std::string& doc = document();
    const auto& answer = paddedDocument();
    for (auto _ : state) {
        auto page = vorlane::json::decode<ExplorePageResponse>(answer);
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(doc.size()));
}

// The floor for any decoder that builds these records: a deep copy of an already decoded page
// makes the same allocations and copies the same bytes, with no JSON to read.
void BM_CopyDecodedPage(benchmark::State& state) {
    const auto page = vorlane::json::decode<ExplorePageResponse>(document());
    for (auto _ : state) {
        auto copy = deepCopy(page);
        benchmark::DoNotOptimize(copy);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(document().size()));
}

// Linear decoding at scale: a flat map of 100k keys and a list of 100k elements, reported per element.
constexpr int kLargeCount = 100000;

const std::string& largeMap() {
    static const std::string doc = [] {
        std::string out = "{";
        for (int i = 0; i < kLargeCount; ++i) {
            if (i) out += ',';
            out += R"("key-)" + std::to_string(i) + R"(":{"imageId":"image-)" + std::to_string(i) + R"(","aspectRatio":1.78})";
        }
        return out + "}";
    }();
    return doc;
}

const std::string& largeList() {
    static const std::string doc = [] {
        std::string out = "[";
        for (int i = 0; i < kLargeCount; ++i) {
            if (i) out += ',';
            out += R"({"imageId":"image-)" + std::to_string(i) + R"(","aspectRatio":1.78})";
        }
        return out + "]";
    }();
    return doc;
}

void BM_Map100kKeys(benchmark::State& state) {
    for (auto _ : state) {
        auto map = vorlane::json::decode<vorlane::OrderedMap<bench::Image>>(largeMap());
        benchmark::DoNotOptimize(map);
    }
    state.SetItemsProcessed(state.iterations() * kLargeCount);
}

void BM_List100kElements(benchmark::State& state) {
    for (auto _ : state) {
        auto list = vorlane::json::decode<std::vector<bench::Image>>(largeList());
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * kLargeCount);
}

BENCHMARK(BM_RawDomParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyDecodedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Map100kKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_List100kElements)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the typed decode's throughput as a share of the raw parse's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (run.run_type != Run::RT_Iteration) continue;
            // With --benchmark_repetitions, the fastest repetition: the least disturbed by the
            // machine's other work, for the work measured and its baseline alike.
            const auto name = run.benchmark_name();
            if (it != run.counters.end()) throughput[name] = std::max(throughput[name], it->second.value);
            const double cpu = run.GetAdjustedCPUTime();  // in the run's unit (ms)
            if (!cpuMillis.contains(name) || cpu < cpuMillis[name]) cpuMillis[name] = cpu;
        }
    }
    std::map<std::string, double> throughput;
    std::map<std::string, double> cpuMillis;
};

// The parts of the page's peak-memory report: one decode, the parser's own peak on the same
// answer (its padded copy and buffers, fresh parser), and the decoded value built without JSON.
void addPagePeakParts() {
    auto& parts = bench::peakParts();
    parts["page-decode"] = [] {
        const auto& answer = paddedDocument();
        return bench::measurePeak([&] {
            auto page = vorlane::json::decode<ExplorePageResponse>(answer);
            benchmark::DoNotOptimize(page);
        });
    };
    parts["page-parse"] = [] {
        const std::string& doc = document();
        return bench::measurePeak([&] {
            simdjson::dom::parser parser;
            simdjson::dom::element root;
            if (parser.parse(doc).get(root)) std::abort();
            benchmark::DoNotOptimize(root);
        });
    };
    parts["page-value"] = [] {
        ExplorePageResponse decoded;
        // Decoded on a thread of its own, whose parser buffers go when it ends.
        std::thread([&] { decoded = vorlane::json::decode<ExplorePageResponse>(document()); }).join();
        return bench::measurePeak([&] {
            auto copy = deepCopy(decoded);
            benchmark::DoNotOptimize(copy);
        });
    };
}

// Encoding the decoded page, measured against the raw parse of the same bytes.
// Encoding into a buffer kept across encodings, as the raw parse keeps its parser's buffers; and
// into a new string each time, which adds the growth of the output to the same work.
void BM_EncodePage(benchmark::State& state) {
    const auto page = vorlane::json::decode<ExplorePageResponse>(document());
    std::string text;
    for (auto _ : state) {
        vorlane::json::encodeInto(text, page);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(document().size()));
}
BENCHMARK(BM_EncodePage)->Unit(benchmark::kMillisecond);

void BM_EncodePageFresh(benchmark::State& state) {
    const auto page = vorlane::json::decode<ExplorePageResponse>(document());
    for (auto _ : state) {
        auto text = vorlane::json::encode(page);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(document().size()));
}
BENCHMARK(BM_EncodePageFresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    addPagePeakParts();
    bench::addLegacyCollectionPeakParts();
    if (const int code = bench::runPeakPartIfAsked(argc, argv); code >= 0) return code;
    benchmark::Initialize(&argc, argv);
    std::printf("document: %.2f MB\n", static_cast<double>(document().size()) / 1e6);
    bench::reportPeakAgainstFloor("page", document().size(), "page");
    bench::reportPeakAgainstFloor("legacy collection", bench::legacyCollection().size(), "legacy");
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double raw = 0, typed = 0;
    for (const auto& [name, value] : reporter.throughput) {
        if (name.find("BM_RawDomParse") == 0) raw = value;
        if (name.find("BM_TypedDecode") == 0) typed = value;
    }
    if (raw > 0 && typed > 0)
        std::printf("raw DOM parse: %.0f MB/s, typed decode: %.0f MB/s, typed/raw: %.2f\n", raw / 1e6, typed / 1e6,
                    typed / raw);
    double parseMs = 0, copyMs = 0, decodeMs = 0, encodeMs = 0, freshEncodeMs = 0, legacyParseMs = 0, legacyCopyMs = 0, legacyDecodeMs = 0;
    double queryUs = 0, queryDecodeUs = 0;
    for (const auto& [name, ms] : reporter.cpuMillis) {
        if (name.find("BM_RawDomParse") == 0) parseMs = ms;
        if (name.find("BM_CopyDecodedPage") == 0) copyMs = ms;
        if (name.find("BM_TypedDecode") == 0) decodeMs = ms;
        if (name == "BM_EncodePage") encodeMs = ms;
        if (name == "BM_EncodePageFresh") freshEncodeMs = ms;
        if (name.find("BM_LegacyCollectionRawParse") == 0) legacyParseMs = ms;
        if (name.find("BM_LegacyCollectionCopyFloor") == 0) legacyCopyMs = ms;
        if (name.find("BM_LegacyCollectionDecode") == 0) legacyDecodeMs = ms;
        if (name == "BM_ServiceQuery") queryUs = ms;  // this benchmark's unit is microseconds
        if (name == "BM_ServiceQueryDecodeOnly") queryDecodeUs = ms;
        if (name.find("BM_Map100kKeys") == 0) std::printf("map of 100k keys: %.1f ns per key\n", ms * 1e6 / kLargeCount);
        if (name.find("BM_List100kElements") == 0)
            std::printf("list of 100k elements: %.1f ns per element\n", ms * 1e6 / kLargeCount);
    }
    if (parseMs > 0 && copyMs > 0 && decodeMs > 0)
        std::printf("typed decode %.2f ms / (raw parse %.2f ms + copy floor %.2f ms) = %.2f (bar 1.30)\n", decodeMs,
                    parseMs, copyMs, decodeMs / (parseMs + copyMs));
    if (parseMs > 0 && encodeMs > 0)
        std::printf("page encoding %.2f ms / raw parse %.2f ms = %.2f (bar 1.00); into a new string each time %.2f ms (%.2f)\n",
                    encodeMs, parseMs, encodeMs / parseMs, freshEncodeMs, freshEncodeMs / parseMs);
    if (legacyParseMs > 0 && legacyCopyMs > 0 && legacyDecodeMs > 0)
        std::printf("legacy collection: decode %.2f ms, raw parse %.2f ms (decode/parse %.2f), copy floor %.2f ms; "
                    "decode / (parse + copy) = %.2f (bar 1.30)\n",
                    legacyDecodeMs, legacyParseMs, legacyDecodeMs / legacyParseMs, legacyCopyMs,
                    legacyDecodeMs / (legacyParseMs + legacyCopyMs));
    double frameUs = 0;
    for (const auto& [name, us] : reporter.cpuMillis)
        if (name == "BM_ServiceFrameInMemory") frameUs = us;
    if (queryUs > 0 && queryDecodeUs > 0)
        std::printf("one query through the service over the catalog: %.1f us, of which decoding its answer %.1f us; "
                    "service and catalog overhead %.1f us\n",
                    queryUs, queryDecodeUs, queryUs - queryDecodeUs);
    if (frameUs > 0 && queryDecodeUs > 0)
        std::printf("one query over an in-memory session: %.1f us; the frame's cost per query %.1f us (bar 5)\n", frameUs,
                    frameUs - queryDecodeUs);
    benchmark::Shutdown();
    return 0;
}
