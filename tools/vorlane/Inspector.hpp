#pragma once
// The inspector: web pages over a catalog that show what a screen would show. `vorlane serve`
// serves them beside the content protocol.
//
//   /                          the catalog at a glance
//   /answers                   every answer with its type and check status
//   /answer?file=F             one answer: decoded tree, derived members, dropped elements marked
//                              in the raw answer
//   /screens, /screen?file=F   the shelves and tiles a screen would draw for a page, collection or set
//   /operations                a form per operation
//   /operation?name=N&form=I&arg.A=V...&context=JSON&run=1
//                              one operation's form, and with run=1 its result and trace
//
// Only files the catalog's manifest lists are read; operations run against the catalog, or against
// the upstream content server when one is given.

#include "vorlane/Transport/CatalogServer.hpp"

#include <filesystem>
#include <string>

namespace vorlane::inspector {

struct InspectorOptions {
    std::filesystem::path catalog;
    std::string upstream;  // a content server's base URL; empty: the catalog answers operations
};

// The pages, for CatalogServerOptions::pages. Throws std::runtime_error when the catalog does not load.
PageHandler inspectorPages(InspectorOptions options);

}  // namespace vorlane::inspector
