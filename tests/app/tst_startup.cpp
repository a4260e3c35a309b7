// From outside: command line, single-copy lock, stop requests.
#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "core/HistoryFile.h"
#include "core/support/FileBytes.h"
#include "support/SystemSeam.h"
#include "ui/MainWindow.h"
#include "ui/support/WindowFixture.h"

#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>

class TestStartup : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> root; // new for every case: folders "runtime", "data" and "program"
    QString In(const QString& path) const { return root->filePath(path); }
    QString Program() const {
        return In("program/" + QFileInfo(qEnvironmentVariable("QUILLET_EXE")).fileName());
    }
    QString lockPath; // where copies lock, as this case set it up
    // The folders a user's files go to follow XDG_DATA_HOME here (not on Windows, where they are
    // checked by the packaged copies' test).
    bool DataFolderSet() const {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) == In("data");
    }
    QProcess copy; // of the program, run offscreen as this test is

    bool Started(const QStringList& command) { // true once the copy started holds its lock
        copy.start(command.first(), command.mid(1));
        return QTest::qWaitFor([this] { return QFile::exists(lockPath); }, 20000);
    }
    bool Closes(bool ends = true) { // asked as logging out asks; it ends well unless told it may not
        copy.terminate();           // SIGTERM
        return !ends || (copy.waitForFinished(20000) && copy.exitStatus() == QProcess::NormalExit &&
                         copy.exitCode() == 0);
    }
    // Runs it, no desktop in reach, to its end: "code|stdout|stderr", the code -1 if it ended abnormally.
    static QString RunProgram(const QStringList& command) {
        QProcess process;
        process.start("env", QStringList{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                                         "-u", "LC_ALL", "-u", "LC_MESSAGES", "-u", "LANGUAGE"} +
                                 command);
        const bool ended = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit;
        return QString::number(ended ? process.exitCode() : -1) + "|" +
               QString::fromLocal8Bit(process.readAllStandardOutput() + "|" + process.readAllStandardError());
    }
    template <typename... T> static void Row(const char* name, const T&... values) {
        (QTest::newRow(name) << ... << values);
    }

private slots:
    void init() {
        copy.close(); // ends a copy the last case left running
        const auto own = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        root.emplace();
        QVERIFY(QFile::setPermissions(root->path(), own | QFile::ExeOther));
        for (const char* folder : {"runtime", "data", "program"}) // private, as a runtime folder must be
            QVERIFY(QDir(root->path()).mkdir(folder, own));
        QVERIFY(QFile::copy(qEnvironmentVariable("QUILLET_EXE"), Program()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(In("runtime")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(In("data")));
        // Where the lock is not under the case's own folder (Windows), what the last case left goes.
        lockPath = SingleInstance::LockPaths().constFirst();
        QVERIFY(QDir(lockPath).removeRecursively() && (!QFile::exists(lockPath) || QFile::remove(lockPath)));
    }

    void commandLine_data() {
        QTest::addColumn<QString>("command"); // "Quillet" stands for the program
        QTest::addColumn<QString>("says");    // a pattern for "exit code|stdout|stderr"
        const QString noDesktop = "^1\\|\\|Quillet: no graphical desktop session can be reached[^\n]*\n$";
        Row("--version", "Quillet --version", "^0\\|Brenmoor \\(Quillet\\) 1\\.0\n\\|$");
        Row("--help lists the options", "LANG=C Quillet --help",
            "(?s)^0\\|Usage: Quillet.*--help.*--version.*\\|$");
        Row("unknown option, in one line", "LANG=C Quillet --colour",
            "^2\\|\\|Quillet: unknown option '--colour'. Try 'Quillet --help'.\n$");
        Row("an option's value where none belongs", "LANG=en_GB.UTF-8 Quillet -v=1",
            "^2\\|\\|Quillet: option '-v' takes no value. Try[^\n]*\n$");
        Row("Chinese under a Chinese locale", "LANG=zh_CN.UTF-8 Quillet extra",
            "^2\\|\\|Quillet：多余的参数“extra”。请运行“Quillet --help”查看用法。\n$");
        Row("Chinese help", "LC_ALL=zh_TW.UTF-8 Quillet -h",
            "(?s)^0\\|用法：Quillet.*--help.*--version.*\\|$");
        Row("no display", "Quillet", noDesktop);
        Row("no display, in Chinese", "LANG=zh_CN.UTF-8 Quillet",
            "^1\\|\\|Quillet：无法连接图形桌面会话[^\n]*\n$");
        Row("a display that refuses the connection: named", "DISPLAY=:4711 Quillet",
            "^1\\|\\|Quillet: no graphical desktop session can be reached \\(could not connect to display "
            ":4711\\)[^\n]*\n$");
        Row("no such platform plugin: Qt's cause", "QT_QPA_PLATFORM=bogus Quillet",
            "^1\\|\\|Quillet: [^\n]*\"bogus\"[^\n]*Available platform plugins are: [^\n]*\n$");
    }
    void commandLine() { // each answers before any window or lock exists, so none needs a desktop
        QFETCH(QString, command);
        QFETCH(QString, says);
        if (QStandardPaths::findExecutable("env").isEmpty())
            QSKIP("runs the program through env, away from any display: not on Windows");
        const QString run = RunProgram(command.replace("Quillet", Program()).split(' '));
        QVERIFY2(run.contains(QRegularExpression(says)), qPrintable(run));
        QVERIFY(QDir(In("runtime")).isEmpty()); // no lock taken
    }

    void singleInstance_data() {
        QTest::addColumn<QString>("lock");
        QTest::addColumn<QString>("start"); // "alone", "refused", or "warned" that a copy may go unseen
        Row("held by a running copy", "running copy", "refused");
        Row("left by a killed copy", "killed copy", "alone");
        Row("empty, left by a copy that died before writing it", "empty", "alone");
        Row("naming a live process that holds nothing: a number reused", "reused number", "alone");
        Row("a folder in its place: the data folder's lock, for every copy", "folder", "alone");
        Row("no place for a lock at all: better unguarded than locked out", "nowhere", "warned");
        Row("empty, just created by a copy starting now", "just created", "refused");
        Row("emptied under a live copy", "live", "refused");
    }
    void singleInstance() {
        QFETCH(QString, lock);
        QFETCH(QString, start);
        if (lock == "nowhere" && !DataFolderSet())
            QSKIP("cannot block the data folder here");
        SingleInstance live;
        QVERIFY(!lock.endsWith("copy") || Started({Program()}));
        QVERIFY(lock != "killed copy" || (copy.kill(), copy.waitForFinished()));
        QVERIFY(lock != "live" || live.Acquire() == SingleInstance::Outcome::Alone);
        if (lock == "folder" || lock == "nowhere")
            QVERIFY(QDir().mkdir(lockPath));
        else if (lock == "reused number") { // as a crashed copy left it, its number now this process's
            QLockFile other(In("other.lock"));
            QVERIFY(other.tryLock(0) && QFile::copy(In("other.lock"), lockPath));
        } else if (!lock.endsWith("copy")) { // empty, written an hour ago or just now
            QFile file(lockPath);
            if (lock == "live" && !file.open(QIODevice::WriteOnly))
                QSKIP("a live copy's lock cannot be written to here");
            QVERIFY((file.isOpen() || file.open(QIODevice::WriteOnly)) &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(lock == "just created" ? 0 : -3600),
                                     QFileDevice::FileModificationTime));
        }
        // The data folder cannot be made: a file is in its way.
        QVERIFY(lock != "nowhere" || (QDir(In("data")).removeRecursively() && WriteFile(In("data"), "")));

        FakePlatform platform;
        SingleInstance instance;
        const auto window = StartProgram(platform, instance);
        QCOMPARE(bool(window), start != "refused");
        QCOMPARE(platform.boxes.size(), start == "alone" ? 0 : 1);
        QVERIFY(start != "refused" || platform.boxes[0] == "W Brenmoor: 程序已在运行中！");
        QVERIFY(start != "warned" || platform.boxes[0].contains(lockPath));
        QVERIFY(!window || (window->isVisible() && window->frameGeometry().center() ==
                                                       window->screen()->availableGeometry().center()));
        QVERIFY(start != "alone" || SingleInstance().Acquire() == SingleInstance::Outcome::Refused);
    }

    void stopRequest_data() {
        QTest::addColumn<QString>("setting"); // of the program's folder and how the copy is started
        QTest::addColumn<bool>("ends");
        QTest::newRow("a carried copy, nothing new: its history untouched") << "writable" << true;
        QTest::newRow("a read-only folder: nothing moved, nothing told") << "read-only" << true;
        QTest::newRow("a box at start (history unreadable): closed, and the copy ends")
            << "unreadable" << true;
        QTest::newRow("started with the stop signals ignored (nohup): they stay so") << "ignored" << false;
    }
    // A stop request (SIGTERM) ends the copy at once, whatever box is open, and writes nothing new.
    void stopRequest() {
#ifndef Q_OS_UNIX
        QSKIP("stop requests are signals, which only Unix has");
#else
        QFETCH(QString, setting);
        QFETCH(bool, ends);
        const QString beside = In("program/Quillet.log");
        const QByteArray foreign = "\xE4\xB8\xAD\n";
        QVERIFY(setting == "unreadable" ? QDir().mkdir(beside) : WriteFile(beside, foreign));
        QStringList command = {Program()};
        if (SystemSeam::RunningAsAdministrator() &&
            setting == "read-only") { // as "nobody", who may write only these two
            command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
            QVERIFY(RunProgram({"chown", "65534:65534", In("data"), In("runtime")}).startsWith("0|"));
        }
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(In("program"),
                                      setting == "read-only" ? readOnly : readOnly | QFile::WriteOwner));
        if (setting == "ignored")
            copy.setChildProcessModifier([] { std::signal(SIGTERM, SIG_IGN); });
        QVERIFY(Started(command));
        QTest::qWait(300); // the box, if any, is up
        copy.terminate();
        QCOMPARE(copy.waitForFinished(ends ? 20000 : 1000), ends);
        QVERIFY(!ends || (copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0));
        QCOMPARE(QFile::exists(lockPath), !ends);
        QVERIFY(setting == "unreadable" || ReadFile(beside) == foreign);
        QVERIFY(!QFile::exists(In("data/Quillet/Quillet.log")));
        copy.setChildProcessModifier({});
        QVERIFY(QFile::setPermissions(In("program"), readOnly | QFile::WriteOwner)); // to be removed
#endif
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
