#pragma once
// An episode named by its avail id and its pid, with the download metadata stored for it: how the
// download layer names an episode it holds. Built in code only; never read from or written to JSON.

#include "vorlane/Models/Download/DownloadMetadata.hpp"

#include <string>
#include <utility>

namespace vorlane {

struct ExploreEpisodeIdPair {
    std::string availId;
    std::string pid;  // the download metadata's
    DownloadMetadataV1_4 downloadMetadata;

    ExploreEpisodeIdPair(std::string availId, DownloadMetadataV1_4 metadata)
        : availId(std::move(availId)), pid(metadata.pid), downloadMetadata(std::move(metadata)) {}

    bool operator==(const ExploreEpisodeIdPair&) const = default;
};

}  // namespace vorlane
