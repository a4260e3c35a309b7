// The program as started from outside: its command line, a start without a desktop, and where the
// real executable, copied into a folder of its own, reads and writes its history.
#include "support/RunProgram.h"

#include "core/HistoryFile.h"
#include "core/support/FileBytes.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <unistd.h>

namespace {

const QString Exe = qEnvironmentVariable("QUILLET_EXE");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data() {
        QTest::addColumn<QString>("command"); // arguments, and NAME=value for the environment
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says"); // on stdout when it succeeds, else as one line on stderr
        const QString noDesktop = "no graphical desktop session can be reached";
        QTest::newRow("--version") << "--version" << 0 << "^Brenmoor \\(Quillet\\) 1\\.0\n$";
        QTest::newRow("--help lists the options") << "--help" << 0 << "^Usage: Quillet.*--help.*--version";
        QTest::newRow("unknown option") << "--colour" << 2 << "^Quillet: .*'colour'";
        QTest::newRow("unexpected argument") << "x" << 2 << "^Quillet: .*'x'";
        QTest::newRow("no display") << "" << 1 << noDesktop;
        QTest::newRow("a display that refuses the connection") << "DISPLAY=:4711" << 1 << noDesktop;
    }
    // Each answers before any window or lock exists, so none needs a desktop.
    void commandLine() {
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QTemporaryDir runtime;
        QStringList environment = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                   "XDG_RUNTIME_DIR=" + runtime.path()};
        QStringList arguments;
        for (const QString& word : command.split(' ', Qt::SkipEmptyParts))
            (word.contains('=') ? environment : arguments) << word;
        const ProgramRun run = RunProgram(Exe, arguments, environment);
        QCOMPARE(run.exitCode, exitCode);
        const QString answer = exitCode == 0 ? run.output : run.error,
                      other = exitCode == 0 ? run.error : run.output;
        QVERIFY2(QRegularExpression(says, QRegularExpression::DotMatchesEverythingOption)
                         .match(answer)
                         .hasMatch() &&
                     other.isEmpty() && (exitCode == 0 || answer.count('\n') == 1),
                 qPrintable(run.output + run.error));
        QVERIFY(QDir(runtime.path()).isEmpty()); // no lock taken
    }

    void historyPlace_data() {
        QTest::addColumn<bool>("writable"); // the program's folder takes new files
        QTest::newRow("a carried copy reads and writes beside itself") << true;
        QTest::newRow("a read-only folder: read beside, written to the data folder") << false;
    }
    // The window gets the places the rule chose: the entry read is saved where it must go.
    void historyPlace() {
        QFETCH(bool, writable);
        QTemporaryDir program, data, runtime;
        const QString beside = HistoryFile::PathIn(program.path());
        const QString inData = HistoryFile::PathIn(data.filePath("Quillet"));
        QVERIFY(QFile::copy(Exe, program.filePath("Quillet")) && WriteFile(beside, "old entry"));
        // As root, the program runs as "nobody", who may write only the data and runtime folders.
        const bool asNobody = geteuid() == 0 && !writable;
        for (const QTemporaryDir* own : {&data, &runtime})
            QVERIFY(!asNobody || chown(QFile::encodeName(own->path()), 65534, 65534) == 0);
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(program.path(), writable ? readOnly | QFile::WriteOwner : readOnly));
        QProcess process;
        process.setProcessEnvironment(
            Changed(QProcessEnvironment::systemEnvironment(),
                    {"QT_QPA_PLATFORM=offscreen", "XDG_DATA_HOME=" + data.path(),
                     "XDG_CACHE_HOME=" + data.path(), "XDG_RUNTIME_DIR=" + runtime.path()}));
        process.setChildProcessModifier([asNobody] {
            if (asNobody && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(99);
        });
        process.start(program.filePath("Quillet"), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("Quillet.lock")), 20000);
        kill(pid_t(process.processId()), SIGTERM); // closes the window, as logging out does

        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(writable ? beside : inData), HistoryFile::Encode({"old entry"}),
                                  20000);
        QCOMPARE(ReadFile(writable ? inData : beside), writable ? QByteArray() : QByteArray("old entry"));
        // Closing ends the program, unless a box announcing the moved history waits for the user.
        if (writable) {
            QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 20000);
            QVERIFY(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);
        }
        process.kill();
        process.waitForFinished();
        QFile::setPermissions(program.path(), readOnly | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
