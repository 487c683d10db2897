#include "vorlane/Images/Image.hpp"

#include "vorlane/Models/Content/ContentContainerStyle.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <array>
#include <cstddef>

namespace vorlane {

namespace {

using P = ImagePurpose;

// The presentation hints of one purpose.
struct PurposeTraits {
    bool usePlaceholder;
    bool showTextOnFailure;
    ImageFormat format;
    bool showOriginalsLabel;
    std::span<const ImagePurpose> fallbacks;
};

constexpr ImagePurpose heroCollectionFallbacks[] = {P::hero, P::heroTile};
constexpr ImagePurpose heroCollectionBrandFallbacks[] = {P::heroCollection, P::hero};
constexpr ImagePurpose heroCollectionInlineFallbacks[] = {P::heroCollection, P::heroTile};
constexpr ImagePurpose titleTreatmentCenteredFallbacks[] = {P::titleTreatmentBottom, P::titleTreatment};
constexpr ImagePurpose titleTreatmentBottomFallbacks[] = {P::titleTreatmentCentered, P::titleTreatment};
constexpr ImagePurpose tileOnly[] = {P::tile};
constexpr ImagePurpose logoOnly[] = {P::logo};
constexpr ImagePurpose tileFallbacks[] = {P::tileKeystone, P::keystone};
constexpr ImagePurpose backgroundDetailsFallbacks[] = {P::background, P::hero};
constexpr ImagePurpose backgroundUpNextFallbacks[] = {P::background, P::backgroundDetails};

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

static_assert(std::size(json::Vocabulary<ImagePurpose>::entries) == traitsTable.size());

const PurposeTraits& traits(ImagePurpose purpose) noexcept {
    const auto index = static_cast<std::size_t>(purpose);
    // Every enumerator has a row; a value cast from outside the enumeration reads as `unknown`.
    return index < traitsTable.size() ? traitsTable[index] : traitsTable[static_cast<std::size_t>(P::unknown)];
}

}  // namespace

bool usePlaceholder(ImagePurpose purpose) noexcept { return traits(purpose).usePlaceholder; }

bool showTextOnFailure(ImagePurpose purpose) noexcept { return traits(purpose).showTextOnFailure; }

ImageFormat format(ImagePurpose purpose) noexcept { return traits(purpose).format; }

bool showOriginalsLabel(ImagePurpose purpose) noexcept { return traits(purpose).showOriginalsLabel; }

std::span<const ImagePurpose> fallbackPurposes(ImagePurpose purpose) noexcept { return traits(purpose).fallbacks; }

ImagePurpose rootPurpose(ImagePurpose purpose) noexcept {
    return purpose == P::brandTile || purpose == P::avatarTile ? P::tile : purpose;
}

std::optional<AspectRatio> fallbackAspectRatio(ImagePurpose purpose) noexcept {
    if (purpose == P::thumbnail) return Ratio::fourByThree;
    return std::nullopt;
}

bool fallbackToAnyAspectRatio(ImagePurpose purpose) noexcept { return purpose == P::thumbnail; }

bool supportsScrimLabel(ImagePurpose purpose) noexcept { return purpose == P::heroTile; }

std::optional<ImageScrimLabel> scrimLabel(AspectRatio ratio, const ContentContainerStyle* containerStyle) {
    // Exact comparisons: the ratios asked for are the named constants themselves.
    if (ratio == Ratio::sixteenByNine) return ImageScrimLabel::scrim178;
    if (ratio == Ratio::three)
        return containerStyle && containerStyle->isHeroInline() ? ImageScrimLabel::heroInlineScrim300
                                                                : ImageScrimLabel::scrim300;
    if (ratio == Ratio::threeNinetyOne) return ImageScrimLabel::scrim391;
    if (ratio == Ratio::eighty) return ImageScrimLabel::scrim80;
    if (ratio == Ratio::fourSixOne) return ImageScrimLabel::scrim461;
    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::Image,
                    required("url", &Self::url),
                    required("masterId", &Self::masterId),
                    optional("masterWidth", &Self::masterWidth),
                    optional("masterHeight", &Self::masterHeight),
                    optional("_aspectRatio", &Self::aspectRatio),
                    optional("_purpose", &Self::purpose),
                    optional("_sourceEntity", &Self::sourceEntity))

VORLANE_JSON_RECORD(vorlane::ImageModelParameters,
                    required("image", &Self::image),
                    required("purpose", &Self::purpose),
                    required("aspectRatio", &Self::aspectRatio))
