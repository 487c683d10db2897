#include "vorlane/Transport/CatalogManifest.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <stdexcept>

namespace vorlane {

namespace {
template <class T>
T decodeFile(const std::filesystem::path& path) {
    // Read inside the try: an answer over the size limit names the file too.
    try {
        return json::decode<T>(json::PaddedAnswer::fromFile(path, json::DecoderSettings{}.maxAnswerBytes));
    } catch (const json::DecodingError& error) {
        throw json::DecodingError(error.kind(), error.path(), error.message() + " (in " + path.string() + ")");
    }
}

// A manifest names files inside its own directory: a relative path that, resolved lexically
// ("a/../b" is "b"), does not climb out. Symbolic links inside the directory are followed as usual.
void requireInside(const std::string& path, const std::string& entry) {
    const std::filesystem::path named(path);
    const std::filesystem::path normal = named.lexically_normal();
    if (named.is_absolute() || (!normal.empty() && *normal.begin() == ".."))
        throw std::runtime_error("manifest entry \"" + path + "\" (" + entry + ") lies outside the catalog directory");
}
}  // namespace

Catalog Catalog::load(const std::filesystem::path& directory) {
    Catalog catalog;
    catalog.directory = directory;
    catalog.manifest = decodeFile<CatalogManifest>(directory / "manifest.json");
    requireInside(catalog.manifest.configuration, "configuration");
    for (std::size_t i = 0; i < catalog.manifest.answers.size(); ++i) {
        const auto& answer = catalog.manifest.answers[i];
        requireInside(answer.file, "answers[" + std::to_string(i) + "].file");
        if (answer.query && !answer.api)
            throw std::runtime_error("manifest entry " + answer.file + " answers a query but names no \"api\"");
    }
    catalog.configuration = decodeFile<ContentQueryConfiguration>(directory / catalog.manifest.configuration);
    return catalog;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::CatalogQuery)
VORLANE_JSON_DEFINE(vorlane::CatalogAnswer)
VORLANE_JSON_DEFINE(vorlane::CatalogManifest)