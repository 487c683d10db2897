#include "tools/vorlane/QueryCommand.hpp"

#include "tools/vorlane/UsageError.hpp"

#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/ContentService/Operations.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/ContentService/SDKContentServiceError.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Notifications.hpp"
#include "vorlane/Platform/Logger.hpp"
#include "vorlane/Transport/CatalogSession.hpp"
#include "vorlane/Transport/HttpSession.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vorlane::cli {

namespace {

// A failure before the service runs, printed as `error: KIND: MESSAGE`.
class SetupError : public std::runtime_error {
public:
    SetupError(std::string kind, const std::string& message) : std::runtime_error(message), kind(std::move(kind)) {}
    std::string kind;
};

// ---- Trace ---------------------------------------------------------------------------------------

// Writes one standard-error line per event while tracing, in the order the events happen.
class Trace {
public:
    Trace(bool enabled, std::ostream& out) : enabled_(enabled), out_(out) {}
    bool enabled() const noexcept { return enabled_; }

    void line(std::string_view prefix, const std::string& text) const {
        if (!enabled_) return;
        std::lock_guard lock(mutex_);
        out_ << prefix << ": " << text << '\n' << std::flush;
    }

private:
    bool enabled_;
    std::ostream& out_;
    mutable std::mutex mutex_;
};

// Non-fatal reports become `nonfatal:` lines; the command has no error-tracking service to send them to.
class TraceTracker final : public NonFatalErrorTracker {
public:
    explicit TraceTracker(const Trace& trace) : trace_(trace) {}
    using NonFatalErrorTracker::logNonFatalError;
    void logNonFatalError(const std::string& message, const StringDictionary& tags,
                          const StringDictionary& additionalInfo) const override {
        trace_.line("nonfatal", R"({"message":)" + json::encode(message) + R"(,"tags":)" + json::encode(tags) +
                                    R"(,"additionalInfo":)" + json::encode(additionalInfo) + "}");
    }

private:
    const Trace& trace_;
};

std::string describeWarning(const Warning& warning) {
    std::string text = warning.subject + ": " + warning.message;
    for (std::size_t i = 0; i < warning.info.size(); ++i)
        text += (i ? ", " : " [") + warning.info[i].first + "=" + warning.info[i].second;
    return warning.info.empty() ? text : text + "]";
}

// ---- Running -------------------------------------------------------------------------------------


QueryContext readContext(const QueryOptions& options) {
    try {
        if (options.contextJson) return json::decode<QueryContext>(*options.contextJson);
        if (!options.contextGiven) return QueryContext{};
        return json::decode<QueryContext>(json::PaddedAnswer::fromFile(options.context, json::DecoderSettings{}.maxAnswerBytes));
    } catch (const std::exception& error) {
        throw SetupError("context", (options.contextJson ? std::string("the context") : options.context) + ": " + error.what());
    }
}

std::shared_ptr<CatalogSession> openCatalog(const std::string& directory) {
    try {
        return CatalogSession::open(directory);
    } catch (const std::exception& error) {
        throw SetupError("catalog", error.what());
    }
}

// The KIND of a service failure: the case name of the service's error categories.
std::string errorKind(const std::error_code& code) {
    if (code.category() == sdkContentServiceErrorCategory())
        return std::string(toString(static_cast<SDKContentServiceError>(code.value())));
    if (code.category() == avatarServiceErrorCategory())
        return std::string(toString(static_cast<AvatarServiceError>(code.value())));
    if (code.category() == upNextErrorCategory()) return std::string(toString(static_cast<UpNextError>(code.value())));
    return code.category().name();
}

std::string explain(const std::error_code& code) {
    if (code == make_error_code(SDKContentServiceError::nullQueryId))
        return "the configuration has no descriptor for the operation's query, so nothing was sent";
    if (code == make_error_code(SDKContentServiceError::missing)) return "the answer lacks the member the operation yields";
    if (code == make_error_code(SDKContentServiceError::missingIdentifier))
        return "the locator gives no identifier the configuration can use";
    if (code == make_error_code(SDKContentServiceError::missingDescriptor))
        return "the configuration has no descriptor for the Explore set query";
    if (code == make_error_code(AvatarServiceError::avatarNotFound)) return "the service knows no avatar of that id";
    if (code == make_error_code(AvatarServiceError::defaultsNotFound))
        return "the avatar collection has no visible container";
    return "the answer gives no up next (" + code.message() + ")";
}

void printList(std::ostream& out) {
    for (const auto& operation : serviceOperations()) out << operation.signature() << '\n';
}

}  // namespace

int runQuery(const QueryOptions& options, std::ostream& out, std::ostream& err) {
    const auto fail = [&err](const std::string& kind, const std::string& message) {
        err << "error: " << kind << ": " << message << '\n';
        return 1;
    };
    if (options.list) {
        printList(out);
        return 0;
    }
    const ServiceOperation* operation = nullptr;
    try {
        if (!options.unknownOptions.empty()) throw UsageError("unknown option " + options.unknownOptions.front());
        if (options.operation.empty()) throw UsageError("give an OPERATION (see `vorlane query --list`)");
        const OperationArguments arguments = splitArguments(options.arguments);
        try {
            operation = &findServiceOperation(options.operation, arguments);
        } catch (const OperationArgumentError& error) {
            if (serviceOperations().end() == std::ranges::find(serviceOperations(), std::string_view(options.operation),
                                                               &ServiceOperation::name))
                throw UsageError(std::string(error.what()) + " (see `vorlane query --list`)");
            throw UsageError(error.what());
        }

        // The library's own log output would interleave with the trace and come before the error
        // line: entries are shown by --trace instead, unless VORLANE_LOG_LEVEL asks for them.
        if (!std::getenv("VORLANE_LOG_LEVEL")) Log::setLevel(LogLevel::off);
        Trace trace(options.trace, err);
        std::optional<LogCapture> logs;
        std::optional<WarningCapture> warnings;
        if (trace.enabled()) {
            logs.emplace([&trace](const LogEntry& entry) {
                trace.line("log", std::string(toString(entry.level)) + " " + std::string(toString(entry.category)) +
                                      ": " + entry.message);
            });
            warnings.emplace([&trace](const Warning& warning) { trace.line("warn", describeWarning(warning)); });
        }

        const QueryContext context = readContext(options);
        const auto traceCall = [&trace](const SessionCall& call) { trace.line("call", json::encode(call)); };
        std::shared_ptr<sdk::Session> session;
        ContentQueryConfiguration configuration;
        std::shared_ptr<CatalogSession> catalogSession;
        std::shared_ptr<HttpSession> httpSession;
        if (options.server.empty()) {
            catalogSession = openCatalog(options.catalog);
            configuration = catalogSession->catalog().configuration;
            if (trace.enabled()) catalogSession->onCall(traceCall);
            session = catalogSession;
        } else {
            // The server's own query configuration, so both sides name the queries alike.
            httpSession = std::make_shared<HttpSession>(HttpSessionOptions{.baseUrl = options.server, .client = {}, .extraHeaders = {}});
            try {
                configuration = json::decode<ContentQueryConfiguration>(httpSession->queryConfiguration().blockingGet());
            } catch (const std::exception& error) {
                throw SetupError("server", "cannot read the query configuration of " + options.server + ": " + error.what());
            }
            if (trace.enabled()) httpSession->onCall(traceCall);
            session = httpSession;
        }
        ObservationToken notifications;
        if (trace.enabled())
            notifications = NotificationCenter::defaultCenter().addObserver(
                NotificationName::watchlistUpdated, [&trace](const Notification& notification) {
                    trace.line("notify", std::string(notification.name.rawValue()) + " " + userInfoJson(notification.userInfo));
                });
        const SDKContentService service(
            SDKContentService::Inputs::fixed(session, std::move(configuration), context, std::make_shared<TraceTracker>(trace)));

        std::string printed = operation->run(OperationTargets{service, service}, arguments);
        if (catalogSession) catalogSession->onCall(nullptr);
        if (httpSession) httpSession->onCall(nullptr);
        out << printed << '\n';
        return 0;
    } catch (const UsageError& error) {
        return fail("usage", error.what());
    } catch (const OperationArgumentError& error) {
        return fail("usage", error.what());
    } catch (const SetupError& error) {
        return fail(error.kind, error.what());
    } catch (const std::system_error& error) {
        const std::string name = operation ? std::string(operation->name) : options.operation;
        return fail(errorKind(error.code()), name + " failed: " + explain(error.code()));
    } catch (const json::DecodingError& error) {
        return fail("decoding", error.what());
    } catch (const UnroutedQueryError& error) {
        return fail("unrouted", error.what());
    } catch (const CatalogSessionError& error) {
        return fail("catalog", error.what());
    } catch (const HttpError& error) {
        return fail("http", error.what());
    } catch (const std::exception& error) {
        return fail("failed", error.what());
    }
}

namespace {

// The operations and the rules of values, shown by `vorlane query --help` only.
std::string operationsHelp() {
    std::string text =
        "A VALUE is read as JSON when it parses as JSON, else as a string (quote a string that reads as JSON:\n"
        "contentId='\"123\"'); it must then decode as the argument's type. Operations:\n";
    for (const auto& operation : serviceOperations()) {
        text += "  " + operation.signature() + "\n      " + std::string(operation.summary);
        for (std::size_t i = 0; i < operation.parameters.size(); ++i)
            text += std::string(i ? "; " : " (") + std::string(operation.parameters[i].name) + ": " +
                    operation.parameters[i].description;
        text += operation.parameters.empty() ? "\n" : ")\n";
    }
    return text;
}

constexpr const char* kFooter =
    "--context FILE: one JSON object; absent keys take a fresh app's values: \"partner\" (\"vorlane\"),\n"
    "  \"currentCountry\" (\"US\"), \"portabilityCountry\" (none), \"isKidsMode\" (false), \"impliedMaturityRating\"\n"
    "  (none), \"preferredLanguage\" (\"en\"), \"searchOverrides\" ({}), \"liveAndUnratedEnabled\" (false),\n"
    "  \"profileId\" (none). Other keys are refused.\n"
    "Failure: exit 1 and a first error line `error: KIND: MESSAGE`. KIND is the service error's case\n"
    "  (nullQueryId, missing, missingIdentifier, missingDescriptor, avatarNotFound, defaultsNotFound, noUpNext,\n"
    "  videoMissing, unsupportedType, itemToMissing), decoding (an answer that does not decode: PATH: MESSAGE),\n"
    "  unrouted (the catalog has no answer for what was sent), usage (bad command line), context (bad --context\n"
    "  file), catalog (a catalog that does not load) or failed (any other failure of the operation, such as a\n"
    "  bundle asked for a collection), http (with --server: the exchange failed; the message says how: timeout,\n"
    "  refused, TLS, an error status with the server's message, a cut or dropped answer) or server (the server's\n"
    "  query configuration could not be read).\n"
    "--trace: standard-error lines in the order they happen: `call: JSON` per session call (kind, query id,\n"
    "  API version, variables as sent, params, body, imported bookmarks), `log: LEVEL CATEGORY: MESSAGE` per\n"
    "  log entry (debug included), `warn: SUBJECT: MESSAGE` per model warning, `nonfatal: JSON` per non-fatal\n"
    "  report ({\"message\",\"tags\",\"additionalInfo\"}), `notify: NAME JSON` per notification posted (JSON:\n"
    "  its user info, e.g. {\"isAdd\":true,\"source\":{...},\"with\":\"...\"}). Without --trace the library's own log output is off\n"
    "  unless VORLANE_LOG_LEVEL is set.";

}  // namespace

std::function<int()> addQueryCommand(CLI::App& app) {
    auto options = std::make_shared<QueryOptions>();
    auto* command = app.add_subcommand(
        "query",
        "Run one service operation against a catalog and print its single result as compact JSON on one line.\n"
        "  vorlane query [--catalog DIR | --server URL] [--context FILE] [--trace] OPERATION [NAME=VALUE]...\n"
        "  vorlane query --list");
    command->footer(operationsHelp() + kFooter);
    auto* catalog = command->add_option("--catalog", options->catalog, "Catalog directory (default: the built-in catalog)");
    command->add_option("--server", options->server,
                        "Run over HTTP against the content server at URL (e.g. one `vorlane serve` started)")
        ->excludes(catalog);
    auto* context =
        command->add_option("--context", options->context, "JSON file of the service's run-time inputs (see below)");
    command->add_flag("--trace", options->trace, "Write calls, log entries, warnings and non-fatal reports to standard error");
    command->add_flag("--list", options->list, "Print every operation with its argument names, one a line");
    command->add_option("OPERATION", options->operation, "Operation name (see --list)");
    command->add_option("ARGUMENTS", options->arguments, "NAME=VALUE arguments of the operation");
    command->allow_extras();
    return [command, context, options] {
        if (!command->parsed()) return -1;
        options->unknownOptions = command->remaining();
        options->contextGiven = context->count() > 0;
        return runQuery(*options, std::cout, std::cerr);
    };
}

}  // namespace vorlane::cli
