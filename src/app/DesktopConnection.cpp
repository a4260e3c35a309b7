#include "DesktopConnection.h"

#include "CommandLine.h"

#include <QStringList>

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

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    const QString message =
        CommandLine::SpeaksChinese()
            ? QStringLiteral("Quillet：无法连接图形桌面会话（没有显示器，或显示器拒绝了连接）；"
                             "请在桌面会话中启动 Quillet。\n")
            : QStringLiteral(
                  "Quillet: no graphical desktop session can be reached (no display, or the display "
                  "refused the connection); start Quillet from within a desktop session.\n");
    std::fputs(message.toLocal8Bit().constData(), stderr);
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
