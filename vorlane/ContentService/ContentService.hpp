#pragma once
// What screens ask the content layer for. Every operation returns a cold Single: nothing is sent
// until it is subscribed, and it delivers one value or one error.
//
// Each operation is also declared in the operations table (Operations.hpp), which the command line
// reads. An operation a service does not override fails with a `std::logic_error` naming it, so a
// test double implements only what it is asked for; the table's test checks that `SDKContentService`
// overrides every one.
//
// Operations whose only difference is the result type have a tag in C++: `getBundle<SeriesBundle>(id)`
// and `getBundle<VideoBundle>(id)` select the series-bundle and video-bundle queries.

#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/Avatar.hpp"
#include "vorlane/Models/Content/Bundles.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/ContentReferenceLocator.hpp"
#include "vorlane/Models/Content/ContentSet.hpp"
#include "vorlane/Models/Content/ItemPage.hpp"
#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Models/Content/ResultContainers.hpp"
#include "vorlane/Models/Content/Season.hpp"
#include "vorlane/Models/Content/UserState.hpp"
#include "vorlane/Models/Download/DownloadMetadata.hpp"
#include "vorlane/Models/Explore/Containers.hpp"
#include "vorlane/Models/Explore/ExploreDeeplink.hpp"
#include "vorlane/Models/Explore/ExploreDeeplinkParams.hpp"
#include "vorlane/Models/Explore/ExplorePage.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Models/Explore/ExploreUpNext.hpp"
#include "vorlane/Models/Playback/PlayerExperience.hpp"
#include "vorlane/Models/Playback/UpNext.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Rx/Single.hpp"
#include "vorlane/Platform/Session.hpp"
#include "vorlane/Platform/SourceLocation.hpp"

#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlane {

// The answer of an operation a service does not implement: a failure that names the operation.
template <class T>
rx::Single<T> notImplemented(SourceLocation operation = SourceLocation::current()) {
    return rx::error<T>(std::logic_error(std::string(operation.function_name()) + " is not implemented by this service"));
}

// Free-form values a caller adds to (or overrides in) a set query's variables: a JSON object.
using AdditionalParameters = JsonValue;

// What a caller may pass with a personalized query: only its "lastBookmark" entry is read, an
// object of "contentId" and "mediaId" (strings), "playhead" (a floating-point number of seconds)
// and "occurredOn" (an integer). Anything else, or null, means no bookmark.
using BookmarkUpsert = JsonValue;

// Records that know how the Explore API resolves their deep link: the reference id (absent when
// they have none), its kind and the action wanted.
template <class T>
concept ExploreDeeplinkParamsGenerating = requires(const T& record) {
    { record.exploreDeeplinkParams() } -> std::convertible_to<std::optional<ExploreDeeplinkParams>>;
};

// Parameter names are in comments where a default body does not read them; the operations table
// gives each its name on the command line.
class ContentService {
public:
    virtual ~ContentService() = default;

    virtual rx::Single<Video> getVideo(const std::string& /*contentId*/) const { return notImplemented<Video>(); }
    // The video found under the variable named `key` holding `encodedId`'s string.
    virtual rx::Single<Video> getLegacyVideo(const std::string& /*key*/, const EncodedIdentifier& /*encodedId*/) const {
        return notImplemented<Video>();
    }
    virtual rx::Single<Video> getVideo(const EncodedIdentifier& /*encodedSeriesId*/,
                                       std::int64_t /*seasonSequenceNumber*/,
                                       std::int64_t /*episodeSequenceNumber*/) const {
        return notImplemented<Video>();
    }
    virtual rx::Single<UpNext> getUpNextVideo(const std::string& /*contentId*/) const { return notImplemented<UpNext>(); }
    virtual rx::Single<VideosContainer> getExtras(const EncodedIdentifier& /*encodedFamilyId*/, std::int64_t /*page*/,
                                                  PageSize /*pageSize*/) const {
        return notImplemented<VideosContainer>();
    }
    // `additionalParameters` is a JSON object (null counts as empty).
    virtual rx::Single<ContentSet> getContent(const ContentSetReferenceLocator& /*locator*/,
                                              const AdditionalParameters& /*additionalParameters*/,
                                              const std::optional<ItemPage>& /*page*/) const {
        return notImplemented<ContentSet>();
    }
    rx::Single<ContentSet> getContent(const ContentSetReferenceLocator& locator,
                                      const std::optional<ItemPage>& page) const {
        return getContent(locator, JsonValue::object(), page);
    }
    // The legacy details page of a title by reference.
    virtual rx::Single<Page> getPage(const std::string& /*refIdType*/, const std::string& /*refId*/) const {
        return notImplemented<Page>();
    }
    virtual rx::Single<ExplorePageResponse> getExplorePage(const std::string& /*pageId*/,
                                                           const std::optional<std::uint64_t>& /*enhancedContainersLimit*/,
                                                           const std::optional<std::uint64_t>& /*limit*/) const {
        return notImplemented<ExplorePageResponse>();
    }
    // One page of a set's items; `params` (a JSON object, null counts as empty) are sent with the
    // offset and limit, which they cannot override.
    virtual rx::Single<ExploreSetResponse> getExploreSet(const std::string& /*setId*/, std::int64_t /*offset*/,
                                                         const std::optional<std::uint64_t>& /*limit*/,
                                                         const JsonValue& /*params*/) const {
        return notImplemented<ExploreSetResponse>();
    }
    virtual rx::Single<ExploreSeasonResponse> getSeason(const std::string& /*seasonId*/,
                                                        const std::optional<std::int64_t>& /*limit*/,
                                                        const std::optional<std::int64_t>& /*offset*/) const {
        return notImplemented<ExploreSeasonResponse>();
    }
    // The user's state of each title, by its pid.
    virtual rx::Single<UserEntityStateMap> getUserState(const std::vector<std::string>& /*pids*/) const {
        return notImplemented<UserEntityStateMap>();
    }

    virtual rx::Single<ContentBundle> getBundle(const ContentReferenceLocator& /*locator*/) const {
        return notImplemented<ContentBundle>();
    }
    virtual rx::Single<SeriesBundle> getSeriesBundle(const EncodedIdentifier& /*encodedSeriesId*/) const {
        return notImplemented<SeriesBundle>();
    }
    virtual rx::Single<VideoBundle> getVideoBundle(const EncodedIdentifier& /*encodedFamilyId*/) const {
        return notImplemented<VideoBundle>();
    }
    template <class Bundle>
        requires std::same_as<Bundle, SeriesBundle> || std::same_as<Bundle, VideoBundle>
    rx::Single<Bundle> getBundle(const EncodedIdentifier& id) const {
        if constexpr (std::same_as<Bundle, SeriesBundle>)
            return getSeriesBundle(id);
        else
            return getVideoBundle(id);
    }

    // The hits that decoded, in answer order; none for an answer of popular titles.
    virtual rx::Single<std::vector<ContentCoder>> search(const std::string& /*text*/,
                                                         const std::optional<std::string>& /*queryType*/,
                                                         PageSize /*pageSize*/) const {
        return notImplemented<std::vector<ContentCoder>>();
    }
    // The Explore search results page for a text, and the page shown before anything is typed.
    virtual rx::Single<ExplorePageResponse> unifiedSearch(const std::string& /*query*/) const {
        return notImplemented<ExplorePageResponse>();
    }
    rx::Single<ExplorePageResponse> unifiedSearchLanding() const { return unifiedSearch(""); }
    // Personalized answers; `bookmarkUpsert` (see BookmarkUpsert) selects the query that also
    // records the user's last position.
    virtual rx::Single<ContinueWatchingVideoResponse> getContinueWatchingVideo(const EncodedIdentifier& /*familyId*/,
                                                                               const BookmarkUpsert& /*bookmarkUpsert*/) const {
        return notImplemented<ContinueWatchingVideoResponse>();
    }
    virtual rx::Single<PersonalizedProgramBundle> getPersonalizedProgramBundle(const EncodedIdentifier& /*familyId*/,
                                                                               const BookmarkUpsert& /*bookmarkUpsert*/) const {
        return notImplemented<PersonalizedProgramBundle>();
    }
    virtual rx::Single<PersonalizedSeriesBundle> getPersonalizedSeriesBundle(const EncodedIdentifier& /*seriesId*/,
                                                                              const BookmarkUpsert& /*bookmarkUpsert*/) const {
        return notImplemented<PersonalizedSeriesBundle>();
    }
    // The user's positions in a season's episodes, by content id.
    virtual rx::Single<OrderedMap<EpisodeBookmark>> getContinueWatchingSeason(const std::string& /*seasonId*/) const {
        return notImplemented<OrderedMap<EpisodeBookmark>>();
    }
    virtual rx::Single<EpisodesPageSet> getEpisodes(const std::string& /*seasonId*/) const {
        return notImplemented<EpisodesPageSet>();
    }
    virtual rx::Single<ContentCollection> getCollection(const ContentCollectionReferenceLocator& /*locator*/) const {
        return notImplemented<ContentCollection>();
    }
    virtual rx::Single<RelatedContainer> getRelatedItemsForVideo(const EncodedIdentifier& /*encodedFamilyId*/) const {
        return notImplemented<RelatedContainer>();
    }
    virtual rx::Single<RelatedContainer> getRelatedItemsForSeries(const EncodedIdentifier& /*encodedSeriesId*/) const {
        return notImplemented<RelatedContainer>();
    }
    virtual rx::Single<ProgramBundle> getProgramBundle(const EncodedIdentifier& /*encodedFamilyId*/) const {
        return notImplemented<ProgramBundle>();
    }
    // What airs now, by content id.
    virtual rx::Single<OrderedMap<AiringState>> getLiveNow(std::int64_t /*page*/) const {
        return notImplemented<OrderedMap<AiringState>>();
    }
    virtual rx::Single<LiveEpisodes> getLiveAndUpcomingEpisodes(const EncodedIdentifier& /*encodedSeriesId*/) const {
        return notImplemented<LiveEpisodes>();
    }
    // The airing of a content id, and the airing of an airing id.
    virtual rx::Single<Airing> getAiring(const std::string& /*contentId*/) const { return notImplemented<Airing>(); }
    virtual rx::Single<Airing> getAiringByAiringId(const std::string& /*airingId*/) const {
        return notImplemented<Airing>();
    }
    // Put an item on the legacy watchlist, or delete it; `source` (free-form) and `with` travel in
    // the `watchlistUpdated` notification posted when the change succeeds.
    virtual rx::Single<WatchlistResponse> putItemInWatchlist(const std::string& /*with*/, const std::string& /*refId*/,
                                                             const std::string& /*refIdType*/,
                                                             const JsonValue& /*source*/) const {
        return notImplemented<WatchlistResponse>();
    }
    virtual rx::Single<WatchlistResponse> deleteItemFromWatchlist(const std::string& /*with*/,
                                                                  const std::string& /*refId*/,
                                                                  const std::string& /*refIdType*/,
                                                                  const JsonValue& /*source*/) const {
        return notImplemented<WatchlistResponse>();
    }
    // Where a reference leads in the Explore API; the action is sent only for deeplink ids.
    virtual rx::Single<ExploreDeeplink> getExploreDeeplink(const std::string& /*refId*/,
                                                           ExploreDeeplinkReferenceIdType /*refIdType*/,
                                                           const std::optional<ActionTypeIdentifier>& /*action*/) const {
        return notImplemented<ExploreDeeplink>();
    }
    // The same for a record that generates its parameters; absent (nothing to run) when the record
    // has no reference id.
    template <ExploreDeeplinkParamsGenerating Record>
    std::optional<rx::Single<ExploreDeeplink>> getExploreDeeplink(const Record& record) const {
        const std::optional<ExploreDeeplinkParams> params = record.exploreDeeplinkParams();
        if (!params) return std::nullopt;
        return getExploreDeeplink(params->refId, params->refIdType, params->action);
    }
    virtual rx::Single<PlayerExperienceResponse> getPlayerExperience(const std::string& /*availId*/) const {
        return notImplemented<PlayerExperienceResponse>();
    }
    // The current download metadata of titles named by avail or content id, and of a season.
    virtual rx::Single<std::vector<DownloadMetadataV1_4>> getDownloadMetadata(
        const std::vector<sdk::ContentIdentifier>& /*contentIdentifiers*/) const {
        return notImplemented<std::vector<DownloadMetadataV1_4>>();
    }
    virtual rx::Single<std::vector<DownloadMetadataV1_4>> getDownloadMetadata(const std::string& /*seasonId*/) const {
        return notImplemented<std::vector<DownloadMetadataV1_4>>();
    }
    virtual rx::Single<ExploreUpNextResponse> getExploreUpNext(const std::string& /*contentId*/) const {
        return notImplemented<ExploreUpNextResponse>();
    }
    // Explore watchlist changes, through the session's Explore API; one empty value when done.
    virtual rx::Single<rx::Unit> addToWatchlistExplore(const sdk::WatchlistRequest& /*request*/) const {
        return notImplemented<rx::Unit>();
    }
    virtual rx::Single<rx::Unit> removeFromWatchlistExplore(const sdk::WatchlistRequest& /*request*/) const {
        return notImplemented<rx::Unit>();
    }
};

class AvatarService {
public:
    virtual ~AvatarService() = default;

    // The avatars the service knows among `avatarIds`, in answer order; unknown ids are left out.
    virtual rx::Single<std::vector<Avatar>> getAvatars(const std::vector<std::string>& /*avatarIds*/) const {
        return notImplemented<std::vector<Avatar>>();
    }
    // The avatars of the first visible container of the avatar collection.
    virtual rx::Single<std::vector<Avatar>> getDefaultAvatars() const { return notImplemented<std::vector<Avatar>>(); }

    // One avatar; fails with AvatarServiceError::avatarNotFound when the service has none for the id.
    rx::Single<Avatar> getAvatar(const std::string& avatarId) const;
};

}  // namespace vorlane
