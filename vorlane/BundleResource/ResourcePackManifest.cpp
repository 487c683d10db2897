#include "vorlane/BundleResource/ResourcePackManifest.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <limits>

namespace vorlane {

std::optional<std::string> unsafePackPathReason(std::string_view path) {
    if (path.empty()) return "it is empty";
    if (path.front() == '/') return "it is absolute";
    if (path.find('\0') != std::string_view::npos) return "it holds a NUL";
    if (path.find('\\') != std::string_view::npos) return "it holds a backslash";
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        const std::string_view part = path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (part.empty()) return "it has an empty part";
        if (part == "..") return "it leads out of the pack (\"..\")";
        if (part == ".") return "it has a \".\" part";
        if (slash == std::string_view::npos) return std::nullopt;
        start = slash + 1;
    }
}

std::optional<std::string> unsafePackTagReason(std::string_view tag) {
    if (auto reason = unsafePackPathReason(tag)) return reason;
    if (tag.find('/') != std::string_view::npos) return "it is more than one path part";
    // Dot names are the downloads' staging directories, beside the packs.
    if (tag.front() == '.') return "it starts with \".\"";
    return std::nullopt;
}

std::string ResourcePackPathCodec::decode(const json::Value& value) {
    std::string path(value.string("a file path"));
    if (auto reason = unsafePackPathReason(path))
        value.fail(json::ErrorKind::dataCorrupted, "the file path " + json::encode(path) + " is refused: " + *reason);
    return path;
}

void ResourcePackPathCodec::encode(json::Writer& writer, const std::string& path) { writer.string(path); }

std::uint64_t ResourcePackManifest::totalBytes() const noexcept {
    std::uint64_t total = 0;
    for (const auto& file : files) {
        if (file.size > std::numeric_limits<std::uint64_t>::max() - total) return std::numeric_limits<std::uint64_t>::max();
        total += file.size;
    }
    return total;
}

}  // namespace vorlane

VORLANE_JSON_DEFINE(vorlane::ResourcePackFile)
VORLANE_JSON_DEFINE(vorlane::ResourcePackManifest)
