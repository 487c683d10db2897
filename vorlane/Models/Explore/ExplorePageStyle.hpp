#pragma once
// The vocabularies every Explore record uses to name a kind of screen and its style: the page
// type, the page style with its fallback chain, and the restriction shown on a blocked page.

#include "vorlane/Platform/Json/Codec.hpp"

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

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::ExplorePageType> {
    using E = vorlane::ExplorePageType;
    static constexpr std::string_view name = "ExplorePage.PageType";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::episodes, "episodes"}, {E::page, "page"},     {E::set, "set"},
        {E::view, "view"},         {E::season, "season"}, {E::upNext, "upNext"},
    };
};

template <>
struct vorlane::json::Vocabulary<vorlane::ExplorePageStyleCase> {
    using E = vorlane::ExplorePageStyleCase;
    static constexpr std::string_view name = "ExplorePage.ExplorePageStyle";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::detailsStandard, "details_standard"},
        {E::highEmphasis, "high_emphasis"},
        {E::standardEmphasisNoHeader, "standard_emphasis_no_header"},
        {E::standardEmphasisWithHeader, "standard_emphasis_with_header"},
        {E::standardEmphasisWithNavigation, "standard_emphasis_with_navigation"},
    };
    static constexpr E catchAll = E::unknown;
};

namespace vorlane {

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

// The message shown instead of a page the user may not open.
struct ExplorePageRestriction {
    std::string iconType;
    std::string message;

    bool operator==(const ExplorePageRestriction&) const = default;
};

}  // namespace vorlane

VORLANE_JSON_CODEC(vorlane::ExplorePageStyleDescriptor)
VORLANE_JSON_CODEC(vorlane::ExplorePageRestriction)
