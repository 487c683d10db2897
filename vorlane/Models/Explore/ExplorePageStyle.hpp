#pragma once
// The vocabularies every Explore record uses to name a kind of screen and its style: the page
// type, the page style with its fallback chain, and the restriction shown on a blocked page.

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace vorlane {

// What kind of page, set, item, season or up-next item a record is. Closed: an unknown string
// fails the record that holds it.
enum class ExplorePageType { episodes, page, set, view, season, upNext };

// The page styles a screen knows how to draw; `unknown` holds any other name as sent.
enum class ExplorePageStyleCase {
    detailsStandard,
    highEmphasis,
    standardEmphasisNoHeader,
    standardEmphasisWithHeader,
    standardEmphasisWithNavigation,
    unknown,
};

constexpr auto jsonVocabulary(json::Tag<ExplorePageType>) {
    using enum ExplorePageType;
    return json::vocabulary<ExplorePageType>("ExplorePage.PageType", {
        {episodes, "episodes"},
        {page, "page"},
        {set, "set"},
        {view, "view"},
        {season, "season"},
        {upNext, "upNext"},
    });
}

constexpr auto jsonVocabulary(json::Tag<ExplorePageStyleCase>) {
    using enum ExplorePageStyleCase;
    return json::vocabulary<ExplorePageStyleCase>("ExplorePage.ExplorePageStyle", {
        {detailsStandard, "details_standard"},
        {highEmphasis, "high_emphasis"},
        {standardEmphasisNoHeader, "standard_emphasis_no_header"},
        {standardEmphasisWithHeader, "standard_emphasis_with_header"},
        {standardEmphasisWithNavigation, "standard_emphasis_with_navigation"},
    })
        .catchAll(unknown);
}

// A page style: a known case, or `unknown` holding the text. `ExplorePageStyle::fromWire(text)`
// never fails; `rawValue()` is the wire string or the held text.
using ExplorePageStyle = json::OpenEnum<ExplorePageStyleCase>;

// The style a record asks for: a style name and an optional fallback name. Names are kept as
// sent and resolved only when read, so a style this client does not know still round-trips.
struct ExplorePageStyleDescriptor {
    std::string name;
    std::optional<std::string> fallback;

    // The style to draw: the name when it is a known style, else the fallback when that is
    // known, else `standardEmphasisWithHeader`. Each step past the name logs a model warning;
    // nothing is cached, so every read of an unknown style warns again.
    ExplorePageStyle effectivePageStyle() const;

    bool operator==(const ExplorePageStyleDescriptor&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePageStyleDescriptor>) {
    using namespace json::rules;
    using S = ExplorePageStyleDescriptor;
    return fields(required("name", &S::name),
                  optional("fallback", &S::fallback));
}

inline auto jsonDerived(json::Tag<ExplorePageStyleDescriptor>) {
    using namespace json::derived;
    return members(member("effectivePageStyle", &ExplorePageStyleDescriptor::effectivePageStyle));
}

// The message shown instead of a page the user may not open.
struct ExplorePageRestriction {
    std::string iconType;
    std::string message;

    bool operator==(const ExplorePageRestriction&) const = default;
};

inline auto jsonFields(json::Tag<ExplorePageRestriction>) {
    using namespace json::rules;
    using S = ExplorePageRestriction;
    return fields(required("iconType", &S::iconType),
                  required("message", &S::message));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ExplorePageStyleDescriptor)
VORLANE_JSON_RECORD(vorlane::ExplorePageRestriction)
