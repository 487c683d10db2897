#pragma once
// Peak resident memory of a piece of work, measured in a child process.

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

}  // namespace bench
