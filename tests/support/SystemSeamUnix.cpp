#include "SystemSeam.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace SystemSeam {

bool ActAsOrdinaryUser(bool ordinary) {
    return getuid() != 0 || seteuid(ordinary ? 65534 : 0) == 0;
}

bool LimitFileSize(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of the process ending
    const rlimit limit{bytes < 0 ? RLIM_INFINITY : rlim_t(bytes), RLIM_INFINITY};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool MakePipe(const QString& path) {
    return mkfifo(QFile::encodeName(path), 0644) == 0;
}

std::optional<bool> KillWhileRunning(const std::function<void()>& work, std::chrono::microseconds delay) {
    const pid_t child = fork();
    if (child == 0)
        for (;;)
            work();
    usleep(useconds_t(delay.count()));
    int status = 0;
    return child > 0 && kill(child, SIGKILL) == 0 && waitpid(child, &status, 0) == child &&
           WIFSIGNALED(status);
}

} // namespace SystemSeam
