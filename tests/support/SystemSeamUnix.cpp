#include "SystemSeam.h"

#include <QFile>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace SystemSeam {

bool RunningAsAdministrator() {
    return geteuid() == 0;
}

bool ActAsOrdinaryUser() {
    return geteuid() != 0 || seteuid(65534) == 0;
}

bool ActAsSelf() {
    return getuid() != 0 || seteuid(0) == 0;
}

bool LimitFileSize(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN); // the limit fails the write instead of ending the process
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = rlim_t(bytes);
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

void LiftFileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool MakePipe(const QString& path) {
    return mkfifo(QFile::encodeName(path), 0644) == 0;
}

void EndAfter(unsigned seconds) {
    alarm(seconds);
}

void EndWithThisProcess(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

std::optional<bool> KillWhileRunning(const std::function<void()>& work, std::chrono::microseconds delay) {
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        for (;;)
            work();
    }
    usleep(useconds_t(delay.count()));
    kill(child, SIGKILL);
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFSIGNALED(status);
}

} // namespace SystemSeam
