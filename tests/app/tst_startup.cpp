// From outside: command line, single-copy lock, stop requests.
#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "core/support/FileBytes.h"
#include "ui/support/WindowFixture.h"

#include <QScreen>
#include <QtTest>

#include <csignal>
#include <optional>

class TestStartup : public QObject {
    Q_OBJECT
    enum Lock { RunningCopy, KilledCopy, ReusedNumber, OldEmpty, NewEmpty, Nowhere };
    using enum SingleInstance::Outcome;
    std::optional<QTemporaryDir> root; // new for every case
    QString In(const QString& path) const { return root->filePath(path); }
    QString program, lockPath; // as this case set them up
    QProcess copy;

    bool Started() { // true once the lock holds the copy's number
        copy.start(program);
        qint64 pid = 0;
        const auto written = [&] { return QLockFile(lockPath).getLockInfo(&pid, nullptr, nullptr); };
        return QTest::qWaitFor([&] { return written() && pid == copy.processId(); }, 20000);
    }

private slots:
    void cleanup() { copy.close(); }
    void init() {
        root.emplace();
        for (const char* folder : {"runtime", "data", "program"}) // private, as a runtime folder must be
            QVERIFY(QDir(root->path()).mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString built = qEnvironmentVariable("QUILLET_EXE");
        QVERIFY(QFile::copy(built, program = In("program/" + QFileInfo(built).fileName())));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(In("runtime")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(In("data")));
        // Outside the case's folder on Windows: cleared here.
        lockPath = SingleInstance::LockPaths().constFirst();
        QVERIFY(QDir(lockPath).removeRecursively() && (QFile::remove(lockPath) || !QFile::exists(lockPath)));
    }

    void commandLine_data() {
        QTest::addColumn<QString>("command"); // "Quillet" stands for the program
        QTest::addColumn<QString>("says");    // a pattern for "exit code|stdout|stderr"
        const auto row = [](const char* name, const char* command, const char* says) {
            QTest::newRow(name) << command << says;
        };
        row("--version", "Quillet --version", R"(^0\|Brenmoor \(Quillet\) 1\.0\n\|$)");
        row("unknown option", "LANG=C Quillet --x",
            R"(^2\|\|Quillet: unknown option '--x'. Try 'Quillet --help'.\n$)");
        row("Chinese", "LANG=zh_CN.UTF-8 Quillet x",
            R"(^2\|\|Quillet：多余的参数“x”。请运行“Quillet --help”查看用法。\n$)");
        row("no display", "Quillet", R"(^1\|\|Quillet: no graphical desktop session[^\n]*\n$)");
    }
    void commandLine() {
        QFETCH(QString, command);
        QFETCH(QString, says);
        if (QStandardPaths::findExecutable("env").isEmpty())
            QSKIP("needs env");
        QProcess process;
        process.start("env", QStringList{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                                         "-u", "LC_ALL", "-u", "LC_MESSAGES", "-u", "LANGUAGE"} +
                                 command.replace("Quillet", program).split(' '));
        QVERIFY(process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit);
        const QString run =
            QString::fromLocal8Bit(QByteArray::number(process.exitCode()) + "|" +
                                   process.readAllStandardOutput() + "|" + process.readAllStandardError());
        QVERIFY2(run.contains(QRegularExpression(says)), qPrintable(run));
        QVERIFY(QDir(In("runtime")).isEmpty()); // no lock taken
    }

    void singleInstance_data() {
        QTest::addColumn<Lock>("lock");
        QTest::addColumn<SingleInstance::Outcome>("start");
        QTest::newRow("held by a running copy") << RunningCopy << Refused;
        QTest::newRow("left by a killed copy") << KilledCopy << Alone;
        QTest::newRow("naming a reused process number") << ReusedNumber << Alone;
        QTest::newRow("empty, an hour old") << OldEmpty << Alone;
        QTest::newRow("empty, just created") << NewEmpty << Refused;
        QTest::newRow("no place for a lock: warned") << Nowhere << Unguarded;
    }
    void singleInstance() {
        QFETCH(Lock, lock);
        QFETCH(SingleInstance::Outcome, start);
        if (lock == Nowhere && !lockPath.startsWith(root->path())) // XDG folders not followed
            QSKIP("cannot block the data folder here");
        QVERIFY((lock != RunningCopy && lock != KilledCopy) || Started());
        QVERIFY(lock != KilledCopy || (copy.kill(), copy.waitForFinished()));
        if (lock == Nowhere) // a folder and a file in their way
            QVERIFY(QDir().mkdir(lockPath) && QDir(In("data")).removeRecursively() &&
                    WriteFile(In("data"), ""));
        if (lock == ReusedNumber) { // its number now this process's
            QLockFile other(In("other.lock"));
            QVERIFY(other.tryLock(0) && QFile::copy(In("other.lock"), lockPath));
        }
        if (lock == OldEmpty || lock == NewEmpty) {
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(lock == NewEmpty ? 0 : -3600),
                                     QFileDevice::FileModificationTime));
        }
        FakePlatform platform;
        SingleInstance instance;
        const auto window = StartProgram(platform, instance);
        QCOMPARE(bool(window), start != Refused);
        QCOMPARE(platform.boxes.size(), start == Alone ? 0 : 1);
        QVERIFY(start != Refused || platform.boxes[0].contains("程序已在运行中"));
        QVERIFY(start != Unguarded || platform.boxes[0].contains(lockPath));
        QVERIFY(!window || (window->isVisible() && window->frameGeometry().center() ==
                                                       window->screen()->availableGeometry().center()));
        QVERIFY(start != Alone || SingleInstance().Acquire() == Refused);
    }

    void stopRequest_data() {
        QTest::addColumn<bool>("ignored"); // at start, as nohup does
        QTest::newRow("ends at once, a box open") << false;
        QTest::newRow("ignored at start: they stay so") << true;
    }
    void stopRequest() {
#ifndef Q_OS_UNIX
        QSKIP("stop requests are Unix signals");
#else
        QFETCH(bool, ignored);
        QVERIFY(QDir().mkdir(In("program/Quillet.log"))); // unreadable history: a box
        if (ignored)
            copy.setChildProcessModifier([] { std::signal(SIGTERM, SIG_IGN); });
        QVERIFY(Started());
        QTest::qWait(300); // the box is up
        copy.terminate();
        QCOMPARE(copy.waitForFinished(ignored ? 1000 : 20000), !ignored);
        QVERIFY(ignored || (copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0));
        QCOMPARE(QFile::exists(lockPath), ignored);
        copy.setChildProcessModifier({});
#endif
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
