#pragma once
// The body of an Explore page: containers of four kinds (a set of items, a details block, an
// episodes block with its seasons, a shop block), each one flat JSON object whose "type" names the
// kind; and a season, which the episodes block holds and a season query answers alone.
//
//   {"type": "episodes", "style": {"name": "details_standard"}, "visuals": {"name": "Episodes"},
//    "focus": {"seasonId": "s2", "itemId": "e5"}, "seasons": [{"type": "season", "id": "s2", ...}]}

#include "vorlane/Models/Content/Season.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The kind of a container: the "type" member of its object. Closed: any other string fails it.
enum class ContainerTypeIdentifier { details, episodes, set, shop };

constexpr auto jsonVocabulary(json::Tag<ContainerTypeIdentifier>) {
    using enum ContainerTypeIdentifier;
    return json::vocabulary<ContainerTypeIdentifier>(
        "ContainerTypeIdentifier", {{details, "details"}, {episodes, "episodes"}, {set, "set"}, {shop, "shop"}});
}

// One container of any kind.
class Container {
public:
    virtual ~Container() = default;
    virtual ContainerTypeIdentifier identifier() const noexcept = 0;
    // False for a container of another concrete type; memberwise equality otherwise.
    virtual bool isEqual(const Container& other) const = 0;

protected:
    Container() = default;
    Container(const Container&) = default;
    Container& operator=(const Container&) = default;
};

// The kind of a container record: its own `containerIdentifier`; an Explore set, which is also
// read alone, is named here.
template <class R>
struct ContainerKind;
template <class R>
    requires requires { R::containerIdentifier; }
struct ContainerKind<R> {
    static constexpr ContainerTypeIdentifier value = R::containerIdentifier;
};
template <>
struct ContainerKind<ExploreSet> {
    static constexpr ContainerTypeIdentifier value = ContainerTypeIdentifier::set;
};

template <class R>
concept ContainerRecord = requires { ContainerKind<R>::value; };

// The `Container` face of one container record.
template <ContainerRecord R>
class ContainerModel final : public Container {
public:
    explicit ContainerModel(R record) : record_(std::move(record)) {}

    const R& record() const noexcept { return record_; }
    ContainerTypeIdentifier identifier() const noexcept override { return ContainerKind<R>::value; }
    bool isEqual(const Container& other) const override {
        const auto* same = dynamic_cast<const ContainerModel*>(&other);
        return same && same->record_ == record_;
    }

private:
    R record_;
};

// A container of the kind its "type" tag selects, decoded from the same object. Shared: copies
// of a page share its containers.
class ContainerCoder {
public:
    ContainerCoder(ContainerTypeIdentifier type, std::shared_ptr<const Container> model);
    // The tag is the model's own identifier.
    explicit ContainerCoder(std::shared_ptr<const Container> model);
    template <ContainerRecord R>
    explicit ContainerCoder(R record)
        : ContainerCoder(ContainerKind<R>::value, std::make_shared<const ContainerModel<R>>(std::move(record))) {}

    ContainerTypeIdentifier type() const noexcept { return type_; }
    const std::shared_ptr<const Container>& model() const noexcept { return model_; }

    // The record when the model is one of type R, else null.
    template <ContainerRecord R>
    const R* as() const noexcept {
        const auto* model = dynamic_cast<const ContainerModel<R>*>(model_.get());
        return model ? &model->record() : nullptr;
    }

    bool operator==(const ContainerCoder& other) const { return type_ == other.type_ && model_->isEqual(*other.model_); }

private:
    ContainerTypeIdentifier type_;
    std::shared_ptr<const Container> model_;
};

// The title, description and actions block of a details page.
struct DetailsContainer {
    static constexpr ContainerTypeIdentifier containerIdentifier = ContainerTypeIdentifier::details;

    ExplorePageStyleDescriptor style;
    DetailsContainerVisuals visuals;
    std::string infoBlock;
    std::optional<std::vector<ActionCoder>> actionCoders;  // strict: an unknown action fails the container

    std::optional<std::vector<std::shared_ptr<const Action>>> actions() const { return vorlane::actions(actionCoders); }

    bool operator==(const DetailsContainer&) const = default;
};

inline auto jsonFields(json::Tag<DetailsContainer>) {
    using namespace json::rules;
    using S = DetailsContainer;
    return fields(required("style", &S::style), required("visuals", &S::visuals), required("infoBlock", &S::infoBlock),
                  optional("actions", &S::actionCoders));
}

inline auto jsonDerived(json::Tag<DetailsContainer>) {
    using namespace json::derived;
    return members(member("actions", [](const DetailsContainer& c) { return c.actionCoders; }));
}

struct ShopContainer {
    static constexpr ContainerTypeIdentifier containerIdentifier = ContainerTypeIdentifier::shop;

    ExplorePageStyleDescriptor style;
    ShopContainerVisuals visuals;
    std::string infoBlock;

    bool operator==(const ShopContainer&) const = default;
};

inline auto jsonFields(json::Tag<ShopContainer>) {
    using namespace json::rules;
    using S = ShopContainer;
    return fields(required("style", &S::style), required("visuals", &S::visuals), required("infoBlock", &S::infoBlock));
}

// Layout and style names of a season, all three sent.
struct SeasonStyle {
    std::string name;
    std::string fallback;
    std::string layout;

    bool operator==(const SeasonStyle&) const = default;
};

inline auto jsonFields(json::Tag<SeasonStyle>) {
    using namespace json::rules;
    using S = SeasonStyle;
    return fields(required("name", &S::name), required("fallback", &S::fallback), required("layout", &S::layout));
}

// One season of a series with (a page of) its episodes.
struct ExploreSeason {
    ExplorePageType type = ExplorePageType::season;
    std::string id;
    SeasonStyle style;
    std::optional<std::vector<ActionCoder>> actionCoders;  // unknown actions are left out
    std::optional<SeasonVisuals> visuals;
    std::optional<std::vector<ExploreSetItem>> items;  // episodes that fail are left out
    std::optional<std::string> infoBlock;
    std::optional<ExplorePagination> pagination;

    std::optional<std::vector<std::shared_ptr<const Action>>> actions() const { return vorlane::actions(actionCoders); }
    std::optional<DownloadSeasonAction> downloadSeasonAction() const {
        return firstAction<DownloadSeasonAction>(actionCoders);
    }
    bool hasDownloadSeasonAction() const { return downloadSeasonAction().has_value(); }

    bool operator==(const ExploreSeason&) const = default;
};

inline auto jsonFields(json::Tag<ExploreSeason>) {
    using namespace json::rules;
    using S = ExploreSeason;
    return fields(required("type", &S::type), required("id", &S::id), required("style", &S::style),
                  lenientIfPresent("actions", &S::actionCoders), optional("visuals", &S::visuals),
                  lenientIfPresent("items", &S::items), optional("infoBlock", &S::infoBlock),
                  optional("pagination", &S::pagination));
}

inline auto jsonDerived(json::Tag<ExploreSeason>) {
    using namespace json::derived;
    using S = ExploreSeason;
    return members(member("actions", [](const S& season) { return season.actionCoders; }),
                   member("downloadSeasonAction", &S::downloadSeasonAction),
                   member("hasDownloadSeasonAction", &S::hasDownloadSeasonAction));
}

// The season and episode a series page opens on.
struct EpisodesFocus {
    std::string seasonId;
    std::string itemId;

    bool operator==(const EpisodesFocus&) const = default;
};

inline auto jsonFields(json::Tag<EpisodesFocus>) {
    using namespace json::rules;
    using S = EpisodesFocus;
    return fields(required("seasonId", &S::seasonId), required("itemId", &S::itemId));
}

struct EpisodesContainerVisuals {
    std::string name;

    bool operator==(const EpisodesContainerVisuals&) const = default;
};

inline auto jsonFields(json::Tag<EpisodesContainerVisuals>) {
    using namespace json::rules;
    return fields(required("name", &EpisodesContainerVisuals::name));
}

// The seasons of a series with their episodes, and where to open.
struct EpisodesContainer {
    static constexpr ContainerTypeIdentifier containerIdentifier = ContainerTypeIdentifier::episodes;
    using Focus = EpisodesFocus;

    ExplorePageStyleDescriptor style;
    EpisodesContainerVisuals visuals;
    Focus focus;
    std::vector<ExploreSeason> seasons;  // seasons that fail are left out
    std::optional<std::string> infoBlock;

    // The first season with the focus's season id, and in it the first episode with its item id.
    std::optional<ExploreSeason> focusedSeason() const;
    std::optional<ExploreSetItem> focusedEpisode() const;

    bool operator==(const EpisodesContainer&) const = default;
};

inline auto jsonFields(json::Tag<EpisodesContainer>) {
    using namespace json::rules;
    using S = EpisodesContainer;
    return fields(required("style", &S::style), required("visuals", &S::visuals), required("focus", &S::focus),
                  lenient("seasons", &S::seasons), optional("infoBlock", &S::infoBlock));
}

inline auto jsonDerived(json::Tag<EpisodesContainer>) {
    using namespace json::derived;
    return members(member("focusedSeason", &EpisodesContainer::focusedSeason),
                   member("focusedEpisode", &EpisodesContainer::focusedEpisode));
}

// The answer of a season query: {"data": {"season": {...}}}, written back as {"season": {...}}.
struct ExploreSeasonResponse {
    ExploreSeason season;

    bool operator==(const ExploreSeasonResponse&) const = default;
};

}  // namespace vorlane

// Hand-written over the tagged-record table in Containers.cpp: reads "type", then decodes the
// container of that kind from the same object. A set reads its own "type" from the same member,
// so it writes that member itself; the other kinds have "type" written beside their keys.
VORLANE_JSON_CODEC(vorlane::ContainerCoder)
// Hand-written: read from under "data", written flat.
VORLANE_JSON_CODEC(vorlane::ExploreSeasonResponse)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::DetailsContainer)
VORLANE_JSON_RECORD(vorlane::ShopContainer)
VORLANE_JSON_RECORD(vorlane::SeasonStyle)
VORLANE_JSON_RECORD(vorlane::ExploreSeason)
VORLANE_JSON_RECORD(vorlane::EpisodesFocus)
VORLANE_JSON_RECORD(vorlane::EpisodesContainerVisuals)
VORLANE_JSON_RECORD(vorlane::EpisodesContainer)
