// The decodable types of downloadable resource packs: the manifest served beside a pack's files and
// its file entries.

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/BundleResource/ResourcePackManifest.hpp"

namespace vorlane {

void registerBundleResourceTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        REGISTER(ResourcePackManifest, "ResourcePackManifest", local),
        REGISTER(ResourcePackFile, "ResourcePackFile", local),
    });
}

}  // namespace vorlane
