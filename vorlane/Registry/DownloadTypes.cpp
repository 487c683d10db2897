// The decodable types of the download metadata: the four versions of the record kept with a
// downloaded title, the two versions of its series part, and the service's answer.
//
// The answer is read inside "data" and written without it, so its encoding does not read back.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Models/Download/DownloadMetadata.hpp"

namespace vorlane {

void registerDownloadTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        REGISTER(DownloadMetadataV1_1, "DownloadMetadataV1_1", explore),
        REGISTER(DownloadMetadataV1_2, "DownloadMetadataV1_2", explore),
        REGISTER(DownloadMetadataV1_3, "DownloadMetadataV1_3", explore),
        REGISTER(DownloadMetadataV1_4, "DownloadMetadataV1_4", explore),
        REGISTER(SeriesDownloadMetadataV1_1, "SeriesDownloadMetadataV1_1", explore),
        REGISTER(SeriesDownloadMetadataV1_3, "SeriesDownloadMetadataV1_3", explore),
        registration::writtenInAnotherShape(REGISTER(DownloadMetadataWrapper, "DownloadMetadataWrapper", explore)),
    });
}

}  // namespace vorlane
