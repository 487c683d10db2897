// The legacy model at scale: a generated collection answer of about 2 MB (shelves of curated sets
// mixing episodes, movies and series, with texts, artwork, media metadata, ratings and families)
// decoded into the library's own records, beside the raw DOM parse of the same bytes and the floor
// of building those records without JSON (a deep copy of every decoded record).

#include "bench/LegacyCollectionBench.hpp"
#include "bench/PeakMemory.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

namespace {

using vorlane::ContentCollection;

std::string makeCollection(int containers, int itemsPerSet) {
    std::mt19937 random(11);
    auto word = [&](int length) {
        std::string w;
        for (int i = 0; i < length; ++i) w += static_cast<char>('a' + random() % 26);
        return w;
    };
    auto text = [&](const char* field, const char* kind, const char* entity) {
        return std::string(R"(")") + field + R"(":{")" + kind + R"(":{")" + entity +
               R"(":{"default":{"language":"en","content":")" + word(14) + " " + word(9) + R"(","sourceEntity":")" +
               entity + R"("}}}})";
    };
    auto image = [&](const char* purpose, const char* ratio, const char* entity) {
        return std::string(R"(")") + purpose + R"(":{")" + ratio + R"(":{")" + entity +
               R"(":{"default":{"url":"https://images.invalid/)" + word(24) + R"(.jpg","masterId":")" + word(20) +
               R"(","masterWidth":1920,"masterHeight":1080}}}})";
    };
    auto media = [&] {
        return R"("mediaMetadata":{"format":"HD","runtimeMillis":)" + std::to_string(1200000 + random() % 6000000) +
               R"(,"mediaId":")" + word(16) + R"(","features":["dolby_51"],"playbackUrls":[{"href":"https://playback.invalid/)" +
               word(20) + R"(/master.m3u8","rel":"video"}]})";
    };
    auto video = [&](bool episode) {
        std::string out = R"({"type":"MepoVideo","videoId":")" + word(12) + R"(","contentId":")" + word(36) + R"(",)";
        if (episode)
            out += R"("seriesId":")" + word(12) + R"(","encodedSeriesId":")" + word(12) +
                   R"(","seriesType":"standard","episodeSequenceNumber":)" + std::to_string(random() % 20) +
                   R"(,"seasonSequenceNumber":)" + std::to_string(1 + random() % 6) + ",";
        out += R"("contentType":"full","programType":")" + std::string(episode ? "episode" : "movie") + R"(",)";
        out += R"("text":{)" + text("title", "full", "program") + "," + text("description", "medium", "program") + "},";
        out += R"("image":{)" + image("tile", "1.78", "program") + "," + image("hero_collection", "3.91", "program") + "},";
        out += media() + ",";
        out += R"("ratings":[{"system":"MPAA","value":"PG-13","advisories":[]}],"typedGenres":[{"partnerId":")" + word(8) +
               R"("}],"labels":[],"currentAvailability":{"region":"US","kidsMode":false},"families":[{"encodedFamilyId":")" +
               word(12) + R"("}]})";
        return out;
    };
    auto series = [&] {
        return R"({"type":"MepoSeries","seriesId":")" + word(12) + R"(","encodedSeriesId":")" + word(12) +
               R"(","seriesType":"standard","text":{)" + text("title", "full", "series") + "," +
               text("description", "brief", "series") + R"(},"image":{)" + image("tile", "1.78", "series") +
               R"(},"seasonsMinYear":2019,"seasonsMaxYear":2026,"mediaMetadata":{},"labels":[],"families":[]})";
    };
    std::string out = R"({"collectionId":"coll-home","type":"StandardCollection","subType":"PersonalizedCollection",)"
                      R"("collectionGroup":{"key":"home","collectionGroupId":"cg-home","contentClass":"home",)"
                      R"("slugs":[{"language":"en","value":"home"}]},"text":{)" + text("title", "full", "collection") +
                      R"(},"containers":[)";
    for (int c = 0; c < containers; ++c) {
        if (c) out += ',';
        out += R"({"type":"ShelfContainer","style":"standard_art","set":{"type":"CuratedSet","setId":"set-)" +
               std::to_string(c) + R"(","meta":{"hits":)" + std::to_string(itemsPerSet) +
               R"(,"page_size":15,"offset":0},"text":{)" + text("title", "full", "set") + R"(},"items":[)";
        for (int i = 0; i < itemsPerSet; ++i) {
            if (i) out += ',';
            out += i % 3 == 0 ? series() : video(i % 3 == 1);
        }
        out += "]}}";
    }
    return out + "]}";
}

// A record copied straight into a new shared model, as decoding builds it.
template <class R>
vorlane::ContentCoder copied(const R& record) {
    return vorlane::ContentCoder(R::identifier, std::make_shared<const vorlane::ContentModel<R>>(record));
}

// Builds what decoding builds, from records instead of JSON: every item's record copied anew.
ContentCollection deepCopy(const ContentCollection& collection) {
    ContentCollection copy = collection;
    for (auto& container : copy.containers) {
        auto* set = std::get_if<vorlane::ContentSet>(&container.setDecoder.content);
        if (!set) continue;
        for (auto& item : set->items) {
            if (const auto* video = item.as<vorlane::Video>())
                item = copied(*video);
            else if (const auto* series = item.as<vorlane::Series>())
                item = copied(*series);
        }
    }
    return copy;
}

const vorlane::json::PaddedAnswer& answer() {
    static const auto padded = vorlane::json::PaddedAnswer::fromBytes(bench::legacyCollection());
    return padded;
}

void BM_LegacyCollectionRawParse(benchmark::State& state) {
    simdjson::padded_string padded(bench::legacyCollection());
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(padded).get(root)) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root);
    }
}

void BM_LegacyCollectionCopyFloor(benchmark::State& state) {
    const auto collection = vorlane::json::decode<ContentCollection>(answer());
    for (auto _ : state) {
        auto copy = deepCopy(collection);
        benchmark::DoNotOptimize(copy);
    }
}

void BM_LegacyCollectionDecode(benchmark::State& state) {
    for (auto _ : state) {
        auto collection = vorlane::json::decode<ContentCollection>(answer());
        benchmark::DoNotOptimize(collection);
    }
}

BENCHMARK(BM_LegacyCollectionRawParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LegacyCollectionCopyFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LegacyCollectionDecode)->Unit(benchmark::kMillisecond);

}  // namespace

namespace bench {

const std::string& legacyCollection() {
    static const std::string doc = makeCollection(60, 30);
    return doc;
}

void addLegacyCollectionPeakParts() {
    auto& parts = peakParts();
    parts["legacy-decode"] = [] {
        const auto& padded = answer();  // read before, as an app holds an answer before decoding it
        return measurePeak([&] {
            auto collection = vorlane::json::decode<ContentCollection>(padded);
            benchmark::DoNotOptimize(collection);
        });
    };
    parts["legacy-parse"] = [] {
        const std::string& doc = legacyCollection();
        return measurePeak([&] {
            simdjson::dom::parser parser;
            simdjson::dom::element root;
            if (parser.parse(doc).get(root)) std::abort();
            benchmark::DoNotOptimize(root);
        });
    };
    parts["legacy-value"] = [] {
        ContentCollection decoded;
        std::thread([&] { decoded = vorlane::json::decode<ContentCollection>(legacyCollection()); }).join();
        return measurePeak([&] {
            auto copy = deepCopy(decoded);
            benchmark::DoNotOptimize(copy);
        });
    };
}

}  // namespace bench
