#include "vorlane/ContentService/ContentQueryConfiguration.hpp"

#include "vorlane/Platform/Json/Record.hpp"

namespace vorlane {

ContentQueryConfiguration ContentQueryConfiguration::merging(std::string_view bytes) const {
    return json::decode<ContentQueryConfiguration>(bytes);
}

}  // namespace vorlane

VORLANE_JSON_RECORD(vorlane::ContentQueryDescriptor,
                    required("queryId", &Self::queryId),
                    required("apiVersion", &Self::apiVersion))

VORLANE_JSON_RECORD(vorlane::CollectionContentClassConfig,
                    required("queryId", &Self::queryId),
                    required("identifierType", &Self::identifierType),
                    required("enablePersonalizedCollection", &Self::enablePersonalizedCollection),
                    required("defaultCollectionType", &Self::defaultCollectionType))

VORLANE_JSON_RECORD(vorlane::ContentQueryConfiguration,
                    required("queryDescriptors", &Self::queryDescriptors),
                    required("collectionContentClassConfig", &Self::collectionContentClassConfig),
                    required("homeScreenSlug", &Self::homeScreenSlug),
                    required("zelkorScreenSlug", &Self::zelkorScreenSlug),
                    required("exploreScreenSlug", &Self::exploreScreenSlug),
                    required("moviesScreenSlug", &Self::moviesScreenSlug),
                    required("seriesScreenSlug", &Self::seriesScreenSlug),
                    required("watchListScreenSlug", &Self::watchListScreenSlug),
                    required("originalsScreenSlug", &Self::originalsScreenSlug),
                    required("avatarSlug", &Self::avatarSlug),
                    required("brandSlugs", &Self::brandSlugs),
                    required("onboardingSlug", &Self::onboardingSlug),
                    required("searchIndex", &Self::searchIndex),
                    required("defaultSeriesBundleEpisodeCount", &Self::defaultSeriesBundleEpisodeCount))
