#include "vorlane/Transport/CatalogManifest.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>

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

[[noreturn]] void refuseEntry(const std::string& path, const std::string& entry, const std::string& why) {
    // The path is quoted as JSON, so a NUL or a newline in it cannot cut the message short.
    throw std::runtime_error("manifest entry " + json::encode(path) + " (" + entry + ") " + why);
}
}  // namespace

Catalog Catalog::load(const std::filesystem::path& directory) {
    Catalog catalog;
    catalog.directory = directory;
    catalog.manifest = decodeFile<CatalogManifest>(directory / "manifest.json");
    catalog.resolve(catalog.manifest.configuration, "configuration");
    for (std::size_t i = 0; i < catalog.manifest.answers.size(); ++i) {
        const auto& answer = catalog.manifest.answers[i];
        catalog.resolve(answer.file, "answers[" + std::to_string(i) + "].file");
        if (answer.query && !answer.api) refuseEntry(answer.file, "answers[" + std::to_string(i) + "]", "answers a query but names no \"api\"");
    }
    catalog.configuration = decodeFile<ContentQueryConfiguration>(directory / catalog.manifest.configuration);
    return catalog;
}

std::filesystem::path Catalog::resolve(const std::string& file, const std::string& entry) const {
    namespace fs = std::filesystem;
    if (file.find('\0') != std::string::npos) refuseEntry(file, entry, "holds a NUL character");
    const fs::path named(file);
    const fs::path normal = named.lexically_normal();
    if (named.is_absolute() || (!normal.empty() && *normal.begin() == ".."))
        refuseEntry(file, entry, "lies outside the catalog directory");
    // Symbolic links resolved: a link inside the catalog may not lead out of it.
    std::error_code failed;
    const fs::path root = fs::weakly_canonical(directory, failed);
    const fs::path resolved = failed ? fs::path() : fs::weakly_canonical(directory / named, failed);
    if (failed) refuseEntry(file, entry, "cannot be resolved: " + failed.message());
    const auto [rootEnd, inside] = std::mismatch(root.begin(), root.end(), resolved.begin(), resolved.end());
    if (rootEnd != root.end()) refuseEntry(file, entry, "lies outside the catalog directory (" + resolved.string() + ")");
    return resolved;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::CatalogQuery)
VORLANE_JSON_DEFINE(vorlane::CatalogAnswer)
VORLANE_JSON_DEFINE(vorlane::CatalogManifest)