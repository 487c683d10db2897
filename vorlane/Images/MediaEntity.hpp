#pragma once
// The kind of entity an image was made for: the third key level of a legacy image map and the
// "_sourceEntity" of a free-standing image.

#include "vorlane/Platform/Json/Codec.hpp"

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

// Decoding never fails: an unknown string or a value of another type reads as `unknown`.
constexpr auto jsonVocabulary(json::Tag<MediaEntity>) {
    using enum MediaEntity;
    return json::vocabulary<MediaEntity>("MediaEntity", {
                                                            {collection, "collection"},
                                                            {series, "series"},
                                                            {program, "program"},
                                                            {season, "season"},
                                                            {set, "set"},
                                                            {avatar, "avatar"},
                                                            {sportdata, "sportdata"},
                                                            {sport, "sport"},
                                                            {team, "team"},
                                                            {league, "league"},
                                                            {unknown, "unknown"},
                                                        })
        .neverFailing(unknown);
}

}  // namespace vorlane
