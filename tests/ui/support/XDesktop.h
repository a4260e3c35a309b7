#pragma once

#include "support/SystemSeam.h"

#include <QProcess>
#include <QStandardPaths>

// A private X server on a free display with openbox on it, for real pointer input under a real window
// manager; both stop with this. Start it before the application connects, end it after.
class XDesktop {
public:
    // The programs this machine lacks for it.
    static QString Missing() {
        QStringList missing;
        for (QString program : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(program).isEmpty())
                missing << program;
        return missing.join(", ");
    }

    // Starts both and points DISPLAY at them; false if either did not come up.
    bool Start() {
        for (QProcess* process : {&m_server, &m_manager}) {
            SystemSeam::EndWithThisProcess(*process); // even when a test crashes
            process->setStandardErrorFile(QProcess::nullDevice());
        }
        // The server writes the display number it picked once it accepts clients.
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        const QString display = AwaitLine(m_server);
        if (display.isEmpty())
            return false;
        qputenv("DISPLAY", (":" + display).toLatin1());
        // The start-up command runs once openbox manages the screen.
        m_manager.start("openbox", {"--sm-disable", "--startup", "echo managing"});
        return AwaitLine(m_manager, "managing") == "managing";
    }

    ~XDesktop() {
        for (QProcess* process : {&m_manager, &m_server}) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }

private:
    // The next line of output, or the next one that says `expected`; empty if none comes.
    static QString AwaitLine(QProcess& process, const QString& expected = {}) {
        for (;;) {
            while (!process.canReadLine())
                if (!process.waitForReadyRead(10000))
                    return {};
            const QString line = QString::fromLatin1(process.readLine()).trimmed();
            if (expected.isEmpty() || line == expected)
                return line;
        }
    }

    QProcess m_server;
    QProcess m_manager;
};
