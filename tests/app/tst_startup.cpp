// The program as started from outside: its command line, a start without a desktop, the refusal of
// a second copy and the lock's place, and where the real executable, copied into a folder of its
// own, reads and writes its history.
#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "core/HistoryFile.h"
#include "core/support/FileBytes.h"
#include "support/RunProgram.h"
#include "ui/MainWindow.h"
#include "ui/support/FakePlatform.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <grp.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

const QString Exe = qEnvironmentVariable("QUILLET_EXE");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    QTemporaryDir runtime; // private to the user, as a runtime directory must be
    QTemporaryDir data;
    QTemporaryDir programDir;

private slots:
    void init() {
        for (const QTemporaryDir* dir : {&runtime, &data, &programDir}) {
            QFile::remove(dir->path());
            QVERIFY(
                QDir(dir->path()).removeRecursively() && QDir().mkpath(dir->path()) &&
                QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    }

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

    void refusedWhileCopyRunsThenStartsAfterItDied() {
        // The program copied alone into a folder of its own still runs.
        const QString program = programDir.filePath("Quillet");
        QVERIFY(QFile::copy(Exe, program));
        QProcess first;
        first.start(program, {});
        QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
        QCOMPARE(SingleInstance::LockPaths().constFirst(), runtime.filePath("Quillet.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("Quillet.lock")), 20000);
        // Asking for the version needs no lock.
        QCOMPARE(RunProgram(program, {"--version"}).exitCode, 0);

        FakePlatform platform;
        {
            SingleInstance second;
            QVERIFY(!StartProgram(platform, second));
        }
        QCOMPARE(platform.Boxes(), QStringList{"W Brenmoor: 程序已在运行中！"});
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished());
        SingleInstance next;
        const auto window = StartProgram(platform, next);
        QVERIFY(window && window->isVisible());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(window->frameGeometry().center(), window->screen()->availableGeometry().center());
        // Closing the window ends the program's event loop.
        QTimer::singleShot(0, window.get(), &QWidget::close);
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void brokenLock_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("start"); // "alone", "refused", or "warned" that a copy may go unseen
        const auto row = [](const char* name, const char* kind, const char* start) {
            QTest::newRow(name) << QString(kind) << QString(start);
        };
        // A copy killed (or a machine losing power) between creating its lock and writing into it.
        row("empty, left by a crash", "empty", "alone");
        row("damaged", "damaged", "alone");
        // A lock that cannot be created is looked for in the data folder, by every copy alike.
        row("a directory in its place", "directory", "alone");
        // Locking the user out for good would be worse than the risk.
        row("no place for a lock at all", "nowhere", "warned");
        // A copy starting this very moment has created its lock and is about to write into it.
        row("empty, just created", "just created", "refused");
        // Damage to the lock of a copy that still runs does not let a second copy in.
        row("emptied under a live copy", "live", "refused");
    }
    void brokenLock() {
        QFETCH(QString, kind);
        QFETCH(QString, start);
        SingleInstance live;
        QVERIFY(kind != "live" || live.Acquire() == SingleInstance::Outcome::Alone);
        const QString lockPath = runtime.filePath("Quillet.lock");
        if (kind == "directory" || kind == "nowhere")
            QVERIFY(QDir().mkdir(lockPath));
        else
            QVERIFY(WriteFile(lockPath, kind == "damaged" ? "\x01\xFFnot a lock\n" : ""));
        if (kind == "nowhere") // the data folder cannot be made: a file is in its way
            QVERIFY(QDir(data.path()).removeRecursively() && WriteFile(data.path(), ""));
        const int age = kind == "just created" ? 0 : 3600;
        const timeval then[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
        QCOMPARE(utimes(QFile::encodeName(lockPath), then), 0);

        FakePlatform platform;
        SingleInstance first;
        const auto window = StartProgram(platform, first);
        QCOMPARE(bool(window), start != "refused");
        QCOMPARE(platform.messages.size(), start == "alone" ? 0 : 1);
        QVERIFY(start != "warned" || platform.Boxes()[0].contains(lockPath));
        if (start == "alone") // the lock taken guards like any other
            QCOMPARE(SingleInstance().Acquire(), SingleInstance::Outcome::Refused);
    }
    void historyPlace_data() {
        QTest::addColumn<bool>("writable"); // the program's folder takes new files
        QTest::newRow("a carried copy reads and writes beside itself") << true;
        QTest::newRow("a read-only folder: read beside, written to the data folder") << false;
    }
    // The window gets the places the rule chose: the entry read is saved where it must go.
    void historyPlace() {
        QFETCH(bool, writable);
        const QString beside = HistoryFile::PathIn(programDir.path());
        const QString inData = HistoryFile::PathIn(data.filePath("Quillet"));
        QVERIFY(QFile::copy(Exe, programDir.filePath("Quillet")) && WriteFile(beside, "old entry"));
        // As root, the program runs as "nobody", who may write only the data and runtime folders.
        const bool asNobody = geteuid() == 0 && !writable;
        for (const QTemporaryDir* own : {&data, &runtime})
            QVERIFY(!asNobody || chown(QFile::encodeName(own->path()), 65534, 65534) == 0);
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(programDir.path(), writable ? readOnly | QFile::WriteOwner : readOnly));
        QProcess process;
        process.setProcessEnvironment(
            Changed(QProcessEnvironment::systemEnvironment(),
                    {"QT_QPA_PLATFORM=offscreen", "XDG_DATA_HOME=" + data.path(),
                     "XDG_CACHE_HOME=" + data.path(), "XDG_RUNTIME_DIR=" + runtime.path()}));
        process.setChildProcessModifier([asNobody] {
            if (asNobody && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(99);
        });
        process.start(programDir.filePath("Quillet"), {});
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
        QFile::setPermissions(programDir.path(), readOnly | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
