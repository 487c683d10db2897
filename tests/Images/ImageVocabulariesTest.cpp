#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/IconType.hpp"
#include "vorlane/Images/Image.hpp"
#include "vorlane/Images/MediaEntity.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"
#include "vorlane/Platform/Display.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using namespace jsontesting;

TEST(ImageVocabularies, EveryCaseHasItsExactWireStringInOrder) {
    expectWireStrings<Image::Purpose>(
        {"hero", "hero_collection", "hero_collection_brand", "hero_collection_inline", "hero_tile", "tile_title_card",
         "title_treatment", "title_treatment_layer", "title_treatment_centered", "title_treatment_bottom", "thumbnail",
         "thumbnail_version_imax_enhanced", "thumbnail_version_ov_widescreen", "logo", "logo_dark", "logo_layer",
         "tile", "tile_inline", "tile_keystone", "tile_white", "keystone", "background", "background_details",
         "background_up_next", "teamLogo1", "teamLogo2", "league", "unknown", "brandTile", "avatarTile"});
    expectWireStrings<MediaEntity>({"collection", "series", "program", "season", "set", "avatar", "sportdata", "sport",
                                    "team", "league", "unknown"});
    expectWireStrings<Image::ScrimLabel>(
        {"080_scrim", "178_scrim", "300_scrim", "heroinline_300_scrim", "391_scrim", "461_scrim"});
    expectWireStrings<ImageFormat>({"jpeg", "png"});
    expectWireStrings<VideoArtwork::ArtworkType>({"tile", "tile_1x", "full_bleed", "full_bleed_portrait"});
    expectWireStrings<ExploreImage::Content>(
        {"tile", "background", "thumbnail", "logo", "title_treatment", "tile_white", "watermark", "subtitle"});
    expectWireStrings<ExploreImage::Context>(
        {"standard", "hero", "tile", "collection", "fixed", "partner", "details", "up_next", "unauthenticated",
         "character", "mono", "center", "organization", "team", "league", "matchup", "network", "brand", "brand_dark",
         "dark", "scoreboard", "scoreboard_dark", "bottom_right", "top_right", "stacked"});

    // The catch-all `unknown` comes first and has no wire string of its own.
    expectWireStrings<IconTypeKind, IconType>(
        {"generic_unavailable", "regional_unavailable", "service_unavailable", "pcon", "kids_mode", "watchlistEmpty"}, 1);
}

TEST(ImageVocabularies, UnknownInputFollowsEachVocabularysRule) {
    // Purposes and entities never fail to decode.
    for (const char* text : {R"("Tile")", R"("hero-tile")", R"("")", "7", "true", "null", "{}", "[]"}) {
        EXPECT_EQ(json::decode<Image::Purpose>(text), Image::Purpose::unknown) << text;
        EXPECT_EQ(json::decode<MediaEntity>(text), MediaEntity::unknown) << text;
    }
    // Constructing from a raw value does not fall back.
    EXPECT_EQ(json::fromWireString<Image::Purpose>("hero_tiles"), std::nullopt);
    EXPECT_EQ(json::fromWireString<Image::Purpose>("unknown"), Image::Purpose::unknown);
    EXPECT_EQ(json::fromWireString<ImageFormat>("jpg"), std::nullopt);

    // Closed vocabularies fail on an unknown string.
    expectRejected<ExploreImage::Context>({"upNext"});
    expectRejected<ExploreImage::Content>({"titleTreatment"});
    expectRejected<Image::ScrimLabel>({"80_scrim"});
    expectRejected<VideoArtwork::ArtworkType>({"fullBleed"});

    // Open vocabularies keep the text and write it back.
    expectKeptAsCatchAll<IconType>({"sparkles", "Pcon"});
    expectKeptAsCatchAll<Image::OriginalsBadgeLabel>({"Some Studio"});
}

TEST(ImagePurpose, PresentationHintsAndFallbacksPerPurpose) {
    using P = Image::Purpose;
    constexpr auto J = ImageFormat::jpeg;
    constexpr auto G = ImageFormat::png;
    // purpose; flags 'P' usePlaceholder, 'T' showTextOnFailure, 'O' showOriginalsLabel; format; fallbacks
    const std::vector<std::tuple<P, std::string_view, ImageFormat, std::vector<P>>> rows = {
        {P::hero, "PT", J, {}}, {P::heroCollection, "", J, {P::hero, P::heroTile}},
        {P::heroCollectionBrand, "", J, {P::heroCollection, P::hero}},
        {P::heroCollectionInline, "", J, {P::heroCollection, P::heroTile}}, {P::heroTile, "PTO", G, {}},
        {P::tileTitleCard, "PT", J, {}}, {P::titleTreatment, "", G, {}}, {P::titleTreatmentLayer, "", G, {}},
        {P::titleTreatmentCentered, "", G, {P::titleTreatmentBottom, P::titleTreatment}},
        {P::titleTreatmentBottom, "", G, {P::titleTreatmentCentered, P::titleTreatment}},
        {P::thumbnail, "PT", J, {P::tile}}, {P::thumbnailImax, "PT", J, {P::tile}},
        {P::thumbnailWidescreen, "PT", J, {P::tile}}, {P::logo, "", G, {}}, {P::logoDark, "", G, {}},
        {P::logoLayer, "", G, {P::logo}}, {P::tile, "PTO", J, {P::tileKeystone, P::keystone}},
        {P::tileInline, "PT", J, {P::tile}}, {P::tileKeystone, "PTO", J, {}}, {P::tileWhite, "PT", G, {}},
        {P::keystone, "PTO", J, {}}, {P::background, "T", J, {}}, {P::backgroundDetails, "T", J, {P::background, P::hero}},
        {P::backgroundUpNext, "", J, {P::background, P::backgroundDetails}}, {P::teamLogo1, "", G, {}},
        {P::teamLogo2, "", G, {}}, {P::league, "", J, {}}, {P::unknown, "PT", J, {}}, {P::brandTile, "PT", G, {}},
        {P::avatarTile, "P", G, {}},
    };
    ASSERT_EQ(rows.size(), std::size(json::allCases<P>()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& [purpose, flags, imageFormat, fallbacks] = rows[i];
        SCOPED_TRACE(json::wireString(purpose));
        EXPECT_EQ(json::allCases<P>()[i].value, purpose);
        EXPECT_EQ(usePlaceholder(purpose), flags.find('P') != flags.npos);
        EXPECT_EQ(showTextOnFailure(purpose), flags.find('T') != flags.npos);
        EXPECT_EQ(showOriginalsLabel(purpose), flags.find('O') != flags.npos);
        EXPECT_EQ(format(purpose), imageFormat);
        EXPECT_EQ(std::vector<P>(fallbackPurposes(purpose).begin(), fallbackPurposes(purpose).end()), fallbacks);
        EXPECT_EQ(rootPurpose(purpose), purpose == P::brandTile || purpose == P::avatarTile ? P::tile : purpose);
        const bool thumbnail = purpose == P::thumbnail;
        EXPECT_EQ(fallbackAspectRatio(purpose), thumbnail ? std::optional(Ratio::fourByThree) : std::nullopt);
        EXPECT_EQ(fallbackToAnyAspectRatio(purpose), thumbnail);
        EXPECT_EQ(supportsScrimLabel(purpose), purpose == P::heroTile);
    }
}

TEST(ExploreImageContent, PlaceholderFormatAndRatioFallbacksPerContent) {
    using C = ExploreImage::Content;
    constexpr auto J = ImageFormat::jpeg;
    constexpr auto G = ImageFormat::png;
    // content, usePlaceholder, format outside the `brand` context, format in it, fallback ratio
    const std::tuple<C, bool, ImageFormat, ImageFormat, std::optional<AspectRatio>> rows[] = {
        {C::tile, true, J, G, std::nullopt},         {C::background, false, J, J, std::nullopt},
        {C::thumbnail, true, J, J, Ratio::fourByThree}, {C::logo, false, G, G, std::nullopt},
        {C::titleTreatment, false, G, G, Ratio::threeThirtyTwo}, {C::tileWhite, false, G, G, std::nullopt},
        {C::watermark, false, G, G, std::nullopt},   {C::subtitle, false, J, J, std::nullopt},
    };
    for (const auto& [content, placeholder, format, brandFormat, fallbackRatio] : rows) {
        SCOPED_TRACE(json::wireString(content));
        EXPECT_EQ(usePlaceholder(content), placeholder);
        for (const auto& context : json::allCases<ExploreImage::Context>())
            EXPECT_EQ(imageFormat(context.value, content),
                      context.value == ExploreImage::Context::brand ? brandFormat : format)
                << context.wire;
        EXPECT_EQ(fallbackAspectRatio(content), fallbackRatio);
        EXPECT_EQ(fallbackToAnyAspectRatio(content), content == C::thumbnail);
    }
}

TEST(ExploreImage, ShowTextOnFailureByContextContentAndSizeClass) {
    using X = ExploreImage::Context;
    using C = ExploreImage::Content;
    // context, content, expected on a regular display, expected on a compact one
    const std::tuple<X, C, bool, bool> rows[] = {
        {X::standard, C::logo, false, false},     {X::tile, C::background, false, false},
        {X::collection, C::background, false, false}, {X::upNext, C::background, false, false},
        {X::character, C::background, false, false},  {X::details, C::background, false, true},
        {X::hero, C::background, true, true},     {X::upNext, C::tile, false, false},
        {X::character, C::thumbnail, false, false},   {X::details, C::tile, true, true},
    };
    for (const auto& [context, content, regular, compact] : rows) {
        SCOPED_TRACE(std::string(json::wireString(context)) + "/" + std::string(json::wireString(content)));
        Display::setHorizontalSizeClass(SizeClass::regular);
        EXPECT_EQ(ExploreImage::showTextOnFailure(context, content), regular);
        Display::setHorizontalSizeClass(SizeClass::compact);
        EXPECT_EQ(ExploreImage::showTextOnFailure(context, content), compact);
    }
    Display::setHorizontalSizeClass(SizeClass::regular);
}

TEST(ImageScrimLabel, ChosenByExactRatioAndInlineHeroStyle) {
    using S = Image::ScrimLabel;
    const ContentContainerStyle heroInline(ContentContainerStyleCase::heroInline);
    const ContentContainerStyle hero(ContentContainerStyleCase::hero);
    const std::tuple<AspectRatio, const ContentContainerStyle*, std::optional<S>> rows[] = {
        {16.0 / 9.0, &heroInline, S::scrim178}, {3.0, nullptr, S::scrim300},  {3.0, &hero, S::scrim300},
        {3.0, &heroInline, S::heroInlineScrim300}, {3.91, nullptr, S::scrim391}, {0.8, nullptr, S::scrim80},
        {4.61, &heroInline, S::scrim461},       {1.78, nullptr, std::nullopt}, {4.0 / 3.0, nullptr, std::nullopt},
    };
    for (const auto& [ratio, style, expected] : rows) EXPECT_EQ(scrimLabel(ratio, style), expected) << ratio;
}

}  // namespace
}  // namespace vorlane
