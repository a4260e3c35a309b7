// The history file under hostile conditions: random and broken bytes, huge files, things that are not
// files in its place, permissions, a full disk and a process killed while saving. Whatever happens,
// nothing crashes or hangs, a failure comes with a reason, and a save that cannot complete leaves the
// previous file exactly as it was.
#include "core/HistoryFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Bad(QChar::ReplacementCharacter);
const QString Nul(QChar(0));
const qsizetype Limit = HistoryFile::ReadLimit;

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

History::Slots SlotsOf(const QStringList& lines) {
    History::Slots texts;
    std::copy_n(lines.begin(), qMin(lines.size(), qsizetype(History::SlotCount)), texts.begin());
    return texts;
}

const History::Slots OldSlots = SlotsOf({"2013/1/23(星期三)的100天之后是：2013/5/3(星期五)", "a"});

// Permissions stop an ordinary user but not root; as root the scope runs with the effective user
// id of "nobody", so the same checks hold for every runner.
[[nodiscard]] auto AsOrdinaryUser(bool wanted = true) {
    const bool switched = wanted && geteuid() == 0 && seteuid(65534) == 0;
    return qScopeGuard([switched] {
        if (switched && seteuid(0) != 0)
            qFatal("could not return to root");
    });
}

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
    void loadsBoundedAndSavesBackWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // the lines read, when given
        QTest::addColumn<qint64>("sparseSize"); // the file is then extended with NULs to this size
        const auto row = [](const QString& name, const QByteArray& bytes, const QStringList& lines = {},
                            qint64 sparseSize = 0) {
            QTest::newRow(qPrintable(name)) << bytes << lines << sparseSize;
        };
        QRandomGenerator random(20130123);
        static const char awkward[] = "\r\n\0\x81\xA1\xD0\xFE\xFF\x80\x7F/09a";
        for (const qsizetype size :
             {qsizetype(1), qsizetype(64), Limit - 1, Limit, Limit + 1, qsizetype(1) << 20})
            for (int round = 0; round < 4; ++round) { // any byte, or mostly line ends, NULs and lead bytes
                QByteArray bytes(size, Qt::Uninitialized);
                for (char& byte : bytes)
                    byte = round < 2 ? char(random.bounded(256))
                                     : awkward[random.bounded(int(sizeof awkward - 1))];
                row(QString("%1 random bytes #%2").arg(size).arg(round), bytes);
            }
        // A broken double-byte character never takes the byte after it along: dates stay readable.
        row("GBK lead byte before LF", "a\x81\nb", {"a" + Bad + "\nb"});
        row("GBK lead byte before a date", QByteArray("\xD0") + "2013/1/5", {Bad + "2013/1/5"});
        row("four-byte form, not GBK", "\x81\x30\x81\x30", {Bad + "0" + Bad + "0"});
        row("NULs between line ends", QByteArray("\0\r\n\0\0\r\0", 7), {Nul, Nul + Nul, Nul});
        // At the length limit of a line: a cut character, a line end just inside it, cut lines.
        const QString limitOfX(Limit, 'x');
        row("double-byte character across the limit", QByteArray(Limit - 1, 'x') + "\xD6\xD0",
            {limitOfX.left(Limit - 1) + Bad});
        row("line exactly at the limit", QByteArray(Limit, 'x') + "\r\nnext", {limitOfX, "next"});
        row("long lines, then short ones",
            QByteArray(Limit * 3, 'x') + "\r" + QByteArray(Limit + 1, 'x') + "\r\na\r\nb",
            {limitOfX, limitOfX, "a", "b"});
        row("10 MB line", QByteArray(10'000'000, 'x') + "\r\nentry", {limitOfX});
        row("eight full lines of double-byte characters",
            (QByteArray(Limit / 2, 'x').replace("x", "\xD6\xD0") + "\r").repeated(History::SlotCount));
        // Huge files without line ends never stall the start.
        const QString limitOfNul(Limit, QChar(0));
        row("512 MiB, no line end", "", {limitOfNul}, qint64(512) << 20);
        row("entries, then 512 MiB", "a\r\nb\r\n", {"a", "b", limitOfNul}, qint64(512) << 20);
    }

    // Whatever a file held, loading it is bounded, and what is then saved reads back whole (nothing
    // cut off) and settles: a second save and load changes nothing more.
    void loadsBoundedAndSavesBackWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(qint64, sparseSize);
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::FileName);
        QVERIFY(WriteFile(path, bytes));
        if (sparseSize > 0)
            QVERIFY(QFile::resize(path, sparseSize));

        const HistoryFile::LoadResult first = HistoryFile::Load(path);
        QVERIFY(first.exists);
        QCOMPARE(first.error, QString());
        QVERIFY(first.lines.size() <= History::SlotCount);
        for (const QString& line : first.lines)
            QVERIFY(!line.contains('\r') && line.size() <= Limit);
        if (!lines.isEmpty())
            QCOMPARE(first.lines, lines);

        const History::Slots read = SlotsOf(first.lines);
        QCOMPARE(HistoryFile::Save(path, read), QString());
        const HistoryFile::LoadResult second = HistoryFile::Load(path);
        QCOMPARE(second.lines.size(), History::SlotCount);
        for (int k = 0; k < History::SlotCount; ++k)
            QCOMPARE(second.lines[k].size(), read[k].size());
        QCOMPARE(HistoryFile::Save(path, SlotsOf(second.lines)), QString());
        QCOMPARE(HistoryFile::Load(path).lines, second.lines);
    }

    void somethingElseInItsPlace_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loadReports"); // false: taken as no history at all
        QTest::addColumn<bool>("saves");
        // A directory is kept, never replaced, and the failure is reported.
        QTest::newRow("a directory named Quillet.log") << "directory" << true << false;
        // A pipe is never waited on; the save replaces it with the file.
        QTest::newRow("a FIFO") << "fifo" << true << true;
        QTest::newRow("a file without read or write permission") << "unreadable" << true << false;
    }

    void somethingElseInItsPlace() {
        QFETCH(QString, kind);
        QFETCH(bool, loadReports);
        QFETCH(bool, saves);
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther));
        const QString path = dir.filePath(HistoryFile::FileName);
        if (kind == "directory")
            QVERIFY(QDir(dir.path()).mkdir(HistoryFile::FileName));
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path), 0644), 0);
        else
            QVERIFY(WriteFile(path, "a\r\n") && QFile::setPermissions(path, QFileDevice::Permissions()));
        const QStringList before = Entries(dir.path());

        HistoryFile::LoadResult loaded;
        QString error;
        {
            const auto user = AsOrdinaryUser(kind == "unreadable");
            if (kind == "unreadable" && geteuid() == 0)
                QSKIP("cannot act as an ordinary user here");
            alarm(20); // a hang kills the test instead
            loaded = HistoryFile::Load(path);
            error = HistoryFile::Save(path, OldSlots);
            alarm(0);
        }
        QCOMPARE(loaded.exists, loadReports);
        QCOMPARE(loaded.error.isEmpty(), !loadReports);
        QVERIFY(loaded.lines.isEmpty());
        QCOMPARE(error.isEmpty(), saves);
        if (saves)
            QCOMPARE(ReadFile(path), HistoryFile::Encode(OldSlots));
        else // nothing replaced, nothing left behind
            QCOMPARE(Entries(dir.path()), before);
    }

    void saveThatCannotComplete_data() {
        QTest::addColumn<qint64>("room"); // bytes that can still be written; -1: a read-only directory
        QTest::addColumn<bool>("fits");
        QTest::newRow("read-only directory") << qint64(-1) << false;
        // The new file is about 33 000 bytes; the old one stays beside it until the new one is complete.
        for (qint64 room : {0, 1, 4096, 20000, 30000})
            QTest::addRow("disk full, %lld bytes free", room) << room << false;
        QTest::newRow("disk with room enough") << qint64(48 * 1024) << true;
    }

    // The disk fills up on a tiny tmpfs where one can be mounted, else under a file size limit,
    // which stops root as well.
    void saveThatCannotComplete() {
        QFETCH(qint64, room);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryFile::FileName);
        History::Slots newSlots;
        newSlots.fill(QString(4096, 'n'));
        const QByteArray old = HistoryFile::Encode(OldSlots);
        const auto permissions = QFile::permissions(dir.path());
        // One page for the old file and `room` more; tmpfs counts whole pages.
        const bool mounted = room >= 0 && MountTmpfs(dir.path(), 4096 + (room + 4095) / 4096 * 4096);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir.path(), permissions);
            if (mounted)
                umount2(QFile::encodeName(dir.path()), MNT_DETACH);
        });
        QVERIFY(WriteFile(path, old));

        QString error;
        if (room < 0) {
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                          QFileDevice::ReadOther | QFileDevice::ExeOther));
            const auto user = AsOrdinaryUser();
            if (geteuid() == 0)
                QSKIP("cannot act as an ordinary user here");
            error = HistoryFile::Save(path, newSlots);
        } else if (mounted) {
            error = HistoryFile::Save(path, newSlots);
        } else {
            qInfo("under a file size limit (no tmpfs can be mounted here)");
            rlimit previous{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
            const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit tight{rlim_t(room), previous.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
            error = HistoryFile::Save(path, newSlots);
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, previousHandler);
        }
        QCOMPARE(error.isEmpty(), fits);
        QCOMPARE(ReadFile(path), fits ? HistoryFile::Encode(newSlots) : old);
        QCOMPARE(Entries(dir.path()), QStringList{HistoryFile::FileName});
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
