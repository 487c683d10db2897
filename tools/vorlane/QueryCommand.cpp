#include "tools/vorlane/QueryCommand.hpp"

#include "vorlane/Configuration/QueryContext.hpp"
#include "vorlane/ContentService/ContentService.hpp"
#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/ContentService/SDKContentServiceError.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Logger.hpp"
#include "vorlane/Transport/CatalogSession.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <variant>
#include <vector>

namespace vorlane::cli {

namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure before the service runs, printed as `error: KIND: MESSAGE`.
class SetupError : public std::runtime_error {
public:
    SetupError(std::string kind, const std::string& message) : std::runtime_error(message), kind(std::move(kind)) {}
    std::string kind;
};

// ---- Arguments -----------------------------------------------------------------------------------

struct Parameter {
    std::string_view name;
    std::string_view type;  // what the value must decode as, for help and errors
    bool optional = false;
};

// The NAME=VALUE arguments of one run. A value is read as JSON when it parses as JSON, else as the
// string it is; each is decoded into its argument's type when the operation asks for it.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& texts) {
        for (const auto& text : texts) {
            auto equals = text.find('=');
            if (equals == std::string::npos || equals == 0)
                throw UsageError("\"" + text + "\" is not NAME=VALUE");
            std::string name = text.substr(0, equals), raw = text.substr(equals + 1);
            if (find(name)) throw UsageError("argument " + name + " is given twice");
            JsonValue value = JsonValue::parse(raw, nullptr, false);
            if (value.is_discarded()) value = raw;
            values_.emplace_back(std::move(name), std::move(value));
        }
    }

    const std::vector<std::pair<std::string, JsonValue>>& values() const noexcept { return values_; }
    const JsonValue* find(std::string_view name) const {
        for (const auto& [key, value] : values_)
            if (key == name) return &value;
        return nullptr;
    }

    void useParameters(const std::vector<Parameter>& parameters) { parameters_ = &parameters; }

    template <class T>
    T get(std::string_view name) const {
        const JsonValue* value = find(name);
        if (!value) throw UsageError("missing argument " + std::string(name));
        return decode<T>(name, *value);
    }

    template <class T>
    std::optional<T> optional(std::string_view name) const {
        const JsonValue* value = find(name);
        if (!value) return std::nullopt;
        return decode<T>(name, *value);
    }

private:
    template <class T>
    T decode(std::string_view name, const JsonValue& value) const {
        try {
            return json::decode<T>(value.dump());
        } catch (const json::DecodingError& error) {
            throw UsageError("argument " + std::string(name) + "=" + value.dump() + " does not decode as " +
                             std::string(typeOf(name)) + ": " + error.what());
        }
    }

    std::string_view typeOf(std::string_view name) const {
        if (parameters_)
            for (const auto& parameter : *parameters_)
                if (parameter.name == name) return parameter.type;
        return "its type";
    }

    std::vector<std::pair<std::string, JsonValue>> values_;
    const std::vector<Parameter>* parameters_ = nullptr;
};

// A free-form JSON object argument; null counts as an empty object.
JsonValue objectArgument(const Arguments& arguments, std::string_view name) {
    const JsonValue* value = arguments.find(name);
    if (!value || value->is_null()) return JsonValue::object();
    if (!value->is_object())
        throw UsageError("argument " + std::string(name) + "=" + value->dump() + " is not a JSON object");
    return *value;
}

// ---- Printing results ----------------------------------------------------------------------------

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};
template <class T>
struct IsOrderedMap : std::false_type {};
template <class T>
struct IsOrderedMap<OrderedMap<T>> : std::true_type {};
template <class T>
struct IsVariant : std::false_type {};
template <class... T>
struct IsVariant<std::variant<T...>> : std::true_type {};

// Compact JSON of a result: content through its coder (with its "type" tag), lists as arrays, maps
// as objects, a variant as the value it holds, anything else by its own codec.
template <class T>
std::string encodeResult(const T& value) {
    if constexpr (requires { T::identifier; }) {
        return json::encode(ContentCoder(value));
    } else if constexpr (IsVector<T>::value) {
        std::string out = "[";
        for (const auto& element : value) out += (out.size() > 1 ? "," : "") + encodeResult(element);
        return out + "]";
    } else if constexpr (IsOrderedMap<T>::value) {
        std::string out = "{";
        for (const auto& [key, element] : value)
            out += (out.size() > 1 ? "," : "") + json::encode(std::string(key)) + ":" + encodeResult(element);
        return out + "}";
    } else if constexpr (IsVariant<T>::value) {
        return std::visit([](const auto& held) { return encodeResult(held); }, value);
    } else {
        return json::encode(value);
    }
}

template <class T>
std::string resultOf(const rx::Single<T>& single) {
    return encodeResult(single.blockingGet());
}

// ---- The operations ------------------------------------------------------------------------------

struct Services {
    const ContentService& content;
    const AvatarService& avatars;
};

struct Operation {
    std::string_view name;
    std::vector<Parameter> arguments;
    std::string_view summary;
    std::string (*run)(const Services&, const Arguments&);

    // "search text [queryType] pageSize"
    std::string signature() const {
        std::string out(name);
        for (const auto& argument : arguments)
            out += argument.optional ? " [" + std::string(argument.name) + "]" : " " + std::string(argument.name);
        return out;
    }

    // Every given argument is one of this form's, and every required one is given.
    bool accepts(const Arguments& given) const {
        for (const auto& entry : given.values())
            if (!std::ranges::any_of(arguments, [&](const Parameter& parameter) { return parameter.name == entry.first; }))
                return false;
        return std::ranges::all_of(arguments, [&](const Parameter& parameter) { return parameter.optional || given.find(parameter.name); });
    }
};

using S = const Services&;
using A = const Arguments&;

constexpr std::string_view kString = "a string";
constexpr std::string_view kEncodedId = "an encoded identifier (a string)";
constexpr std::string_view kInteger = "an integer";
constexpr std::string_view kPageSize = "a page size (0, -1 for all, 10, 15, 20, 30, 40, 45 or 60)";

// Overloads share a name and differ in their argument names.
const std::vector<Operation>& operations() {
    static const std::vector<Operation> table = {
        {"getVideo", {{"contentId", kString}}, "the video of a content id",
         [](S s, A a) { return resultOf(s.content.getVideo(a.get<std::string>("contentId"))); }},
        {"getLegacyVideo", {{"key", kString}, {"encodedId", kEncodedId}},
         "the first video found under the variable named key holding encodedId",
         [](S s, A a) {
             return resultOf(s.content.getLegacyVideo(a.get<std::string>("key"), a.get<EncodedIdentifier>("encodedId")));
         }},
        {"getVideo", {{"encodedSeriesId", kEncodedId}, {"seasonSequenceNumber", kInteger}, {"episodeSequenceNumber", kInteger}},
         "an episode by its series, season number and episode number",
         [](S s, A a) {
             return resultOf(s.content.getVideo(a.get<EncodedIdentifier>("encodedSeriesId"),
                                                a.get<std::int64_t>("seasonSequenceNumber"),
                                                a.get<std::int64_t>("episodeSequenceNumber")));
         }},
        {"getUpNextVideo", {{"contentId", kString}}, "what plays after a content id",
         [](S s, A a) { return resultOf(s.content.getUpNextVideo(a.get<std::string>("contentId"))); }},
        {"getExtras", {{"encodedFamilyId", kEncodedId}, {"page", kInteger}, {"pageSize", kPageSize}},
         "a page of a title's extras",
         [](S s, A a) {
             return resultOf(s.content.getExtras(a.get<EncodedIdentifier>("encodedFamilyId"), a.get<std::int64_t>("page"),
                                                 a.get<PageSize>("pageSize")));
         }},
        {"getContent",
         {{"locator", "a ContentSetReferenceLocator object"},
          {"additionalParameters", "a JSON object", true},
          {"page", "an ItemPage object", true}},
         "a set's items (continue-watching sets import their videos' bookmarks)",
         [](S s, A a) {
             return resultOf(s.content.getContent(a.get<ContentSetReferenceLocator>("locator"),
                                                  objectArgument(a, "additionalParameters"), a.optional<ItemPage>("page")));
         }},
        {"getBundle", {{"locator", "a ContentReferenceLocator object"}}, "the bundle of a video or series",
         [](S s, A a) { return resultOf(s.content.getBundle(a.get<ContentReferenceLocator>("locator"))); }},
        {"getBundle", {{"encodedSeriesId", kEncodedId}}, "a series bundle",
         [](S s, A a) { return resultOf(s.content.getBundle<SeriesBundle>(a.get<EncodedIdentifier>("encodedSeriesId"))); }},
        {"getBundle", {{"encodedFamilyId", kEncodedId}}, "a video bundle",
         [](S s, A a) { return resultOf(s.content.getBundle<VideoBundle>(a.get<EncodedIdentifier>("encodedFamilyId"))); }},
        {"search", {{"text", kString}, {"queryType", kString, true}, {"pageSize", kPageSize}},
         "the hits of a search that decode",
         [](S s, A a) {
             return resultOf(s.content.search(a.get<std::string>("text"), a.optional<std::string>("queryType"),
                                              a.get<PageSize>("pageSize")));
         }},
        {"getEpisodes", {{"seasonId", kString}}, "every episode of a season",
         [](S s, A a) { return resultOf(s.content.getEpisodes(a.get<std::string>("seasonId"))); }},
        {"getCollection", {{"locator", "a ContentCollectionReferenceLocator object"}}, "a collection",
         [](S s, A a) { return resultOf(s.content.getCollection(a.get<ContentCollectionReferenceLocator>("locator"))); }},
        {"getRelatedItemsForVideo", {{"encodedFamilyId", kEncodedId}}, "items related to a video",
         [](S s, A a) { return resultOf(s.content.getRelatedItemsForVideo(a.get<EncodedIdentifier>("encodedFamilyId"))); }},
        {"getRelatedItemsForSeries", {{"encodedSeriesId", kEncodedId}}, "items related to a series",
         [](S s, A a) { return resultOf(s.content.getRelatedItemsForSeries(a.get<EncodedIdentifier>("encodedSeriesId"))); }},
        {"getProgramBundle", {{"encodedFamilyId", kEncodedId}}, "a program with its videos and airings",
         [](S s, A a) { return resultOf(s.content.getProgramBundle(a.get<EncodedIdentifier>("encodedFamilyId"))); }},
        {"getLiveNow", {{"page", kInteger}}, "the state of what airs now, by content id",
         [](S s, A a) { return resultOf(s.content.getLiveNow(a.get<std::int64_t>("page"))); }},
        {"getLiveAndUpcomingEpisodes", {{"encodedSeriesId", kEncodedId}}, "a series' live and upcoming episodes",
         [](S s, A a) {
             return resultOf(s.content.getLiveAndUpcomingEpisodes(a.get<EncodedIdentifier>("encodedSeriesId")));
         }},
        {"getAiring", {{"contentId", kString}}, "the airing of a content id",
         [](S s, A a) { return resultOf(s.content.getAiring(a.get<std::string>("contentId"))); }},
        {"getAiring", {{"airingId", kString}}, "an airing by its airing id",
         [](S s, A a) { return resultOf(s.content.getAiringByAiringId(a.get<std::string>("airingId"))); }},
        {"getAvatars", {{"avatarIds", "an array of strings"}}, "the known avatars among some ids",
         [](S s, A a) { return resultOf(s.avatars.getAvatars(a.get<std::vector<std::string>>("avatarIds"))); }},
        {"getDefaultAvatars", {}, "the avatars a new profile chooses from",
         [](S s, A) { return resultOf(s.avatars.getDefaultAvatars()); }},
        {"getAvatar", {{"avatarId", kString}}, "one avatar",
         [](S s, A a) { return resultOf(s.avatars.getAvatar(a.get<std::string>("avatarId"))); }},
    };
    return table;
}

// The form of `name` that takes the given arguments.
const Operation& chooseOperation(const std::string& name, const Arguments& arguments) {
    std::vector<const Operation*> forms;
    for (const auto& operation : operations())
        if (operation.name == name) forms.push_back(&operation);
    if (forms.empty()) throw UsageError("unknown operation \"" + name + "\" (see `vorlane query --list`)");
    for (const Operation* form : forms)
        if (form->accepts(arguments)) return *form;
    std::string message = "the arguments given fit no form of " + name + ":";
    for (const Operation* form : forms) {
        std::string wrong;
        for (const auto& entry : arguments.values())
            if (!std::ranges::any_of(form->arguments, [&](const Parameter& parameter) { return parameter.name == entry.first; }))
                wrong += " unknown argument " + entry.first + ";";
        for (const auto& parameter : form->arguments)
            if (!parameter.optional && !arguments.find(parameter.name)) wrong += " missing argument " + std::string(parameter.name) + ";";
        wrong.pop_back();
        message += " `" + form->signature() + "`:" + wrong + ".";
    }
    throw UsageError(message);
}

// ---- Trace ---------------------------------------------------------------------------------------

// Writes one standard-error line per event while tracing, in the order the events happen.
class Trace {
public:
    explicit Trace(bool enabled) : enabled_(enabled) {}
    bool enabled() const noexcept { return enabled_; }

    void line(std::string_view prefix, const std::string& text) const {
        if (!enabled_) return;
        std::lock_guard lock(mutex_);
        std::cerr << prefix << ": " << text << '\n' << std::flush;
    }

private:
    bool enabled_;
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

struct QueryOptions {
    std::string catalog = VORLANE_CATALOG_DIR;
    std::string context;
    bool trace = false;
    bool list = false;
    std::string operation;
    std::vector<std::string> arguments;
    std::vector<std::string> unknownOptions;  // left over by the parser
};

QueryContext readContext(const std::string& file) {
    if (file.empty()) return QueryContext{};
    try {
        return json::decode<QueryContext>(json::PaddedAnswer::fromFile(file, json::DecoderSettings{}.maxAnswerBytes));
    } catch (const std::exception& error) {
        throw SetupError("context", file + ": " + error.what());
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

int fail(const std::string& kind, const std::string& message) {
    std::cerr << "error: " << kind << ": " << message << '\n';
    return 1;
}

void printList() {
    for (const auto& operation : operations()) std::cout << operation.signature() << '\n';
}

int run(const QueryOptions& options) {
    if (options.list) {
        printList();
        return 0;
    }
    const Operation* operation = nullptr;
    try {
        if (!options.unknownOptions.empty()) throw UsageError("unknown option " + options.unknownOptions.front());
        if (options.operation.empty()) throw UsageError("give an OPERATION (see `vorlane query --list`)");
        Arguments arguments(options.arguments);
        operation = &chooseOperation(options.operation, arguments);
        arguments.useParameters(operation->arguments);

        // The library's own log output would interleave with the trace and come before the error
        // line: entries are shown by --trace instead, unless VORLANE_LOG_LEVEL asks for them.
        if (!std::getenv("VORLANE_LOG_LEVEL")) Log::setLevel(LogLevel::off);
        Trace trace(options.trace);
        std::optional<LogCapture> logs;
        std::optional<WarningCapture> warnings;
        if (trace.enabled()) {
            logs.emplace([&trace](const LogEntry& entry) {
                trace.line("log", std::string(toString(entry.level)) + " " + std::string(toString(entry.category)) +
                                      ": " + entry.message);
            });
            warnings.emplace([&trace](const Warning& warning) { trace.line("warn", describeWarning(warning)); });
        }

        const QueryContext context = readContext(options.context);
        auto session = openCatalog(options.catalog);
        if (trace.enabled()) session->onCall([&trace](const SessionCall& call) { trace.line("call", json::encode(call)); });
        SDKContentService service(
            session, std::make_shared<sdk::Coordinator>(), std::make_shared<TraceTracker>(trace), context.partner,
            BehaviorReader<ContentQueryConfiguration>(session->catalog().configuration),
            BehaviorReader<std::string>(context.currentCountry),
            BehaviorReader<std::optional<std::int64_t>>(context.impliedMaturityRating),
            BehaviorReader<std::optional<std::string>>(context.portabilityCountry), BehaviorReader<bool>(context.isKidsMode),
            BehaviorReader<std::string>(context.preferredLanguage),
            BehaviorReader<sdk::SearchOverrides>(context.searchOverrides),
            BehaviorReader<bool>(context.liveAndUnratedEnabled),
            BehaviorReader<std::optional<std::string>>(context.profileId));

        std::string printed = operation->run(Services{service, service}, arguments);
        session->onCall(nullptr);
        std::cout << printed << '\n';
        return 0;
    } catch (const UsageError& error) {
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
    } catch (const std::exception& error) {
        return fail("failed", error.what());
    }
}

// The operations and the rules of values, shown by `vorlane query --help` only.
std::string operationsHelp() {
    std::string text =
        "A VALUE is read as JSON when it parses as JSON, else as a string (quote a string that reads as JSON:\n"
        "contentId='\"123\"'); it must then decode as the argument's type. Operations:\n";
    for (const auto& operation : operations()) {
        text += "  " + operation.signature() + "\n      " + std::string(operation.summary);
        for (std::size_t i = 0; i < operation.arguments.size(); ++i)
            text += std::string(i ? "; " : " (") + std::string(operation.arguments[i].name) + ": " +
                    std::string(operation.arguments[i].type);
        text += operation.arguments.empty() ? "\n" : ")\n";
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
    "  bundle asked for a collection).\n"
    "--trace: standard-error lines in the order they happen: `call: JSON` per session call (kind, query id,\n"
    "  API version, variables as sent, params, body, imported bookmarks), `log: LEVEL CATEGORY: MESSAGE` per\n"
    "  log entry (debug included), `warn: SUBJECT: MESSAGE` per model warning, `nonfatal: JSON` per non-fatal\n"
    "  report ({\"message\",\"tags\",\"additionalInfo\"}). Without --trace the library's own log output is off\n"
    "  unless VORLANE_LOG_LEVEL is set.";

}  // namespace

std::function<int()> addQueryCommand(CLI::App& app) {
    auto options = std::make_shared<QueryOptions>();
    auto* command = app.add_subcommand(
        "query",
        "Run one service operation against a catalog and print its single result as compact JSON on one line.\n"
        "  vorlane query [--catalog DIR] [--context FILE] [--trace] OPERATION [NAME=VALUE]...\n"
        "  vorlane query --list");
    command->footer(operationsHelp() + kFooter);
    command->add_option("--catalog", options->catalog, "Catalog directory (default: the built-in catalog)");
    command->add_option("--context", options->context, "JSON file of the service's run-time inputs (see below)");
    command->add_flag("--trace", options->trace, "Write calls, log entries, warnings and non-fatal reports to standard error");
    command->add_flag("--list", options->list, "Print every operation with its argument names, one a line");
    command->add_option("OPERATION", options->operation, "Operation name (see --list)");
    command->add_option("ARGUMENTS", options->arguments, "NAME=VALUE arguments of the operation");
    command->allow_extras();
    return [command, options] {
        if (!command->parsed()) return -1;
        options->unknownOptions = command->remaining();
        return run(*options);
    };
}

}  // namespace vorlane::cli
