#pragma once
// A title's details screen as the legacy content API describes it: a reference to the series, a
// style name, the series record itself and an ordered list of page containers (episodes with
// their seasons, extras, related items, details, a shop panel). Bundles reuse the container shape
// for their extra panels (BundleContainer, with the shop panel's content). Also the page sizes
// used when paging.

#include "vorlane/Models/Content/ContentAction.hpp"
#include "vorlane/Models/Content/Ratings.hpp"
#include "vorlane/Models/Content/Season.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/ShopImage.hpp"
#include "vorlane/Models/Explore/PromoLabel.hpp"
#include "vorlane/Models/Playback/MediaRights.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The look of a page or a container, by name ("anthology", "standard", ...).
struct PageStyle {
    std::string name;
    bool operator==(const PageStyle&) const = default;
};

inline auto jsonFields(json::Tag<PageStyle>) {
    using namespace json::rules;
    return fields(required("name", &PageStyle::name));
}

struct PageVisuals {
    std::optional<std::string> headline;
    std::optional<std::string> body;
    bool operator==(const PageVisuals&) const = default;
};

inline auto jsonFields(json::Tag<PageVisuals>) {
    using namespace json::rules;
    return fields(optional("headline", &PageVisuals::headline), optional("body", &PageVisuals::body));
}

// What a page container (or a bundle's extra panel) holds. Closed: an unknown string fails it.
enum class PageContainerType { episodes, extras, related, details, shop };

constexpr auto jsonVocabulary(json::Tag<PageContainerType>) {
    using enum PageContainerType;
    return json::vocabulary<PageContainerType>("PageContainer.PageContainerType", {
        {episodes, "episodes"},
        {extras, "extras"},
        {related, "related"},
        {details, "details"},
        {shop, "shop"},
    });
}

// The shop panel: its texts, the link it opens and its images.
struct ContainerContent {
    std::string title;
    std::string subTitle;
    std::string legalCopy;
    std::string linkCopy;
    std::string linkCopyUrl;
    std::string link;
    ShopImage image;
    bool operator==(const ContainerContent&) const = default;
};

inline auto jsonFields(json::Tag<ContainerContent>) {
    using namespace json::rules;
    using S = ContainerContent;
    return fields(required("title", &S::title),
                  required("subTitle", &S::subTitle),
                  required("legalCopy", &S::legalCopy),
                  required("linkCopy", &S::linkCopy),
                  required("linkCopyUrl", &S::linkCopyUrl),
                  required("link", &S::link),
                  required("image", &S::image));
}

// An extra panel of a bundle.
struct BundleContainer {
    PageContainerType type = PageContainerType::shop;
    std::optional<std::string> refType;
    PageStyle style;
    ContainerContent content;
    bool operator==(const BundleContainer&) const = default;
};

inline auto jsonFields(json::Tag<BundleContainer>) {
    using namespace json::rules;
    using S = BundleContainer;
    return fields(required("type", &S::type),
                  optional("refType", &S::refType),
                  required("style", &S::style),
                  required("content", &S::content));
}

// The kind of a page season and of what it refers to; each has the one case "season".
enum class PageSeasonType { season };

constexpr auto jsonVocabulary(json::Tag<PageSeasonType>) {
    return json::vocabulary<PageSeasonType>("PageSeason.SeasonType", {{PageSeasonType::season, "season"}});
}

enum class PageSeasonRefType { season };

constexpr auto jsonVocabulary(json::Tag<PageSeasonRefType>) {
    return json::vocabulary<PageSeasonRefType>("PageSeason.SeasonRefType", {{PageSeasonRefType::season, "season"}});
}

// A season as the episodes container of a page lists it.
struct PageSeason {
    using SeasonType = PageSeasonType;
    using SeasonRefType = PageSeasonRefType;

    SeasonType type = SeasonType::season;
    std::string refId;
    SeasonRefType refType = SeasonRefType::season;
    std::int64_t seasonSequenceNumber = 0;
    MediaRights mediaRights;
    Season::EpisodesMeta episodesMeta;
    std::optional<std::vector<Rating>> ratings;

    bool operator==(const PageSeason&) const = default;
};

// The episodes metadata is read under "episodes_meta" and written under "episodesMeta".
inline auto jsonFields(json::Tag<PageSeason>) {
    using namespace json::rules;
    using S = PageSeason;
    return fields(required("type", &S::type),
                  required("refId", &S::refId),
                  required("refType", &S::refType),
                  required("seasonSequenceNumber", &S::seasonSequenceNumber),
                  required("mediaRights", &S::mediaRights),
                  writtenAs("episodesMeta", required("episodes_meta", &S::episodesMeta)),
                  lenientIfPresent("ratings", &S::ratings));
}

// The season a page season stands for, of the series `seriesId`: no texts, no image map, no meta.
Season fromPageSeason(const PageSeason& page, std::optional<std::string> seriesId);

// One panel of a details page. A season that fails fails the container ("seasons" is strict).
struct PageContainer {
    using PageContainerType = vorlane::PageContainerType;

    PageContainerType type = PageContainerType::episodes;
    std::optional<std::string> refId;
    std::optional<std::string> refType;
    PageStyle style;
    std::optional<std::vector<PageSeason>> seasons;

    bool operator==(const PageContainer&) const = default;
};

inline auto jsonFields(json::Tag<PageContainer>) {
    using namespace json::rules;
    using S = PageContainer;
    return fields(required("type", &S::type),
                  optional("refId", &S::refId),
                  optional("refType", &S::refType),
                  required("style", &S::style),
                  optional("seasons", &S::seasons));
}

// What a details page is about: its texts to show and the series record ("mepoData").
struct PageContent {
    std::optional<PageVisuals> visuals;
    Series mepoData;
    bool operator==(const PageContent&) const = default;
};

inline auto jsonFields(json::Tag<PageContent>) {
    using namespace json::rules;
    return fields(optional("visuals", &PageContent::visuals), required("mepoData", &PageContent::mepoData));
}

// The kind of a page. Closed: only details pages exist.
enum class PageType { details };

constexpr auto jsonVocabulary(json::Tag<PageType>) {
    return json::vocabulary<PageType>("Page.PageType", {{PageType::details, "details"}});
}

// A title's details page.
struct Page {
    using PageType = vorlane::PageType;

    std::string refId;
    PageType pageType = PageType::details;
    PageStyle style;
    std::optional<std::vector<ContentAction>> actions;
    PageContent content;
    std::vector<PageContainer> containers;  // a container that fails is left out
    std::optional<std::vector<PromoLabel>> promoLabels;

    // The page of an anthology: its style is named exactly "anthology".
    bool isAnthology() const noexcept { return style.name == "anthology"; }

    bool operator==(const Page&) const = default;
};

inline auto jsonFields(json::Tag<Page>) {
    using namespace json::rules;
    using S = Page;
    return fields(required("refId", &S::refId),
                  required("pageType", &S::pageType),
                  required("style", &S::style),
                  lenientIfPresent("actions", &S::actions),
                  required("content", &S::content),
                  lenient("containers", &S::containers),
                  lenientIfPresent("promoLabels", &S::promoLabels));
}

inline auto jsonDerived(json::Tag<Page>) {
    using namespace json::derived;
    return members(member("isAnthology", &Page::isAnthology));
}

// How many items a page of results holds; `all` asks for every item at once. Carried as its
// integer raw value.
enum class PageSize : std::int32_t {
    zero = 0,
    all = -1,
    ten = 10,
    fifteen = 15,
    twenty = 20,
    thirty = 30,
    forty = 40,
    fortyFive = 45,
    sixty = 60,
};

// The page size whose raw value is `rawValue`; absent for any other number.
std::optional<PageSize> pageSizeFromRawValue(std::int64_t rawValue) noexcept;
constexpr std::int32_t rawValue(PageSize size) noexcept { return static_cast<std::int32_t>(size); }

}  // namespace vorlane

// Hand-written: an integer vocabulary (the vocabulary tables hold strings).
VORLANE_JSON_CODEC(vorlane::PageSize)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::PageStyle)
VORLANE_JSON_RECORD(vorlane::PageVisuals)
VORLANE_JSON_RECORD(vorlane::ContainerContent)
VORLANE_JSON_RECORD(vorlane::BundleContainer)
VORLANE_JSON_RECORD(vorlane::PageSeason)
VORLANE_JSON_RECORD(vorlane::PageContainer)
VORLANE_JSON_RECORD(vorlane::PageContent)
VORLANE_JSON_RECORD(vorlane::Page)
