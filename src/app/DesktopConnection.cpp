#include "DesktopConnection.h"

#include "CommandLine.h"

#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

// The context's strings are Qt's own literals, which outlive the program's start.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QList<HeldMessage> held;

// Qt's warnings while connecting and its verdict, in one line. When the desktop session is out of
// reach, the most common cause, the verdict's advice to reinstall would mislead: advice to start
// from within a session stands in its place.
QString FailureLine(const QString& verdict) {
    QStringList said;
    for (const HeldMessage& m : held)
        if (m.type == QtWarningMsg || m.type == QtCriticalMsg)
            said << m.text.simplified();
    const QString warnings = said.join(QStringLiteral("; "));
    const bool chinese = CommandLine::SpeaksChinese();
    if (warnings.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive))
        return (chinese ? QStringLiteral("Quillet：无法连接图形桌面会话（%1）；请在桌面会话中启动 Quillet。")
                        : QStringLiteral("Quillet: no graphical desktop session can be reached (%1); start "
                                         "Quillet from within a desktop session."))
            .arg(warnings);
    said << verdict.simplified();
    return (chinese ? QStringLiteral("Quillet：无法启动窗口系统：")
                    : QStringLiteral("Quillet: the window system could not be started: ")) +
           said.join(QStringLiteral("; "));
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    std::fputs((FailureLine(text) + u'\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

// On X11 Qt hands the window's pixels to the server through shared memory, and before it paints an
// area again it waits for the server to be done with the last copy: a round trip, and two more
// thread wake-ups, every second the clock line changes. This window is small and repaints small
// areas; sent over the connection they need no wait. Qt reads the switch while it connects.
const char* const PixelsOverTheConnection = "QT_XCB_NO_MITSHM";

} // namespace

std::unique_ptr<QApplication> ConnectToDesktop(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(Hold);
    const bool switchedHere = !qEnvironmentVariableIsSet(PixelsOverTheConnection);
    if (switchedHere)
        qputenv(PixelsOverTheConnection, "1");
    auto app = std::make_unique<QApplication>(argc, argv);
    // Programs started from here (the browser) keep their own way.
    if (switchedHere)
        qunsetenv(PixelsOverTheConnection);
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : std::exchange(held, {}))
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
    return app;
}
