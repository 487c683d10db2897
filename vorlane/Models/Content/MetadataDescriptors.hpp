#pragma once
// Small descriptors carried besides the display metadata: an opaque download block passed on
// unchanged, and the message of a search answer.
//
//   {"downloadActionInfoBlock": "eyJ2IjoxfQ=="}   {"message": "No results for \"harb\""}

#include "vorlane/Platform/Json/Record.hpp"

#include <optional>
#include <string>

namespace vorlane {

struct MigrationMetadata {
    std::string downloadActionInfoBlock;  // opaque, passed on unchanged
    bool operator==(const MigrationMetadata&) const = default;
};

inline auto jsonFields(json::Tag<MigrationMetadata>) {
    using namespace json::rules;
    return fields(required("downloadActionInfoBlock", &MigrationMetadata::downloadActionInfoBlock));
}

struct SearchMeta {
    std::optional<std::string> message;
    bool operator==(const SearchMeta&) const = default;
};

inline auto jsonFields(json::Tag<SearchMeta>) {
    using namespace json::rules;
    return fields(optional("message", &SearchMeta::message));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::MigrationMetadata)
VORLANE_JSON_RECORD(vorlane::SearchMeta)
