// The user's own state: user state and download metadata over Explore POST (download metadata also
// hands the SDK the bookmarks it carries), continue-watching and personalized bundles with an
// optional last bookmark, and the legacy watchlist's put and delete with their notification.

#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Platform/Notifications.hpp"

#include <chrono>

namespace vorlane {

namespace {

// Source lines the session is told for the legacy watchlist changes.
constexpr int kWatchlistPutLine = 635;
constexpr int kWatchlistDeleteLine = 655;

// The viewing position a download's metadata carries, for the SDK's bookmark store: its content
// id (the avail id when it has none), its playhead and runtime in seconds, and when it was last
// watched.
sdk::Bookmark bookmarkOf(const DownloadMetadataV1_4& metadata, const std::string& profileId) {
    sdk::Bookmark bookmark{metadata.contentId.value_or(metadata.availId), profileId, 0, std::nullopt, std::nullopt};
    if (metadata.runtimeMs) bookmark.runtime = static_cast<double>(*metadata.runtimeMs) / 1000.0;
    if (metadata.userState) {
        bookmark.playhead = metadata.userState->playhead;
        if (const auto watched = metadata.userState->occurredOn())
            bookmark.occurredOn = std::chrono::floor<std::chrono::seconds>(*watched).time_since_epoch().count();
    }
    return bookmark;
}

}  // namespace

rx::Single<UserEntityStateMap> SDKContentService::getUserState(const std::vector<std::string>& pids) const {
    JsonValue body = JsonValue::object();
    body["pids"] = pids;
    return explorePost<UserEntityStateMap>(ContentQueryIdentifier::userState, body);
}

rx::Single<std::vector<DownloadMetadataV1_4>> SDKContentService::getDownloadMetadata(
    const std::vector<sdk::ContentIdentifier>& contentIdentifiers) const {
    // Both lists are always sent, each in the callers' order, empty when no identifier is of its kind.
    JsonValue body = JsonValue::object();
    body["availIds"] = JsonValue::array();
    body["contentIds"] = JsonValue::array();
    for (const auto& identifier : contentIdentifiers)
        body[identifier.kind == sdk::ContentIdentifier::Kind::availId ? "availIds" : "contentIds"].push_back(identifier.value);
    return downloadMetadataQuery(body);
}

rx::Single<std::vector<DownloadMetadataV1_4>> SDKContentService::getDownloadMetadata(const std::string& seasonId) const {
    JsonValue body = JsonValue::object();
    body["seasonId"] = seasonId;
    return downloadMetadataQuery(body);
}

rx::Single<std::vector<DownloadMetadataV1_4>> SDKContentService::downloadMetadataQuery(const JsonValue& body) const {
    auto api = inputs_.session->contentApi();
    return explorePost<DownloadMetadataWrapper>(ContentQueryIdentifier::downloadMetadata, body)
        .map([api, profileId = inputs_.profileId](DownloadMetadataWrapper answer) {
            // The SDK's bookmark store learns the positions before the list is delivered, in one
            // import; without a profile there is no one to import them for.
            if (const std::optional<std::string> profile = profileId.value()) {
                std::vector<sdk::Bookmark> bookmarks;
                bookmarks.reserve(answer.downloadMetadata.size());
                for (const auto& metadata : answer.downloadMetadata) bookmarks.push_back(bookmarkOf(metadata, *profile));
                api->bookmarks().import(bookmarks);
            }
            return std::move(answer.downloadMetadata);
        });
}

rx::Single<OrderedMap<EpisodeBookmark>> SDKContentService::getContinueWatchingSeason(const std::string& seasonId) const {
    return legacyQuery<ContinueWatchingSeasonResponse>(ContentQueryIdentifier::continueWatchingSeason,
                                                       {{"seasonId", seasonId}})
        .map([](ContinueWatchingSeasonResponse answer) { return std::move(answer.bookmarks); });
}

rx::Single<ContinueWatchingVideoResponse> SDKContentService::getContinueWatchingVideo(
    const EncodedIdentifier& familyId, const BookmarkUpsert& bookmarkUpsert) const {
    using enum ContentQueryIdentifier;
    return personalizedQuery<ContinueWatchingVideoResponse>(continueWatchingVideo, continueWatchingVideoWithBookmark,
                                                            "encodedFamilyId", familyId, bookmarkUpsert);
}

rx::Single<PersonalizedProgramBundle> SDKContentService::getPersonalizedProgramBundle(
    const EncodedIdentifier& familyId, const BookmarkUpsert& bookmarkUpsert) const {
    using enum ContentQueryIdentifier;
    return personalizedQuery<PersonalizedProgramBundle>(personalizedProgramBundle, personalizedProgramBundleWithBookmark,
                                                        "encodedFamilyId", familyId, bookmarkUpsert);
}

rx::Single<PersonalizedSeriesBundle> SDKContentService::getPersonalizedSeriesBundle(
    const EncodedIdentifier& seriesId, const BookmarkUpsert& bookmarkUpsert) const {
    using enum ContentQueryIdentifier;
    return personalizedQuery<PersonalizedSeriesBundle>(personalizedSeriesBundle, personalizedSeriesBundleWithBookmark,
                                                       "encodedSeriesId", seriesId, bookmarkUpsert);
}

rx::Single<WatchlistResponse> SDKContentService::putItemInWatchlist(const std::string& with, const std::string& refId,
                                                                    const std::string& refIdType,
                                                                    const JsonValue& source) const {
    return changeWatchlist(true, with, refId, refIdType, source);
}

rx::Single<WatchlistResponse> SDKContentService::deleteItemFromWatchlist(const std::string& with,
                                                                         const std::string& refId,
                                                                         const std::string& refIdType,
                                                                         const JsonValue& source) const {
    return changeWatchlist(false, with, refId, refIdType, source);
}

rx::Single<WatchlistResponse> SDKContentService::changeWatchlist(bool isAdd, const std::string& with,
                                                                 const std::string& refId, const std::string& refIdType,
                                                                 const JsonValue& source) const {
    using enum ContentQueryIdentifier;
    return rawQuery(isAdd ? putItemInWatchlist : deleteItemFromWatchlist, {{"refId", refId}, {"refIdType", refIdType}},
                    isAdd ? "watchlist.put" : "watchlist.delete", isAdd ? kWatchlistPutLine : kWatchlistDeleteLine)
        .map([isAdd, with, source](const std::string&) -> WatchlistResponse {
            // The answer's bytes say nothing the screens need; that it came is the news.
            NotificationUserInfo userInfo;
            userInfo.emplace(NotificationUserInfoKey::source, source);
            userInfo.emplace(NotificationUserInfoKey::isAdd, isAdd);
            userInfo.emplace(NotificationUserInfoKey::with, with);
            NotificationCenter::defaultCenter().post(NotificationName::watchlistUpdated, {}, std::move(userInfo));
            if (isAdd) return WatchlistPutResponse();
            return WatchlistDeleteResponse();
        });
}

}  // namespace vorlane
