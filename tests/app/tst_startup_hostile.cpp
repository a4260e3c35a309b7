// Starting on hostile leftovers. A hostile history file (huge, without line ends, binary garbage, or
// something that is not a file in its place): start-up always completes, the history labels hold
// bounded text, the user is told when the file could not be read, and closing never damages what
// is there. A broken single-instance lock: no copy runs, so the program starts.
#include "ui/support/FakePlatform.h"

#include "app/SingleInstance.h"

#include "core/HistoryFile.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr uid_t NobodyId = 65534;

enum class Hostile { Garbage, SparseNoLineEnd, TextNoLineEnd, LongLines, Directory, Fifo, Unreadable };

// Creates the hostile thing at `path`; false when it could not be made.
bool Create(Hostile kind, const QString& path) {
    QFile file(path);
    switch (kind) {
    case Hostile::Garbage: {
        QRandomGenerator random(20130120);
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    case Hostile::SparseNoLineEnd:
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30);
    case Hostile::TextNoLineEnd: {
        const QByteArray chunk = QStringEncoder("GBK").encode(QString(1 << 20, QChar(0x4E2D)));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        for (int k = 0; k < 5; ++k)
            if (file.write(chunk) != chunk.size())
                return false;
        return true;
    }
    case Hostile::LongLines: {
        if (!file.open(QIODevice::WriteOnly))
            return false;
        for (int k = 0; k < 50; ++k)
            if (file.write(QByteArray(200'000, char('a' + k % 26)) + "\r\n") <= 0)
                return false;
        return true;
    }
    case Hostile::Directory:
        return QDir().mkdir(path);
    case Hostile::Fifo:
        return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    case Hostile::Unreadable:
        return file.open(QIODevice::WriteOnly) && file.write("2013/1/23\r\n") > 0 &&
               file.setPermissions(QFileDevice::Permissions());
    }
    return false;
}

// File permissions do not stop root; the window is then built with the effective user id of
// "nobody" so the unreadable file is unreadable for every runner.
class AsOrdinaryUser {
public:
    explicit AsOrdinaryUser(bool wanted) : m_switched(wanted && geteuid() == 0 && seteuid(NobodyId) == 0) {}
    ~AsOrdinaryUser() {
        if (m_switched && seteuid(0) != 0)
            qFatal("could not return to root");
    }
    bool Active() const { return geteuid() != 0; }

private:
    bool m_switched;
};

} // namespace

class TestStartupHostile : public QObject {
    Q_OBJECT
private slots:
    void startsOnHostileHistory_data();
    void startsOnHostileHistory();
    void brokenLockFile_data();
    void brokenLockFile();
    void damagedLockOfALiveCopy();
};

void TestStartupHostile::startsOnHostileHistory_data() {
    QTest::addColumn<Hostile>("kind");
    QTest::addColumn<int>("entries"); // entries shown after start-up; -1: some, as far as read
    QTest::addColumn<bool>("warned"); // the user is told the file could not be read
    QTest::newRow("binary garbage") << Hostile::Garbage << 8 << false;
    QTest::newRow("1 GiB without a line end (sparse)") << Hostile::SparseNoLineEnd << 1 << false;
    QTest::newRow("10 MB of text without a line end") << Hostile::TextNoLineEnd << 1 << false;
    QTest::newRow("50 lines of 200 000 bytes") << Hostile::LongLines << -1 << false;
    QTest::newRow("a directory in its place") << Hostile::Directory << 0 << true;
    QTest::newRow("a FIFO in its place") << Hostile::Fifo << 0 << true;
    QTest::newRow("unreadable") << Hostile::Unreadable << 0 << true;
}

void TestStartupHostile::startsOnHostileHistory() {
    QFETCH(Hostile, kind);
    QFETCH(int, entries);
    QFETCH(bool, warned);
    QTemporaryDir dir;
    // Searchable for the ordinary user the unreadable case runs as.
    QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther));
    const QString path = HistoryFile::PathIn(dir.path());
    QVERIFY(Create(kind, path));

    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
    {
        const AsOrdinaryUser user(kind == Hostile::Unreadable);
        if (kind == Hostile::Unreadable && !user.Active())
            QSKIP("cannot act as an ordinary user here");
        // A pipe or a device must never be waited on: a hang ends the test instead.
        alarm(60);
        window = std::make_unique<MainWindow>(platform, path);
        alarm(0);
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!window->grab().isNull());

    int shown = 0;
    for (int k = 0; k < History::SlotCount; ++k) {
        const QString text = window->Controls().History[k]->text();
        QVERIFY2(text.size() <= HistoryFile::ReadLimit, qPrintable(QStringLiteral("History_%1").arg(k)));
        QCOMPARE(text, window->HistoryList().Slot(k));
        shown += !text.isEmpty();
    }
    if (entries < 0)
        QVERIFY(shown > 0);
    else
        QCOMPARE(shown, entries);

    if (warned) {
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Warning);
        QVERIFY2(platform.messages[0].text.contains(path), qPrintable(platform.messages[0].text));
    } else {
        QCOMPARE(platform.messages.size(), 0);
    }

    // Closing rewrites a file it read as eight ordinary lines and leaves anything else alone.
    const History::Slots texts = window->HistoryList().AllSlots();
    window->close();
    QCOMPARE(platform.messages.size(), warned ? 1 : 0);
    const QFileInfo after(path);
    if (shown > 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), HistoryFile::Encode(texts));
    } else if (kind == Hostile::Directory) {
        QVERIFY(after.isDir());
    } else if (kind == Hostile::Fifo) {
        QVERIFY(!after.isFile() && after.exists());
    } else {
        QCOMPARE(after.size(), qint64(11));
    }
}

void TestStartupHostile::brokenLockFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("directory");
    QTest::addColumn<int>("age"); // seconds since the lock was last written
    QTest::addColumn<bool>("starts");
    // A copy killed (or a machine losing power) between creating its lock and writing into it.
    QTest::newRow("empty, left by a crash") << QByteArray() << false << 3600 << true;
    QTest::newRow("damaged") << QByteArray("\x01\xFFnot a lock\n") << false << 3600 << true;
    QTest::newRow("a directory in its place") << QByteArray() << true << 3600 << true;
    // A copy starting this very moment has created its lock and is about to write into it.
    QTest::newRow("empty, just created") << QByteArray() << false << 0 << false;
}

// A lock that names no live copy does not keep the user from the program.
void TestStartupHostile::brokenLockFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, directory);
    QFETCH(int, age);
    QFETCH(bool, starts);
    QTemporaryDir runtime;
    QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", previousRuntime); });
    const QString lockPath = SingleInstance::LockPath();
    QVERIFY(lockPath.startsWith(runtime.path()));
    if (directory) {
        QVERIFY(QDir().mkdir(lockPath));
    } else {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QCOMPARE(lock.write(content), content.size());
    }
    const timeval then[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
    QCOMPARE(utimes(QFile::encodeName(lockPath).constData(), then), 0);

    SingleInstance first;
    QCOMPARE(first.Acquire(), starts);
    if (starts && !directory) {
        // The lock taken over guards like any other.
        SingleInstance second;
        QVERIFY(!second.Acquire());
    }
}

// Damage to the lock of a copy that still runs does not let a second copy in.
void TestStartupHostile::damagedLockOfALiveCopy() {
    QTemporaryDir runtime;
    QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", previousRuntime); });

    SingleInstance running;
    QVERIFY(running.Acquire());
    const QByteArray lockPath = QFile::encodeName(SingleInstance::LockPath());
    QCOMPARE(truncate(lockPath.constData(), 0), 0);
    const timeval then[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    QCOMPARE(utimes(lockPath.constData(), then), 0);

    SingleInstance second;
    QVERIFY(!second.Acquire());
}

QTEST_MAIN(TestStartupHostile)
#include "tst_startup_hostile.moc"
