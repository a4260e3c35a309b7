// Loaded into an unmodified Qt program through QT_QPA_GENERIC_PLUGINS=benchfirstpaint:OPTIONS (with
// this plugin's directory on QT_PLUGIN_PATH); OPTIONS is a comma-separated list of
//   FD    when the first window widget has been painted, write "paint NS\n" to file descriptor FD,
//         NS being CLOCK_MONOTONIC in nanoseconds (the launcher's way to see a first paint where no
//         X server can watch the window: the offscreen platform)
//   exit  end the process right then, without tearing anything down: a profiler run (callgrind,
//         perf) then covers the start-up and nothing else.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QMetaObject>
#include <QWidget>

#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

class FirstPaintReporter : public QObject {
public:
    FirstPaintReporter(int fd, bool exitAfter)
        : QObject(QCoreApplication::instance()), m_fd(fd), m_exitAfter(exitAfter) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: runs once the whole paint of the window, children and flush included, is done.
            QMetaObject::invokeMethod(this, &FirstPaintReporter::Report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void Report() {
        if (m_fd >= 0) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            char line[64];
            const int length = std::snprintf(line, sizeof line, "paint %lld\n",
                                             static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            if (write(m_fd, line, static_cast<size_t>(length)) != length)
                std::perror("benchfirstpaint: write");
            close(m_fd);
        }
        if (m_exitAfter)
            _exit(0);
    }

    int m_fd;
    bool m_exitAfter;
};

} // namespace

class FirstPaintPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstpaint.json")

public:
    QObject* create(const QString& key, const QString& options) override {
        if (key != QLatin1String("benchfirstpaint"))
            return nullptr;
        int fd = -1;
        bool exitAfter = false;
        for (const QString& option : options.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool isNumber = false;
            const int number = option.toInt(&isNumber);
            if (isNumber)
                fd = number;
            else if (option == QLatin1String("exit"))
                exitAfter = true;
            else
                return nullptr;
        }
        return new FirstPaintReporter(fd, exitAfter);
    }
};

#include "FirstPaintPlugin.moc"
