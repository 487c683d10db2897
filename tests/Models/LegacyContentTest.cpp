// The legacy content records: videos (their null-writing encoding and derived members), series and
// seasons, collections with their sets and containers (the recursion through the content coder),
// set references, avatars and the typed result containers.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Models/Content/ResultContainers.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vorlane {
namespace {

using namespace jsontesting;

// The smallest answer each record accepts.
const JsonValue minimalVideo = JsonValue::parse(
    R"({"contentId":"v1","contentType":"full","programType":"movie","mediaMetadata":{}})");
const JsonValue minimalSeries = JsonValue::parse(
    R"({"seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}})");
const JsonValue slugs = JsonValue::parse(R"([{"language":"en","value":"home"}])");

JsonValue merged(JsonValue base, const JsonValue& extra) {
    base.update(extra);
    return base;
}

JsonValue identifiers(std::string_view groupId) {
    return {{"key", "k"}, {"collectionGroupId", groupId}, {"contentClass", "home"}, {"slugs", slugs}};
}

JsonValue completeSet(std::string_view setId, JsonValue items) {
    return {{"type", "CuratedSet"}, {"setId", setId}, {"meta", {{"hits", 1}, {"page_size", 11}, {"offset", 0}}},
            {"items", std::move(items)}};
}

JsonValue collection(std::string_view groupId, JsonValue containers) {
    return {{"collectionId", "c-" + std::string(groupId)}, {"type", "StandardCollection"}, {"subType", "StandardCollection"},
            {"collectionGroup", identifiers(groupId)}, {"containers", std::move(containers)}};
}

template <class T>
T decodeValue(const JsonValue& value) {
    return json::decode<T>(value.dump());
}


TEST(Video, KeyRules) {
    auto kinds = [](std::string_view text) {
        const auto v = json::decode<Video>(text);
        return std::pair{v.contentType, v.programType};
    };
    using K = std::pair<VideoContentType, VideoProgramType>;
    auto videoWith = [](const JsonValue& extra) { return merged(minimalVideo, extra).dump(); };
    expectRows<K>(
        {{videoWith({{"contentType", "Full"}}), K{VideoContentType::capitalFull, VideoProgramType::movie}},
         {videoWith({{"programType", "live"}}), K{VideoContentType::full, VideoProgramType::other}},
         {videoWith({{"programType", "short-form"}, {"contentType", "easter-egg"}}),
          K{VideoContentType::easterEgg, VideoProgramType::shortForm}},
         {videoWith({{"contentType", "FULL"}}), Failure{ErrorKind::dataCorrupted, "contentType"}},
         {videoWith({{"seriesType", "Studio-Show"}}), Failure{ErrorKind::dataCorrupted, "seriesType"}},
         {videoWith({{"videoArt", {{"not", "a list"}}}}), Failure{ErrorKind::typeMismatch, "videoArt"}},
         {videoWith({{"ratings", 3}}), Failure{ErrorKind::typeMismatch, "ratings"}},
         {videoWith({{"family", "F"}}), Failure{ErrorKind::typeMismatch, "family"}},
         // Keys are read in their reading order, not the written one ("seriesId" is written first).
         {videoWith({{"seriesId", 6}, {"videoId", 5}}), Failure{ErrorKind::typeMismatch, "videoId"}}},
        kinds);
    expectKeysRequired<Video>(minimalVideo, {"contentId", "mediaMetadata"});
    EXPECT_NE(json::encode(json::decode<Video>(videoWith({{"programType", "live"}}))).find(R"("programType":"other")"),
              std::string::npos);

    // Failing elements of the lenient lists are dropped, the rest keep their order.
    const auto video = decodeValue<Video>(merged(minimalVideo, JsonValue::parse(R"({
        "labels": [{"value":"a","region":"US"}, {"value":1}, {"value":"b","region":"GB"}],
        "families": [{"encodedFamilyId":"F1"}, {"encodedFamilyId":7}],
        "typedGenres": [{"partnerId":"g1"}, {}, {"partnerId":"g2"}]})")));
    EXPECT_EQ(video.labels, (std::vector<AdvisoryKey>{{"a", "US"}, {"b", "GB"}}));
    EXPECT_EQ(video.families.size(), 1u);
    EXPECT_EQ(video.genreIds(), (std::vector<std::string>{"g1", "g2"}));
}

TEST(Video, MinimalAnswerTakesItsDefaultsAndWritesEveryKeyButChannelInItsOrderAbsentOnesAsNull) {
    const auto video = decodeValue<Video>(merged(minimalVideo, {{"channel", {{"id", "ch"}}}, {"videoId", nullptr}}));
    EXPECT_TRUE(video.texts.empty() && video.image.empty());
    EXPECT_TRUE(video.videoArtwork.empty() && video.labels.empty() && video.families.empty() && video.groups.empty());
    EXPECT_EQ(video.currentAvailability, (Availability{std::nullopt, false}));
    EXPECT_FALSE(video.typedGenres || video.ratings || video.actionCoders || video.meta || video.videoId);
    EXPECT_EQ(video.mediaMetadata, MediaMetadata::empty);

    const JsonValue written = toJsonValue(video);
    // Every key but the channel, in the written order (the record declares it), absent ones as null.
    EXPECT_EQ(written.size(), 38u);
    EXPECT_FALSE(written.contains("channel"));
    EXPECT_EQ(written.begin().key() + "," + (--written.end()).key(), "seriesId,actions");
    for (const char* key : {"videoId", "seriesType", "meta", "typedGenres", "participant", "event", "actions"})
        EXPECT_TRUE(written[key].is_null()) << key;
    EXPECT_EQ(written["currentAvailability"], JsonValue::parse(R"({"region":null,"kidsMode":false})"));

    Video withoutChannel = video;
    withoutChannel.channel.reset();
    EXPECT_TRUE(video.channel);
    EXPECT_EQ(decodeValue<Video>(written), withoutChannel);
}

TEST(Video, DerivedMembers) {
    struct Row {
        JsonValue extra;
        std::optional<std::string> familyId;
        bool replay;
        std::optional<ExploreDeeplinkParams> deeplink;
    };
    using Kind = ExploreDeeplinkReferenceIdType;
    const std::vector<Row> rows = {
        {JsonValue::object(), std::nullopt, false, std::nullopt},
        // Only the first family is consulted; without its id the parent-of id is next.
        {JsonValue::parse(R"({"family":{},"families":[{},{"encodedFamilyId":"B"}],"encodedParentOf":"P"})"), "P", false,
         ExploreDeeplinkParams{"P", Kind::encodedFamilyId, std::nullopt}},
        {JsonValue::parse(R"({"family":{"encodedFamilyId":"F"},"families":[{"encodedFamilyId":"A"}]})"), "F", false,
         ExploreDeeplinkParams{"F", Kind::encodedFamilyId, std::nullopt}},
        {JsonValue::parse(R"({"families":[{"encodedFamilyId":"A"}],"encodedSeriesId":"S","seriesType":"studio-show"})"),
         "A", true, ExploreDeeplinkParams{"S", Kind::encodedSeriesId, std::nullopt}},
        {JsonValue::parse(R"({"programType":"sports","encodedSeriesId":"S"})"), std::nullopt, true, std::nullopt},
        {JsonValue::parse(R"({"seriesType":"anthology","encodedParentOf":"P"})"), "P", false,
         ExploreDeeplinkParams{"P", Kind::encodedFamilyId, std::nullopt}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.extra.dump());
        const auto video = decodeValue<Video>(merged(minimalVideo, row.extra));
        const auto family = video.encodedFamilyId();
        EXPECT_EQ(family ? std::optional(family->identifier) : std::nullopt, row.familyId);
        EXPECT_EQ(video.isAiringReplay(), row.replay);
        EXPECT_EQ(video.exploreDeeplinkParams(), row.deeplink);
        EXPECT_EQ(ContentReferenceLocator::of(video), (ContentReferenceLocator{family, ContentTypeIdentifier::video}));
    }

    auto video = decodeValue<Video>(minimalVideo);
    EXPECT_EQ(video.playbackUrl(), "");
    video.mediaMetadata.playbackUrls = {PlaybackURL("https://a", "event"), PlaybackURL("https://b")};
    EXPECT_EQ(video.playbackUrl(), "https://a");
}

TEST(Series, KeyRulesEncodingAndDerivedMembers) {
    auto seriesWith = [](const JsonValue& extra) { return merged(minimalSeries, extra).dump(); };
    expectRows<std::optional<SeriesType>>(
        {{seriesWith({{"seriesType", "studio-show"}}), SeriesType::studioShow},
         {seriesWith({{"seriesType", nullptr}}), std::nullopt},
         {seriesWith({{"seriesType", "Studio-Show"}}), Failure{ErrorKind::dataCorrupted, "seriesType"}}},
        [](std::string_view text) { return json::decode<Series>(text).seriesType; });
    expectKeysRequired<Series>(minimalSeries);

    const auto series = decodeValue<Series>(merged(minimalSeries, JsonValue::parse(
        R"({"seriesType":"studio-show","families":[{"encodedFamilyId":"A"}]})")));
    EXPECT_EQ(series.encodedFamilyId(), EncodedIdentifier("A"));
    EXPECT_EQ(series.exploreDeeplinkParams(),
              (ExploreDeeplinkParams{"ES1", ExploreDeeplinkReferenceIdType::encodedSeriesId, std::nullopt}));
    EXPECT_EQ(ContentReferenceLocator::of(series), (ContentReferenceLocator{EncodedIdentifier("ES1"), ContentTypeIdentifier::series}));
    const JsonValue written = toJsonValue(series);
    EXPECT_EQ(written.size(), 22u);
    EXPECT_TRUE(written["badging"].is_null() && written["actions"].is_null());
    EXPECT_EQ(decodeValue<Series>(written), series);
}

TEST(Seasons, PagingKeysAndEpisodePages) {
    expectRows<std::optional<Season::EpisodesMeta>>(
        {{R"({"seasonId":"s","seasonSequenceNumber":1,"episodesMeta":{"offset":0,"page_size":23,"hits":40}})",
          Season::EpisodesMeta{0, 23, 40}},
         {R"({"seasonId":"s","seasonSequenceNumber":1,"episodesMeta":{"offset":0,"pageSize":23,"hits":40}})",
          Failure{ErrorKind::keyNotFound, "episodesMeta.page_size"}},
         {R"({"seasonId":"s"})", Failure{ErrorKind::keyNotFound, "seasonSequenceNumber"}}},
        [](std::string_view text) { return json::decode<Season>(text).episodesMeta; });
    EXPECT_EQ(json::decode<Season>(R"({"seasonId":"s","seasonSequenceNumber":2})").image, ImageMap{});

    const JsonValue videos = {minimalVideo, merged(minimalVideo, {{"contentType", "teaser"}}), merged(minimalVideo, {{"contentId", "v2"}})};
    const auto page = decodeValue<EpisodesPageSet>({{"meta", {{"hits", 40}}}, {"videos", videos}});
    EXPECT_EQ(page.meta.hits, 40);
    EXPECT_EQ(eachOf(page.videos, &Video::contentId), (std::vector<std::string>{"v1", "v2"}));
    EXPECT_EQ(decodeFailure<EpisodesPageSet>(R"({"meta":{"hits":1}})").path(), "videos");
}

TEST(Collections, IdentifierRules) {
    auto ids = decodeValue<ContentCollectionIdentifiers>(merged(identifiers("g"), JsonValue::parse(R"({
        "contentClass": "Home", "parentCollectionGroupId": 42, "parentCollectionSlug": "parent",
        "associatedCollectionGroups": [{"collectionGroupId":"A"}, {"associationType":"parent","collectionGroupId":"X"},
                                       {"associationType":"Parent","collectionGroupId":"B"},
                                       {"associationType":"Parent","collectionGroupId":"C"}]})")));
    EXPECT_TRUE(ids.contentClass.isCatchAll());
    EXPECT_EQ(toJsonValue(ids)["contentClass"], "Home");
    EXPECT_FALSE(ids.parentCollectionGroupId);
    EXPECT_EQ(ids.parentCollectionSlug, "parent");
    EXPECT_EQ(ids.associatedCollectionGroups.size(), 3u);  // the lower-case "parent" is dropped
    EXPECT_EQ(ids.associatedCollectionParentGroupId(), "B");

    JsonValue badSlug = identifiers("g");
    badSlug["slugs"].push_back({{"language", "fr"}});
    EXPECT_EQ(decodeFailure<ContentCollectionIdentifiers>(badSlug.dump()).path(), "slugs[1].value");

    // "containers" is read last though written before "collectionId".
    JsonValue broken = collection("g", 5);
    broken.erase("collectionId");
    EXPECT_EQ(decodeFailure<ContentCollection>(broken.dump()).path(), "collectionId");

    const auto& empty = ContentCollection::empty();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.contentId(), "");
    EXPECT_EQ(empty.identifiers.contentClass, CollectionContentClass::other(""));
}

TEST(Collections, SetsAndReferences) {
    JsonValue reference = {{"refType", "CuratedSet"}, {"refId", "X"}, {"text", JsonValue::object()}};
    auto coder = decodeValue<ContentSetCoder>(reference);
    ASSERT_TRUE(coder.reference());
    EXPECT_EQ(coder.id(), "X");
    EXPECT_EQ(toJsonValue(coder), reference);

    auto full = decodeValue<ContentSetCoder>(merged(completeSet("Y", JsonValue::array()), {{"type", "TrendingSet"}}));
    ASSERT_TRUE(full.set());
    EXPECT_EQ(full.id(), "Y");
    EXPECT_EQ(full.setType(), ContentSetType::trending);

    // A "refType" that names no set type means a complete set; a reference needs its "refId".
    expectRows<std::string>(
        {{R"({"refType":"NoSuchSet","refId":"X"})", Failure{ErrorKind::keyNotFound, "meta"}},
         {R"({"refType":"CuratedSet"})", Failure{ErrorKind::keyNotFound, "refId"}},
         {merged(completeSet("Z", JsonValue::array()), {{"refType", nullptr}}).dump(), std::string("Z")},
         {R"({"type":"CuratedSet","setId":"s","items":[],"meta":{"hits":10,"pageSize":11,"offset":0}})",
          Failure{ErrorKind::keyNotFound, "meta.page_size"}},
         {R"({"type":"DownloadsSet","setId":"s","items":[],"meta":{"hits":1,"page_size":1,"offset":0}})",
          Failure{ErrorKind::dataCorrupted, "type"}}},
        [](std::string_view text) { return json::decode<ContentSetCoder>(text).id(); });
}

TEST(Collections, NestedCollectionsDecodeAndWriteBackUnchanged) {
    // A collection whose set holds a collection (itself holding a set with a video), an unknown
    // kind, a flat personalized collection without a collection "type", and a series.
    JsonValue innerVideo = merged(minimalVideo, {{"type", "MepoVideo"}});
    JsonValue innerCollection = merged(collection("inner", {{{"type", "GridContainer"}, {"style", "grid_tile"},
                                                           {"set", completeSet("s2", JsonValue::array({innerVideo}))}}}),
                                     {{"type", "StandardCollection"}});
    JsonValue flatPersonalized = merged(collection("p", JsonValue::array()), {{"type", "PersonalizedCollection"}});
    JsonValue series = merged(minimalSeries, {{"type", "MepoSeries"}});
    JsonValue items = {innerCollection, {{"type", "Program"}, {"contentId", "x"}}, flatPersonalized, series};
    JsonValue outer = collection("outer", {{{"type", "ShelfContainer"}, {"style", "no_such_style"},
                                            {"set", completeSet("s1", items)}},
                                           {{"type", "BannerContainer"}, {"style", "hero"}, {"set", {{"refType", "CuratedSet"}, {"refId", "r"}}}}});

    json::Diagnostics diagnostics;
    const auto decoded = json::decode<ContentCollection>(outer.dump(), {}, &diagnostics);
    ASSERT_EQ(decoded.containers.size(), 1u);
    const auto* set = decoded.containers[0].setDecoder.set();
    ASSERT_TRUE(set);
    ASSERT_EQ(set->items.size(), 2u);
    EXPECT_EQ(decoded.containers[0].style.rawValue(), "no_such_style");
    const auto* nested = set->items[0].as<ContentCollection>();
    ASSERT_TRUE(nested);
    EXPECT_EQ(set->items[0].model()->contentId(), "inner");
    EXPECT_EQ(nested->containers[0].setDecoder.set()->items[0].as<Video>()->contentId, "v1");
    EXPECT_TRUE(set->items[1].as<Series>());

    EXPECT_EQ(eachOf(diagnostics.entries(), &json::Diagnostic::path),
              (std::vector<std::string>{"containers[0].set.items[1]", "containers[0].set.items[2]", "containers[1]"}));
    EXPECT_NE(diagnostics.entries()[1].reason.find("containers[0].set.items[2].type"), std::string::npos)
        << diagnostics.entries()[1].reason;

    const std::string written = json::encode(decoded);
    const auto again = json::decode<ContentCollection>(written);
    EXPECT_EQ(again, decoded);
    EXPECT_EQ(json::encode(again), written);
    EXPECT_EQ(toJsonValue(again)["containers"][0]["set"]["items"][0]["type"], "StandardCollection");
}

TEST(ContentCoder, EveryTagSelectsItsRecord) {
    JsonValue avatar = {{"avatarId", "a1"}};
    JsonValue flatCollection = collection("g", JsonValue::array());
    struct Row { std::string tag; JsonValue body; bool (*isExpected)(const ContentCoder&); };
    const std::vector<Row> rows = {
        {"MepoVideo", minimalVideo, [](const ContentCoder& c) { return c.as<Video>() != nullptr; }},
        {"MepoSeries", minimalSeries, [](const ContentCoder& c) { return c.as<Series>() != nullptr; }},
        {"StandardCollection", flatCollection, [](const ContentCoder& c) { return c.as<ContentCollection>() != nullptr; }},
        {"Avatar", avatar, [](const ContentCoder& c) { return c.as<Avatar>() != nullptr; }},
        {"Airing", merged(minimalVideo, {{"eventId", "e1"}}), [](const ContentCoder& c) { return c.as<Airing>() != nullptr; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tag);
        const auto coder = decodeValue<ContentCoder>(merged(row.body, {{"type", row.tag}}));
        EXPECT_EQ(json::wireString(coder.type()), row.tag);
        EXPECT_TRUE(row.isExpected(coder));
        EXPECT_EQ(decodeValue<ContentCoder>(toJsonValue(coder)), coder);
    }
    // Coders compare by tag and content id: a video equals itself with other fields, not an airing of its id.
    const auto video = decodeValue<ContentCoder>(merged(minimalVideo, {{"type", "MepoVideo"}}));
    EXPECT_EQ(video, decodeValue<ContentCoder>(merged(minimalVideo, {{"type", "MepoVideo"}, {"programType", "episode"}})));
    EXPECT_NE(video, decodeValue<ContentCoder>(merged(minimalVideo, {{"type", "Airing"}, {"eventId", "e1"}})));

    // Both collection tags read a collection, whose own "type" must then be a collection type;
    // the coder keeps the tag it read.
    EXPECT_EQ(decodeFailure<ContentCoder>(merged(flatCollection, {{"type", "PersonalizedCollection"}}).dump()).path(), "type");
    const ContentCoder kept(ContentTypeIdentifier::personalizedCollection,
                            std::make_shared<const ContentModel<ContentCollection>>(ContentCollection::empty()));
    EXPECT_EQ(kept.type(), ContentTypeIdentifier::personalizedCollection);
    // The collection's own "type" is the one "type" written.
    const std::string written = json::encode(kept);
    EXPECT_EQ(written.find(R"("type")"), written.rfind(R"("type")")) << written;
    EXPECT_EQ(toJsonValue(kept)["type"], "StandardCollection");

    // An Explore item is read from under "setItem", beside the tag.
    EXPECT_EQ(decodeFailure<ContentCoder>(R"({"type":"ExploreSetItem","contentId":"e"})").path(), "setItem");

    EXPECT_THROW(ContentReferenceLocator::of(*ContentCoder(decodeValue<Avatar>(avatar)).model()), std::invalid_argument);
}

TEST(Containers, IdsStylesAndResultContainers) {
    const auto meta = json::decode<VideosContainer::Meta>(R"({"offset":5,"pageSize":17,"hits":40})");
    EXPECT_EQ(meta, (VideosContainer::Meta{5, std::nullopt, 40}));
    const JsonValue videos = {{"meta", JsonValue::object()}, {"videos", {minimalVideo, 1}}};
    EXPECT_EQ(decodeFailure<VideosContainer>(videos.dump()).path(), "videos[1]");
    const auto related = decodeValue<RelatedContainer>({{"items", {merged(minimalVideo, {{"type", "MepoVideo"}}), 1}}});
    EXPECT_EQ(related.content().size(), 1u);

    // An avatar without an image map files its free-standing images as square avatar tiles.
    const auto avatar = json::decode<Avatar>(
        R"({"avatarId":"a1","images":[{"url":"https://img/a1","masterId":"m1"}, {"url":3}]})");
    const JsonValue image = toJsonValue(avatar.image);
    EXPECT_EQ(image["tile"]["1.00"]["avatar"]["default"]["masterId"], "m1") << image.dump();
    EXPECT_EQ(Avatar::decode(avatar.encode()), avatar);
    EXPECT_EQ(avatar.schema().name, "Avatar");
}

// The legacy details page: its vocabularies, the page season's episodes metadata read under one
// key and written under another, the strict season list inside a container that the page's
// lenient container list then drops, the page-season conversion and the integer page sizes.
const std::string season =
    R"({"type":"season","refId":"S1","refType":"season","seasonSequenceNumber":2,"mediaRights":{"downloadBlocked":false},)"
    R"("episodes_meta":{"offset":0,"page_size":23,"hits":40},"ratings":[{"system":"MPAA","value":"PG","advisories":[]},{"value":"PG"}]})";

std::string page(const std::string& styleName, const std::string& containers) {
    return R"({"refId":"P1","pageType":"details","style":{"name":")" + styleName +
           R"("},"content":{"visuals":{"headline":"H"},"mepoData":{"seriesId":"s1","encodedSeriesId":"ES1","mediaMetadata":{}}},)"
           R"("containers":)" + containers + "}";
}

TEST(PageModelTest, VocabulariesHaveTheirExactWireStringsAndPageSizesTheirIntegerRawValues) {
    expectClosedVocabulary<PageContainerType>({"episodes", "extras", "related", "details", "shop"}, {"Episodes", "carousel"});
    expectClosedVocabulary<PageType>({"details"}, {"Details", "detail"});
    expectWireStrings<PageSeasonType>({"season"});
    expectClosedVocabulary<PageSeasonRefType>({"season"}, {"series"});

    const std::pair<std::int64_t, PageSize> sizes[] = {
        {0, PageSize::zero},     {-1, PageSize::all},   {10, PageSize::ten},
        {15, PageSize::fifteen}, {20, PageSize::twenty}, {30, PageSize::thirty},
        {40, PageSize::forty},   {45, PageSize::fortyFive}, {60, PageSize::sixty},
    };
    for (const auto& [raw, size] : sizes) {
        EXPECT_EQ(pageSizeFromRawValue(raw), size) << raw;
        EXPECT_EQ(json::decode<PageSize>(std::to_string(raw)), size);
        EXPECT_EQ(json::encode(size), std::to_string(raw));
    }
    for (std::int64_t raw : {25, 1, 100, -2}) EXPECT_EQ(pageSizeFromRawValue(raw), std::nullopt) << raw;
    EXPECT_EQ(decodeFailure<PageSize>("25").kind(), ErrorKind::dataCorrupted);
    EXPECT_EQ(decodeFailure<PageSize>(R"("10")").kind(), ErrorKind::typeMismatch);
    EXPECT_EQ(decodeFailure<PageSize>("10.5").kind(), ErrorKind::dataCorrupted);
}

TEST(PageModelTest, PageSeasonReadsEpisodesMetaUnderSnakeCaseAndWritesItUnderItsName) {
    const auto decoded = json::decode<PageSeason>(season);
    EXPECT_EQ(decoded.episodesMeta, (Season::EpisodesMeta{0, 23, 40}));
    // The rating without a system is left out.
    EXPECT_EQ(decoded.ratings, (std::vector<Rating>{{"PG", "MPAA", {}, std::nullopt, std::nullopt}}));
    const std::string written = json::encode(decoded);
    EXPECT_NE(written.find(R"("episodesMeta":{"offset":0,"page_size":23,"hits":40})"), std::string::npos) << written;
    EXPECT_EQ(written.find("episodes_meta"), std::string::npos) << written;

    JsonValue complete = JsonValue::parse(season);
    complete.erase("ratings");
    expectKeysRequired<PageSeason>(complete);
    JsonValue renamed = complete;
    renamed["episodesMeta"] = renamed["episodes_meta"];
    renamed.erase("episodes_meta");
    EXPECT_EQ(decodeFailure<PageSeason>(renamed.dump()).path(), "episodes_meta");

    const Season converted = fromPageSeason(decoded, "s1");
    EXPECT_EQ(converted, (Season{"S1", "s1", 2, TextMap{}, decoded.mediaRights, std::nullopt, std::nullopt,
                                 decoded.episodesMeta, decoded.ratings}));
    EXPECT_FALSE(converted.image);  // absent, unlike a decoded season without "image"
    EXPECT_EQ(fromPageSeason(decoded, std::nullopt).seriesId, std::nullopt);
}

TEST(PageModelTest, PageDropsContainersThatFailAndRequiresItsKeysAndEveryShopPanelString) {
    const std::string seasonWithoutMeta = R"({"type":"season","refId":"S2","refType":"season","seasonSequenceNumber":3,)"
                                          R"("mediaRights":{}})";
    const std::string containers =
        R"([{"type":"episodes","refId":"s1","refType":"series","style":{"name":"episodes"},"seasons":[)" + season + "]}," +
        R"({"type":"episodes","style":{"name":"episodes"},"seasons":[)" + season + "," + seasonWithoutMeta + "]}," +
        R"({"type":"carousel","style":{"name":"x"}},)" + R"({"type":"extras","style":{"name":"extras"}}])";
    const auto decoded = json::decode<Page>(page("anthology", containers));
    ASSERT_EQ(decoded.containers.size(), 2u);
    EXPECT_EQ(decoded.containers[0].seasons->size(), 1u);
    EXPECT_EQ(decoded.containers[1].type, PageContainerType::extras);
    EXPECT_EQ(decoded.content.mepoData.seriesId, "s1");
    EXPECT_TRUE(decoded.isAnthology());
    EXPECT_FALSE(json::decode<Page>(page("Anthology", "[]")).isAnthology());

    const JsonValue complete = JsonValue::parse(page("standard", "[]"));
    expectKeysRequired<Page>(complete);
    JsonValue detail = complete;
    detail["pageType"] = "detail";
    EXPECT_EQ(decodeFailure<Page>(detail.dump()).path(), "pageType");
    JsonValue withoutSeries = complete;
    withoutSeries["content"].erase("mepoData");
    EXPECT_EQ(decodeFailure<Page>(withoutSeries.dump()).path(), "content.mepoData");
    // A shop container's panel needs every string.
    expectEveryKeyRequired<ContainerContent>(JsonValue::parse(
        R"({"title":"t","subTitle":"s","legalCopy":"l","linkCopy":"c","linkCopyUrl":"u","link":"k","image":)"
        R"({"qrCode":"q","background":"b","backgroundMobile":"m","goToShopOstrel":"g","shopOstrelLogo":"o"}})"));
}

}  // namespace
}  // namespace vorlane
