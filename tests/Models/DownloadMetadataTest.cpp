// Download metadata: the exact fields, order and optionality of each stored version, the
// conversions to the current version and what they fill in or leave out, the series position, the
// derived values of the current record, the lenient answer that is written in another shape, and
// the records kept in a persistent store by their version.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "tests/Platform/PersistenceTestSupport.hpp"
#include "vorlane/Models/Download/DownloadMetadata.hpp"
#include "vorlane/Models/Download/StoredDownloadMetadata.hpp"
#include "vorlane/Platform/AspectRatio.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/SqlitePersistentStore.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {
namespace {

using namespace jsontesting;

// Every field of the record in the order of its versions, the version that added it, and whether
// it may be missing. The series part is written here in its 1.1 shape.
const struct DownloadField {
    const char* key;
    const char* value;
    int since;
    bool optional;
} downloadFields[] = {
    {"resourceId", R"("res")", 2, false},
    {"upNextId", R"("up")", 3, true},
    {"internalTitle", R"("Harbor Lights - s2e5")", 2, false},
    {"deeplinkId", R"("entity-hl")", 2, false},
    {"availId", R"("avail-1")", 1, false},
    {"contentId", R"("content-1")", 1, true},
    {"pid", R"("pid-1")", 1, false},
    {"title", R"("Low Water")", 1, false},
    {"rating", R"({"text":"TV-14","imageId":"r-tv14"})", 1, true},
    {"imageId", R"("img-1")", 1, false},
    {"runtimeMs", "2684000", 1, true},
    {"elapsedMs", "120000", 1, true},
    {"seriesMetadata",
     R"({"seriesId":"s","seriesName":"Harbor Lights","seriesImageId":"si","seasonNumber":2,"seasonName":"Season 2","episodeNumber":5})",
     1, true},
    {"playerExperience", R"({"originalLanguage":"fr","targetLanguage":"en"})", 1, false},
    {"networkAttribution", R"({"ttsText":"Harbor Network"})", 1, true},
    {"description", R"("The tide goes out.")", 1, true},
    {"contentBlocked", "false", 1, true},
    {"migrationMetadata", R"({"downloadActionInfoBlock":"dab"})", 3, true},
    {"userState", R"({"playheadSeconds":120.5})", 4, true},
};

// A record of `version` (1 to 4) with every field it has.
JsonValue downloadRecord(int version) {
    JsonValue out = JsonValue::object();
    for (const auto& field : downloadFields)
        if (field.since <= version) out[field.key] = JsonValue::parse(field.value);
    if (version >= 3) out["seriesMetadata"]["seriesInfoBlock"] = "sib";
    return out;
}

// The JSON `value` writes.
template <class T>
JsonValue writtenJson(const T& value) {
    return JsonValue::parse(json::encode(value));
}

template <class T>
void expectVersionLayout(int version) {
    SCOPED_TRACE("version 1." + std::to_string(version));
    const JsonValue complete = downloadRecord(version);
    // Its own keys in order, and only those: a record of the current version reads as this one.
    EXPECT_EQ(writtenJson(json::decode<T>(complete.dump())), complete);
    EXPECT_EQ(writtenJson(json::decode<T>(downloadRecord(4).dump())), complete);
    std::vector<std::string> required;
    for (const auto& field : downloadFields) {
        if (field.since > version) continue;
        if (!field.optional) {
            required.push_back(field.key);
            continue;
        }
        JsonValue partial = complete;
        partial.erase(field.key);
        EXPECT_EQ(writtenJson(json::decode<T>(partial.dump())), partial) << field.key;
    }
    expectKeysRequired<T>(complete, required);
}

TEST(DownloadMetadata, EachVersionHasExactlyItsFieldsInOrderWithTheirOptionality) {
    expectVersionLayout<DownloadMetadataV1_1>(1);
    expectVersionLayout<DownloadMetadataV1_2>(2);
    expectVersionLayout<DownloadMetadataV1_3>(3);
    expectVersionLayout<DownloadMetadataV1_4>(4);
    // The series part of 1.3 onwards needs its info block.
    JsonValue withoutBlock = downloadRecord(3);
    withoutBlock["seriesMetadata"].erase("seriesInfoBlock");
    EXPECT_EQ(decodeFailure<DownloadMetadataV1_3>(withoutBlock.dump()).path(), "seriesMetadata.seriesInfoBlock");
    expectEveryKeyRequired<SeriesDownloadMetadataV1_1>(downloadRecord(1)["seriesMetadata"]);
    expectEveryKeyRequired<SeriesDownloadMetadataV1_3>(downloadRecord(3)["seriesMetadata"]);
}

// `record` without `keys`, and with `changes` applied on top.
JsonValue edited(JsonValue record, std::initializer_list<const char*> keys, const JsonValue& changes = JsonValue::object()) {
    for (const char* key : keys) record.erase(key);
    record.merge_patch(changes);
    return record;
}

TEST(DownloadMetadata, ConversionsCopyEveryFieldAndFillInOnlyWhatTheOlderVersionLacked) {
    const JsonValue legacySeries = {{"seriesMetadata", {{"seriesInfoBlock", std::string(legacySeriesInfoBlock)}}}};
    const JsonValue arguments = {{"resourceId", "res-arg"}, {"internalTitle", "title-arg"}, {"deeplinkId", "deeplink-arg"}};
    JsonValue argumentsAndLegacySeries = arguments;
    argumentsAndLegacySeries.merge_patch(legacySeries);
    const auto v11 = json::decode<DownloadMetadataV1_1>(downloadRecord(1).dump());
    auto v11WithoutSeries = v11;
    v11WithoutSeries.seriesMetadata.reset();
    const auto v13 = json::decode<DownloadMetadataV1_3>(downloadRecord(3).dump());

    const struct {
        const char* conversion;
        DownloadMetadataV1_4 converted;
        JsonValue expected;
    } rows[] = {
        {"1.1", v11.toLatest("res-arg", "title-arg", "deeplink-arg"),
         edited(downloadRecord(4), {"upNextId", "migrationMetadata", "userState"},
                argumentsAndLegacySeries)},
        {"1.1 without series", v11WithoutSeries.toLatest("res-arg", "title-arg", "deeplink-arg"),
         edited(downloadRecord(4), {"upNextId", "migrationMetadata", "userState", "seriesMetadata"}, arguments)},
        {"1.2", json::decode<DownloadMetadataV1_2>(downloadRecord(2).dump()).toLatest(),
         edited(downloadRecord(4), {"upNextId", "migrationMetadata", "userState"}, legacySeries)},
        // The stored migration metadata is not carried over; the up-next id and series part are.
        {"1.3", v13.toLatest(), edited(downloadRecord(4), {"migrationMetadata", "userState"})},
    };
    for (const auto& row : rows) EXPECT_EQ(writtenJson(row.converted), row.expected) << row.conversion;
    EXPECT_EQ(v13.toLatest().downloadActionInfoBlock(), std::nullopt);
    EXPECT_EQ(legacySeriesInfoBlock, "Undefined: LegacyMigration From ExploreAPI v1.1");
}

TEST(SeriesDownloadMetadata, SequenceNumberIsSeasonTimesTenThousandPlusEpisodeWhenItFits) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    const struct {
        std::int64_t season, episode;
        std::optional<std::int64_t> expected;
    } rows[] = {
        {2, 5, 20005}, {0, 0, 0}, {1, 12, 10012}, {3, -1, 29999},
        {max / 10000, max % 10000, max}, {max / 10000, max % 10000 + 1, std::nullopt},
        {max / 10000 + 1, 0, std::nullopt}, {min / 10000, min % 10000, min}, {min / 10000 - 1, 0, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(episodeSeriesSequenceNumber(row.season, row.episode), row.expected) << row.season << "/" << row.episode;
    const auto series = json::decode<SeriesDownloadMetadataV1_1>(downloadRecord(1)["seriesMetadata"].dump());
    EXPECT_EQ(series.episodeSeriesSequenceNumber(), 20005);
    EXPECT_EQ(series.toLatest().episodeSeriesSequenceNumber(), 20005);
}

TEST(DownloadMetadataV1_4, UpNextOfflineImageIsTheStandardThumbnailElseTheDetailsBackgroundAt16By9) {
    using Context = ExploreImage::Context;
    using Content = ExploreImage::Content;
    const auto chosen = [](const char* id, Context context, Content content) {
        return std::optional(ExploreArtworkModelParameters{{id}, context, content, Ratio::sixteenByNine});
    };
    const struct {
        const char* images;  // the player experience's image map, or null
        std::optional<ExploreArtworkModelParameters> expected;
    } rows[] = {
        {"null", std::nullopt},
        {R"({"details":{"background":{"1.78":{"imageId":"bg"}}}})", chosen("bg", Context::details, Content::background)},
        {R"({"details":{"background":{"1.78":{"imageId":"bg"}}},"standard":{"thumbnail":{"1.78":{"imageId":"th"}}}})",
         chosen("th", Context::standard, Content::thumbnail)},
        // The background is also looked up in the standard context, and still names details.
        {R"({"standard":{"background":{"1.78":{"imageId":"std-bg"}}}})", chosen("std-bg", Context::details, Content::background)},
        {R"({"details":{"background":{"3.91":{"imageId":"wide"}}},"tile":{"thumbnail":{"1.78":{"imageId":"t"}}}})", std::nullopt},
    };
    for (const auto& row : rows) {
        JsonValue record = downloadRecord(4);
        record["playerExperience"]["image"] = JsonValue::parse(row.images);
        EXPECT_EQ(json::decode<DownloadMetadataV1_4>(record.dump()).upNextOfflineImage(), row.expected) << row.images;
    }
}

TEST(DownloadMetadataV1_4, DerivedValuesAndPlaybackFaceAsTheRegistryPrintsThem) {
    const auto* type = findDecodableType(std::string_view("DownloadMetadataV1_4"));
    ASSERT_NE(type, nullptr);
    const struct {
        JsonValue record;
        std::map<std::string, std::string> expected;  // member -> its JSON
    } rows[] = {
        {downloadRecord(4),
         {{"metastringParts", R"({"ratingInfo":{"rating":{"text":"TV-14","imageId":"r-tv14"},"advisories":[]},"runtime":{"runtimeMs":2684000}})"},
          {"contentIdentifier", R"({"availId":"avail-1"})"},
          {"originalLanguage", R"("fr")"},
          {"downloadActionInfoBlock", R"("dab")"},
          {"seriesInfoBlock", R"("sib")"},
          {"playbackActionType", R"("play")"},
          {"infoBlock", "null"},
          {"coderModel", R"({"resourceId":"res","contentType":"vod","options":[],"availId":"avail-1","upNextId":"up",)"
                         R"("internalTitle":"Harbor Lights - s2e5","visuals":{"displayText":""},"deeplinkId":"entity-hl"})"}}},
        {edited(downloadRecord(4), {"rating", "runtimeMs", "migrationMetadata", "seriesMetadata", "upNextId"},
                {{"playerExperience", {{"originalLanguage", nullptr}}}}),
         {{"metastringParts", "{}"},
          {"originalLanguage", "null"},
          {"downloadActionInfoBlock", "null"},
          {"seriesInfoBlock", "null"},
          {"upNextOfflineImage", "null"}}},
    };
    for (const auto& row : rows) {
        const auto derived = JsonValue::parse(type->derive(json::PaddedAnswer::fromBytes(row.record.dump())));
        for (const auto& [member, expected] : row.expected)
            EXPECT_EQ(derived.contains(member) ? derived.at(member).dump() : "<absent>", expected) << member;
    }
}

TEST(DownloadMetadataWrapper, ReadsInsideDataDroppingRecordsThatFailAndWritesWithoutData) {
    JsonValue first = downloadRecord(4), third = downloadRecord(4);
    third["availId"] = "avail-3";
    const JsonValue broken = edited(downloadRecord(4), {"pid"});
    const JsonValue answer = {{"data", {{"downloadMetadata", {first, broken, third}}}}};
    const DownloadMetadataWrapper kept{{json::decode<DownloadMetadataV1_4>(first.dump()),
                                        json::decode<DownloadMetadataV1_4>(third.dump())}};
    expectDecodes<DownloadMetadataWrapper>({
        {answer.dump(), kept},
        {R"({"data":{"downloadMetadata":[]}})", DownloadMetadataWrapper{}},
        {R"({"downloadMetadata":[]})", Failure{ErrorKind::keyNotFound, "data"}},
        {R"({"data":{}})", Failure{ErrorKind::keyNotFound, "data.downloadMetadata"}},
        {R"({"data":{"downloadMetadata":null}})", Failure{ErrorKind::valueNotFound, "data.downloadMetadata"}},
        {R"({"data":[]})", Failure{ErrorKind::typeMismatch, "data"}},
        {R"([])", Failure{ErrorKind::typeMismatch, "(root)"}},
    });
    EXPECT_EQ(writtenJson(kept), (JsonValue{{"downloadMetadata", {first, third}}}));
    const auto* type = findDecodableType(std::string_view("DownloadMetadataWrapper"));
    ASSERT_NE(type, nullptr);
    EXPECT_FALSE(type->readsBackItsEncoding);
}

TEST(StoredDownloadMetadata, EachVersionSavedInASqliteStoreLoadsBackAsItselfAndConvertsToTheCurrentOne) {
    const StoredDownloadMetadata stored[] = {
        StoredDownloadMetadata(json::decode<DownloadMetadataV1_1>(downloadRecord(1).dump())),
        StoredDownloadMetadata(json::decode<DownloadMetadataV1_2>(downloadRecord(2).dump())),
        StoredDownloadMetadata(json::decode<DownloadMetadataV1_3>(downloadRecord(3).dump())),
        StoredDownloadMetadata(json::decode<DownloadMetadataV1_4>(downloadRecord(4).dump())),
    };
    const DownloadMetadataV1_4 latest[] = {
        std::get<DownloadMetadataV1_1>(stored[0].record).toLatest("res-arg", "title-arg", "deeplink-arg"),
        std::get<DownloadMetadataV1_2>(stored[1].record).toLatest(),
        std::get<DownloadMetadataV1_3>(stored[2].record).toLatest(),
        std::get<DownloadMetadataV1_4>(stored[3].record),
    };
    persistencetesting::ScratchDirectory directory;
    for (int version = 1; version <= 4; ++version)
        SqlitePersistentStore(directory / "downloads.db").save("v" + std::to_string(version), stored[version - 1]);
    const SqlitePersistentStore store(directory / "downloads.db");
    EXPECT_EQ(store.keys("DownloadMetadata"), (std::vector<std::string>{"v1", "v2", "v3", "v4"}));
    for (int version = 1; version <= 4; ++version) {
        SCOPED_TRACE(version);
        const std::string key = "v" + std::to_string(version);
        EXPECT_EQ(store.load(key)->schema, (PersistableSchema{"DownloadMetadata", version}));
        EXPECT_EQ(JsonValue::parse(store.load(key)->bytes), downloadRecord(version));  // as the version is written
        const auto loaded = store.loadRecord<StoredDownloadMetadata>(key);
        EXPECT_EQ(loaded, stored[version - 1]);
        // The identifiers serve 1.1 alone; the later versions keep their own.
        EXPECT_EQ(loaded->toLatest("res-arg", "title-arg", "deeplink-arg"), latest[version - 1]);
    }
}

TEST(StoredDownloadMetadata, IsReadOnlyUnderItsOwnSchemaAndByTheVersionStored) {
    using persistencetesting::BytesRecord;
    InMemoryPersistentStore store;
    const std::string v1 = downloadRecord(1).dump(), v4 = downloadRecord(4).dump();
    for (const auto& [key, schema, version] : {std::tuple{"avatar", "Avatar", 4}, {"v0", "DownloadMetadata", 0},
                                               {"v5", "DownloadMetadata", 5}})
        store.save(key, BytesRecord(schema, version, v4));
    store.save("1.1 as 1.4", BytesRecord("DownloadMetadata", 4, v1));
    const auto message = [&](const char* key) {
        return thrownMessage<PersistedSchemaError>([&] { (void)store.loadRecord<StoredDownloadMetadata>(key); });
    };
    EXPECT_EQ(message("avatar"), R"(a stored "Avatar" record is not download metadata ("DownloadMetadata"))");
    EXPECT_EQ(message("v0"), "stored download metadata of version 0 is of no version this release reads (1 to 4)");
    EXPECT_EQ(message("v5"), "stored download metadata of version 5 is of no version this release reads (1 to 4)");
    EXPECT_EQ(thrownDecodingError([&] { (void)store.loadRecord<StoredDownloadMetadata>("1.1 as 1.4"); }).path(),
              "resourceId");
    EXPECT_EQ(store.loadRecord<StoredDownloadMetadata>("absent"), std::nullopt);
}

}  // namespace
}  // namespace vorlane
