// The decodable types of the transport: the catalog manifest and the session calls a catalog or
// scripted session records (what `vorlane query --trace` prints).

#include "vorlane/Registry/Registration.hpp"
#include "vorlane/Registry/RegisteringAreas.hpp"

#include "vorlane/Transport/CatalogManifest.hpp"
#include "vorlane/Transport/SessionCall.hpp"

namespace vorlane {

void registerTransportTypes(std::vector<DecodableType>& types) {
    types.insert(types.end(), {
        REGISTER(CatalogManifest, "CatalogManifest", local),
        REGISTER(CatalogAnswer, "CatalogAnswer", local),
        REGISTER(CatalogQuery, "CatalogQuery", local),
        REGISTER(CatalogApi, "CatalogApi", local),
        REGISTER(SessionCall, "SessionCall", local),
        REGISTER(SessionCallKind, "SessionCallKind", local),
    });
}

}  // namespace vorlane
