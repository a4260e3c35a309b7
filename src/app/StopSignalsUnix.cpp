#include "StopSignals.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may do next to nothing: it writes one byte, and the event loop reacts.
int wake[2] = {-1, -1};
bool requested = false;

void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wake[0], &byte, 1);
}

} // namespace

void EndOnStopRequests() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wake) != 0)
        return;
    auto* notifier = new QSocketNotifier(wake[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(wake[1], &byte, 1);
        requested = true;
        QApplication::closeAllWindows();
        // Every event loop ends, a box's too: nothing waits for an answer nobody may give.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int stop : {SIGTERM, SIGINT, SIGHUP}) {
        // Started with it ignored (nohup, a background job): the caller meant it so.
        struct sigaction inherited = {};
        if (sigaction(stop, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)
            sigaction(stop, &action, nullptr);
    }
}

bool StopRequested() {
    return requested;
}
