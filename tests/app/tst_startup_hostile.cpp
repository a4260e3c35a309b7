// Starting on hostile leftovers. A hostile history file: start-up always completes, the history
// labels hold bounded text, the user is told when the file could not be read, and closing never
// damages what is there. A broken single-instance lock naming no live copy: the program starts.
#include "ui/support/FakePlatform.h"

#include "app/SingleInstance.h"
#include "core/HistoryFile.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/time.h>

class TestStartupHostile : public QObject {
    Q_OBJECT
private slots:
    void startsOnHostileHistory_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("entries"); // entries shown after start-up
        QTest::newRow("binary garbage") << "garbage" << 8;
        QTest::newRow("1 GiB without a line end (sparse)") << "huge" << 1;
        QTest::newRow("a directory in its place") << "directory" << 0;
    }

    void startsOnHostileHistory() {
        QFETCH(QString, kind);
        QFETCH(int, entries);
        QTemporaryDir dir;
        const QString path = HistoryFile::PathIn(dir.path());
        QFile file(path);
        if (kind == "directory")
            QVERIFY(QDir().mkdir(path));
        else
            QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == "garbage") {
            QByteArray bytes(1 << 20, Qt::Uninitialized);
            QRandomGenerator(20130120).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
            QCOMPARE(file.write(bytes), bytes.size());
        } else if (kind == "huge") {
            QVERIFY(file.resize(qint64(1) << 30));
        }
        file.close();

        FakePlatform platform;
        MainWindow window(platform, path);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int shown = 0;
        for (int k = 0; k < History::SlotCount; ++k) {
            const QString text = window.Controls().History[k]->text();
            QVERIFY(text.size() <= HistoryFile::ReadLimit);
            QCOMPARE(text, window.HistoryList().Slot(k));
            shown += !text.isEmpty();
        }
        QCOMPARE(shown, entries);
        // Only a file that could not be read at all is worth a word, and that word names it.
        QCOMPARE(platform.messages.size(), kind == "directory" ? 1 : 0);
        if (kind == "directory")
            QVERIFY2(platform.Boxes()[0].startsWith("W ") && platform.Boxes()[0].contains(path),
                     qPrintable(platform.Boxes()[0]));

        // Closing rewrites a file it read as eight ordinary lines and leaves a directory alone.
        const History::Slots texts = window.HistoryList().AllSlots();
        window.close();
        QCOMPARE(platform.messages.size(), kind == "directory" ? 1 : 0);
        if (kind == "directory") {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), HistoryFile::Encode(texts));
        }
    }

    void brokenLockFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("starts");
        // A copy killed (or a machine losing power) between creating its lock and writing into it.
        QTest::newRow("empty, left by a crash") << "empty" << true;
        QTest::newRow("damaged") << "damaged" << true;
        QTest::newRow("a directory in its place") << "directory" << true;
        // A copy starting this very moment has created its lock and is about to write into it.
        QTest::newRow("empty, just created") << "just created" << false;
        // Damage to the lock of a copy that still runs does not let a second copy in.
        QTest::newRow("emptied under a live copy") << "live" << false;
    }

    void brokenLockFile() {
        QFETCH(QString, kind);
        QFETCH(bool, starts);
        QTemporaryDir runtime; // private to the user, as a runtime directory must be
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        SingleInstance live;
        QVERIFY(kind != "live" || live.Acquire());
        const QString lockPath = SingleInstance::LockPath();
        QVERIFY(lockPath.startsWith(runtime.path()));
        QFile lock(lockPath);
        if (kind == "directory")
            QVERIFY(QDir().mkdir(lockPath));
        else
            QVERIFY(lock.open(QIODevice::WriteOnly) &&
                    lock.write(kind == "damaged" ? "\x01\xFFnot a lock\n" : "") >= 0);
        lock.close();
        const int age = kind == "just created" ? 0 : 3600;
        const timeval then[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
        QCOMPARE(utimes(QFile::encodeName(lockPath), then), 0);

        SingleInstance first;
        QCOMPARE(first.Acquire(), starts);
        if (starts && kind != "directory") // the lock taken over guards like any other
            QVERIFY(!SingleInstance().Acquire());
    }
};

QTEST_MAIN(TestStartupHostile)
#include "tst_startup_hostile.moc"
