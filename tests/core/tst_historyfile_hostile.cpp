// The history file under hostile conditions: things that are not files in its place, permissions, a
// full or read-only disk, a folder gone, and a process killed while saving. Nothing hangs, a failure
// comes with its reason (in Chinese when it is a common one), and a save that cannot complete leaves
// the previous file exactly as it was.
#include "core/HistoryFile.h"
#include "support/FileBytes.h"
#include "support/OrdinaryUser.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

const History::Slots OldSlots = {"2013/1/23(星期三)的100天之后是：2013/5/3(星期五)", "a"};

// Mounts a tmpfs of `bytes` at `dir` in a mount namespace private to this test process, so nothing
// is seen outside it and nothing outlives it. False where that is not allowed.
bool MountTmpfs(const QString& dir, qint64 bytes) {
    static const bool privateNamespace =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return privateNamespace &&
           mount("tmpfs", QFile::encodeName(dir), "tmpfs", 0, "size=" + QByteArray::number(bytes)) == 0;
}

} // namespace

class TestHistoryFileHostile : public QObject {
    Q_OBJECT

private slots:
    void failuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("room");        // bytes free on a small disk; -1: no such disk
        QTest::addColumn<QString>("loadReason"); // "": read without complaint
        QTest::addColumn<QString>("saveReason"); // "": saved
        const auto row = [](const char* name, const char* kind, qint64 room, const char* load,
                            const char* save) {
            QTest::newRow(name) << kind << room << QString(load) << QString(save);
        };
        const char* const folder = "该位置是一个文件夹，不是文件";
        row("a directory in its place", "directory", -1, folder, folder);
        // A pipe is never waited on; the save replaces it with the file.
        row("a FIFO in its place", "fifo", -1, "该位置不是普通文件", "");
        row("a file without read or write permission", "unreadable", -1, "没有权限", "没有权限");
        row("read-only directory", "read-only directory", -1, "", "没有权限");
        row("read-only file system", "read-only disk", 4096, "", "文件系统是只读的");
        row("the folder is gone", "gone", -1, "", "文件或文件夹不存在");
        // The new file is about 33 000 bytes; the old one stays beside it until the new one is complete.
        row("disk full, no byte free", "full disk", 0, "", "磁盘已满");
        row("disk full, 30000 bytes free", "full disk", 30000, "", "磁盘已满");
        row("disk with room enough", "full disk", 48 * 1024, "", "");
    }

    // The disk fills up on a tiny tmpfs where one can be mounted, else under a file size limit,
    // which stops root as well but has a reason of its own.
    void failuresKeepTheOldFile() {
        QFETCH(QString, kind);
        QFETCH(qint64, room);
        QFETCH(QString, loadReason);
        QFETCH(QString, saveReason);
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::FileName);
        const QByteArray old = HistoryFile::Encode(OldSlots);
        History::Slots newSlots;
        newSlots.fill(QString(4096, 'n'));
        const auto permissions = QFile::permissions(dir.path());
        const bool mounted = room >= 0 && MountTmpfs(dir.path(), 4096 + (room + 4095) / 4096 * 4096);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir.path(), permissions);
            if (mounted)
                umount2(QFile::encodeName(dir.path()), MNT_DETACH);
        });
        QVERIFY(
            QFile::setPermissions(dir.path(), permissions | QFileDevice::ExeOther | QFileDevice::ExeGroup));
        if (kind == "directory")
            QVERIFY(QDir(dir.path()).mkdir(HistoryFile::FileName));
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path), 0644), 0);
        else
            QVERIFY(WriteFile(path, old));
        if (kind == "unreadable")
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        if (kind == "read-only directory")
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                          QFileDevice::ExeGroup | QFileDevice::ExeOther));
        if (kind == "read-only disk" && (!mounted || mount(nullptr, QFile::encodeName(dir.path()), nullptr,
                                                           MS_REMOUNT | MS_RDONLY, nullptr) != 0))
            QSKIP("cannot mount a read-only disk here");
        const QString savedIn = kind == "gone" ? dir.filePath("gone/" + HistoryFile::FileName) : path;
        const QStringList before = Entries(dir.path());

        HistoryFile::LoadResult loaded;
        QString error;
        const bool asUser = kind == "unreadable" || kind == "read-only directory";
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        {
            const auto user = AsOrdinaryUser(asUser);
            if (asUser && geteuid() == 0)
                QSKIP("cannot act as an ordinary user here");
            const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit tight{rlim_t(room), previous.rlim_max};
            QVERIFY(kind != "full disk" || mounted || setrlimit(RLIMIT_FSIZE, &tight) == 0);
            alarm(20); // a hang kills the test instead
            loaded = HistoryFile::Load(savedIn);
            error = HistoryFile::Save(savedIn, newSlots);
            alarm(0);
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, previousHandler);
        }
        QCOMPARE(loaded.error, loadReason);
        if (kind == "full disk" && !mounted && room < 48 * 1024)
            QVERIFY2(!error.isEmpty(), "under a file size limit (no tmpfs can be mounted here)");
        else
            QCOMPARE(error, saveReason);
        if (error.isEmpty()) {
            QCOMPARE(ReadFile(path), HistoryFile::Encode(newSlots));
        } else { // nothing replaced, nothing left behind
            QCOMPARE(Entries(dir.path()), before);
            if (kind != "directory" && kind != "fifo")
                QCOMPARE(ReadFile(path), old);
        }
    }

    // A process killed at any moment of its save leaves the old file or the new one, never a mix.
    void killedWhileSaving() {
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::FileName);
        // Long entries, so that writing them takes many pages and some time.
        History::Slots first, second;
        first.fill(QString(3000, QChar(0x4E2D)));
        second.fill(QString(2000, QChar(0x6587)));
        const QByteArray contents[] = {HistoryFile::Encode(OldSlots), HistoryFile::Encode(first),
                                       HistoryFile::Encode(second)};
        QVERIFY(WriteFile(path, contents[0]));
        QRandomGenerator random(20130123);
        int seen[3] = {};
        for (int round = 0; round < 60; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            while (child == 0)
                if (!HistoryFile::Save(path, first).isEmpty() || !HistoryFile::Save(path, second).isEmpty())
                    _exit(1);
            usleep(useconds_t(random.bounded(200, 20000)));
            kill(child, SIGKILL);
            int status = 0;
            QVERIFY(waitpid(child, &status, 0) == child && WIFSIGNALED(status));
            const auto found = std::find(std::begin(contents), std::end(contents), ReadFile(path));
            QVERIFY2(found != std::end(contents), qPrintable(QString("round %1: mixed content").arg(round)));
            ++seen[found - contents];
        }
        // Both contents were seen, so the kills did land among the saves.
        QVERIFY(seen[1] > 0 && seen[2] > 0);
    }
};

QTEST_GUILESS_MAIN(TestHistoryFileHostile)
#include "tst_historyfile_hostile.moc"
