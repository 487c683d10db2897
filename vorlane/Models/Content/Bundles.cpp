#include "vorlane/Models/Content/Bundles.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::SeriesBundle)
VORLANE_JSON_DEFINE(vorlane::VideoBundle)
VORLANE_JSON_DEFINE(vorlane::Watchlist)
VORLANE_JSON_DEFINE(vorlane::WatchlistResponse)
VORLANE_JSON_DEFINE(vorlane::ContinueWatchingSeasonResponse)

namespace vorlane::json {

namespace {

template <class T>
void writeIfPresent(Writer& w, std::string_view key, const std::optional<T>& value) {
    if (!value) return;
    w.key(key);
    Codec<T>::encode(w, *value);
}

// watchlistLabel.onWatchlist of the free-form labels when it is a boolean; false for anything
// else, with a report when a value is there but not of the expected kind.
bool onWatchlist(const Value& labels) {
    if (labels.isNull()) return false;
    if (!labels.isObject()) {
        labels.report("expected the labels as an object but found " + std::string(describe(labels.kind())) +
                      "; read as not on the watchlist");
        return false;
    }
    auto label = labels.member("watchlistLabel");
    if (!label || label->isNull()) return false;
    if (!label->isObject()) {
        label->report("expected an object but found " + std::string(describe(label->kind())) +
                      "; read as not on the watchlist");
        return false;
    }
    auto flag = label->member("onWatchlist");
    if (!flag || flag->isNull()) return false;
    if (flag->kind() != ValueKind::boolean) {
        flag->report("expected a Bool but found " + flag->excerpt() + "; read as not on the watchlist");
        return false;
    }
    return flag->boolean();
}

}  // namespace

template <class Resume>
PersonalizedBundle<Resume> Codec<PersonalizedBundle<Resume>>::decode(const Value& v) {
    PersonalizedBundle<Resume> bundle;
    bundle.resume = readOptional<Resume>(v, "resume");
    if (auto watchlist = readOptional<Watchlist>(v, "watchlist")) {
        bundle.isInWatchlist = watchlist->onWatchlist.value_or(false);
        bundle.refId = std::move(watchlist->refId);
        bundle.refIdType = std::move(watchlist->refIdType);
    }
    return bundle;
}

template <class Resume>
void Codec<PersonalizedBundle<Resume>>::encode(Writer& w, const PersonalizedBundle<Resume>& bundle) {
    w.beginObject();
    w.key("isInWatchlist");
    w.boolean(bundle.isInWatchlist);
    writeIfPresent(w, "refId", bundle.refId);
    writeIfPresent(w, "refIdType", bundle.refIdType);
    writeIfPresent(w, "resume", bundle.resume);
    w.endObject();
}

template <class Resume>
ContinueWatchingResponse<Resume> Codec<ContinueWatchingResponse<Resume>>::decode(const Value& v) {
    ContinueWatchingResponse<Resume> response;
    response.resume = readOptional<Resume>(v, "resume");
    if (auto labels = v.member("labels")) response.isInWatchlist = onWatchlist(*labels);
    return response;
}

template <class Resume>
void Codec<ContinueWatchingResponse<Resume>>::encode(Writer& w, const ContinueWatchingResponse<Resume>& response) {
    w.beginObject();
    w.key("isInWatchlist");
    w.boolean(response.isInWatchlist);
    writeIfPresent(w, "resume", response.resume);
    w.endObject();
}

template struct Codec<PersonalizedBundle<BookmarkContainer>>;
template struct Codec<PersonalizedBundle<Video>>;
template struct Codec<ContinueWatchingResponse<Video>>;
template struct Codec<ContinueWatchingResponse<BookmarkContainer>>;

}  // namespace vorlane::json
