#include "core/SecondTimer.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

#ifdef Q_OS_LINUX
#include "core/TimerfdArming.h"

#include <cerrno>

int arming = 0; // how many armings the clock is set during
int ArmingDuringClockSet(int fd, int flags, const itimerspec* next, itimerspec* previous) {
    if (arming-- > 0) {
        errno = ECANCELED;
        return -1;
    }
    return timerfd_settime(fd, flags, next, previous);
}
#endif

using namespace std::chrono;

// The clock line's timer: when its next tick is due, and the real timer against the real clock.
class TestSecondTimer : public QObject {
    Q_OBJECT

private slots:
    void nextTick_data() {
        QTest::addColumn<qint64>("nowNs"); // since the epoch
        QTest::addColumn<qint64>("dueNs");
        const qint64 s = 1'358'661'909; // 2013-01-20 06:05:09 UTC
        const qint64 ns = 1'000'000'000;
        QTest::newRow("rest of the second, not a whole one") << s * ns + 250'000'000 << (s + 1) * ns;
        QTest::newRow("just after a boundary") << s * ns + 1 << (s + 1) * ns;
        QTest::newRow("just before a boundary") << s * ns + ns - 1 << (s + 1) * ns;
        QTest::newRow("on a boundary: the next one") << s * ns << (s + 1) * ns;
        QTest::newRow("before 1970") << -ns - 250'000'000 << -ns;
    }
    void nextTick() {
        QFETCH(qint64, nowNs);
        QFETCH(qint64, dueNs);
        const SecondTimer::Clock::time_point now{
            duration_cast<SecondTimer::Clock::duration>(nanoseconds(nowNs))};
        QCOMPARE(duration_cast<nanoseconds>(SecondTimer::NextTick(now).time_since_epoch()).count(), dueNs);
    }

    void ticksOncePerSecondUntilStopped() {
        SecondTimer timer;
        QVERIFY(!timer.property("active").toBool());
        QList<qint64> seconds; // of the system clock, at each tick
        connect(&timer, &SecondTimer::timeout, this, [&] {
            seconds.append(QDateTime::currentSecsSinceEpoch());
            if (seconds.size() == 4)
                timer.stop();
        });
        const qint64 startedIn = QDateTime::currentSecsSinceEpoch();
        timer.start();
        const qint64 startedBy = QDateTime::currentSecsSinceEpoch(); // the same second but for a hair
        QVERIFY(timer.property("active").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(!timer.isActive(), 10000);
        // The second had begun: not a hair early, not one late.
        QVERIFY(seconds.first() == startedIn + 1 || seconds.first() == startedBy + 1);
        for (qsizetype i = 1; i < seconds.size(); ++i)
            QCOMPARE(seconds[i] - seconds[i - 1], qint64(1)); // each in a new second, none skipped
        QTest::qWait(1100);
        QCOMPARE(seconds.size(), 4); // stopped means no more ticks
    }

    void ticksOnWhenTheClockIsSetWhileArming() {
#ifdef Q_OS_LINUX
        TimerfdArming::setTime = &ArmingDuringClockSet;
        SecondTimer timer;
        QSignalSpy ticks(&timer, &SecondTimer::timeout);
        arming = 1; // at the start
        timer.start();
        QVERIFY(ticks.wait(2000));
        arming = 2; // at the re-arming after a tick, twice in a row
        QVERIFY(ticks.wait(2000) && ticks.wait(2000));
        TimerfdArming::setTime = &timerfd_settime;
#else
        QSKIP("only the Linux timer arms a timerfd");
#endif
    }
};

QTEST_GUILESS_MAIN(TestSecondTimer)
#include "tst_second_timer.moc"
