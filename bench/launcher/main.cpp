// Starts a Qt program and measures it from the outside, printing one line of key=value figures:
//   startup_ms   from just before the process is created until its window is first painted
//   mapped_ms    (xcb) until the window is mapped
//   startup_cpu_ms  CPU time all threads had used by then (schedstat), less disturbed by other load
//   rss_kib      VmRSS once the window has been shown for --settle-ms
//   idle_*       while left alone for --idle-s with the window active (holding the keyboard focus):
//                cpu_pct CPU of all threads in percent of one core (/proc/PID/stat), cpu_sched_pct
//                the same from the threads' schedstat (finer), wakeups_per_s the threads' context
//                switches per second, server_cpu_pct (with --server-pid) the X server's CPU
//                (schedstat: its share is too small for clock ticks)
//   unfocused_*  (xcb, --unfocused-idle-s) the same before the window is given the focus
// Each run gets its own XDG_RUNTIME_DIR. On xcb the window is watched through the X server
// ($DISPLAY) and given the focus as a window manager would (there is none on a bare X server);
// offscreen windows are active from the start, and the benchfirstpaint plugin reports the first
// paint through a pipe.
//
//   BenchLauncher --platform xcb|offscreen --title TITLE [--settle-ms N] [--idle-s N]
//                 [--unfocused-idle-s N] [--timeout-s N] [--server-pid PID] [--verbose]
//                 -- PROGRAM [ARGS...]
#include "ProcessStats.h"
#include "WindowWatch.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string platform = "xcb";
    std::string title;
    int settleMs = 1000;
    int idleSeconds = 20;
    int unfocusedIdleSeconds = 0;
    int timeoutSeconds = 30;
    pid_t serverPid = 0;
    bool verbose = false;
    std::vector<char*> command;
};

[[noreturn]] void Fail(const std::string& text) {
    std::fprintf(stderr, "BenchLauncher: %s\n", text.c_str());
    std::exit(1);
}

Options Parse(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string name = argv[i];
        if (name == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (i + 1 >= argc)
            Fail("missing value for " + name);
        const char* value = argv[++i];
        if (name == "--platform")
            options.platform = value;
        else if (name == "--title")
            options.title = value;
        else if (name == "--settle-ms")
            options.settleMs = std::atoi(value);
        else if (name == "--idle-s")
            options.idleSeconds = std::atoi(value);
        else if (name == "--unfocused-idle-s")
            options.unfocusedIdleSeconds = std::atoi(value);
        else if (name == "--timeout-s")
            options.timeoutSeconds = std::atoi(value);
        else if (name == "--server-pid")
            options.serverPid = std::atoi(value);
        else
            Fail("unknown option " + name);
    }
    for (++i; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty() || (options.platform != "xcb" && options.platform != "offscreen") ||
        (options.platform == "xcb" && options.title.empty()))
        Fail("usage: BenchLauncher --platform xcb|offscreen --title TITLE [--settle-ms N] [--idle-s N] "
             "[--unfocused-idle-s N] [--timeout-s N] [--server-pid PID] [--verbose] -- PROGRAM [ARGS...]");
    options.command.push_back(nullptr);
    return options;
}

template <typename... Args> std::string Format(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

void SleepUntil(std::int64_t deadlineNs) {
    for (std::int64_t left = deadlineNs - ProcessStats::MonotonicNs(); left > 0;
         left = deadlineNs - ProcessStats::MonotonicNs())
        usleep(static_cast<useconds_t>(left / 1000));
}

void RemoveDirectory(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                unlink((path + "/" + entry->d_name).c_str());
        closedir(dir);
    }
    rmdir(path.c_str());
}

void Stop(pid_t child) {
    kill(child, SIGTERM);
    for (int i = 0; i < 60; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(50000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Reads "paint NS" from the plugin's pipe; 0 when the program exits or the deadline passes first.
std::int64_t ReadPaintReport(int fd, pid_t child, std::int64_t deadlineNs) {
    std::string text;
    while (ProcessStats::MonotonicNs() < deadlineNs) {
        pollfd descriptor{fd, POLLIN, 0};
        if (poll(&descriptor, 1, 50) > 0) {
            char buffer[64];
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return 0;
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.find('\n') != std::string::npos)
                return text.compare(0, 6, "paint ") == 0 ? std::atoll(text.c_str() + 6) : 0;
        } else if (waitpid(child, nullptr, WNOHANG) == child) {
            return 0;
        }
    }
    return 0;
}

// Leaves the program alone for `seconds`; appends what it used meanwhile to `figures`, keys led by
// `prefix`. False when the program exited meanwhile.
bool MeasureIdle(const char* prefix, pid_t child, int seconds, pid_t serverPid, std::string& figures) {
    if (seconds <= 0)
        return true;
    const ProcessStats::CpuSample before = ProcessStats::SampleCpu(child);
    const ProcessStats::CpuSample serverBefore =
        serverPid ? ProcessStats::SampleCpu(serverPid) : ProcessStats::CpuSample{};
    const std::int64_t startNs = ProcessStats::MonotonicNs();
    SleepUntil(startNs + seconds * 1000000000LL);
    const ProcessStats::CpuSample after = ProcessStats::SampleCpu(child);
    const ProcessStats::CpuSample serverAfter =
        serverPid ? ProcessStats::SampleCpu(serverPid) : ProcessStats::CpuSample{};
    const double elapsed = static_cast<double>(ProcessStats::MonotonicNs() - startNs) / 1e9;
    if (waitpid(child, nullptr, WNOHANG) != 0)
        return false;
    figures += Format(" %s_cpu_pct=%.3f %s_cpu_sched_pct=%.3f %s_wakeups_per_s=%.2f", prefix,
                      100 * (after.statSeconds - before.statSeconds) / elapsed, prefix,
                      100 * (after.schedSeconds - before.schedSeconds) / elapsed, prefix,
                      static_cast<double>(after.switches - before.switches) / elapsed);
    if (serverPid)
        figures += Format(" %s_server_cpu_pct=%.3f", prefix,
                          100 * (serverAfter.schedSeconds - serverBefore.schedSeconds) / elapsed);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    const bool onX = options.platform == "xcb";

    char runtimeTemplate[] = "/tmp/bench-runtime-XXXXXX";
    if (!mkdtemp(runtimeTemplate))
        Fail("cannot create a runtime directory");
    const std::string runtimeDir = runtimeTemplate;

    WindowWatch watch;
    if (onX)
        if (const std::string error = watch.Connect(); !error.empty())
            Fail(error);
    int paintPipe[2] = {-1, -1};
    if (!onX && pipe2(paintPipe, O_CLOEXEC) != 0)
        Fail("cannot create a pipe");

    const std::int64_t startNs = ProcessStats::MonotonicNs();
    const pid_t child = fork();
    if (child < 0)
        Fail("cannot fork");
    if (child == 0) {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("QT_QPA_PLATFORM", options.platform.c_str(), 1);
        if (!onX) {
            const int writeEnd = dup(paintPipe[1]); // without close-on-exec
            setenv("QT_QPA_GENERIC_PLUGINS", ("benchfirstpaint:" + std::to_string(writeEnd)).c_str(), 1);
            const char* pluginPath = getenv("QT_PLUGIN_PATH");
            setenv(
                "QT_PLUGIN_PATH",
                (std::string(BENCH_PLUGIN_DIR) + (pluginPath ? std::string(":") + pluginPath : "")).c_str(),
                1);
        }
        if (const int devNull = open("/dev/null", O_WRONLY); devNull >= 0)
            dup2(devNull, STDOUT_FILENO);
        execv(options.command[0], options.command.data());
        std::perror("BenchLauncher: exec");
        _exit(127);
    }

    const std::int64_t deadlineNs = startNs + options.timeoutSeconds * 1000000000LL;
    WindowWatch::Times times;
    std::string error;
    if (onX) {
        error = watch.WaitForPaint(options.title, child, deadlineNs, options.verbose, times);
    } else {
        close(paintPipe[1]);
        times.paintedNs = ReadPaintReport(paintPipe[0], child, deadlineNs);
        close(paintPipe[0]);
        if (times.paintedNs == 0)
            error = "no first-paint report (program exited or timed out)";
    }
    const auto abandon = [&](const std::string& why) {
        Stop(child);
        RemoveDirectory(runtimeDir);
        Fail(why);
    };
    if (!error.empty())
        abandon(error);

    // The CPU it took to get there: unlike the elapsed time, hardly touched by other work on the machine.
    const ProcessStats::CpuSample startupCpu = ProcessStats::SampleCpu(child);

    // One line, printed only when every figure was taken.
    SleepUntil(times.paintedNs + options.settleMs * 1000000LL);
    std::string figures = Format("startup_ms=%.2f", static_cast<double>(times.paintedNs - startNs) / 1e6);
    if (onX)
        figures += Format(" mapped_ms=%.2f", static_cast<double>(times.mappedNs - startNs) / 1e6);
    figures += Format(" startup_cpu_ms=%.1f", startupCpu.schedSeconds * 1e3);
    figures += Format(" rss_kib=%ld", ProcessStats::ResidentKiB(child));
    if (onX) {
        if (!MeasureIdle("unfocused", child, options.unfocusedIdleSeconds, options.serverPid, figures))
            abandon("the program exited during the measurement");
        watch.FocusAndDisconnect();
        SleepUntil(ProcessStats::MonotonicNs() + options.settleMs * 1000000LL);
    }
    if (!MeasureIdle("idle", child, options.idleSeconds, options.serverPid, figures))
        abandon("the program exited during the measurement");
    Stop(child);
    RemoveDirectory(runtimeDir);
    std::printf("%s\n", figures.c_str());
    return 0;
}
