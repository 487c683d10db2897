#pragma once
// `vorlane artwork`: which image a screen will show for a purpose (legacy image maps) or a
// context and content (Explore image maps) at an aspect ratio.

#include <CLI/CLI.hpp>

#include <functional>

namespace vorlane::cli {

// Adds the subcommand; the returned function runs it once parsed and gives the exit code.
std::function<int()> addArtworkCommand(CLI::App& app);

}  // namespace vorlane::cli
