// How late after each boundary of the system clock's second the clock line shows the new second.
// Runs the real main window (real clock, boxes and browser ignored) for a number of seconds and
// records, for each second: when the timer's wake-up reached the thread (its socket notifier or
// timer event; negative when the timer wakes ahead of the boundary), when the line changed (right after the
// timer's receivers ran) and when the line was next painted.
//   bench_clock_latency [SECONDS=30]        (offscreen unless QT_QPA_PLATFORM says otherwise)
// Prints one line of key=value figures, lateness in milliseconds after the second began.
// The line and its timer are found by their names, Todayis_1 and Timer1; the timer may be of any
// class with a timeout() signal and an `active` property.
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

class RealClockPlatform : public Platform {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    void ShowMessage(QWidget*, Icon, const QString&, const QString&) override {}
    void OpenUrl(const QUrl&, std::function<void(bool)> done) override { done(true); }
};

// Milliseconds since the start of the second the line shows (its last two characters), read once
// from the clock the program reads (zones differ from UTC by whole minutes: the seconds agree).
double LatenessMs(const QString& line) {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count();
    const int second = static_cast<int>((micros / 1000000) % 60);
    const int secondsBehind = (second - line.right(2).toInt() + 60) % 60;
    return secondsBehind * 1000.0 + static_cast<double>(micros % 1000000) / 1000.0;
}

// Milliseconds from the nearest boundary of the second, negative before it.
double OffsetFromNearestSecondMs() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count();
    const double intoSecond = static_cast<double>(micros % 1000000) / 1000.0;
    return intoSecond < 500 ? intoSecond : intoSecond - 1000;
}

class LatencyRecorder : public QObject {
    Q_OBJECT

public:
    LatencyRecorder(QLabel* line, QObject* clock) : m_line(line) {
        m_line->installEventFilter(this);
        // The timer wakes through a child (a socket notifier or a timer) or a timer event of its own.
        for (QObject* waker : clock->findChildren<QObject*>())
            waker->installEventFilter(this);
        clock->installEventFilter(this);
    }

    // Counting starts from the line as it is now.
    void Start() {
        m_lastText = m_line->text();
        m_started = true;
    }

public slots:
    // After the timer's receivers ran: has the line just changed?
    void Check() {
        if (m_line->text() == m_lastText)
            return;
        m_lastText = m_line->text();
        const int shown = m_lastText.right(2).toInt();
        if (m_lastSecond >= 0) {
            // Forward by one is right; by up to half a minute, seconds were skipped; otherwise the
            // line went back to a second it had shown.
            const int step = (shown - m_lastSecond + 60) % 60;
            if (step > 1 && step <= 30)
                m_skipped += step - 1;
            else if (step != 1)
                ++m_repeated;
        }
        m_lastSecond = shown;
        m_text.push_back(LatenessMs(m_lastText));
        m_awaitingPaint = true;
    }

public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool wake = event->type() == QEvent::SockAct || event->type() == QEvent::Timer;
        if (wake && m_started)
            m_wake.push_back(OffsetFromNearestSecondMs());
        if (event->type() == QEvent::Paint && m_awaitingPaint && watched == m_line) {
            m_awaitingPaint = false;
            m_painted.push_back(LatenessMs(m_lastText));
        }
        return false;
    }

    const std::vector<double>& WakeLateness() const { return m_wake; }
    const std::vector<double>& TextLateness() const { return m_text; }
    const std::vector<double>& PaintLateness() const { return m_painted; }
    int Skipped() const { return m_skipped; }
    int Repeated() const { return m_repeated; }

private:
    QLabel* m_line;
    bool m_started = false;
    QString m_lastText;
    int m_lastSecond = -1;
    int m_skipped = 0;
    int m_repeated = 0;
    bool m_awaitingPaint = false;
    std::vector<double> m_wake;
    std::vector<double> m_text;
    std::vector<double> m_painted;
};

void PrintSummary(const char* name, std::vector<double> values) {
    if (values.empty()) {
        std::printf(" %s_n=0", name);
        return;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf(" %s_n=%zu %s_median_ms=%.3f %s_min_ms=%.3f %s_p90_ms=%.3f %s_max_ms=%.3f", name, n, name,
                median, name, values.front(), name, values[(n * 9) / 10], name, values.back());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, QByteArray(argv[1]).toInt()) : 30;

    QTemporaryDir scratch;
    RealClockPlatform platform;
    MainWindow window(platform, scratch.filePath(QStringLiteral("Quillet.log")));
    window.show();

    auto* line = window.findChild<QLabel*>(QStringLiteral("Todayis_1"));
    QObject* clock = window.findChild<QObject*>(QStringLiteral("Timer1"));
    if (!line || !clock || !clock->property("active").toBool()) {
        std::fprintf(stderr, "bench_clock_latency: no clock line Todayis_1 or no running timer Timer1\n");
        return 1;
    }
    QSignalSpy ticks(clock, SIGNAL(timeout()));
    qsizetype ticksBefore = 0;
    LatencyRecorder recorder(line, clock);
    // The first second is settling in (the window's first paint); its change is not counted.
    // Both ends are precise timers: a coarse one (Qt's default from 2 s on) may be 5 % off and count a
    // tick too many or too few.
    QTimer::singleShot(1000, Qt::PreciseTimer, &app, [&] {
        recorder.Start();
        ticksBefore = ticks.count();
        // Connected after the window's own receiver, so it runs right after the line was set.
        QObject::connect(clock, SIGNAL(timeout()), &recorder, SLOT(Check()));
    });
    QTimer::singleShot((seconds + 1) * 1000, Qt::PreciseTimer, &app, &QApplication::quit);
    QApplication::exec();

    std::printf("clock_seconds=%d ticks_per_s=%.2f skipped=%d repeated=%d", seconds,
                static_cast<double>(ticks.count() - ticksBefore) / seconds, recorder.Skipped(),
                recorder.Repeated());
    PrintSummary("wake", recorder.WakeLateness());
    PrintSummary("text", recorder.TextLateness());
    PrintSummary("paint", recorder.PaintLateness());
    std::printf("\n");
    return 0;
}

#include "bench_clock_latency.moc"
