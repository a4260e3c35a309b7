#pragma once

#include "support/SystemSeam.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// A private X desktop for tests that need a real window manager and real pointer input: a virtual
// X server on a free display with openbox on it, both stopped when this goes. Start it before the
// application connects, and let the application go before this does.
class XDesktop {
public:
    // What keeps the desktop from starting on this machine; empty when everything is there.
    static QString Missing() {
        QStringList missing;
        for (const char* program : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                missing << QLatin1String(program);
        return missing.isEmpty() ? QString() : missing.join(", ") + " not installed";
    }

    // Starts both programs; the display name (":N"), or empty if either did not come up.
    QString Start() {
        // Neither outlives a test that crashes.
        for (QProcess* process : {&m_server, &m_manager})
            SystemSeam::EndWithThisProcess(*process);
        // The server picks a free display itself and writes its number once it accepts clients.
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        const QString display = ":" + AwaitLine(m_server);
        if (display == ":")
            return {};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        m_manager.setProcessEnvironment(environment);
        m_manager.setStandardErrorFile(QProcess::nullDevice());
        // The start-up command runs once openbox manages the screen; its own notices come first.
        m_manager.start("openbox", {"--sm-disable", "--startup", "echo managing"});
        return AwaitLine(m_manager, "managing").isEmpty() ? QString() : display;
    }

    ~XDesktop() {
        for (QProcess* process : {&m_manager, &m_server}) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }

    // Runs xdotool with the arguments on the current display; true when it succeeded.
    static bool Send(const QStringList& arguments) { return QProcess::execute("xdotool", arguments) == 0; }

private:
    // The next line of output, or with `expected` the next line that says so; empty if none comes.
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
