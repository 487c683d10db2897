#pragma once
// The pieces the inspector's pages are written with: escaping, the page frame, a decoded value as a
// collapsible tree, and a raw answer with chosen JSON paths marked.

#include "vorlane/Platform/Json/JsonValue.hpp"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlane::inspector {

// `text` safe inside HTML text and attribute values.
std::string escaped(std::string_view text);

// `text` percent-encoded for a query-string value.
std::string queryValue(std::string_view text);

// A whole page: the title, the navigation (with `current` marked) and `body`.
std::string page(std::string_view title, std::string_view current, const std::string& body);

// A JSON value as nested <details> elements, open to `openDepth` levels; every node carries its
// JSON path (as the decoder writes paths) in `data-path`. Objects and lists deeper than
// `inlineDepth` are left empty with `data-src` = `lazySource` + their path, filled in by the page's
// script when opened, so a large answer's page stays light. `path` is where `value` sits.
struct TreeOptions {
    int openDepth = 2;
    int inlineDepth = 1 << 30;
    std::string lazySource;  // a URL ending in "path=", or empty for no lazy nodes
    std::string path;        // "" for the root
};
std::string tree(const JsonValue& value, const TreeOptions& options = {});

// The value at `path` (as the decoder writes paths) inside `root`, or null.
const JsonValue* valueAt(const JsonValue& root, std::string_view path);

// The raw answer, escaped, with the value at each path wrapped in
// <mark id="mark-N" data-path="PATH" title="REASON">; a path the answer does not hold (a missing
// key) marks the nearest enclosing value that it does. Pairs are (path, reason).
std::string markedRaw(std::string_view raw, const std::vector<std::pair<std::string, std::string>>& marks);

// The stylesheet and the script every page links.
extern const std::string_view kStylesheet;
extern const std::string_view kScript;

}  // namespace vorlane::inspector
