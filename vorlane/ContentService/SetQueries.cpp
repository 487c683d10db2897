// Sets and collections: a set's items by the kind of set (continue watching imports bookmarks;
// Explore sets come through the Explore set query),
// and a collection by its locator and the configured content classes.

#include "vorlane/ContentService/CollectionClass.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"

#include <stdexcept>
#include <system_error>

namespace vorlane {

namespace {

std::string_view setTypeWire(ContentSetType type) { return json::wireString(type); }

}  // namespace

rx::Single<ContentSet> SDKContentService::getContent(const ContentSetReferenceLocator& locator,
                                                     const AdditionalParameters& additionalParameters,
                                                     const std::optional<ItemPage>& page) const {
    if (!additionalParameters.is_null() && !additionalParameters.is_object())
        return rx::error<ContentSet>(std::invalid_argument("the additional parameters of a set query must be a JSON object, not " +
                                                           additionalParameters.dump()));
    if (locator.refType == ContentSetType::continueWatching)
        return continueWatchingSetQuery(locator, additionalParameters);
    if (locator.refType == ContentSetType::exploreSet) return exploreSetQuery(locator, additionalParameters, page);
    return legacySetQuery(*legacySetQueryKey(locator.refType), locator, additionalParameters, page);
}

rx::Single<ContentSet> SDKContentService::legacySetQuery(ContentQueryIdentifier key,
                                                         const ContentSetReferenceLocator& locator,
                                                         const AdditionalParameters& additionalParameters,
                                                         const std::optional<ItemPage>& page) const {
    QueryVariables variables{{"setId", locator.refId}, {"setType", std::string(setTypeWire(locator.refType))}};
    if (page) variables.set("page", pageNumber(*page)).set("pageSize", rawValue(page->pageSize));
    variables.merge(additionalParameters);  // the caller's values win, even for the four above
    return legacyQuery<ContentSet>(key, variables);
}

rx::Single<ContentSet> SDKContentService::continueWatchingSetQuery(const ContentSetReferenceLocator& locator,
                                                                   const AdditionalParameters& additionalParameters) const {
    const auto bookmark = normalizedBookmark(additionalParameters);
    QueryVariables variables;
    variables.merge(additionalParameters);
    // Unlike the other sets, the locator's own id and type cannot be overridden here.
    variables.set("setId", locator.refId).set("setType", std::string(setTypeWire(locator.refType)));
    if (bookmark) variables.merge(*bookmark);
    const auto key = bookmark ? ContentQueryIdentifier::continueWatchingSetWithBookmark
                              : ContentQueryIdentifier::continueWatchingSet;
    auto query = restQuery(key, variables);
    if (!query) return failure<ContentSet>(SDKContentServiceError::nullQueryId);
    // The videos of the answer carry the user's positions; the SDK's bookmark store learns them
    // before the set is delivered.
    auto api = inputs_.session->contentApi();
    return runLegacy<ContentSet>(std::move(*query)).doOnSuccess([api, profileId = inputs_.profileId.value()](const ContentSet& set) {
        std::vector<sdk::Bookmark> bookmarks;
        for (const auto& item : set.items) {
            const Video* video = item.as<Video>();
            if (!video) continue;
            sdk::Bookmark bookmark{video->contentId, profileId, 0, std::nullopt, std::nullopt};
            if (video->meta && video->meta->bookmarkData) {
                const Bookmark& data = *video->meta->bookmarkData;
                bookmark.playhead = data.playhead;
                bookmark.runtime = data.runtime;
                bookmark.occurredOn = data.occurredOn;
            }
            bookmarks.push_back(std::move(bookmark));
        }
        api->bookmarks().import(bookmarks);
    });
}

rx::Single<ContentCollection> SDKContentService::getCollection(const ContentCollectionReferenceLocator& locator) const {
    using enum SDKContentServiceError;
    const auto config = inputs_.config.snapshot();
    const auto contentClass = slugFilteredCollectionClass(locator, *config);
    if (!contentClass) return failure<ContentCollection>(missingIdentifier);
    const CollectionContentClassConfig* classConfig =
        config->collectionContentClassConfig.find(contentClass->rawValue());
    if (!classConfig || !config->descriptor(classConfig->queryId)) return failure<ContentCollection>(missingIdentifier);
    const auto identifier = locator.identifier(classConfig->identifierType);
    if (!identifier) return failure<ContentCollection>(missingIdentifier);

    std::string subType = "StandardCollection";
    if (locator.subType)
        subType = *locator.subType;
    else if (classConfig->enablePersonalizedCollection)
        subType = classConfig->defaultCollectionType;
    QueryVariables variables{{std::string(json::wireString(classConfig->identifierType)), *identifier},
                             {"contentClass", std::string(contentClass->rawValue())},
                             {"kidsModeEnabled", inputs_.isKidsMode.value()},
                             {"collectionSubType", subType}};
    return legacyQuery<ContentCollection>(classConfig->queryId, variables, missingIdentifier);
}

}  // namespace vorlane
