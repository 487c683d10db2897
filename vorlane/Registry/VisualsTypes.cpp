// The decodable types of Explore visuals: the visuals of pages, sets, items and containers, their
// prompts, badges and promotions, the empty-state message and shop images they show, and the
// promotional labels of the content model with the look-ups on a list of them.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Content/LabeledSport.hpp"
#include "vorlane/Models/Content/ShopImage.hpp"
#include "vorlane/Models/Explore/EmptyState.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"

namespace vorlane {

void registerVisualsTypes(std::vector<DecodableType>& types) {
    using json::OpenEnum;
    types.insert(types.end(), {
        // Visuals of pages, items and sets
        REGISTER(ExploreVisuals, "ExploreVisuals", explore),
        REGISTER(ExploreSetItemVisuals, "ExploreSetItemVisuals", explore),
        REGISTER(ExploreSetVisuals, "ExploreSetVisuals", explore),
        REGISTER(ExploreVisualsPrompt, "ExploreVisualsPrompt", explore),
        REGISTER(ExploreItemPrompt, "ExploreItemPrompt", explore),
        REGISTER(ExploreItemPrompt::ExploreItemPromptType, "ExploreItemPrompt.ExploreItemPromptType", explore),
        REGISTER(ExploreBadging, "ExploreBadging", explore),
        REGISTER(ExploreBadgingUpsell, "ExploreBadgingUpsell", explore),
        REGISTER(ExplorePromoLabel, "ExplorePromoLabel", explore),
        REGISTER(EmptyState, "EmptyState", explore),

        // Visuals of containers and what they show
        REGISTER(DetailsContainerVisuals, "DetailsContainerVisuals", explore),
        REGISTER(ShopContainerVisuals, "ShopContainerVisuals", explore),
        REGISTER(ShopImage, "ShopImage", legacy),
        REGISTER(LabeledSport, "LabeledSport", explore),
        REGISTER(LabeledSportsLeague, "LabeledSportsLeague", explore),

        // Promotional labels of the content model
        REGISTER(PromoLabel, "PromoLabel", legacy),
        REGISTER(PromoLabel::PromoType, "PromoLabel.PromoType", legacy),
        REGISTER(OpenEnum<PromoLabelSubTypeCase>, "PromoLabel.SubType", legacy),
        REGISTER(std::vector<PromoLabel>, "[PromoLabel]", legacy),
    });
}

}  // namespace vorlane
