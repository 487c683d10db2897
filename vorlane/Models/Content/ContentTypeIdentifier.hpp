#pragma once
// The type tag of legacy content: the "type" member that selects the concrete record.

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

enum class ContentTypeIdentifier { video, series, standardCollection, personalizedCollection, avatar, airing, explore };

}  // namespace vorlane

// Exact and case-sensitive; any other string fails.
template <>
struct vorlane::json::Vocabulary<vorlane::ContentTypeIdentifier> {
    using E = vorlane::ContentTypeIdentifier;
    static constexpr std::string_view name = "ContentTypeIdentifier";
    static constexpr VocabularyEntry<E> entries[] = {
        {E::video, "MepoVideo"},
        {E::series, "MepoSeries"},
        {E::standardCollection, "StandardCollection"},
        {E::personalizedCollection, "PersonalizedCollection"},
        {E::avatar, "Avatar"},
        {E::airing, "Airing"},
        {E::explore, "ExploreSetItem"},
    };
};

namespace vorlane {

constexpr bool isCollection(ContentTypeIdentifier type) noexcept {
    return type == ContentTypeIdentifier::standardCollection || type == ContentTypeIdentifier::personalizedCollection;
}

}  // namespace vorlane
