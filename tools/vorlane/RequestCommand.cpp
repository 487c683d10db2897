#include "tools/vorlane/RequestCommand.hpp"

#include "tools/vorlane/UsageError.hpp"

#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Requests/Requests.hpp"
#include "vorlane/Transport/NamedRequests.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace vorlane::cli {

namespace {

struct RequestOptions {
    std::string name;
    std::vector<std::string> arguments;
    std::string config = std::string(VORLANE_CATALOG_DIR) + "/RequestConfig.json";
    std::string server;
    bool list = false;
};

void printRequestList() {
    for (const auto& info : requestsCases()) {
        std::cout << info.name;
        for (const auto field : info.payloadFields) std::cout << ' ' << field;
        std::cout << "  (key \"" << info.key << "\")\n";
    }
}

// The named case with its arguments as payload: each VALUE is JSON when it parses as JSON (a
// consent payload object), else a string.
Requests namedRequest(const RequestOptions& options) {
    const auto& cases = requestsCases();
    const auto found = std::find_if(cases.begin(), cases.end(), [&](const auto& info) { return info.name == options.name; });
    if (found == cases.end())
        throw UsageError("no request is named \"" + options.name + "\" (see `vorlane request --list`)");
    JsonValue payload = JsonValue::object();
    for (const auto& [name, value] : splitArguments(options.arguments)) {
        if (std::find(found->payloadFields.begin(), found->payloadFields.end(), name) == found->payloadFields.end())
            throw UsageError(options.name + " takes no argument \"" + name + "\" (see `vorlane request --list`)");
        payload[name] = JsonValue::accept(value) && value.front() == '{' ? JsonValue::parse(value) : JsonValue(value);
    }
    try {
        return requestsNamed(options.name, json::FreeFormObject{payload.dump()});
    } catch (const json::DecodingError& error) {
        if (error.kind() == json::ErrorKind::keyNotFound)
            throw UsageError(options.name + " needs the argument " + error.path() + " (see `vorlane request --list`)");
        throw UsageError(options.name + ": argument " + error.what());
    }
}

// The answer as one JSON object: status, content type, the body (as JSON when it is JSON, else as
// text) and whether the cache took it.
std::string describeResponse(const HttpResponse& response, bool cached) {
    JsonValue out = JsonValue::object();
    out["status"] = response.status;
    const std::string* type = response.header("Content-Type");
    out["contentType"] = type ? JsonValue(*type) : JsonValue();
    out["body"] = JsonValue::accept(response.body) ? JsonValue::parse(response.body) : JsonValue(response.body);
    out["cached"] = cached;
    return out.dump();
}

int runRequestCommand(const RequestOptions& options) {
    if (options.list) {
        printRequestList();
        return 0;
    }
    try {
        if (options.name.empty()) throw UsageError("give a request NAME (see `vorlane request --list`)");
        const Requests named = namedRequest(options);
        // Failures are reported as the error line, not as log output before it.
        if (!std::getenv("VORLANE_LOG_LEVEL")) Log::setLevel(LogLevel::off);
        std::shared_ptr<RequestManager> manager;
        try {
            manager = RequestManager::load(options.config, options.server.empty() ? std::nullopt : std::optional(options.server));
        } catch (const std::exception& error) {
            return fail("config", error.what());
        }
        Requests::setRequestManager(manager);
        const Request request = named.request();
        std::cout << json::encode(request) << '\n';
        if (options.server.empty()) return 0;
        const HttpClient client;
        const HttpResponse response = sendRequest(client, manager, request).blockingGet();
        std::cout << describeResponse(response, manager->cachedResponse(request).has_value()) << '\n';
        return 0;
    } catch (const UsageError& error) {
        return fail("usage", error.what());
    } catch (const RequestsError& error) {
        return fail("request", error.what());
    } catch (const HttpError& error) {
        return fail("http", error.what());
    } catch (const std::exception& error) {
        return fail("failed", error.what());
    }
}

}  // namespace

std::function<int()> addRequestCommand(CLI::App& app) {
    auto options = std::make_shared<RequestOptions>();
    auto* command = app.add_subcommand(
        "request",
        "Resolve a named request from a request configuration and print it as JSON; with --server, send it and\n"
        "print its answer on a second line.\n"
        "  vorlane request [--config FILE] [--server URL] NAME [ARG=VALUE]...");
    command->footer(
        "NAME is a request's case name and ARG its payload fields (`vorlane request --list`); a VALUE is JSON when\n"
        "it is a JSON object (a consent payload), else a string. The request line holds key, method, url (query\n"
        "included), headers, body (JSON text) and cacheWritePolicy. --server takes the place of the file's baseURL;\n"
        "the answer line holds status, contentType, body and whether the cache took it.\n"
        "Failure: exit 1 and `error: KIND: MESSAGE` with KIND usage, config (the file does not read), request (no\n"
        "entry for the key, or one that cannot be built) or http.");
    command->add_option("NAME", options->name, "The request's case name");
    command->add_option("ARGS", options->arguments, "Payload fields, ARG=VALUE");
    command->add_option("--config", options->config, "Request configuration (default: the built-in catalog's RequestConfig.json)");
    command->add_option("--server", options->server, "Base URL to send the request to");
    command->add_flag("--list", options->list, "List the requests with their arguments and keys");
    return [command, options] {
        if (!command->parsed()) return -1;
        return runRequestCommand(*options);
    };
}

}  // namespace vorlane::cli
