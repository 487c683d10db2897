#pragma once
// `vorlane serve`: serves a catalog over HTTP (the protocol of the HTTP session) until interrupted.

#include <CLI/CLI.hpp>

#include <functional>

namespace vorlane::cli {

// Adds the subcommand; the returned function runs it once parsed and gives the exit code (-1 when
// another subcommand was chosen).
std::function<int()> addServeCommand(CLI::App& app);

}  // namespace vorlane::cli
