#include "vorlane/Transport/CatalogManifest.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vorlane {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) throw std::runtime_error("cannot read " + path.string());
    return std::move(buffer).str();
}

namespace {
template <class T>
T decodeFile(const std::filesystem::path& path) {
    std::string bytes = readFile(path);
    try {
        return json::decode<T>(bytes);
    } catch (const json::DecodingError& error) {
        throw json::DecodingError(error.kind(), error.path(), error.message() + " (in " + path.string() + ")");
    }
}
}  // namespace

Catalog Catalog::load(const std::filesystem::path& directory) {
    Catalog catalog;
    catalog.directory = directory;
    catalog.manifest = decodeFile<CatalogManifest>(directory / "manifest.json");
    for (const auto& answer : catalog.manifest.answers)
        if (answer.query && !answer.api)
            throw std::runtime_error("manifest entry " + answer.file + " answers a query but names no \"api\"");
    catalog.configuration = decodeFile<ContentQueryConfiguration>(directory / catalog.manifest.configuration);
    return catalog;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::CatalogQuery)
VORLANE_JSON_DEFINE(vorlane::CatalogAnswer)
VORLANE_JSON_DEFINE(vorlane::CatalogManifest)