#pragma once
// The promotional label of a title (coming soon, newly added, leaving soon, premier access, IMAX,
// shop), with the window in which it shows and the choice of the one label a screen draws.
//
//   {"type": "ComingSoon", "subType": "movie", "sunrise": "2026-03-01T00:00:00Z",
//    "sunset": "2026-04-01T00:00:00Z"}
//
// "sunrise" and "sunset" are read and written by the decoder's date setting.

#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Platform/Date.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <span>

namespace vorlane {

// The kind of title a label is about. Open: any other string is kept in `other`.
enum class PromoLabelSubTypeCase { movie, series, episode, shortForm, season, other };

constexpr auto jsonVocabulary(json::Tag<PromoLabelSubTypeCase>) {
    using enum PromoLabelSubTypeCase;
    return json::vocabulary<PromoLabelSubTypeCase>("PromoLabel.SubType", {
        {movie, "movie"},
        {series, "series"},
        {episode, "episode"},
        {shortForm, "short-form"},
        {season, "season"},
    })
        .catchAll(other);
}

struct PromoLabel {
    // Closed: an unknown string fails the label. The premier-access cases travel as "EarlyAccess".
    enum class PromoType {
        comingSoon,
        newlyAdded,
        leavingSoon,
        comingSoonPremierAccess,
        availablePremierAccess,
        imaxAvailable,
        shop,
    };
    using SubType = json::OpenEnum<PromoLabelSubTypeCase>;

    PromoType type{};
    SubType subType;
    std::optional<Date> sunrise;  // when the label starts to show
    std::optional<Date> sunset;   // when it stops
    std::optional<std::int64_t> seasonNumber;
    std::optional<std::int64_t> episodeSequenceNumber;
    std::optional<TextMap> text;

    // The IMAX label shown for titles with an IMAX version, made once on first use: subtype movie,
    // sunrise and sunset both the moment it was made, no numbers, no text.
    static const PromoLabel& imaxAvailable();

    [[nodiscard]] bool isPremierAccess() const noexcept {
        return type == PromoType::availablePremierAccess || type == PromoType::comingSoonPremierAccess;
    }
    [[nodiscard]] bool isShopAvailable() const noexcept { return type == PromoType::shop; }

    bool operator==(const PromoLabel&) const = default;
};

constexpr auto jsonVocabulary(json::Tag<PromoLabel::PromoType>) {
    using enum PromoLabel::PromoType;
    return json::vocabulary<PromoLabel::PromoType>("PromoLabel.PromoType", {
        {comingSoon, "ComingSoon"},
        {newlyAdded, "NewlyAdded"},
        {leavingSoon, "LeavingSoon"},
        {comingSoonPremierAccess, "ComingSoonEarlyAccess"},
        {availablePremierAccess, "AvailableEarlyAccess"},
        {imaxAvailable, "ImaxAvailable"},
        {shop, "shop"},
    });
}

inline auto jsonFields(json::Tag<PromoLabel>) {
    using namespace json::rules;
    using S = PromoLabel;
    return fields(required("type", &S::type), required("subType", &S::subType), optional("sunrise", &S::sunrise),
                  optional("sunset", &S::sunset), optional("seasonNumber", &S::seasonNumber),
                  optional("episodeSequenceNumber", &S::episodeSequenceNumber), optional("text", &S::text));
}

inline auto jsonDerived(json::Tag<PromoLabel>) {
    using namespace json::derived;
    return members(member("isPremierAccess", &PromoLabel::isPremierAccess),
                   member("isShopAvailable", &PromoLabel::isShopAvailable));
}

// When a title coming soon becomes generally available: the sunset of the first coming-soon label;
// absent when there is none, or when it has no sunset.
[[nodiscard]] std::optional<Date> generalAccessDate(std::span<const PromoLabel> labels);

// The one label to show, searching `labels` in order and stopping at the first hit:
//   1. with `showPremierAccess`, the first premier-access label;
//   2. the first label that is not premier access (a shop label first among those is returned here);
//   3. when `hasImaxVersion` is true, the shared IMAX label;
//   4. with `enableShopPromoLabels`, the first shop label (reached only without non-premier labels);
//   5. otherwise none.
[[nodiscard]] std::optional<PromoLabel> mainPromoLabel(std::span<const PromoLabel> labels, bool enableShopPromoLabels,
                                                       bool showPremierAccess, std::optional<bool> hasImaxVersion);

inline auto jsonDerived(json::Tag<std::vector<PromoLabel>>) {
    using namespace json::derived;
    return members(member("generalAccessDate", [](const std::vector<PromoLabel>& labels) { return generalAccessDate(labels); }));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::PromoLabel)
