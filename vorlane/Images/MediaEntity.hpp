#pragma once
// The kind of entity an image was made for: the third key level of a legacy image map and the
// "_sourceEntity" of a free-standing image.

#include "vorlane/Images/FallbackVocabularyCodec.hpp"

namespace vorlane {

enum class MediaEntity {
    collection,
    series,
    program,
    season,
    set,
    avatar,
    sportdata,
    sport,
    team,
    league,
    unknown,
};

}  // namespace vorlane

// Decoding never fails: an unknown string or a value of another type reads as `unknown`.
template <>
struct vorlane::json::Vocabulary<vorlane::MediaEntity> {
    using E = vorlane::MediaEntity;
    static constexpr std::string_view name = "MediaEntity";
    static constexpr E fallback = E::unknown;
    static constexpr VocabularyEntry<E> entries[] = {
        {E::collection, "collection"},
        {E::series, "series"},
        {E::program, "program"},
        {E::season, "season"},
        {E::set, "set"},
        {E::avatar, "avatar"},
        {E::sportdata, "sportdata"},
        {E::sport, "sport"},
        {E::team, "team"},
        {E::league, "league"},
        {E::unknown, "unknown"},
    };
};

template <>
struct vorlane::json::Codec<vorlane::MediaEntity> : vorlane::json::FallbackVocabularyCodec<vorlane::MediaEntity> {};
