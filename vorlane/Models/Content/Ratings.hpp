#pragma once
// Ratings and advisories: the legacy rating of a title, the Explore rating and advisories drawn as
// rendered images, the rating info a screen shows (plain or with the service's ready-made label),
// and the two interfaces that let a view take any of them.
//
//   {"rating": {"text": "TV-14", "imageId": "r-tv14"},
//    "advisories": [{"text": "Violence", "imageId": "a-v"}]}

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// The key under which a rendered rating or advisory image is cached: text, image identifier (empty
// when there is none), the size truncated toward zero, and "h" for a height or "w" for a width, all
// joined with "_". A size that is not finite or lies past the signed 64-bit range throws
// std::invalid_argument.
[[nodiscard]] std::string ratingImageCacheKey(std::string_view text, const std::optional<std::string>& imageId,
                                              double size, bool isHeight);

// A rating or advisory drawn as an image of the service: its text, the identifier of its rendered
// image, and the cache key of that image at one size.
template <class T>
concept RatingImageShowing = std::equality_comparable<T> && requires(const T& value, double size, bool isHeight) {
    { value.text } -> std::convertible_to<std::string>;
    { value.imageId } -> std::convertible_to<std::optional<std::string>>;
    { value.cacheKey(size, isHeight) } -> std::same_as<std::string>;
};

// A legacy rating: the rating value within its rating system, with the advisories that come with it.
struct Rating {
    std::string value;
    std::string system;
    std::vector<std::string> advisories;
    std::optional<std::string> description;
    std::optional<std::string> filingNumber;

    // No rating at all: no value and no advisories, whatever the system.
    [[nodiscard]] bool isEmpty() const noexcept { return value.empty() && advisories.empty(); }
    // value, system, description (or empty), the advisories joined with "_", the size truncated
    // toward zero, and "h" or "w", all joined with "_".
    [[nodiscard]] std::string cacheKey(double size, bool isHeight) const;

    bool operator==(const Rating&) const = default;
};

// "advisories" is read strictly: one element that is not a string fails the rating.
inline auto jsonFields(json::Tag<Rating>) {
    using namespace json::rules;
    using S = Rating;
    return fields(required("value", &S::value), required("system", &S::system),
                  required("advisories", &S::advisories), optional("description", &S::description),
                  optional("filingNumber", &S::filingNumber));
}

inline auto jsonDerived(json::Tag<Rating>) {
    using namespace json::derived;
    return members(member("isEmpty", &Rating::isEmpty));
}

// The rating of an Explore title, drawn as a rendered image when it has one.
struct ExploreRating {
    std::string text;
    std::optional<std::string> imageId;

    [[nodiscard]] std::string cacheKey(double size, bool isHeight) const {
        return ratingImageCacheKey(text, imageId, size, isHeight);
    }
    bool operator==(const ExploreRating&) const = default;
};

inline auto jsonFields(json::Tag<ExploreRating>) {
    using namespace json::rules;
    using S = ExploreRating;
    return fields(required("text", &S::text), optional("imageId", &S::imageId));
}

// One content advisory of an Explore title, drawn like its rating.
struct ExploreAdvisory {
    std::string text;
    std::optional<std::string> imageId;

    [[nodiscard]] std::string cacheKey(double size, bool isHeight) const {
        return ratingImageCacheKey(text, imageId, size, isHeight);
    }
    bool operator==(const ExploreAdvisory&) const = default;
};

inline auto jsonFields(json::Tag<ExploreAdvisory>) {
    using namespace json::rules;
    using S = ExploreAdvisory;
    return fields(required("text", &S::text), optional("imageId", &S::imageId));
}

static_assert(RatingImageShowing<ExploreRating> && RatingImageShowing<ExploreAdvisory>);

// A rating with its advisories, as a view shows it.
template <class T>
concept RatingInfoDescribing = std::equality_comparable<T> && requires(const T& value) {
    { value.rating } -> std::convertible_to<ExploreRating>;
    { value.advisories } -> std::convertible_to<std::vector<ExploreAdvisory>>;
};

// The rating of an Explore title and its advisories; an advisory that does not decode is dropped.
struct RatingInfo {
    ExploreRating rating;
    std::vector<ExploreAdvisory> advisories;
    bool operator==(const RatingInfo&) const = default;
};

inline auto jsonFields(json::Tag<RatingInfo>) {
    using namespace json::rules;
    using S = RatingInfo;
    return fields(required("rating", &S::rating), lenient("advisories", &S::advisories));
}

// The same with the display label the service supplies.
struct LabeledRatingInfo {
    std::string label;
    ExploreRating rating;
    std::vector<ExploreAdvisory> advisories;
    bool operator==(const LabeledRatingInfo&) const = default;
};

inline auto jsonFields(json::Tag<LabeledRatingInfo>) {
    using namespace json::rules;
    using S = LabeledRatingInfo;
    return fields(required("label", &S::label), required("rating", &S::rating),
                  lenient("advisories", &S::advisories));
}

static_assert(RatingInfoDescribing<RatingInfo> && RatingInfoDescribing<LabeledRatingInfo>);

// One content advisory as text, with its display label.
struct LabeledContentAdvisory {
    std::string label;
    std::string text;
    bool operator==(const LabeledContentAdvisory&) const = default;
};

inline auto jsonFields(json::Tag<LabeledContentAdvisory>) {
    using namespace json::rules;
    using S = LabeledContentAdvisory;
    return fields(required("label", &S::label), required("text", &S::text));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Rating)
VORLANE_JSON_RECORD(vorlane::ExploreRating)
VORLANE_JSON_RECORD(vorlane::ExploreAdvisory)
VORLANE_JSON_RECORD(vorlane::RatingInfo)
VORLANE_JSON_RECORD(vorlane::LabeledRatingInfo)
VORLANE_JSON_RECORD(vorlane::LabeledContentAdvisory)
