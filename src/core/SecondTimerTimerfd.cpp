// Linux: a timerfd on the system clock armed for an absolute time just before the next second. The
// kernel wakes the thread at that time (an event-loop timeout is whole milliseconds and wakes a
// millisecond or so late), and at once when the clock is set (TFD_TIMER_CANCEL_ON_SET).
#include "SecondTimer.h"
#include "TimerfdArming.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <thread>

namespace {

// Waking the thread and passing the wake-up through the event loop take a few tenths of a
// millisecond. The timer fires this much before the boundary so that time is spent before the second
// begins; the rest is slept out, and the tick comes right on the boundary.
constexpr std::chrono::microseconds WakeLead{1000};

} // namespace

struct SecondTimer::Waiter {
    int fd = -1;
    QSocketNotifier* notifier = nullptr; // a child of the timer, so it follows it between threads
    Clock::time_point due;

    // The clock set while arming (by hand, or a resume from suspend) cancels the arming: it is armed
    // again from the clock's new time, a few times at most should the clock keep being set.
    bool ArmAfter(Clock::time_point reference) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (ArmFor(reference))
                return true;
            if (errno != ECANCELED)
                return false;
            Read(); // clears the cancellation
            reference = Clock::now();
        }
        return false;
    }

    bool ArmFor(Clock::time_point reference) {
        using namespace std::chrono;
        due = NextTick(reference);
        const nanoseconds wake = (due - WakeLead).time_since_epoch();
        const seconds whole = floor<seconds>(wake);
        itimerspec next{};
        next.it_value.tv_sec = static_cast<time_t>(whole.count());
        next.it_value.tv_nsec = static_cast<long>((wake - whole).count());
        return TimerfdArming::setTime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &next, nullptr) == 0;
    }

    void Disarm() const {
        const itimerspec off{};
        timerfd_settime(fd, 0, &off, nullptr);
    }

    // What the timer woke for: its time came, or the clock was set (the read fails with ECANCELED),
    // or nothing (another reader took it).
    enum class Wake { Nothing, Time, ClockSet };
    Wake Read() const {
        std::uint64_t expirations = 0;
        if (read(fd, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations))
            return Wake::Time;
        return errno == ECANCELED ? Wake::ClockSet : Wake::Nothing;
    }

    // Sleeps until the boundary, never longer than the lead: a clock set back meanwhile must not
    // hold the thread.
    void SleepUntilDue() const {
        const Clock::duration left = due - Clock::now();
        if (left > Clock::duration::zero())
            std::this_thread::sleep_for(std::min<Clock::duration>(left, WakeLead));
    }

    // The second the next tick follows: the one just begun, unless the clock was set meanwhile.
    Clock::time_point TickedSecond(Wake wake) const {
        const Clock::time_point now = Clock::now();
        const bool onTime = wake == Wake::Time && now < due && due - now <= WakeLead;
        return onTime ? due : now;
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
        const Waiter::Wake wake = m_waiter->Read();
        if (!m_active || wake == Waiter::Wake::Nothing)
            return;
        if (wake == Waiter::Wake::Time)
            m_waiter->SleepUntilDue();
        // Re-armed before the signal, so a receiver that stops the timer has the last word.
        m_active = m_waiter->ArmAfter(m_waiter->TickedSecond(wake));
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
    m_active = m_waiter->ArmAfter(Clock::now());
    m_waiter->notifier->setEnabled(m_active);
}

void SecondTimer::stop() {
    if (!m_active)
        return;
    m_active = false;
    m_waiter->notifier->setEnabled(false);
    m_waiter->Disarm();
}
