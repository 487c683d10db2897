#pragma once
// Downloads a model's resource pack when it is not on the device yet, publishing the model's
// status as it goes: `loaded` at once when the pack is there; otherwise `loading(0)`, then
// `loading(fraction)` for each change of the download's progress (logged, and not published once
// the progress is cancelled), then `loaded`. A failed download leaves the last `loading` value and
// fails the result; the caller may cancel() the model to start over.

#include "vorlane/BundleResource/BundleResourceRequestModel.hpp"
#include "vorlane/Platform/Persistence.hpp"
#include "vorlane/Platform/Rx/Completable.hpp"
#include "vorlane/Platform/SourceLocation.hpp"

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace vorlane {

// Where cached scene files lie; may throw.
using CachedSceneFilesProvider = std::function<std::vector<std::filesystem::path>()>;

class BundleResourceService {
public:
    // The store is kept for the host's caching; the download does not consult it.
    explicit BundleResourceService(std::shared_ptr<PersistentStore> persistentStore);

    const std::shared_ptr<PersistentStore>& persistentStore() const noexcept { return persistentStore_; }

    // When subscribed: asks the model's current request whether its resources are on the device and
    // downloads them if not (see above). `cachedSceneFiles` and `destination` are accepted and not
    // used: copying files to a destination is the host's business.
    rx::Completable downloadAndCacheResources(std::shared_ptr<BundleResourceRequestModel> model,
                                              CachedSceneFilesProvider cachedSceneFiles,
                                              std::filesystem::path destination) const;

    // Writes `message` at debug level to the shared log, after the building-construction emoji
    // (U+1F3D7 U+FE0F) and a space, under the given function name.
    static void log(std::string_view function, std::string_view message,
                    SourceLocation where = SourceLocation::current());

private:
    std::shared_ptr<PersistentStore> persistentStore_;
};

}  // namespace vorlane
