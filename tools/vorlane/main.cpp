// vorlane: the command-line tool over the library.
//   vorlane decode TYPE [FILE]    decode an answer as TYPE and print its encoding
//   vorlane decode --list         list the decodable types
//   vorlane derive TYPE [FILE]    decode as TYPE and print the value's derived members
//   vorlane derive --list         the types with derived members, and their names
//   vorlane check [DIR]           decode every answer of a catalog
//   vorlane artwork ...           choose the image a screen shows
//   vorlane query OPERATION ...   run one service operation against a catalog

#include "tools/vorlane/ArtworkCommand.hpp"
#include "tools/vorlane/QueryCommand.hpp"
#include "tools/vorlane/RequestCommand.hpp"
#include "tools/vorlane/ServeCommand.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"
#include "vorlane/Transport/CatalogManifest.hpp"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <iostream>
#include <string>

namespace {

namespace json = vorlane::json;

// FILE, or standard input when absent or "-", read once and refused past `limit` bytes.
json::PaddedAnswer readInput(const std::string& file, std::size_t limit) {
    if (file.empty() || file == "-") return json::PaddedAnswer::fromStream(STDIN_FILENO, limit);
    return json::PaddedAnswer::fromFile(file, limit);
}

void printDiagnostics(const json::Diagnostics& diagnostics, const std::string& prefix) {
    for (const auto& entry : diagnostics.entries())
        std::cerr << "dropped: " << prefix << entry.path << ": " << entry.reason << '\n';
}

enum class Output { encoding, derivedMembers };

// `decode` and `derive`: both decode FILE as TYPE with the type's settings and fail alike; they
// differ in what they print of the value.
int runDecode(const std::string& command, const std::string& typeName, const std::string& file, bool list,
              bool withDiagnostics, Output output) {
    if (list) {
        if (!typeName.empty() || !file.empty()) {
            std::cerr << "error: usage: " << command << " --list takes no TYPE or FILE\n";
            return 1;
        }
        for (const auto& type : vorlane::decodableTypes()) {
            if (output == Output::encoding) {
                std::cout << type.name << '\n';
            } else if (!type.derivedNames.empty()) {
                std::cout << type.name << ':';
                for (std::size_t i = 0; i < type.derivedNames.size(); ++i)
                    std::cout << (i ? ", " : " ") << type.derivedNames[i];
                std::cout << '\n';
            }
        }
        return 0;
    }
    if (typeName.empty()) {
        std::cerr << "error: usage: " << command << " needs a TYPE (see `vorlane decode --list`)\n";
        return 1;
    }
    const auto* type = vorlane::findDecodableType(typeName);
    if (!type) {
        std::cerr << "error: usage: unknown type \"" << typeName << "\" (see `vorlane decode --list`)\n";
        return 1;
    }
    json::Diagnostics diagnostics;
    try {
        json::PaddedAnswer answer = readInput(file, type->settings().maxAnswerBytes);
        json::Diagnostics* collector = withDiagnostics ? &diagnostics : nullptr;
        std::string printed = output == Output::encoding ? type->decodeAndEncode(answer, collector)
                                                         : type->derive(answer, collector);
        std::cout << printed << '\n';
        printDiagnostics(diagnostics, "");
        return 0;
    } catch (const json::DecodingError& error) {
        std::cerr << "error: " << error.what() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << '\n';
    }
    printDiagnostics(diagnostics, "");
    return 1;
}

int runCheck(const std::string& directory, bool withDiagnostics) {
    vorlane::Catalog catalog;
    try {
        catalog = vorlane::Catalog::load(directory);
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << '\n';
        return 1;
    }
    std::cout << "ok: " << catalog.manifest.configuration << " (ContentQueryConfiguration, "
              << catalog.configuration.queryDescriptors.size() << " queries)\n";

    std::size_t passed = 1, failed = 0;
    for (const auto& answer : catalog.manifest.answers) {
        const std::string label = answer.file + " (" + answer.type + ")";
        json::Diagnostics diagnostics;
        try {
            if (answer.query && !catalog.configuration.descriptor(answer.query->key))
                throw std::runtime_error("query \"" + std::string(json::wireString(answer.query->key)) +
                                         "\" has no descriptor in the configuration");
            const auto* type = vorlane::findDecodableType(answer.type);
            if (!type) throw std::runtime_error("unknown type \"" + answer.type + "\"");
            auto bytes = json::PaddedAnswer::fromFile(catalog.directory / answer.file, type->settings().maxAnswerBytes);
            type->decodeAndEncode(bytes, &diagnostics);
            std::cout << "ok: " << label;
            if (!diagnostics.empty()) std::cout << ", " << diagnostics.size() << " dropped";
            std::cout << '\n';
            ++passed;
        } catch (const std::exception& error) {
            std::cout << "error: " << label << ": " << error.what() << '\n';
            ++failed;
        }
        if (withDiagnostics) printDiagnostics(diagnostics, answer.file + ": ");
    }
    std::cout << "checked " << passed + failed << " documents: " << passed << " ok, " << failed << " failing\n";
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"vorlane: decode, check and explore content API answers"};
    app.require_subcommand(1);

    std::string typeName, file;
    bool list = false, decodeDiagnostics = false;
    auto* decode = app.add_subcommand("decode", "Decode JSON from FILE (or standard input) as TYPE and print its encoding.\n"
                                                "On failure: exit 1 and a first error line `error: PATH: MESSAGE`.");
    decode->add_option("TYPE", typeName, "Record type, nested names dotted (e.g. ContentQueryConfiguration)");
    decode->add_option("FILE", file, "JSON file; standard input when absent or -");
    decode->add_flag("--list", list, "Print every decodable type, one a line");
    decode->add_flag("--diagnostics", decodeDiagnostics,
                     "Print `dropped: PATH: REASON` to standard error for every dropped element or tolerated failure");

    std::string deriveType, deriveFile;
    bool deriveList = false, deriveDiagnostics = false;
    auto* derive = app.add_subcommand(
        "derive", "Decode JSON from FILE (or standard input) as TYPE, as decode does, and print one JSON object of the\n"
                  "value's derived members that take no argument, keyed by their names ({} when it has none).");
    derive->add_option("TYPE", deriveType, "Record type, nested names dotted (e.g. Milestone)");
    derive->add_option("FILE", deriveFile, "JSON file; standard input when absent or -");
    derive->add_flag("--list", deriveList, "Print each type that has derived members, with their names");
    derive->add_flag("--diagnostics", deriveDiagnostics,
                     "Print `dropped: PATH: REASON` to standard error for every dropped element or tolerated failure");

    std::string directory = VORLANE_CATALOG_DIR;
    bool checkDiagnostics = false;
    auto* check = app.add_subcommand("check", "Decode every answer a catalog lists as its declared type; "
                                              "exit 1 when any fails.");
    check->add_option("DIR", directory, "Catalog directory (default: the built-in catalog)");
    check->add_flag("--diagnostics", checkDiagnostics, "Also print the dropped elements of each answer");

    auto runArtwork = vorlane::cli::addArtworkCommand(app);
    auto runQuery = vorlane::cli::addQueryCommand(app);
    auto runServe = vorlane::cli::addServeCommand(app);
    auto runRequest = vorlane::cli::addRequestCommand(app);

    // Every usage error, the parser's own included, exits 1 with `error: usage: MESSAGE` first;
    // --help and --help-all print their text and exit 0.
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << "error: usage: " << error.what() << '\n';
        return 1;
    }

    if (decode->parsed()) return runDecode("decode", typeName, file, list, decodeDiagnostics, Output::encoding);
    if (derive->parsed())
        return runDecode("derive", deriveType, deriveFile, deriveList, deriveDiagnostics, Output::derivedMembers);
    if (check->parsed()) return runCheck(directory, checkDiagnostics);
    if (int code = runArtwork(); code >= 0) return code;
    if (int code = runQuery(); code >= 0) return code;
    if (int code = runServe(); code >= 0) return code;
    if (int code = runRequest(); code >= 0) return code;
    return 1;
}
