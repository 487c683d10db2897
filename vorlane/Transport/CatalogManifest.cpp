#include "vorlane/Transport/CatalogManifest.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Json/Record.hpp"

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

namespace {
// Variables and params are JSON objects.
vorlane::JsonValue objectOnly(const vorlane::json::Value& v) {
    if (!v.isObject()) v.failExpected("an object");
    return vorlane::json::Codec<vorlane::JsonValue>::decode(v);
}
}  // namespace

vorlane::CatalogQuery vorlane::json::Codec<vorlane::CatalogQuery>::decode(const Value& v) {
    CatalogQuery query;
    query.key = readRequired<ContentQueryIdentifier>(v, "key");
    if (auto variables = v.member("variables"); variables && !variables->isNull()) query.variables = objectOnly(*variables);
    if (auto params = v.member("params"); params && !params->isNull()) query.params = objectOnly(*params);
    return query;
}

void vorlane::json::Codec<vorlane::CatalogQuery>::encode(Writer& w, const CatalogQuery& query) {
    w.beginObject();
    w.key("key");
    Codec<ContentQueryIdentifier>::encode(w, query.key);
    if (query.variables) {
        w.key("variables");
        Codec<JsonValue>::encode(w, *query.variables);
    }
    if (query.params) {
        w.key("params");
        Codec<JsonValue>::encode(w, *query.params);
    }
    w.endObject();
}

VORLANE_JSON_RECORD(vorlane::CatalogAnswer,
                    required("file", &Self::file),
                    required("type", &Self::type),
                    optional("api", &Self::api),
                    optional("query", &Self::query))

VORLANE_JSON_RECORD(vorlane::CatalogManifest,
                    required("configuration", &Self::configuration),
                    required("answers", &Self::answers))
