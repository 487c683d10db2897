#include "tools/vorlane/InspectorHtml.hpp"

#include "vorlane/Platform/PercentEncoding.hpp"

#include <algorithm>
#include <map>
#include <optional>

namespace vorlane::inspector {

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string queryValue(std::string_view text) { return percentEncoded(text); }

std::string page(std::string_view title, std::string_view current, const std::string& body) {
    static constexpr std::pair<std::string_view, std::string_view> kNavigation[] = {
        {"/", "Home"}, {"/answers", "Answers"}, {"/screens", "Screens"}, {"/operations", "Operations"}};
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + escaped(title) +
                      " · vorlane inspector</title><link rel=\"stylesheet\" href=\"/inspector.css\">"
                      "<script src=\"/inspector.js\" defer></script></head><body><nav>";
    for (const auto& [href, label] : kNavigation)
        out += "<a href=\"" + std::string(href) + "\"" + (label == current ? " class=\"current\"" : "") + ">" +
               std::string(label) + "</a>";
    out += "</nav><main><h1>" + escaped(title) + "</h1>" + body + "</main></body></html>\n";
    return out;
}

namespace {

void appendStep(std::string& path, const std::string& key) {
    if (!path.empty()) path += '.';
    path += key;
}

void appendTree(std::string& out, const JsonValue& value, const std::string& label, const std::string& path, int depth,
                const TreeOptions& options) {
    const std::string shownPath = path.empty() ? "(root)" : path;
    if (value.is_object() || value.is_array()) {
        const bool lazy = depth > options.inlineDepth && !options.lazySource.empty() && !value.empty();
        out += "<details data-path=\"" + escaped(shownPath) + "\"" + (depth < options.openDepth && !lazy ? " open" : "") +
               (lazy ? " data-src=\"" + escaped(options.lazySource + percentEncoded(shownPath)) + "\"" : "") +
               "><summary><span class=\"key\">" + escaped(label) + "</span> <span class=\"count\">" +
               (value.is_object() ? "{" + std::to_string(value.size()) + "}" : "[" + std::to_string(value.size()) + "]") +
               "</span></summary>";
        if (lazy) {
            out += "</details>";
            return;
        }
        if (value.is_object()) {
            for (const auto& [key, member] : value.items()) {
                std::string childPath = path;
                appendStep(childPath, key);
                appendTree(out, member, key, childPath, depth + 1, options);
            }
        } else {
            for (std::size_t i = 0; i < value.size(); ++i)
                appendTree(out, value[i], "[" + std::to_string(i) + "]", path + "[" + std::to_string(i) + "]", depth + 1,
                           options);
        }
        out += "</details>";
        return;
    }
    const char* kind = value.is_string() ? "string" : value.is_number() ? "number" : value.is_boolean() ? "boolean" : "null";
    out += "<div class=\"leaf\"><span class=\"key\">" + escaped(label) + "</span>: <span class=\"" + kind + "\">" +
           escaped(value.dump()) + "</span></div>";
}

// Finds where the value at each wanted path begins and ends in the raw text, in one pass. The text
// is an answer that already parsed, so the scan only has to follow its structure.
class RawScanner {
public:
    RawScanner(std::string_view raw, const std::map<std::string, std::size_t>& wanted) : raw_(raw), wanted_(wanted) {}

    // (begin, end, mark index) of each wanted path found.
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> scan() {
        std::string path;
        skipSpace();
        value(path, 0);
        return found_;
    }

private:
    static constexpr int kMaxDepth = 1024;

    void skipSpace() {
        while (at_ < raw_.size() && (raw_[at_] == ' ' || raw_[at_] == '\n' || raw_[at_] == '\r' || raw_[at_] == '\t')) ++at_;
    }
    std::string stringToken() {  // at an opening quote; gives the raw text between the quotes
        const std::size_t begin = ++at_;
        while (at_ < raw_.size() && raw_[at_] != '"') at_ += raw_[at_] == '\\' ? 2 : 1;
        const std::size_t end = std::min(at_, raw_.size());
        ++at_;
        return std::string(raw_.substr(begin, end - begin));
    }
    void value(std::string& path, int depth) {
        const std::size_t begin = at_;
        if (at_ >= raw_.size() || depth > kMaxDepth) {
            at_ = raw_.size();
            return;
        }
        const char c = raw_[at_];
        if (c == '{' || c == '[') {
            ++at_;
            std::size_t index = 0;
            skipSpace();
            while (at_ < raw_.size() && raw_[at_] != (c == '{' ? '}' : ']')) {
                const std::size_t length = path.size();
                if (c == '{') {
                    const std::string key = stringToken();
                    appendStep(path, key);
                    skipSpace();
                    ++at_;  // the colon
                    skipSpace();
                } else {
                    path += "[" + std::to_string(index++) + "]";
                }
                value(path, depth + 1);
                path.resize(length);
                skipSpace();
                if (at_ < raw_.size() && raw_[at_] == ',') ++at_;
                skipSpace();
            }
            ++at_;
        } else if (c == '"') {
            stringToken();
        } else {
            while (at_ < raw_.size() && raw_[at_] != ',' && raw_[at_] != '}' && raw_[at_] != ']' && raw_[at_] != ' ' &&
                   raw_[at_] != '\n' && raw_[at_] != '\r' && raw_[at_] != '\t')
                ++at_;
        }
        const auto found = wanted_.find(path.empty() ? std::string("(root)") : path);
        if (found != wanted_.end()) found_.emplace_back(begin, std::min(at_, raw_.size()), found->second);
    }

    std::string_view raw_;
    const std::map<std::string, std::size_t>& wanted_;
    std::size_t at_ = 0;
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> found_;
};

// The path one step up: "a.b[2]" -> "a.b", "a.b" -> "a", "a" -> "(root)".
std::string parentPath(const std::string& path) {
    const std::size_t cut = path.find_last_of(".[");
    if (cut == std::string::npos || cut == 0) return "(root)";
    return path.substr(0, cut);
}

}  // namespace

std::string tree(const JsonValue& value, const TreeOptions& options) {
    std::string label = "(root)";
    if (!options.path.empty()) {
        const std::size_t cut = options.path.find_last_of(".[");
        label = cut == std::string::npos ? options.path : options.path.substr(cut + (options.path[cut] == '.' ? 1 : 0));
    }
    std::string out = "<div class=\"tree\">";
    appendTree(out, value, label, options.path, 0, options);
    return out + "</div>";
}

const JsonValue* valueAt(const JsonValue& root, std::string_view path) {
    if (path == "(root)" || path.empty()) return &root;
    const JsonValue* at = &root;
    std::size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '[') {
            const std::size_t close = path.find(']', i);
            if (close == std::string_view::npos || !at->is_array()) return nullptr;
            std::size_t index = 0;
            for (std::size_t d = i + 1; d < close; ++d) {
                if (path[d] < '0' || path[d] > '9' || index > (std::size_t{1} << 40)) return nullptr;
                index = index * 10 + static_cast<std::size_t>(path[d] - '0');
            }
            if (close == i + 1 || index >= at->size()) return nullptr;
            at = &(*at)[index];
            i = close + 1;
        } else {
            if (path[i] == '.') ++i;
            if (!at->is_object()) return nullptr;
            // A key may hold dots itself: take the longest member name that the path continues with.
            const JsonValue* next = nullptr;
            std::size_t nextEnd = i;
            for (const auto& [key, member] : at->items()) {
                if (key.size() > nextEnd - i && path.substr(i, key.size()) == key &&
                    (i + key.size() == path.size() || path[i + key.size()] == '.' || path[i + key.size()] == '[')) {
                    next = &member;
                    nextEnd = i + key.size();
                }
            }
            if (!next) return nullptr;
            at = next;
            i = nextEnd;
        }
    }
    return at;
}

std::string markedRaw(std::string_view raw, const std::vector<std::pair<std::string, std::string>>& marks) {
    // A path the text does not hold (a missing key) is marked at its nearest enclosing value: scan
    // for every path and its ancestors, then keep the longest found for each mark.
    std::map<std::string, std::size_t> wanted;
    std::vector<std::vector<std::string>> candidates(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        for (std::string path = marks[i].first;; path = parentPath(path)) {
            candidates[i].push_back(path);
            wanted.emplace(path, 0);
            if (path == "(root)" || candidates[i].size() > 64) break;
        }
    }
    std::size_t id = 0;
    for (auto& [path, index] : wanted) index = id++;
    std::vector<std::pair<std::size_t, std::size_t>> rangeOf(wanted.size(), {std::string_view::npos, 0});
    for (const auto& [begin, end, index] : RawScanner(raw, wanted).scan()) rangeOf[index] = {begin, end};

    struct Span {
        std::size_t begin, end, mark;
    };
    std::vector<Span> spans;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        for (const std::string& path : candidates[i]) {
            const auto range = rangeOf[wanted.at(path)];
            if (range.first == std::string_view::npos) continue;
            spans.push_back({range.first, range.second, i});
            break;
        }
    }
    // Marks may nest (an element and its list) but never cross, so opening in order of beginning
    // (outer first) and closing in order of end keeps the HTML well formed.
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
    });
    std::string out = "<pre class=\"raw\">";
    std::vector<std::size_t> open;  // ends of the spans open now, innermost last
    std::size_t at = 0;
    const auto closeUpTo = [&](std::size_t position) {
        while (!open.empty() && open.back() <= position) {
            out += escaped(raw.substr(at, open.back() - at));
            at = open.back();
            out += "</mark>";
            open.pop_back();
        }
    };
    for (const Span& span : spans) {
        closeUpTo(span.begin);
        out += escaped(raw.substr(at, span.begin - at));
        at = span.begin;
        const std::size_t end = open.empty() ? span.end : std::min(span.end, open.back());
        out += "<mark id=\"mark-" + std::to_string(span.mark) + "\" data-path=\"" + escaped(marks[span.mark].first) +
               "\" title=\"" + escaped(marks[span.mark].second) + "\">";
        open.push_back(end);
    }
    closeUpTo(raw.size());
    out += escaped(raw.substr(at));
    return out + "</pre>";
}

const std::string_view kStylesheet = R"CSS(
body { font: 14px/1.4 system-ui, sans-serif; margin: 0; color: #1d1d1f; background: #fafafa; }
nav { background: #14213d; padding: 8px 16px; }
nav a { color: #e5e5e5; margin-right: 16px; text-decoration: none; }
nav a.current { color: #fca311; font-weight: bold; }
main { padding: 8px 16px 32px; }
table { border-collapse: collapse; }
td, th { border-bottom: 1px solid #ddd; padding: 3px 10px 3px 0; text-align: left; vertical-align: top; }
.ok { color: #1b7f3b; } .failing { color: #b00020; font-weight: bold; } .dropped { color: #a35c00; }
.columns { display: flex; gap: 16px; align-items: flex-start; }
.columns > section { flex: 1; min-width: 0; }
.tree details { margin-left: 14px; } .tree .leaf { margin-left: 28px; }
.key { color: #6a3d9a; } .string { color: #1b5e20; } .number, .boolean { color: #0d47a1; } .null { color: #888; }
pre.raw { white-space: pre-wrap; word-break: break-all; background: #fff; border: 1px solid #ddd; padding: 8px;
          max-height: 80vh; overflow: auto; font-size: 12px; }
mark { background: #ffe08a; } mark.focused { background: #ff9f43; }
.error { background: #fdecea; border: 1px solid #b00020; padding: 8px; }
pre.trace, pre.result { background: #fff; border: 1px solid #ddd; padding: 8px; white-space: pre-wrap; word-break: break-all; }
form.operation label { display: inline-block; min-width: 160px; }
form.operation textarea { width: 100%; font-family: monospace; }
.shelf { margin: 12px 0 20px; }
.shelf h2 { font-size: 15px; margin: 4px 0; }
.tiles { display: flex; gap: 10px; overflow-x: auto; padding-bottom: 6px; }
.tile { flex: 0 0 auto; height: 140px; border-radius: 6px; background: #24303f; color: #eee; position: relative;
        display: flex; flex-direction: column; justify-content: flex-end; font-size: 11px; overflow: hidden; }
.tile .art { padding: 4px 6px; word-break: break-all; opacity: .85; }
.tile .title { padding: 4px 6px; font-weight: bold; font-size: 12px; background: rgba(0,0,0,.35); }
.tile .badges span { background: #fca311; color: #000; border-radius: 3px; padding: 0 4px; margin: 2px; display: inline-block; }
.tile .record { display: none; position: absolute; z-index: 2; top: 0; left: 0; width: 420px; max-height: 320px;
                overflow: auto; background: #fff; color: #000; border: 1px solid #888; white-space: pre-wrap; font-size: 11px; }
.tile:hover .record { display: block; }
)CSS";

const std::string_view kScript = R"JS(
// A lazy node of a tree is filled from the server the first time it is opened.
document.addEventListener('toggle', function (event) {
  var node = event.target;
  if (!node.open || !node.hasAttribute || !node.hasAttribute('data-src') || node.dataset.loaded) return;
  node.dataset.loaded = '1';
  fetch(node.getAttribute('data-src')).then(function (r) { return r.text(); }).then(function (html) {
    var holder = document.createElement('div');
    holder.innerHTML = html;
    var filled = holder.querySelector('details');
    if (!filled) return;
    Array.prototype.slice.call(filled.children, 1).forEach(function (child) { node.appendChild(child); });
  });
}, true);
// Selecting a dropped element or failure in the list marks it in the raw answer and scrolls to it.
document.addEventListener('click', function (event) {
  var link = event.target.closest('a[data-mark]');
  if (!link) return;
  event.preventDefault();
  document.querySelectorAll('mark.focused').forEach(function (m) { m.classList.remove('focused'); });
  var mark = document.getElementById(link.getAttribute('data-mark'));
  if (mark) { mark.classList.add('focused'); mark.scrollIntoView({block: 'center'}); }
});
)JS";

}  // namespace vorlane::inspector
