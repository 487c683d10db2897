#pragma once
// The type tag of legacy content: the "type" member that selects the concrete record.

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

enum class ContentTypeIdentifier { video, series, standardCollection, personalizedCollection, avatar, airing, explore };

}  // namespace vorlane

// Exact and case-sensitive; any other string fails.
namespace vorlane {

constexpr auto jsonVocabulary(json::Tag<ContentTypeIdentifier>) {
    using enum ContentTypeIdentifier;
    return json::vocabulary<ContentTypeIdentifier>("ContentTypeIdentifier", {
        {video, "MepoVideo"},
        {series, "MepoSeries"},
        {standardCollection, "StandardCollection"},
        {personalizedCollection, "PersonalizedCollection"},
        {avatar, "Avatar"},
        {airing, "Airing"},
        {explore, "ExploreSetItem"},
    });
}

constexpr bool isCollection(ContentTypeIdentifier type) noexcept {
    return type == ContentTypeIdentifier::standardCollection || type == ContentTypeIdentifier::personalizedCollection;
}

}  // namespace vorlane
