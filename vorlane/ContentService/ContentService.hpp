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
#include "vorlane/Models/Playback/UpNext.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Rx/Single.hpp"
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
