#include "core/SecondTimer.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

namespace {
int clockSets = 0; // how many of the next armings the clock is set during
} // namespace

#ifdef Q_OS_LINUX
#include "core/TimerfdArming.h"

#include <cerrno>

namespace {
QList<long> armedNanos; // the fraction of a second each arming aimed at
int ArmingSeen(int fd, int flags, const itimerspec* next, itimerspec* previous) {
    if (clockSets-- > 0) {
        errno = ECANCELED;
        return -1;
    }
    armedNanos << next->it_value.tv_nsec;
    return timerfd_settime(fd, flags, next, previous);
}
} // namespace
#endif

// The clock line's timer against the real clock: one tick in each new second, right after it begins.
class TestSecondTimer : public QObject {
    Q_OBJECT

private slots:
    void ticksOncePerSecondUntilStopped() {
#ifdef Q_OS_LINUX
        TimerfdArming::setTime = &ArmingSeen;
        clockSets = 1; // the clock is set while the timer is first armed
#endif
        SecondTimer timer;
        QList<qint64> ticks; // milliseconds of the system clock, at each tick
        connect(&timer, &SecondTimer::timeout, this, [&] {
            ticks << QDateTime::currentMSecsSinceEpoch();
            clockSets = ticks.size() == 1 ? 2 : 0; // and twice in a row when it is armed again
            if (ticks.size() == 4)
                timer.stop();
        });
        const qint64 startedIn = QDateTime::currentSecsSinceEpoch();
        timer.start();
        const qint64 startedBy = QDateTime::currentSecsSinceEpoch(); // the same second but for a hair
        QVERIFY(timer.property("active").toBool());
        QSignalSpy spy(&timer, &SecondTimer::timeout);
        // A real event loop, not a poll: a tick is seen when it comes.
        while (timer.isActive())
            QVERIFY(spy.wait(2000));
        // The second had begun: not a hair early, not one late.
        QVERIFY(ticks.first() / 1000 == startedIn + 1 || ticks.first() / 1000 == startedBy + 1);
        for (qsizetype i = 1; i < ticks.size(); ++i)
            QCOMPARE(ticks[i] / 1000 - ticks[i - 1] / 1000, qint64(1)); // each in a new second, none skipped
        QVERIFY(!spy.wait(1100));                                       // stopped means no more ticks
#ifdef Q_OS_LINUX
        TimerfdArming::setTime = &timerfd_settime;
        // Every arming aims at the same point of a second.
        QCOMPARE(armedNanos.count(armedNanos.first()), armedNanos.size());
#endif
    }
};

QTEST_GUILESS_MAIN(TestSecondTimer)
#include "tst_second_timer.moc"
