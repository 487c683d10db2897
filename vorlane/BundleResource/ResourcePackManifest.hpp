#pragma once
// What a resource pack holds: its tag and each file's path inside the pack with its size in bytes.
// Served beside the pack's files and read before any of them is fetched:
//
//   {"tag": "onboarding-scenes",
//    "files": [{"path": "scenes/welcome.json", "size": 2048}, {"path": "credits.txt", "size": 311}]}
//
// Every key is required and a file that does not read fails the manifest: a pack missing a file
// would otherwise count as complete. A path must stay inside the pack: relative, "/" between
// non-empty parts, none of them "." or "..", no backslash or NUL; anything else fails as
// dataCorrupted at its path ("files[1].path").

#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// Why `path` cannot name a file inside a pack ("it is absolute", ...), or nothing when it can.
std::optional<std::string> unsafePackPathReason(std::string_view path);
// Why `tag` cannot name a pack (one path part, not starting with "."), or nothing when it can.
std::optional<std::string> unsafePackTagReason(std::string_view tag);

// Reads and writes a file's path inside a pack, refusing one that could leave the pack.
struct ResourcePackPathCodec {
    static std::string decode(const json::Value& value);
    static void encode(json::Writer& writer, const std::string& path);
};

struct ResourcePackFile {
    std::string path;        // inside the pack, "/" between parts
    std::uint64_t size = 0;  // in bytes

    bool operator==(const ResourcePackFile&) const = default;
};

inline auto jsonFields(json::Tag<ResourcePackFile>) {
    using namespace json::rules;
    using S = ResourcePackFile;
    return fields(required("path", &S::path, json::with<ResourcePackPathCodec>), required("size", &S::size));
}

struct ResourcePackManifest {
    std::string tag;
    std::vector<ResourcePackFile> files;

    // The sizes of every file added up, or the largest 64-bit count when they add up to more.
    std::uint64_t totalBytes() const noexcept;

    bool operator==(const ResourcePackManifest&) const = default;
};

inline auto jsonFields(json::Tag<ResourcePackManifest>) {
    using namespace json::rules;
    using S = ResourcePackManifest;
    return fields(required("tag", &S::tag), required("files", &S::files));
}

inline auto jsonDerived(json::Tag<ResourcePackManifest>) {
    using namespace json::derived;
    return members(member("totalBytes", &ResourcePackManifest::totalBytes));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ResourcePackFile)
VORLANE_JSON_RECORD(vorlane::ResourcePackManifest)
