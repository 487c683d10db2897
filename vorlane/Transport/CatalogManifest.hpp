#pragma once
// The manifest of a catalog directory: which answer files it holds, the record type each decodes
// as, the query each answers, and the query configuration a service over the catalog reads.
// The format is documented in the README ("The catalog").

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

enum class CatalogApi { content, explore };

constexpr auto jsonVocabulary(json::Tag<CatalogApi>) {
    using enum CatalogApi;
    return json::vocabulary<CatalogApi>("CatalogApi", {
        {content, "content"},
        {explore, "explore"},
    });
}

// The query an answer stands for: a query key and the variables and params it matches.
// A listed variable or param must be sent with an equal value; unlisted ones may be anything.
struct CatalogQuery {
    ContentQueryIdentifier key = ContentQueryIdentifier::video;
    std::optional<JsonValue> variables;  // an object
    std::optional<JsonValue> params;     // an object
    bool operator==(const CatalogQuery&) const = default;
};

inline auto jsonFields(json::Tag<CatalogQuery>) {
    using namespace json::rules;
    using S = CatalogQuery;
    return fields(required("key", &S::key), optional("variables", &S::variables, objectOnly),
                  optional("params", &S::params, objectOnly));
}

struct CatalogAnswer {
    std::string file;  // relative to the catalog directory
    std::string type;  // the registered record type it decodes as
    std::optional<CatalogApi> api;  // which API generation answers it; required with a query
    std::optional<CatalogQuery> query;  // absent for documents that answer no query
    bool operator==(const CatalogAnswer&) const = default;
};

inline auto jsonFields(json::Tag<CatalogAnswer>) {
    using namespace json::rules;
    using S = CatalogAnswer;
    return fields(required("file", &S::file),
                  required("type", &S::type),
                  optional("api", &S::api),
                  optional("query", &S::query));
}

struct CatalogManifest {
    std::string configuration;  // the query configuration file, relative to the directory
    std::vector<CatalogAnswer> answers;
    bool operator==(const CatalogManifest&) const = default;
};

inline auto jsonFields(json::Tag<CatalogManifest>) {
    using namespace json::rules;
    using S = CatalogManifest;
    return fields(required("configuration", &S::configuration),
                  required("answers", &S::answers));
}

// A catalog read from disk: its directory, manifest and configuration.
struct Catalog {
    std::filesystem::path directory;
    CatalogManifest manifest;
    ContentQueryConfiguration configuration;

    // Reads "manifest.json" and the configuration it names. Throws std::runtime_error naming
    // the file for unreadable files, and json::DecodingError (with the file in the message)
    // for invalid ones; std::runtime_error naming the manifest entry for a path that is absolute,
    // leads out of `directory` (symbolic links resolved) or holds a NUL.
    static Catalog load(const std::filesystem::path& directory);

    // Where the manifest entry `file` (named `entry` in errors: "answers[3].file") lies: inside the
    // directory once ".." and symbolic links are resolved, or std::runtime_error. Checked again at
    // each read, since a link may change after loading.
    std::filesystem::path resolve(const std::string& file, const std::string& entry) const;
};

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::CatalogQuery)
VORLANE_JSON_RECORD(vorlane::CatalogAnswer)
VORLANE_JSON_RECORD(vorlane::CatalogManifest)
