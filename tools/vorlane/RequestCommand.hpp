#pragma once
// `vorlane request`: resolves a named request from a request configuration and prints it; with
// --server it also sends it and prints the answer.

#include <CLI/CLI.hpp>

#include <functional>

namespace vorlane::cli {

// Adds the subcommand; the returned function runs it once parsed and gives the exit code (-1 when
// another subcommand was chosen).
std::function<int()> addRequestCommand(CLI::App& app);

}  // namespace vorlane::cli
