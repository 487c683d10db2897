#pragma once
// What to play when a video ends. The legacy content API answers with an up-next response: the
// kind of transition it chose (continue the series, recommend something else, a sneak peek, or
// stop), the candidate videos, the program types of the item played and of the item to play, and
// optionally the parent series and when it becomes available. The response turns into an UpNext,
// whose content type tells the player which up-next presentation to show, or into an UpNextError.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Models/Content/EncodedIdentifier.hpp"
#include "vorlane/Models/Content/ResultContainers.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Content/VideoKinds.hpp"
#include "vorlane/Platform/Date.hpp"
#include "vorlane/Platform/Either.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vorlane {

// The transition the service chose. Closed: an unknown string fails the response.
enum class UpNextType { sequential, recommendation, sneakpeek, stop };

constexpr auto jsonVocabulary(json::Tag<UpNextType>) {
    using enum UpNextType;
    return json::vocabulary<UpNextType>("UpNextType", {
        {sequential, "sequential"},
        {recommendation, "recommendation"},
        {sneakpeek, "sneak-peek"},
        {stop, "stop"},
    });
}

// The case name ("sneakpeek"), as descriptions show it; the wire string is "sneak-peek".
std::string_view toString(UpNextType type) noexcept;

// The up-next presentation the player shows. Note "sneakpeek" without the hyphen of the response.
enum class UpNextContentType { movie, nextEpisode, newSeries, sneakpeek, extra, sports };

constexpr auto jsonVocabulary(json::Tag<UpNextContentType>) {
    using enum UpNextContentType;
    return json::vocabulary<UpNextContentType>("UpNextContentType", {
        {movie, "movie"},
        {nextEpisode, "nextEpisode"},
        {newSeries, "newSeries"},
        {sneakpeek, "sneakpeek"},
        {extra, "extra"},
        {sports, "sports"},
    });
}

// Where the next item's artwork comes from.
struct UpNextItemProgramSource : ContentImagesContaining {
    ImageMap images;

    const ImageMap& image() const override { return images; }
    bool operator==(const UpNextItemProgramSource&) const = default;
};

inline auto jsonFields(json::Tag<UpNextItemProgramSource>) {
    using namespace json::rules;
    return fields(required("image", &UpNextItemProgramSource::images));
}

// The item played or the item to play.
struct UpNextItem {
    VideoProgramType programType = VideoProgramType::other;
    std::optional<UpNextItemProgramSource> programSource;
    bool operator==(const UpNextItem&) const = default;
};

inline auto jsonFields(json::Tag<UpNextItem>) {
    using namespace json::rules;
    return fields(required("programType", &UpNextItem::programType),
                  optional("programSource", &UpNextItem::programSource));
}

// When the next item becomes available (read and written by the decoder's date setting).
struct UpNextAvailability {
    std::optional<Date> appears;
    bool operator==(const UpNextAvailability&) const = default;
};

inline auto jsonFields(json::Tag<UpNextAvailability>) {
    using namespace json::rules;
    return fields(optional("appears", &UpNextAvailability::appears));
}

// The series the next item belongs to.
struct UpNextParent {
    std::optional<UpNextAvailability> currentAvailability;
    std::optional<EncodedIdentifier> encodedSeriesId;
    bool operator==(const UpNextParent&) const = default;
};

inline auto jsonFields(json::Tag<UpNextParent>) {
    using namespace json::rules;
    return fields(optional("currentAvailability", &UpNextParent::currentAvailability),
                  optional("encodedSeriesId", &UpNextParent::encodedSeriesId));
}

struct UpNextResponse {
    UpNextType upNextType = UpNextType::stop;
    VideosContainer video;  // the candidates; the first one plays
    std::optional<UpNextItem> itemFrom;
    std::optional<UpNextItem> itemTo;
    std::optional<UpNextParent> parentItemTo;
    std::optional<std::string> experimentToken;

    // "UpNextResponse [sequential] episode → movie": the up-next type's case name, then the
    // program types of the item played and of the item to play ("unknown" for a missing item).
    std::string description() const;

    bool operator==(const UpNextResponse&) const = default;
};

inline auto jsonFields(json::Tag<UpNextResponse>) {
    using namespace json::rules;
    using S = UpNextResponse;
    return fields(required("upNextType", &S::upNextType),
                  required("video", &S::video),
                  optional("itemFrom", &S::itemFrom),
                  optional("itemTo", &S::itemTo),
                  optional("parentItemTo", &S::parentItemTo),
                  optional("experimentToken", &S::experimentToken));
}

// Why a response gives no up next. An std::error_code category named "UpNextError"; the code is
// the case's position.
enum class UpNextError { noUpNext = 0, videoMissing = 1, unsupportedType = 2, itemToMissing = 3 };

const std::error_category& upNextErrorCategory() noexcept;
std::error_code make_error_code(UpNextError error) noexcept;
// The case name ("itemToMissing").
std::string_view toString(UpNextError error) noexcept;

// The decision on what plays next.
struct UpNext {
    UpNextContentType contentType = UpNextContentType::movie;
    Video video;
    std::optional<UpNextItem> itemTo;
    std::optional<UpNextParent> parentItemTo;
    std::optional<std::string> experimentToken;

    // An up next built directly, with no item to play and no experiment token.
    static UpNext with(UpNextContentType contentType, Video video, std::optional<UpNextParent> parent) {
        return {contentType, std::move(video), std::nullopt, std::move(parent), std::nullopt};
    }

    // The decision for `response`, in this order: a stop gives noUpNext; without an item to play,
    // itemToMissing; an episode following an episode in sequence, nextEpisode; a sneak peek,
    // sneakpeek; a recommendation, by the program type of the item to play (an episode starts a new
    // series, an extra or promotion is an extra, sports stay sports, anything else is a movie).
    // Any other sequence is logged as an error on the content log and gives unsupportedType. With
    // a content type decided, the first candidate video plays; with none, videoMissing.
    static Either<UpNext, UpNextError> from(const UpNextResponse& response);

    bool operator==(const UpNext&) const = default;
};

// Written for inspection (the command line's derive); the service never sends one.
inline auto jsonFields(json::Tag<UpNext>) {
    using namespace json::rules;
    using S = UpNext;
    return fields(required("contentType", &S::contentType),
                  required("video", &S::video),
                  optional("itemTo", &S::itemTo),
                  optional("parentItemTo", &S::parentItemTo),
                  optional("experimentToken", &S::experimentToken));
}

inline auto jsonDerived(json::Tag<UpNextResponse>) {
    using namespace json::derived;
    return members(member("description", &UpNextResponse::description),
                   member("upNext", [](const UpNextResponse& r) -> std::optional<UpNext> {
                       auto result = UpNext::from(r);
                       if (const UpNext* upNext = result.leftIfPresent()) return *upNext;
                       return std::nullopt;
                   }));
}

}  // namespace vorlane

template <>
struct std::is_error_code_enum<vorlane::UpNextError> : std::true_type {};

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::UpNextItemProgramSource)
VORLANE_JSON_RECORD(vorlane::UpNextItem)
VORLANE_JSON_RECORD(vorlane::UpNextAvailability)
VORLANE_JSON_RECORD(vorlane::UpNextParent)
VORLANE_JSON_RECORD(vorlane::UpNextResponse)
VORLANE_JSON_RECORD(vorlane::UpNext)
