#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "core/support/FileBytes.h"
#include "support/RunProgram.h"
#include "ui/MainWindow.h"

#include "ui/support/FakePlatform.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/time.h>

// One copy per user: a real second process holds the lock, and the lock's place may be broken.
class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime; // private to the user, as a runtime directory must be
    QTemporaryDir data;
    QTemporaryDir programDir;

private slots:
    void init() {
        for (const QTemporaryDir* dir : {&runtime, &data}) {
            QFile::remove(dir->path());
            QVERIFY(
                QDir(dir->path()).removeRecursively() && QDir().mkpath(dir->path()) &&
                QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    }

    void refusedWhileCopyRunsThenStartsAfterItDied() {
        // The program copied alone into a folder of its own still runs.
        const QString program = programDir.filePath("Quillet");
        QVERIFY(QFile::copy(qEnvironmentVariable("QUILLET_EXE"), program));
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
        // A copy killed (or a machine losing power) between creating its lock and writing into it.
        QTest::newRow("empty, left by a crash") << "empty"
                                                << "alone";
        QTest::newRow("damaged") << "damaged"
                                 << "alone";
        // A lock that cannot be created is looked for in the data folder, by every copy alike.
        QTest::newRow("a directory in its place") << "directory"
                                                  << "alone";
        // Locking the user out for good would be worse than the risk.
        QTest::newRow("no place for a lock at all") << "nowhere"
                                                    << "warned";
        // A copy starting this very moment has created its lock and is about to write into it.
        QTest::newRow("empty, just created") << "just created"
                                             << "refused";
        // Damage to the lock of a copy that still runs does not let a second copy in.
        QTest::newRow("emptied under a live copy") << "live"
                                                   << "refused";
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
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
