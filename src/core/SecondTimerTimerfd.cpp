// Linux: a timerfd on the system clock armed for the absolute time of the next second. The kernel
// wakes the thread right at the boundary (an event-loop timeout is whole milliseconds and wakes a
// millisecond or so late), and at once when the clock is set (TFD_TIMER_CANCEL_ON_SET).
#include "SecondTimer.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

struct SecondTimer::Waiter {
    int fd = -1;
    QSocketNotifier* notifier = nullptr; // a child of the timer, so it follows it between threads

    bool Arm() const {
        using namespace std::chrono;
        const nanoseconds due = NextTick(Clock::now()).time_since_epoch();
        const seconds whole = floor<seconds>(due);
        itimerspec next{};
        next.it_value.tv_sec = static_cast<time_t>(whole.count());
        next.it_value.tv_nsec = static_cast<long>((due - whole).count());
        return timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &next, nullptr) == 0;
    }

    void Disarm() const {
        const itimerspec off{};
        timerfd_settime(fd, 0, &off, nullptr);
    }

    // True when a tick is due: the time came, or the clock was set (the read fails with ECANCELED).
    bool Due() const {
        std::uint64_t expirations = 0;
        return read(fd, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations) ||
               errno == ECANCELED;
    }
};

SecondTimer::SecondTimer(QObject* parent) : QObject(parent), m_waiter(std::make_unique<Waiter>()) {
    m_waiter->fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_waiter->fd < 0) {
        qWarning("SecondTimer: no timerfd: %s", std::strerror(errno));
        return;
    }
    m_waiter->notifier = new QSocketNotifier(m_waiter->fd, QSocketNotifier::Read, this);
    m_waiter->notifier->setEnabled(false);
    connect(m_waiter->notifier, &QSocketNotifier::activated, this, [this] {
        if (!m_active || !m_waiter->Due())
            return;
        // Re-armed before the signal, so a receiver that stops the timer has the last word.
        m_active = m_waiter->Arm();
        m_waiter->notifier->setEnabled(m_active);
        emit timeout();
    });
}

SecondTimer::~SecondTimer() {
    if (m_waiter->fd < 0)
        return;
    delete m_waiter->notifier; // before its descriptor goes
    close(m_waiter->fd);
}

void SecondTimer::start() {
    if (m_waiter->fd < 0)
        return;
    m_active = m_waiter->Arm();
    m_waiter->notifier->setEnabled(m_active);
}

void SecondTimer::stop() {
    if (!m_active)
        return;
    m_active = false;
    m_waiter->notifier->setEnabled(false);
    m_waiter->Disarm();
}
