#include "vorlane/Images/Image.hpp"

#include "vorlane/Styles/ContentContainerStyle.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <array>
#include <cstddef>

namespace vorlane {

namespace {

using P = Image::Purpose;

// The presentation hints of one purpose.
struct PurposeTraits {
    bool usePlaceholder;
    bool showTextOnFailure;
    ImageFormat format;
    bool showOriginalsLabel;
    std::span<const Image::Purpose> fallbacks;
};

constexpr Image::Purpose heroCollectionFallbacks[] = {P::hero, P::heroTile};
constexpr Image::Purpose heroCollectionBrandFallbacks[] = {P::heroCollection, P::hero};
constexpr Image::Purpose heroCollectionInlineFallbacks[] = {P::heroCollection, P::heroTile};
constexpr Image::Purpose titleTreatmentCenteredFallbacks[] = {P::titleTreatmentBottom, P::titleTreatment};
constexpr Image::Purpose titleTreatmentBottomFallbacks[] = {P::titleTreatmentCentered, P::titleTreatment};
constexpr Image::Purpose tileOnly[] = {P::tile};
constexpr Image::Purpose logoOnly[] = {P::logo};
constexpr Image::Purpose tileFallbacks[] = {P::tileKeystone, P::keystone};
constexpr Image::Purpose backgroundDetailsFallbacks[] = {P::background, P::hero};
constexpr Image::Purpose backgroundUpNextFallbacks[] = {P::background, P::backgroundDetails};

constexpr bool yes = true;
constexpr bool no = false;
constexpr ImageFormat JPEG = ImageFormat::jpeg;
constexpr ImageFormat PNG = ImageFormat::png;

// Indexed by the purpose's position in the enumeration.
constexpr std::array<PurposeTraits, 30> traitsTable = {{
    /* hero                   */ {yes, yes, JPEG, no, {}},
    /* heroCollection         */ {no, no, JPEG, no, heroCollectionFallbacks},
    /* heroCollectionBrand    */ {no, no, JPEG, no, heroCollectionBrandFallbacks},
    /* heroCollectionInline   */ {no, no, JPEG, no, heroCollectionInlineFallbacks},
    /* heroTile               */ {yes, yes, PNG, yes, {}},
    /* tileTitleCard          */ {yes, yes, JPEG, no, {}},
    /* titleTreatment         */ {no, no, PNG, no, {}},
    /* titleTreatmentLayer    */ {no, no, PNG, no, {}},
    /* titleTreatmentCentered */ {no, no, PNG, no, titleTreatmentCenteredFallbacks},
    /* titleTreatmentBottom   */ {no, no, PNG, no, titleTreatmentBottomFallbacks},
    /* thumbnail              */ {yes, yes, JPEG, no, tileOnly},
    /* thumbnailImax          */ {yes, yes, JPEG, no, tileOnly},
    /* thumbnailWidescreen    */ {yes, yes, JPEG, no, tileOnly},
    /* logo                   */ {no, no, PNG, no, {}},
    /* logoDark               */ {no, no, PNG, no, {}},
    /* logoLayer              */ {no, no, PNG, no, logoOnly},
    /* tile                   */ {yes, yes, JPEG, yes, tileFallbacks},
    /* tileInline             */ {yes, yes, JPEG, no, tileOnly},
    /* tileKeystone           */ {yes, yes, JPEG, yes, {}},
    /* tileWhite              */ {yes, yes, PNG, no, {}},
    /* keystone               */ {yes, yes, JPEG, yes, {}},
    /* background             */ {no, yes, JPEG, no, {}},
    /* backgroundDetails      */ {no, yes, JPEG, no, backgroundDetailsFallbacks},
    /* backgroundUpNext       */ {no, no, JPEG, no, backgroundUpNextFallbacks},
    /* teamLogo1              */ {no, no, PNG, no, {}},
    /* teamLogo2              */ {no, no, PNG, no, {}},
    /* league                 */ {no, no, JPEG, no, {}},
    /* unknown                */ {yes, yes, JPEG, no, {}},
    /* brandTile              */ {yes, yes, PNG, no, {}},
    /* avatarTile             */ {yes, no, PNG, no, {}},
}};

static_assert(json::allCases<Image::Purpose>().size() == traitsTable.size());

const PurposeTraits& traits(Image::Purpose purpose) noexcept {
    const auto index = static_cast<std::size_t>(purpose);
    // Every enumerator has a row; a value cast from outside the enumeration reads as `unknown`.
    return index < traitsTable.size() ? traitsTable[index] : traitsTable[static_cast<std::size_t>(P::unknown)];
}

}  // namespace

bool usePlaceholder(Image::Purpose purpose) noexcept { return traits(purpose).usePlaceholder; }

bool showTextOnFailure(Image::Purpose purpose) noexcept { return traits(purpose).showTextOnFailure; }

ImageFormat format(Image::Purpose purpose) noexcept { return traits(purpose).format; }

bool showOriginalsLabel(Image::Purpose purpose) noexcept { return traits(purpose).showOriginalsLabel; }

std::span<const Image::Purpose> fallbackPurposes(Image::Purpose purpose) noexcept { return traits(purpose).fallbacks; }

Image::Purpose rootPurpose(Image::Purpose purpose) noexcept {
    return purpose == P::brandTile || purpose == P::avatarTile ? P::tile : purpose;
}

std::optional<AspectRatio> fallbackAspectRatio(Image::Purpose purpose) noexcept {
    if (purpose == P::thumbnail) return Ratio::fourByThree;
    return std::nullopt;
}

bool fallbackToAnyAspectRatio(Image::Purpose purpose) noexcept { return purpose == P::thumbnail; }

bool supportsScrimLabel(Image::Purpose purpose) noexcept { return purpose == P::heroTile; }

std::optional<Image::ScrimLabel> scrimLabel(AspectRatio ratio, const ContentContainerStyle* containerStyle) {
    // Exact comparisons: the ratios asked for are the named constants themselves.
    if (ratio == Ratio::sixteenByNine) return Image::ScrimLabel::scrim178;
    if (ratio == Ratio::three)
        return containerStyle && containerStyle->isHeroInline() ? Image::ScrimLabel::heroInlineScrim300
                                                                : Image::ScrimLabel::scrim300;
    if (ratio == Ratio::threeNinetyOne) return Image::ScrimLabel::scrim391;
    if (ratio == Ratio::eighty) return Image::ScrimLabel::scrim80;
    if (ratio == Ratio::fourSixOne) return Image::ScrimLabel::scrim461;
    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::Image)
VORLANE_JSON_DEFINE(vorlane::ImageModelParameters)
