#include "vorlane/Models/Explore/Containers.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Json/TaggedCoder.hpp"

#include <algorithm>
#include <stdexcept>

namespace vorlane {

ContainerCoder::ContainerCoder(ContainerTypeIdentifier type, std::shared_ptr<const Container> model)
    : type_(type), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("a container coder needs a container");
}

ContainerCoder::ContainerCoder(std::shared_ptr<const Container> model)
    : type_(model ? model->identifier() : ContainerTypeIdentifier::set), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("a container coder needs a container");
}

std::optional<ExploreSeason> EpisodesContainer::focusedSeason() const {
    const auto season = std::ranges::find(seasons, focus.seasonId, &ExploreSeason::id);
    if (season == seasons.end()) return std::nullopt;
    return *season;
}

std::optional<ExploreSetItem> EpisodesContainer::focusedEpisode() const {
    const auto season = std::ranges::find(seasons, focus.seasonId, &ExploreSeason::id);
    if (season == seasons.end() || !season->items) return std::nullopt;
    const auto episode = std::ranges::find(*season->items, focus.itemId, &ExploreSetItem::id);
    if (episode == season->items->end()) return std::nullopt;
    return *episode;
}

namespace {

using ContainerTag = ContainerTypeIdentifier;
template <auto Tag, class R, class... Options>
using ContainerCase = json::TaggedCase<Tag, ContainerModel<R>, Options...>;
// A set reads its page type from the same "type" member that names the kind, so it writes it.
using ContainerRecords = json::TaggedRecords<Container, ContainerTypeIdentifier,
                                             ContainerCase<ContainerTag::details, DetailsContainer>,
                                             ContainerCase<ContainerTag::episodes, EpisodesContainer>,
                                             ContainerCase<ContainerTag::set, ExploreSet, json::RecordWritesTagKey>,
                                             ContainerCase<ContainerTag::shop, ShopContainer>>;
static_assert(json::allCases<ContainerTypeIdentifier>().size() == 4, "every container tag has a row above");

constexpr std::string_view kContainerTagKey = "type";
constexpr std::string_view kContainerKind = "container";

}  // namespace

}  // namespace vorlane

// A container model reads and writes exactly its record.
template <class R>
struct vorlane::json::Codec<vorlane::ContainerModel<R>> {
    static vorlane::ContainerModel<R> decode(const Value& v) { return vorlane::ContainerModel<R>(Codec<R>::decode(v)); }
    static void encode(Writer& w, const vorlane::ContainerModel<R>& model) { Codec<R>::encode(w, model.record()); }
};

vorlane::ContainerCoder vorlane::json::Codec<vorlane::ContainerCoder>::decode(const Value& v) {
    auto [type, model] = decodeTagged<ContainerRecords, ContainerTypeIdentifier>(v, kContainerTagKey, kContainerKind);
    return ContainerCoder(type, std::move(model));
}

void vorlane::json::Codec<vorlane::ContainerCoder>::encode(Writer& w, const ContainerCoder& coder) {
    encodeTagged<ContainerRecords>(w, kContainerTagKey, coder.type(), *coder.model(), kContainerKind);
}

vorlane::ExploreSeasonResponse vorlane::json::Codec<vorlane::ExploreSeasonResponse>::decode(const Value& v) {
    return {readRequired<ExploreSeason>(requiredObject(v, "data"), "season")};
}

void vorlane::json::Codec<vorlane::ExploreSeasonResponse>::encode(Writer& w, const ExploreSeasonResponse& response) {
    w.beginObject();
    w.key("season");
    Codec<ExploreSeason>::encode(w, response.season);
    w.endObject();
}

VORLANE_JSON_DEFINE(vorlane::DetailsContainer)
VORLANE_JSON_DEFINE(vorlane::ShopContainer)
VORLANE_JSON_DEFINE(vorlane::SeasonStyle)
VORLANE_JSON_DEFINE(vorlane::ExploreSeason)
VORLANE_JSON_DEFINE(vorlane::EpisodesFocus)
VORLANE_JSON_DEFINE(vorlane::EpisodesContainerVisuals)
VORLANE_JSON_DEFINE(vorlane::EpisodesContainer)
