#pragma once
// Running the command-line tool from tests: one run with its exit code and output, a temporary
// directory of files, and `vorlane serve` on a free port for as long as a test needs it.

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vorlane::clitest {

struct CliRun { int exitCode; std::string out; std::string err; };

// Runs the tool with `input` as its standard input, or the output of the shell command `source`.
inline CliRun run(const std::string& arguments, const std::string& input = "", const std::string& source = "") {
    auto dir = std::filesystem::temp_directory_path() / ("vorlane-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in") << input;
    std::string command = (source.empty() ? "" : source + " | ") + std::string(VORLANE_CLI_PATH) + " " + arguments +
                          (source.empty() ? " <" + (dir / "in").string() : "") + " >" + (dir / "out").string() +
                          " 2>" + (dir / "err").string();
    int status = std::system(command.c_str());
    auto slurp = [](const std::filesystem::path& p) { std::ifstream in(p); return std::string(std::istreambuf_iterator<char>(in), {}); };
    CliRun result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out"), slurp(dir / "err")};
    std::filesystem::remove_all(dir);
    return result;
}

inline std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

using Files = std::vector<std::pair<std::string, std::string>>;

// A temporary directory holding the given files.
struct TempDir {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("vorlane-query-" + std::to_string(::getpid()));
    explicit TempDir(const Files& files) {
        std::filesystem::create_directories(dir);
        for (const auto& [name, text] : files) std::ofstream(dir / name) << text;
    }
    ~TempDir() { std::filesystem::remove_all(dir); }
};

// `vorlane serve --port 0` of the built-in catalog, running while this lives; stopped with SIGTERM.
struct ServeProcess {
    std::filesystem::path output = std::filesystem::temp_directory_path() / ("vorlane-serve-" + std::to_string(::getpid()));
    std::string pid, url;

    explicit ServeProcess(const std::string& options = "") {
        const std::string command = std::string(VORLANE_CLI_PATH) + " serve --port 0 " + options + " >" + output.string() + " 2>&1 & echo $!";
        FILE* shell = popen(command.c_str(), "r");
        char buffer[64] = {};
        if (shell && std::fgets(buffer, sizeof buffer, shell)) pid = std::string(buffer, std::strcspn(buffer, "\n"));
        if (shell) pclose(shell);
        for (int i = 0; i < 500 && url.empty(); ++i) {
            const std::string text = log();
            const auto at = text.find(" at http://");
            if (at != std::string::npos) url = text.substr(at + 4, text.find(' ', at + 4) - at - 4);
            else std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~ServeProcess() {
        if (!pid.empty()) std::system(("kill -TERM " + pid).c_str());
        for (int i = 0; i < 500 && log().find("stopped after") == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::filesystem::remove(output);
    }
    std::string log() const {
        std::ifstream in(output);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

}  // namespace vorlane::clitest
