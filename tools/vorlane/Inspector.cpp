#include "tools/vorlane/Inspector.hpp"

#include "tools/vorlane/InspectorHtml.hpp"
#include "tools/vorlane/InspectorScreens.hpp"
#include "tools/vorlane/QueryCommand.hpp"

#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/ContentService/Operations.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

#include <mutex>
#include <sstream>

namespace vorlane::inspector {

namespace {

HttpResponse html(std::string body, long status = 200) {
    return HttpResponse{status, {{"Content-Type", "text/html; charset=utf-8"}, {"Cache-Control", "no-store"}}, std::move(body)};
}

HttpResponse asset(std::string_view body, const char* type) {
    return HttpResponse{200, {{"Content-Type", type}}, std::string(body)};
}

// One answer of the catalog, decoded as its declared type.
struct DecodedAnswer {
    const CatalogAnswer* entry = nullptr;
    std::string raw;
    std::optional<std::string> encoding;     // absent when it failed
    std::optional<std::string> derived;      // the derived members, when it decoded
    std::optional<json::DecodingError> error;
    std::string otherError;                  // a failure that is not the decoder's
    json::Diagnostics diagnostics;
};

class Inspector {
public:
    explicit Inspector(InspectorOptions options) : options_(std::move(options)), catalog_(Catalog::load(options_.catalog)) {}

    std::optional<HttpResponse> operator()(const PageRequest& request) {
        const std::string& path = request.path;
        if (path == "/") return html(home());
        if (path == "/inspector.css") return asset(kStylesheet, "text/css; charset=utf-8");
        if (path == "/inspector.js") return asset(kScript, "text/javascript; charset=utf-8");
        if (path == "/answers") return html(answers());
        if (path == "/answer") return answer(request);
        if (path == "/answer/tree") return subtree(request);
        if (path == "/screens") return html(screens());
        if (path == "/screen") return screen(request);
        if (path == "/operations") return html(operations());
        if (path == "/operation") return operation(request);
        return std::nullopt;
    }

private:
    // The manifest entry of `file`: only listed files are ever read.
    const CatalogAnswer* entryOf(const std::string* file) const {
        if (!file) return nullptr;
        for (const auto& entry : catalog_.manifest.answers)
            if (entry.file == *file) return &entry;
        return nullptr;
    }

    DecodedAnswer decode(const CatalogAnswer& entry) const {
        DecodedAnswer out;
        out.entry = &entry;
        try {
            const auto* type = findDecodableType(entry.type);
            if (!type) throw std::runtime_error("unknown type \"" + entry.type + "\"");
            const auto answer = json::PaddedAnswer::fromFile(catalog_.resolve(entry.file, entry.file), type->settings().maxAnswerBytes);
            out.raw = std::string(answer.text());
            out.encoding = type->decodeAndEncode(answer, &out.diagnostics);
            json::Diagnostics again;  // the derived members decode once more; their drops are the same
            out.derived = type->derive(answer, &again);
        } catch (const json::DecodingError& error) {
            out.error = error;
        } catch (const std::exception& error) {
            out.otherError = error.what();
        }
        return out;
    }

    static std::string status(const DecodedAnswer& decoded) {
        if (decoded.error || !decoded.otherError.empty()) return "<span class=\"failing\">failing</span>";
        std::string out = "<span class=\"ok\">ok</span>";
        if (!decoded.diagnostics.empty())
            out += ", <span class=\"dropped\">" + std::to_string(decoded.diagnostics.size()) + " dropped</span>";
        return out;
    }

    static std::string answerLink(const std::string& file) {
        return "<a href=\"/answer?file=" + queryValue(file) + "\">" + escaped(file) + "</a>";
    }

    std::string home() const {
        std::string body = "<p>Catalog <code>" + escaped(catalog_.directory.string()) + "</code>: " +
                           std::to_string(catalog_.manifest.answers.size()) + " answers, " +
                           std::to_string(catalog_.configuration.queryDescriptors.size()) + " queries configured. ";
        body += options_.upstream.empty() ? std::string("Operations run against the catalog.")
                                          : "Operations run against <code>" + escaped(options_.upstream) + "</code>.";
        body += "</p><ul><li><a href=\"/answers\">Answers</a>: each answer decoded, with what it drops</li>"
                "<li><a href=\"/screens\">Screens</a>: the shelves a page, collection or set would show</li>"
                "<li><a href=\"/operations\">Operations</a>: run a service operation and see what it sent</li></ul>";
        return page("Catalog", "Home", body);
    }

    std::string answers() const {
        std::string body = "<table id=\"answers\"><tr><th>Answer</th><th>Type</th><th>API</th><th>Query</th><th>Check</th></tr>";
        for (const auto& entry : catalog_.manifest.answers) {
            const DecodedAnswer decoded = decode(entry);
            body += "<tr data-file=\"" + escaped(entry.file) + "\"><td>" + answerLink(entry.file) + "</td><td>" +
                    escaped(entry.type) + "</td><td>" + (entry.api ? std::string(json::wireString(*entry.api)) : "") +
                    "</td><td>" + (entry.query ? std::string(json::wireString(entry.query->key)) : "") + "</td><td>" +
                    status(decoded) + "</td></tr>";
        }
        return page("Answers", "Answers", body + "</table>");
    }

    std::optional<HttpResponse> answer(const PageRequest& request) const {
        const CatalogAnswer* entry = entryOf(request.param("file"));
        if (!entry) return html(page("No such answer", "Answers", "<p class=\"error\">The catalog lists no answer " +
                                                                    escaped(request.param("file") ? *request.param("file") : "") +
                                                                    ".</p>"),
                                404);
        const DecodedAnswer decoded = decode(*entry);
        std::vector<std::pair<std::string, std::string>> marks;
        std::string findings;
        if (decoded.error) {
            marks.emplace_back(decoded.error->path(), decoded.error->message());
            findings += "<div class=\"error\" id=\"failure\">Does not decode as " + escaped(entry->type) +
                        ": <a href=\"#\" data-mark=\"mark-0\"><code>" + escaped(decoded.error->path()) + "</code></a>: " +
                        escaped(decoded.error->message()) + "</div>";
        } else if (!decoded.otherError.empty()) {
            findings += "<div class=\"error\" id=\"failure\">" + escaped(decoded.otherError) + "</div>";
        }
        if (!decoded.diagnostics.empty()) {
            findings += "<h2>Dropped and tolerated (" + std::to_string(decoded.diagnostics.size()) + ")</h2><ol id=\"dropped\">";
            for (const auto& diagnostic : decoded.diagnostics.entries()) {
                findings += "<li><a href=\"#\" data-mark=\"mark-" + std::to_string(marks.size()) + "\"><code>" +
                            escaped(diagnostic.path) + "</code></a>: " + escaped(diagnostic.reason) + "</li>";
                marks.emplace_back(diagnostic.path, diagnostic.reason);
            }
            findings += "</ol>";
        }
        std::string decodedColumn;
        if (decoded.encoding) {
            decodedColumn += "<h2>Decoded " + escaped(entry->type) + "</h2>" +
                             tree(JsonValue::parse(*decoded.encoding), treeOptions(*entry, "value", 2));
            decodedColumn += "<h2>Derived members</h2>" +
                             tree(JsonValue::parse(decoded.derived.value_or("{}")), treeOptions(*entry, "derived", 1));
        }
        std::string links;
        if (screenable(entry->type)) links = "<p><a href=\"/screen?file=" + queryValue(entry->file) + "\">As a screen</a></p>";
        const std::string body = "<p>" + escaped(entry->type) + " · " + status(decoded) + "</p>" + links + findings +
                                 "<div class=\"columns\"><section id=\"decoded\">" + decodedColumn +
                                 "</section><section id=\"raw\"><h2>Raw answer</h2>" + markedRaw(decoded.raw, marks) +
                                 "</section></div>";
        return html(page(entry->file, "Answers", body));
    }

    // Trees show four levels at once; deeper ones are fetched when opened.
    static TreeOptions treeOptions(const CatalogAnswer& entry, std::string_view of, int openDepth, std::string path = "") {
        return TreeOptions{.openDepth = openDepth,
                           .inlineDepth = 4,
                           .lazySource = "/answer/tree?file=" + queryValue(entry.file) + "&of=" + std::string(of) + "&path=",
                           .path = std::move(path)};
    }

    // One node of an answer's decoded value (of=value) or derived members (of=derived), as a tree.
    std::optional<HttpResponse> subtree(const PageRequest& request) const {
        const CatalogAnswer* entry = entryOf(request.param("file"));
        const std::string* of = request.param("of");
        const std::string* path = request.param("path");
        if (!entry || !of || !path || (*of != "value" && *of != "derived")) return html("<p>no such node</p>", 404);
        const DecodedAnswer decoded = decode(*entry);
        const std::optional<std::string>& text = *of == "value" ? decoded.encoding : decoded.derived;
        if (!text) return html("<p>the answer does not decode</p>", 404);
        const JsonValue root = JsonValue::parse(*text);
        const JsonValue* node = valueAt(root, *path);
        if (!node) return html("<p>no such node</p>", 404);
        return html(tree(*node, treeOptions(*entry, *of, 1, *path == "(root)" ? "" : *path)));
    }

    std::string screens() const {
        std::string body = "<ul id=\"screens\">";
        for (const auto& entry : catalog_.manifest.answers)
            if (screenable(entry.type))
                body += "<li><a href=\"/screen?file=" + queryValue(entry.file) + "\">" + escaped(entry.file) + "</a> (" +
                        escaped(entry.type) + ")</li>";
        return page("Screens", "Screens", body + "</ul>");
    }

    std::optional<HttpResponse> screen(const PageRequest& request) const {
        const CatalogAnswer* entry = entryOf(request.param("file"));
        if (!entry || !screenable(entry->type))
            return html(page("No such screen", "Screens", "<p class=\"error\">The catalog lists no page, collection or set " +
                                                               escaped(request.param("file") ? *request.param("file") : "") +
                                                               ".</p>"),
                        404);
        const DecodedAnswer decoded = decode(*entry);
        if (!decoded.encoding) {
            const std::string failure = decoded.error ? decoded.error->what() : decoded.otherError;
            return html(page(entry->file, "Screens", "<div class=\"error\" id=\"failure\">" + escaped(failure) + "</div>"));
        }
        std::string body = "<p>" + escaped(entry->type) + " · <a href=\"/answer?file=" + queryValue(entry->file) +
                           "\">the answer</a></p>";
        if (!decoded.diagnostics.empty()) {
            body += "<details id=\"dropped\"><summary class=\"dropped\">" + std::to_string(decoded.diagnostics.size()) +
                    " dropped</summary><ol>";
            for (const auto& diagnostic : decoded.diagnostics.entries())
                body += "<li><code>" + escaped(diagnostic.path) + "</code>: " + escaped(diagnostic.reason) + "</li>";
            body += "</ol></details>";
        }
        body += renderScreen(entry->type, decoded.raw);
        return html(page(entry->file, "Screens", body));
    }

    // ---- operations --------------------------------------------------------------------------

    struct Form {
        const ServiceOperation* operation;
        std::size_t index;  // among the forms of its name
    };

    static std::vector<Form> forms() {
        std::vector<Form> out;
        std::map<std::string_view, std::size_t> seen;
        for (const auto& operation : serviceOperations()) out.push_back({&operation, seen[operation.name]++});
        return out;
    }

    static std::string formUrl(const Form& form) {
        return "/operation?name=" + queryValue(form.operation->name) + "&form=" + std::to_string(form.index);
    }

    std::string operations() const {
        std::string body = "<table id=\"operations\"><tr><th>Operation</th><th>What it does</th></tr>";
        for (const Form& form : forms())
            body += "<tr><td><a href=\"" + formUrl(form) + "\"><code>" + escaped(form.operation->signature()) +
                    "</code></a></td><td>" + escaped(form.operation->summary) + "</td></tr>";
        return page("Operations", "Operations", body + "</table>");
    }

    std::optional<HttpResponse> operation(const PageRequest& request) {
        const std::string* name = request.param("name");
        const std::string* formText = request.param("form");
        std::optional<Form> chosen;
        for (const Form& form : forms())
            if (name && form.operation->name == *name && std::to_string(form.index) == (formText ? *formText : "0"))
                chosen = form;
        if (!chosen)
            return html(page("No such operation", "Operations",
                             "<p class=\"error\">No operation form " + escaped(name ? *name : "") + " " +
                                 escaped(formText ? *formText : "0") + ". See <a href=\"/operations\">the list</a>.</p>"),
                        404);
        const ServiceOperation& operation = *chosen->operation;
        const std::vector<std::string> samples = operation.sampleArguments();
        const std::string defaultContext = JsonValue::parse(json::encode(QueryContext{})).dump(2);
        const std::string* context = request.param("context");

        std::string body = "<p>" + escaped(operation.summary) + "</p><form class=\"operation\" method=\"get\" action=\"/operation\">"
                           "<input type=\"hidden\" name=\"name\" value=\"" + escaped(operation.name) + "\">"
                           "<input type=\"hidden\" name=\"form\" value=\"" + std::to_string(chosen->index) + "\">"
                           "<input type=\"hidden\" name=\"run\" value=\"1\">";
        std::vector<std::string> arguments;
        for (std::size_t i = 0; i < operation.parameters.size(); ++i) {
            const OperationParameter& parameter = operation.parameters[i];
            const std::string key = "arg." + std::string(parameter.name);
            const std::string* given = request.param(key);
            const std::string shown = given ? *given : (i < samples.size() && !parameter.optional ? samples[i] : "");
            if (given && !given->empty()) arguments.push_back(std::string(parameter.name) + "=" + *given);
            body += "<p><label for=\"" + escaped(key) + "\"><code>" + escaped(parameter.name) + "</code>" +
                    (parameter.optional ? " (optional)" : "") + "</label> <input id=\"" + escaped(key) + "\" name=\"" +
                    escaped(key) + "\" size=\"60\" value=\"" + escaped(shown) + "\"> <small>" + escaped(parameter.description) +
                    "</small></p>";
        }
        body += "<p><label for=\"context\">Context</label></p><textarea id=\"context\" name=\"context\" rows=\"11\">" +
                escaped(context ? *context : defaultContext) + "</textarea><p><button type=\"submit\">Run</button></p></form>";

        if (request.param("run")) {
            cli::QueryOptions query;
            query.catalog = options_.catalog.string();
            query.server = options_.upstream;
            query.trace = true;
            query.operation = std::string(operation.name);
            query.arguments = arguments;
            if (context && *context != defaultContext) query.contextJson = *context;
            std::ostringstream out, err;
            int exitCode;
            {
                // The trace gathers the process's log entries and notifications: one run at a time.
                std::lock_guard lock(runMutex_);
                exitCode = cli::runQuery(query, out, err);
            }
            body += "<h2>Result</h2><pre class=\"result\" id=\"result\" data-exit=\"" + std::to_string(exitCode) + "\">" +
                    escaped(out.str()) + "</pre><h2>Trace</h2><pre class=\"trace\" id=\"trace\">" + escaped(err.str()) + "</pre>";
        }
        return html(page(std::string(operation.name), "Operations", body));
    }

    InspectorOptions options_;
    Catalog catalog_;
    std::mutex runMutex_;
};

}  // namespace

PageHandler inspectorPages(InspectorOptions options) {
    auto inspector = std::make_shared<Inspector>(std::move(options));
    return [inspector](const PageRequest& request) { return (*inspector)(request); };
}

}  // namespace vorlane::inspector
