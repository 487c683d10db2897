#include "vorlane/Models/Explore/ExploreDeeplink.hpp"

#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>

namespace vorlane {

const std::string& queryValue(ExploreDeeplinkRefId refId, const ExploreDeeplinkConfig& config) {
    const auto& ids = config.refIds;
    switch (refId) {
        case ExploreDeeplinkRefId::home: return ids.home;
        case ExploreDeeplinkRefId::watchlist: return ids.watchlist;
        case ExploreDeeplinkRefId::zelkor: return ids.zelkor;
        case ExploreDeeplinkRefId::movies: return ids.movies;
        case ExploreDeeplinkRefId::series: return ids.series;
        case ExploreDeeplinkRefId::originals: return ids.originals;
        case ExploreDeeplinkRefId::threeDimensional: return ids.threeDimensional;
    }
    return ids.home;  // not reached: every case returns above
}

ExploreDeeplinkItem deeplinkContentItem(ExploreDeeplinkRefId refId, std::string_view title) {
    ExploreDeeplinkItem item;
    item.texts = legacyTexts(title, std::nullopt, "program");
    item.deeplinkId = refId;
    return item;
}

ExploreDeeplink::ExploreDeeplink(const std::vector<std::shared_ptr<const Action>>& actions) {
    actionCoders.reserve(actions.size());
    for (const auto& action : actions) actionCoders.emplace_back(action);
}

std::optional<ExplorePageInfo> ExploreDeeplink::explorePageInfo() const {
    const auto browse = firstAction<BrowseAction>(actionCoders);
    if (!browse) return std::nullopt;
    return ExplorePageInfo{browse->pageId, browse->pageStyle};
}

std::string ExploreDeeplink::identifier(ActionTypeIdentifier type) const {
    const auto coder = std::ranges::find(actionCoders, type, &ActionCoder::type);
    if (coder == actionCoders.end()) return {};
    using T = ActionTypeIdentifier;
    switch (type) {
        case T::browse: return coder->as<BrowseAction>()->pageId;
        case T::download: return coder->as<DownloadAction>()->resourceId;
        case T::downloadSeason: return coder->as<DownloadSeasonAction>()->seasonId;
        case T::legacyBrowse: return coder->as<LegacyBrowseAction>()->refId().value_or("");
        case T::upNextLegacyBrowse: return coder->as<UpNextLegacyBrowseAction>()->refId().value_or("");
        case T::playback: return coder->as<PlaybackAction>()->resourceId;
        case T::trailer: return coder->as<TrailerAction>()->resourceId;
        case T::upsell: return coder->as<UpsellAction>()->resourceId;
        case T::modal:
        case T::modifySaves:
        case T::share:
        case T::toggleAspectRatio: return {};
    }
    return {};
}

}  // namespace vorlane

vorlane::ExploreDeeplink vorlane::json::Codec<vorlane::ExploreDeeplink>::decode(const Value& v) {
    ExploreDeeplink deeplink;
    deeplink.actionCoders = decodeSafely<ActionCoder>(requiredObject(requiredObject(v, "data"), "deeplink"), "actions");
    return deeplink;
}

void vorlane::json::Codec<vorlane::ExploreDeeplink>::encode(Writer& w, const ExploreDeeplink& deeplink) {
    w.beginObject();
    w.key("actions");
    Codec<std::vector<ActionCoder>>::encode(w, deeplink.actionCoders);
    w.endObject();
}

VORLANE_JSON_DEFINE(vorlane::ExploreDeeplinkConfig::RefIds)
VORLANE_JSON_DEFINE(vorlane::ExploreDeeplinkConfig)
VORLANE_JSON_DEFINE(vorlane::ExploreDeeplinkItem)
VORLANE_JSON_DEFINE(vorlane::ExplorePageInfo)
