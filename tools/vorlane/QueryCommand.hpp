#pragma once
// `vorlane query`: runs one content-service operation against a catalog and prints its single
// result; `--trace` shows what the service sent, logged and reported while it ran.

#include <CLI/CLI.hpp>

#include <functional>

namespace vorlane::cli {

// Adds the subcommand; the returned function runs it once parsed and gives the exit code (-1 when
// another subcommand was chosen).
std::function<int()> addQueryCommand(CLI::App& app);

}  // namespace vorlane::cli
