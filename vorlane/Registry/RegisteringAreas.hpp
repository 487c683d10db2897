#pragma once
// The areas whose types the registry holds, each listing its own in its own .cpp under Registry/
// (so that adding a family touches one small file and compiles apart from the others).
//
// The transport's own records (the catalog manifest, the calls a session records) sit in a layer
// above the registry: their area is defined in Transport/ and only declared here, so no include
// runs upward.

#include "vorlane/Registry/DecodableTypes.hpp"

#include <vector>

namespace vorlane {

// The types of the configuration, the session's values, styles, images and content core.
void registerCoreTypes(std::vector<DecodableType>& types);
// Explore actions, their visuals and playback options.
void registerActionTypes(std::vector<DecodableType>& types);
// The metadata descriptors: ratings, labels, genres, releases, credits, metastring parts.
void registerDescriptorTypes(std::vector<DecodableType>& types);
// The milestones, media metadata, tracks, media rights and audio-visual flags of playback.
void registerPlaybackTypes(std::vector<DecodableType>& types);
// Explore visuals of pages, sets, items and containers, badges and promotional labels.
void registerVisualsTypes(std::vector<DecodableType>& types);
// Legacy videos, series, seasons, collections, sets, containers and avatars.
void registerLegacyContentTypes(std::vector<DecodableType>& types);
// Airings, live events, sports records and sport tags, and the family and group links.
void registerAiringTypes(std::vector<DecodableType>& types);
// Bundles, continue watching and user state, the legacy details page and the legacy up next.
void registerBundleTypes(std::vector<DecodableType>& types);
// The versioned records kept with downloaded titles, their series parts and the service's answer.
void registerDownloadTypes(std::vector<DecodableType>& types);
// Explore pages, their containers, sets, items and seasons, and the answers that hold them.
void registerExploreTypes(std::vector<DecodableType>& types);
// The image service's error header, "RequestConfig.json", the named requests' models and the
// requests built from them.
void registerRequestTypes(std::vector<DecodableType>& types);
// The manifest of a downloadable resource pack and its file entries.
void registerBundleResourceTypes(std::vector<DecodableType>& types);
// The catalog manifest and the session calls the catalog and scripted sessions record
// (defined in Transport/TransportTypes.cpp).
void registerTransportTypes(std::vector<DecodableType>& types);

inline constexpr void (*registeringAreas[])(std::vector<DecodableType>&) = {
    registerCoreTypes,
    registerActionTypes,
    registerDescriptorTypes,
    registerVisualsTypes,
    registerPlaybackTypes,
    registerLegacyContentTypes,
    registerAiringTypes,
    registerBundleTypes,
    registerDownloadTypes,
    registerExploreTypes,
    registerRequestTypes,
    registerBundleResourceTypes,
    registerTransportTypes,
};

}  // namespace vorlane
