#include "vorlane/Models/Explore/PromoLabel.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>
#include <chrono>

namespace vorlane {

const PromoLabel& PromoLabel::imaxAvailable() {
    static const PromoLabel label = [] {
        const Date now = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
        PromoLabel made;
        made.type = PromoType::imaxAvailable;
        made.subType = PromoLabelSubTypeCase::movie;
        made.sunrise = now;
        made.sunset = now;
        return made;
    }();
    return label;
}

std::optional<Date> generalAccessDate(std::span<const PromoLabel> labels) {
    const auto found = std::ranges::find(labels, PromoLabel::PromoType::comingSoon, &PromoLabel::type);
    if (found == labels.end()) return std::nullopt;
    return found->sunset;
}

std::optional<PromoLabel> mainPromoLabel(std::span<const PromoLabel> labels, bool enableShopPromoLabels,
                                         bool showPremierAccess, std::optional<bool> hasImaxVersion) {
    const auto firstWhere = [&](auto&& predicate) -> std::optional<PromoLabel> {
        const auto found = std::ranges::find_if(labels, predicate);
        if (found == labels.end()) return std::nullopt;
        return *found;
    };
    if (showPremierAccess) {
        if (auto label = firstWhere([](const PromoLabel& l) { return l.isPremierAccess(); })) return label;
    }
    if (auto label = firstWhere([](const PromoLabel& l) { return !l.isPremierAccess(); })) return label;
    if (hasImaxVersion.value_or(false)) return PromoLabel::imaxAvailable();
    if (enableShopPromoLabels) return firstWhere([](const PromoLabel& l) { return l.isShopAvailable(); });
    return std::nullopt;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::PromoLabel)
