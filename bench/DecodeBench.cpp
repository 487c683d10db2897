// Decoding throughput of the reading core beside the raw DOM parse of the same bytes, in one run.
// The document is generated: a page of a few megabytes shaped like a browse page (containers of
// sets of items with texts, numbers, tag lists and artwork maps keyed by ratio).

#include "bench/LegacyCollectionBench.hpp"
#include "bench/PeakMemory.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <thread>

namespace bench {

struct Image {
    std::string imageId;
    double aspectRatio = 0;
    std::optional<std::string> format;
};
struct Item {
    std::string id;
    std::string title;
    std::optional<std::string> description;
    std::int64_t releaseYear = 0;
    double rating = 0;
    bool isPremium = false;
    std::vector<std::string> tags;
    vorlane::OrderedMap<vorlane::OrderedMap<Image>> artwork;  // context -> ratio key -> image
};
struct Set {
    std::string setId;
    std::optional<std::int64_t> totalCount;
    std::vector<Item> items;
};
struct Container {
    std::string id;
    std::string type;
    std::optional<std::string> style;
    Set set;
};
struct Page {
    std::string id;
    std::string title;
    std::vector<Container> containers;
};
struct PageData {
    Page page;
};
struct PageResponse {
    PageData data;
};

}  // namespace bench

namespace bench {

using namespace vorlane::json::rules;
inline auto jsonFields(vorlane::json::Tag<Image>) {
    return fields(required("imageId", &Image::imageId), required("aspectRatio", &Image::aspectRatio),
                  optional("format", &Image::format));
}
inline auto jsonFields(vorlane::json::Tag<Item>) {
    return fields(required("id", &Item::id), required("title", &Item::title), optional("description", &Item::description),
                  required("releaseYear", &Item::releaseYear), required("rating", &Item::rating),
                  defaulted("isPremium", &Item::isPremium, false), required("tags", &Item::tags),
                  required("artwork", &Item::artwork));
}
inline auto jsonFields(vorlane::json::Tag<Set>) {
    return fields(required("setId", &Set::setId), optional("totalCount", &Set::totalCount), lenient("items", &Set::items));
}
inline auto jsonFields(vorlane::json::Tag<Container>) {
    return fields(required("id", &Container::id), required("type", &Container::type), optional("style", &Container::style),
                  required("set", &Container::set));
}
inline auto jsonFields(vorlane::json::Tag<Page>) {
    return fields(required("id", &Page::id), required("title", &Page::title), lenient("containers", &Page::containers));
}
inline auto jsonFields(vorlane::json::Tag<PageData>) { return fields(required("page", &PageData::page)); }
inline auto jsonFields(vorlane::json::Tag<PageResponse>) { return fields(required("data", &PageResponse::data)); }

}  // namespace bench

VORLANE_JSON_DEFINE(bench::Image)
VORLANE_JSON_DEFINE(bench::Item)
VORLANE_JSON_DEFINE(bench::Set)
VORLANE_JSON_DEFINE(bench::Container)
VORLANE_JSON_DEFINE(bench::Page)
VORLANE_JSON_DEFINE(bench::PageData)
VORLANE_JSON_DEFINE(bench::PageResponse)

namespace {

std::string makeDocument(int containers, int itemsPerSet) {
    std::mt19937 random(7);
    auto word = [&](int length) {
        std::string w;
        for (int i = 0; i < length; ++i) w += static_cast<char>('a' + random() % 26);
        return w;
    };
    std::string out = R"({"data":{"page":{"id":"page-home","title":"Home","containers":[)";
    for (int c = 0; c < containers; ++c) {
        if (c) out += ',';
        out += R"({"id":"container-)" + std::to_string(c) + R"(","type":"set","style":"standard_tile","set":{"setId":"set-)" +
               std::to_string(c) + R"(","totalCount":)" + std::to_string(itemsPerSet) + R"(,"items":[)";
        for (int i = 0; i < itemsPerSet; ++i) {
            if (i) out += ',';
            out += R"({"id":")" + word(24) + R"(","title":")" + word(12) + " " + word(8) + R"(","description":")" +
                   word(60) + R"(","releaseYear":)" + std::to_string(1980 + random() % 45) +
                   R"(,"rating":)" + std::to_string(random() % 100 / 10.0) + R"(,"isPremium":)" +
                   (random() % 2 ? "true" : "false") + R"(,"tags":[")" + word(6) + R"(",")" + word(7) +
                   R"("],"artwork":{"tile":{"1.78":{"imageId":")" + word(32) +
                   R"(","aspectRatio":1.78,"format":"jpeg"},"0.71":{"imageId":")" + word(32) +
                   R"(","aspectRatio":0.71}},"hero":{"3.91":{"imageId":")" + word(32) + R"(","aspectRatio":3.91}}}})";
        }
        out += "]}}";
    }
    out += "]}}}";
    return out;
}

const std::string& document() {
    static const std::string doc = makeDocument(100, 80);
    return doc;
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
        auto page = vorlane::json::decode<bench::PageResponse>(answer);
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(doc.size()));
}

// The floor for any decoder that builds these records: copying an already decoded page makes the
// same allocations and copies the same bytes, with no JSON to read.
void BM_CopyDecodedPage(benchmark::State& state) {
    const auto page = vorlane::json::decode<bench::PageResponse>(document());
    for (auto _ : state) {
        auto copy = page;
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
            if (it != run.counters.end() && run.run_type == Run::RT_Iteration)
                throughput[run.benchmark_name()] = it->second.value;
            if (run.run_type == Run::RT_Iteration)
                cpuMillis[run.benchmark_name()] = run.GetAdjustedCPUTime();  // in the run's unit (ms)
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
            auto page = vorlane::json::decode<bench::PageResponse>(answer);
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
        bench::PageResponse decoded;
        // Decoded on a thread of its own, whose parser buffers go when it ends.
        std::thread([&] { decoded = vorlane::json::decode<bench::PageResponse>(document()); }).join();
        return bench::measurePeak([&] {
            auto copy = decoded;
            benchmark::DoNotOptimize(copy);
        });
    };
}

// Encoding the decoded page, measured against the raw parse of the same bytes.
// Encoding into a buffer kept across encodings, as the raw parse keeps its parser's buffers; and
// into a new string each time, which adds the growth of the output to the same work.
void BM_EncodePage(benchmark::State& state) {
    const auto page = vorlane::json::decode<bench::PageResponse>(document());
    std::string text;
    for (auto _ : state) {
        vorlane::json::encodeInto(text, page);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(document().size()));
}
BENCHMARK(BM_EncodePage)->Unit(benchmark::kMillisecond);

void BM_EncodePageFresh(benchmark::State& state) {
    const auto page = vorlane::json::decode<bench::PageResponse>(document());
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
