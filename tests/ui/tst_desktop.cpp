#include "support/SystemSeam.h"
#include "support/WindowFixture.h"

#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>

// A middle-click paste into the count box under a real window manager: a private X server with
// openbox, up before the application connects and down after it goes.
struct XDesktop {
    QProcess server, manager;
    ~XDesktop() {
        for (QProcess* process : {&manager, &server}) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }
};

// The output until it holds `mark`, or until no more comes.
static QByteArray Await(QProcess& process, const QByteArray& mark) {
    QByteArray out;
    while (!out.contains(mark) && process.waitForReadyRead(10000))
        out += process.readAll();
    return out;
}

class TestDesktop : public QObject {
    Q_OBJECT
public:
    QString missing;
    bool started = false;

private slots:
    void middleClickPastesWhatTypingWould() {
        if (!missing.isEmpty())
            QSKIP(qPrintable("not installed:" + missing));
        QVERIFY2(started, "no X desktop started");
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->clear();
        QGuiApplication::clipboard()->setText("-1-2x", QClipboard::Selection);
        const QPoint at = box->mapToGlobal(box->rect().center());
        const QString clickThere = QString("mousemove %1 %2 click 2").arg(at.x()).arg(at.y());
        QCOMPARE(QProcess::execute("xdotool", clickThere.split(' ')), 0);
        QTRY_COMPARE(box->text(), "12");
    }
};

int main(int argc, char** argv) {
    XDesktop desktop;
    TestDesktop test;
    for (QString program : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(program).isEmpty())
            test.missing += ' ' + program;
    if (test.missing.isEmpty()) {
        for (QProcess* process : {&desktop.server, &desktop.manager}) {
            SystemSeam::EndWithThisProcess(*process); // even when the test crashes
            process->setStandardErrorFile(QProcess::nullDevice());
        }
        // Each says when it is ready: the server its display, openbox by a start-up command.
        desktop.server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        qputenv("DISPLAY", ':' + Await(desktop.server, "\n").trimmed());
        desktop.manager.start("openbox", {"--sm-disable", "--startup", "echo managing"});
        test.started = Await(desktop.manager, "managing\n").contains("managing\n");
    }
    qputenv("QT_QPA_PLATFORM", test.started ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
