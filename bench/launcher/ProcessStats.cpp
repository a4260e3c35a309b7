#include "ProcessStats.h"

#include <dirent.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace ProcessStats {

namespace {

std::string ProcPath(pid_t pid, const std::string& rest) {
    return "/proc/" + std::to_string(pid) + "/" + rest;
}

long StatusField(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == ':')
            return std::stol(line.substr(key.size() + 1));
    return -1;
}

} // namespace

long ResidentKiB(pid_t pid) {
    return StatusField(ProcPath(pid, "status"), "VmRSS");
}

CpuSample SampleCpu(pid_t pid) {
    CpuSample sample;
    {
        std::ifstream in(ProcPath(pid, "stat"));
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // The command name may hold spaces and parentheses: the fields start after the last ')'.
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        unsigned long long ticks = 0;
        for (int index = 3; index <= 15 && fields >> field; ++index)
            if (index == 14 || index == 15)
                ticks += std::stoull(field);
        sample.statSeconds = static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    DIR* tasks = opendir(ProcPath(pid, "task").c_str());
    if (!tasks)
        return sample;
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = ProcPath(pid, std::string("task/") + entry->d_name + "/");
        std::ifstream schedstat(task + "schedstat");
        unsigned long long runNs = 0;
        if (schedstat >> runNs)
            sample.schedSeconds += static_cast<double>(runNs) / 1e9;
        const long voluntary = StatusField(task + "status", "voluntary_ctxt_switches");
        const long involuntary = StatusField(task + "status", "nonvoluntary_ctxt_switches");
        if (voluntary >= 0 && involuntary >= 0)
            sample.switches += voluntary + involuntary;
    }
    closedir(tasks);
    return sample;
}

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

} // namespace ProcessStats
