#include "vorlane/Models/Content/UserState.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::UserStateProgress)
VORLANE_JSON_DEFINE(vorlane::UserEntityStateMap)
VORLANE_JSON_DEFINE(vorlane::DownloadUserState)

namespace vorlane {

namespace {

// The fraction watched and the seconds remaining, when both are at least 1 and less than the
// whole title is watched.
struct ProgressTerms {
    double fraction;
    double remaining;
};

std::optional<ProgressTerms> progressTerms(const UserStateProgress& progress) noexcept {
    const auto& percentage = progress.progressPercentage;
    const auto& remaining = progress.secondsRemaining;
    if (!percentage || !remaining || *percentage < 1 || *remaining < 1 || *percentage >= 100) return std::nullopt;
    return ProgressTerms{static_cast<double>(*percentage) / 100, static_cast<double>(*remaining)};
}

}  // namespace

double UserStateProgress::rawProgress() const noexcept {
    return progressPercentage ? static_cast<double>(*progressPercentage) / 100 : 0;
}

std::optional<double> UserStateProgress::runtime() const noexcept {
    auto terms = progressTerms(*this);
    if (!terms) return std::nullopt;
    return terms->remaining / (1 - terms->fraction);
}

std::optional<double> UserStateProgress::playhead() const noexcept {
    auto terms = progressTerms(*this);
    if (!terms) return std::nullopt;
    return terms->fraction * terms->remaining / (1 - terms->fraction);
}

std::optional<double> UserState::playhead() const noexcept {
    if (rawPlayhead) return rawPlayhead;
    return progress ? progress->playhead() : std::nullopt;
}

std::optional<Date> DownloadUserState::occurredOn() const {
    return lastWatchedTimestamp ? parseIso8601(*lastWatchedTimestamp) : std::nullopt;
}

}  // namespace vorlane

namespace vorlane::json {

namespace {

// A service timestamp: ISO 8601 text whatever the decoder's date setting; anything else is
// reported and read as absent.
std::optional<Date> readTimestamp(const Value& v) {
    if (v.isNull()) return std::nullopt;
    std::optional<Date> date = v.isString() ? parseIso8601(v.string()) : std::nullopt;
    if (!date) v.report("expected an ISO 8601 date but found " + v.excerpt() + "; read as absent");
    return date;
}

}  // namespace

UserState Codec<UserState>::decode(const Value& v) {
    UserState state;
    state.inWatchlist = readOptional<bool>(v, "inWatchlist");
    state.progress = readOptional<UserStateProgress>(v, "progress");
    if (auto timestamp = v.member("timestamp")) state.occurredOn = readTimestamp(*timestamp);
    state.rawPlayhead = readOptional<double>(v, "playhead");
    return state;
}

void Codec<UserState>::encode(Writer& w, const UserState& state) {
    w.beginObject();
    auto write = [&w](std::string_view key, const auto& value) {
        if (!value) return;
        w.key(key);
        Codec<std::remove_cvref_t<decltype(*value)>>::encode(w, *value);
    };
    write("inWatchlist", state.inWatchlist);
    write("progress", state.progress);
    write("occurredOn", state.occurredOn);
    write("rawPlayhead", state.rawPlayhead);
    w.endObject();
}

}  // namespace vorlane::json
