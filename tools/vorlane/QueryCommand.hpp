#pragma once
// `vorlane query`: runs one content-service operation against a catalog and prints its single
// result; `--trace` shows what the service sent, logged and reported while it ran.

#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vorlane::cli {

struct QueryOptions {
    std::string catalog = VORLANE_CATALOG_DIR;
    std::string server;  // a content server's base URL: run over HTTP instead of the catalog
    std::string context;
    bool contextGiven = false;  // `--context ""` names a file too, one that cannot be read
    std::optional<std::string> contextJson;  // the context itself, in place of a file
    bool trace = false;
    bool list = false;
    std::string operation;
    std::vector<std::string> arguments;
    std::vector<std::string> unknownOptions;  // left over by the parser
};

// Runs the query as the command line would, printing its result to `out` and its trace and error
// lines to `err`; gives the exit code.
int runQuery(const QueryOptions& options, std::ostream& out, std::ostream& err);

// Adds the subcommand; the returned function runs it once parsed and gives the exit code (-1 when
// another subcommand was chosen).
std::function<int()> addQueryCommand(CLI::App& app);

}  // namespace vorlane::cli
