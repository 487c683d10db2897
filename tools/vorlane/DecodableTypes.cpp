// The list of decodable types, grouped by area. Each area adds its records here.

#include "tools/vorlane/TypeRegistry.hpp"

#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Tracking/SentryConfig.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

namespace vorlane::cli {

namespace {

[[maybe_unused]] const json::DecoderSettings legacy = json::DecoderSettings::iso8601();

void addServiceConfiguration(TypeRegistry& r) {
    r.add<ContentQueryConfiguration>("ContentQueryConfiguration");
    r.add<ContentQueryDescriptor>("ContentQueryDescriptor");
    r.add<CollectionContentClassConfig>("CollectionContentClassConfig");
    r.add<CollectionIdentifierType>("CollectionIdentifierType");
    r.add<ContentQueryIdentifier>("ContentQueryIdentifier");
}

void addTracking(TypeRegistry& r) { r.add<SentryConfig>("SentryConfig"); }

void addCatalog(TypeRegistry& r) { r.add<CatalogManifest>("CatalogManifest"); }

}  // namespace

const TypeRegistry& TypeRegistry::shared() {
    static const TypeRegistry registry = [] {
        TypeRegistry r;
        addServiceConfiguration(r);
        addTracking(r);
        addCatalog(r);
        return r;
    }();
    return registry;
}

}  // namespace vorlane::cli
