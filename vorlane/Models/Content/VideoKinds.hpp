#pragma once
// The two kinds a legacy video or airing declares: what the asset is (the full program, a trailer,
// a clip, ...) and what sort of program it belongs to (an episode, a movie, a sports event, ...).

#include "vorlane/Platform/Json/Codec.hpp"

namespace vorlane {

// Closed: a string outside the seven fails the record. The lower-case and the capitalised full
// program are two distinct cases, each written back as it came.
enum class VideoContentType { full, capitalFull, trailer, clip, bonus, easterEgg, audio };

constexpr auto jsonVocabulary(json::Tag<VideoContentType>) {
    using enum VideoContentType;
    return json::vocabulary<VideoContentType>("Video.ContentType", {
        {full, "full"},
        {capitalFull, "Full"},
        {trailer, "trailer"},
        {clip, "clip"},
        {bonus, "bonus"},
        {easterEgg, "easter-egg"},
        {audio, "audio"},
    });
}

// Never fails on a string: one outside the list reads as `other` (and is written back as "other").
enum class VideoProgramType { episode, movie, supplement, promotional, shortForm, sports, other };

constexpr auto jsonVocabulary(json::Tag<VideoProgramType>) {
    using enum VideoProgramType;
    return json::vocabulary<VideoProgramType>("Video.ProgramType", {
        {episode, "episode"},
        {movie, "movie"},
        {supplement, "supplement"},
        {promotional, "promotional"},
        {shortForm, "short-form"},
        {sports, "sports"},
        {other, "other"},
    })
        .unknownAs(other);
}

}  // namespace vorlane
