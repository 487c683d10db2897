#pragma once
// The manifest of a catalog directory: which answer files it holds, the record type each decodes
// as, the query each answers, and the query configuration a service over the catalog reads.
// The format is documented in the README ("The catalog").

#include "vorlane/ContentService/ContentQueryConfiguration.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

enum class CatalogApi { content, explore };

// The query an answer stands for: a query key and the variables and params it matches.
// A listed variable or param must be sent with an equal value; unlisted ones may be anything.
struct CatalogQuery {
    ContentQueryIdentifier key = ContentQueryIdentifier::video;
    std::optional<JsonValue> variables;  // an object
    std::optional<JsonValue> params;     // an object
    bool operator==(const CatalogQuery&) const = default;
};

struct CatalogAnswer {
    std::string file;  // relative to the catalog directory
    std::string type;  // the registered record type it decodes as
    std::optional<CatalogApi> api;  // which API generation answers it; required with a query
    std::optional<CatalogQuery> query;  // absent for documents that answer no query
    bool operator==(const CatalogAnswer&) const = default;
};

struct CatalogManifest {
    std::string configuration;  // the query configuration file, relative to the directory
    std::vector<CatalogAnswer> answers;
    bool operator==(const CatalogManifest&) const = default;
};

// A catalog read from disk: its directory, manifest and configuration.
struct Catalog {
    std::filesystem::path directory;
    CatalogManifest manifest;
    ContentQueryConfiguration configuration;

    // Reads "manifest.json" and the configuration it names. Throws std::runtime_error naming
    // the file for unreadable files, and json::DecodingError (with the file in the message)
    // for invalid ones; std::runtime_error naming the manifest entry for a path that is absolute
    // or leads out of `directory`.
    static Catalog load(const std::filesystem::path& directory);
};

}  // namespace vorlane

template <>
struct vorlane::json::Vocabulary<vorlane::CatalogApi> {
    using E = vorlane::CatalogApi;
    static constexpr std::string_view name = "CatalogApi";
    static constexpr VocabularyEntry<E> entries[] = {{E::content, "content"}, {E::explore, "explore"}};
};

VORLANE_JSON_CODEC(vorlane::CatalogQuery)
VORLANE_JSON_CODEC(vorlane::CatalogAnswer)
VORLANE_JSON_CODEC(vorlane::CatalogManifest)
