#include "tools/vorlane/ServeCommand.hpp"

#include "tools/vorlane/Inspector.hpp"
#include "tools/vorlane/UsageError.hpp"

#include "vorlane/Transport/CatalogServer.hpp"

#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>

namespace vorlane::cli {

namespace {

struct ServeOptions {
    std::string catalog = VORLANE_CATALOG_DIR;
    std::string host = "127.0.0.1";
    int port = 8040;
    std::vector<std::string> faults;
    bool faultHeader = false;
    std::size_t keepCalls = 1000;
    std::string upstream;
    bool noInspector = false;
};

int run(const ServeOptions& options) {
    CatalogServerOptions serverOptions{.host = options.host, .port = options.port, .faults = {},
                                       .faultHeader = options.faultHeader};
    try {
        for (const auto& rule : options.faults) serverOptions.faults.push_back(ServerFault::parse(rule));
    } catch (const std::invalid_argument& error) {
        return fail("usage", error.what());
    }
    if (options.port < 0 || options.port > 65535) return fail("usage", "--port is 0 (any free port) to 65535");

    // SIGINT and SIGTERM are taken by one thread that waits for them, so the server's threads
    // (started after this) never see them and the server stops cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::unique_ptr<CatalogServer> server;
    try {
        // A server runs long: its session remembers only the latest calls.
        auto session = CatalogSession::open(options.catalog, options.keepCalls);
        if (!options.noInspector)
            serverOptions.pages = inspector::inspectorPages({.catalog = options.catalog, .upstream = options.upstream});
        server = std::make_unique<CatalogServer>(std::move(session), std::move(serverOptions));
    } catch (const CatalogSessionError& error) {
        return fail("catalog", error.what());
    } catch (const std::exception& error) {
        return fail("serve", error.what());
    }
    std::cout << "serving " << options.catalog << " at " << server->url() << " (Ctrl-C stops)" << std::endl;
    if (!options.noInspector) std::cout << "inspector: " << server->url() << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server->stop();
    std::cout << "stopped after " << server->requestsServed() << " requests" << std::endl;
    return 0;
}

}  // namespace

std::function<int()> addServeCommand(CLI::App& app) {
    auto options = std::make_shared<ServeOptions>();
    auto* command = app.add_subcommand(
        "serve",
        "Serve a catalog over HTTP, as a content server would, until interrupted (SIGINT or SIGTERM).\n"
        "  vorlane serve [--catalog DIR] [--host ADDRESS] [--port N] [--fault SPEC]... [--fault-header]\n"
        "Prints `serving DIR at URL` once it listens; `vorlane query --server URL ...` runs operations against it.\n"
        "The inspector, web pages over the catalog (answers, screens, operations), is served at the same URL.");
    command->footer(
        "Protocol (paths under the URL; JSON bodies): POST content/search and content/query {\"queryId\",\n"
        "  \"variables\"}; GET explore/VERSION/QUERYID?variables=JSON&params=JSON; POST explore/VERSION/QUERYID with\n"
        "  the body; POST explore/watchlist/add|remove {\"refId\",\"refIdType\"}; POST bookmarks/import [bookmarks];\n"
        "  GET config/query-configuration. Errors: {\"error\": KIND, \"message\"} with 404 unrouted, 400 request,\n"
        "  500 catalog.\n"
        "Faults (for tests and demonstrations), SPEC: delay=MS (answer after MS ms), status=CODE (answer with\n"
        "  that status), truncate (announce the whole answer, send half, close), drop (send the headers, close\n"
        "  before the body); each may end with ,path=TEXT to apply only to paths containing TEXT. --fault-header\n"
        "  lets each request ask for its own fault with the header `X-Vorlane-Fault: SPEC`.");
    command->add_option("--catalog", options->catalog, "Catalog directory (default: the built-in catalog)");
    command->add_option("--host", options->host,
                        "Address to listen on (default 127.0.0.1, loopback only; give another explicitly to expose it)");
    command->add_option("--port", options->port, "Port (default 8040; 0: any free port)");
    command->add_option("--fault", options->faults, "Inject a fault (see below); repeatable");
    command->add_flag("--fault-header", options->faultHeader, "Honour `X-Vorlane-Fault: SPEC` request headers");
    command->add_option("--keep-calls", options->keepCalls, "Calls the catalog session remembers (default 1000)");
    command->add_option("--upstream", options->upstream,
                        "Run the inspector's operations against the content server at URL instead of the catalog");
    command->add_flag("--no-inspector", options->noInspector, "Serve only the protocol, not the inspector's pages");
    return [command, options] {
        if (!command->parsed()) return -1;
        return run(*options);
    };
}

}  // namespace vorlane::cli
