#pragma once

#include <QObject>

#include <chrono>
#include <memory>

// A clock line's timer: timeout() comes right after each boundary of the system clock's second, and
// at once after the system clock is set. It wakes once a second, not every millisecond, and is armed
// afresh from the clock at each tick, so it neither drifts nor lags behind a changed clock.
class SecondTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool active READ isActive STORED false)

public:
    using Clock = std::chrono::system_clock;

    explicit SecondTimer(QObject* parent = nullptr);
    ~SecondTimer() override;

    void start();
    void stop();
    bool isActive() const { return m_active; }

    // When the next tick is due: the first whole second of the system clock after `now` (a tick
    // exactly on a boundary belongs to that second, so the next one is a second later).
    static Clock::time_point NextTick(Clock::time_point now);

signals:
    void timeout();

private:
    struct Waiter; // how this platform waits for a point in time of the system clock
    std::unique_ptr<Waiter> m_waiter;
    bool m_active = false;
};
