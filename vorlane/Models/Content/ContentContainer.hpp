#pragma once
// A shelf of a legacy collection page: its kind, its visual style, an optional background and the
// set (or reference to a set) it shows. Containers built from Explore data also carry the Explore
// page type, info block, browse action, visuals and set parameters; those are never sent by the
// content API and never written.

#include "vorlane/Images/Image.hpp"
#include "vorlane/Models/Content/ContentSet.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Explore/ExplorePageStyle.hpp"
#include "vorlane/Models/Explore/ExploreVisuals.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Styles/ContentContainerStyle.hpp"

#include <map>
#include <optional>
#include <string>

namespace vorlane {

// Closed: an unknown string fails the container.
enum class ContainerType { hero, grid, shelf };

constexpr auto jsonVocabulary(json::Tag<ContainerType>) {
    using enum ContainerType;
    return json::vocabulary<ContainerType>("ContentContainer.ContainerType",
                                           {{hero, "HeroContainer"}, {grid, "GridContainer"}, {shelf, "ShelfContainer"}});
}

struct ContentContainer {
    using ContainerType = vorlane::ContainerType;

    ContainerType type = ContainerType::shelf;
    std::optional<ExplorePageType> exploreSetType;
    ContentContainerStyle style;
    std::optional<Image> background;
    std::optional<std::string> infoBlock;
    std::optional<BrowseAction> browseAction;
    std::optional<ExploreSetVisuals> visuals;
    std::optional<std::map<std::string, std::string>> exploreSetParams;
    ContentSetCoder setDecoder;

    ContentContainer() = default;
    // A container over a complete set, built from other data.
    ContentContainer(ContainerType type, ContentContainerStyle style, std::optional<Image> background, ContentSet set,
                     std::optional<std::string> infoBlock = std::nullopt,
                     std::optional<BrowseAction> browseAction = std::nullopt,
                     std::optional<ExploreSetVisuals> visuals = std::nullopt,
                     std::optional<std::map<std::string, std::string>> exploreSetParams = std::nullopt,
                     std::optional<ExplorePageType> exploreSetType = std::nullopt);
    // A container over a reference to a set, with the texts to show until the set is fetched.
    ContentContainer(ContainerType type, ContentContainerStyle style, TextMap texts, std::optional<Image> background,
                     ContentSetReferenceLocator reference, std::optional<std::string> infoBlock = std::nullopt,
                     std::optional<BrowseAction> browseAction = std::nullopt,
                     std::optional<std::map<std::string, std::string>> exploreSetParams = std::nullopt,
                     std::optional<ExplorePageType> exploreSetType = std::nullopt,
                     std::optional<ExploreSetVisuals> visuals = std::nullopt);

    bool isHero() const noexcept { return type == ContainerType::hero; }
    const TextMap& texts() const noexcept { return setDecoder.texts; }
    const std::variant<ContentSet, ContentSetReferenceLocator>& content() const noexcept { return setDecoder.content; }
    // The set's id, or the reference's.
    const std::string& id() const noexcept { return setDecoder.id(); }
    ContentSetType setType() const noexcept { return setDecoder.setType(); }

    bool operator==(const ContentContainer&) const = default;
};

// Only "type", "style", "background" and "set" travel; the rest is set by constructors.
inline auto jsonFields(json::Tag<ContentContainer>) {
    using namespace json::rules;
    using S = ContentContainer;
    return fields(required("type", &S::type),
                  required("style", &S::style),
                  optional("background", &S::background),
                  required("set", &S::setDecoder));
}

inline auto jsonDerived(json::Tag<ContentContainer>) {
    using namespace json::derived;
    return members(member("id", &ContentContainer::id),
                   member("setType", &ContentContainer::setType),
                   member("isHero", &ContentContainer::isHero),
                   member("texts", &ContentContainer::texts),
                   member("content", &ContentContainer::content));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ContentContainer)
