#pragma once
// Peak resident memory of a piece of work, each part measured in a fresh process of its own: the
// benchmark runs itself with `--peak-of=PART`; the child builds what the part needs, resets its
// peak, runs the part and prints the peak above where it started (see measurePeak). A child
// forked after earlier work would reuse memory that work freed (glibc keeps it) and undercount; a
// fresh process starts every part from the same state.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include <unistd.h>

namespace bench {

// Resident memory from /proc/self/status ("VmRSS" now, "VmHWM" the peak), in bytes.
inline long residentBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1)) * 1024;
    return -1;
}

// The peak of `work` above the memory held when it starts. The work runs once before, in a thread
// of its own: the first run of a piece of code brings its program text into memory (1.5 MB for the
// legacy collection's decode, as much as a tenth of the figure), which is not memory the work
// holds; the thread's allocations come from another arena, so the measured run cannot reuse them.
inline long measurePeak(const std::function<void()>& work) {
    std::thread(work).join();
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to what is resident now
    const long before = residentBytes("VmRSS");
    work();
    return residentBytes("VmHWM") - before;
}

// The parts a fresh process can be asked to measure, by name: each prepares its inputs and returns
// measurePeak of its work.
inline std::map<std::string, std::function<long()>>& peakParts() {
    static std::map<std::string, std::function<long()>> parts;
    return parts;
}

// In a child asked `--peak-of=PART`: measures the part, prints its peak and returns the exit code;
// -1 when this process was not asked for a part.
inline int runPeakPartIfAsked(int argc, char** argv) {
    const std::string flag = "--peak-of=";
    if (argc != 2 || std::string(argv[1]).rfind(flag, 0) != 0) return -1;
    const auto part = peakParts().find(std::string(argv[1]).substr(flag.size()));
    if (part == peakParts().end()) return 2;
    std::printf("%ld\n", part->second());
    return 0;
}

// The peak of PART, measured by a fresh run of this program; -1 when unavailable.
inline long peakInFreshProcess(const std::string& part) {
    // This program's own path: in the command popen hands to the shell, /proc/self/exe would be the shell.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return -1;
    self[length] = '\0';
    std::string command = "'";
    command.append(self).append("' --peak-of=").append(part);
    FILE* child = popen(command.c_str(), "r");
    if (!child) return -1;
    long peak = -1;
    if (std::fscanf(child, "%ld", &peak) != 1) peak = -1;
    return pclose(child) == 0 ? peak : -1;
}

// Prints the peak memory of one decode beside its floor: the parser's own peak on the same bytes
// (a fresh parser) plus the decoded value itself (built without any JSON). Parts named
// `<prefix>-decode`, `<prefix>-parse` and `<prefix>-value`, each in a fresh process.
inline void reportPeakAgainstFloor(const char* label, std::size_t answerBytes, const std::string& prefix) {
    const long decoding = peakInFreshProcess(prefix + "-decode");
    const long parse = peakInFreshProcess(prefix + "-parse");
    const long value = peakInFreshProcess(prefix + "-value");
    if (decoding < 0 || parse < 0 || value < 0) {
        std::printf("%s: peak memory not measured (a part failed)\n", label);
        return;
    }
    std::printf("%s: %.2f MB; peak memory of one decode %.2f MB (%.2fx the answer); floor %.2f MB = parse %.2f MB + "
                "value %.2f MB; decode/floor %.2f (bar 1.05; each part in a fresh process)\n",
                label, static_cast<double>(answerBytes) / 1e6, decoding / 1e6,
                static_cast<double>(decoding) / static_cast<double>(answerBytes), (parse + value) / 1e6, parse / 1e6,
                value / 1e6, static_cast<double>(decoding) / static_cast<double>(parse + value));
}

}  // namespace bench
