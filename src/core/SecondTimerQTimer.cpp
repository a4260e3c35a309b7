// Without a kernel timer on the system clock: a precise QTimer re-armed at each tick for the rest of
// the current second, read afresh from the system clock, so the ticks do not drift. A clock that is
// set shows at the next tick, within a second.
#include "SecondTimer.h"

#include <QTimer>

struct SecondTimer::Waiter {
    QTimer* timer = nullptr; // a child of the timer, so it follows it between threads
    Clock::time_point due;

    void ArmFor(Clock::time_point now) {
        // Rounded up: the event loop's timers run on another clock, in whole milliseconds.
        timer->start(std::chrono::ceil<std::chrono::milliseconds>(due - now));
    }
};

SecondTimer::SecondTimer(QObject* parent) : QObject(parent), m_waiter(std::make_unique<Waiter>()) {
    m_waiter->timer = new QTimer(this);
    m_waiter->timer->setSingleShot(true);
    m_waiter->timer->setTimerType(Qt::PreciseTimer);
    connect(m_waiter->timer, &QTimer::timeout, this, [this] {
        const Clock::time_point now = Clock::now();
        // Woken a hair before the boundary (the two clocks differ slightly): wait out the rest. Further
        // off means the clock was set back, and the tick is due now.
        if (now < m_waiter->due && m_waiter->due - now < std::chrono::seconds(1)) {
            m_waiter->ArmFor(now);
            return;
        }
        m_waiter->due = NextTick(now);
        m_waiter->ArmFor(now);
        emit timeout();
    });
}

SecondTimer::~SecondTimer() = default;

void SecondTimer::start() {
    const Clock::time_point now = Clock::now();
    m_waiter->due = NextTick(now);
    m_waiter->ArmFor(now);
    m_active = true;
}

void SecondTimer::stop() {
    m_waiter->timer->stop();
    m_active = false;
}
