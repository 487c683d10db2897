#pragma once
// Peak resident memory of a piece of work, measured in a child process.

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

// Resident memory from /proc/self/status ("VmRSS" now, "VmHWM" the peak), in bytes.
inline long residentBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1)) * 1024;
    return -1;
}

// Peak resident memory, above what the process held before, of `work` run in a child process (so
// each measurement starts from the same state and no earlier peak counts); -1 when unavailable.
template <class Work>
long peakOfChild(Work work) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = residentBytes("VmRSS");
        work();
        long peak = residentBytes("VmHWM") - before;
        if (write(pipeEnds[1], &peak, sizeof peak) != sizeof peak) _exit(1);
        _exit(0);
    }
    long peak = -1;
    if (read(pipeEnds[0], &peak, sizeof peak) != sizeof peak) peak = -1;
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return peak;
}

// Prints the peak memory of one decode of `doc` (by `decode`) beside its floor: the parser's own
// peak on the same bytes (a fresh parser) plus the decoded value itself (built by `buildValue`
// without any JSON). Each is measured in a child process of its own.
template <class Decode, class BuildValue>
void reportPeakAgainstFloor(const char* label, const std::string& doc, Decode decode, BuildValue buildValue) {
    const long decoding = peakOfChild(decode);
    const long parse = peakOfChild([&] {
        simdjson::dom::parser parser;
        simdjson::dom::element root;
        if (parser.parse(doc).get(root)) _exit(1);
        benchmark::DoNotOptimize(root);
    });
    const long value = peakOfChild(buildValue);
    if (decoding < 0 || parse < 0 || value < 0) return;
    std::printf("%s: %.2f MB; peak memory of one decode %.2f MB (%.2fx the answer); floor %.2f MB = parse %.2f MB + "
                "value %.2f MB; decode/floor %.2f (bar 1.05)\n",
                label, static_cast<double>(doc.size()) / 1e6, decoding / 1e6,
                static_cast<double>(decoding) / static_cast<double>(doc.size()), (parse + value) / 1e6, parse / 1e6,
                value / 1e6, static_cast<double>(decoding) / static_cast<double>(parse + value));
}

}  // namespace bench
