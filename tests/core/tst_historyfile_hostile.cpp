// The history file under hostile conditions: random and broken bytes, huge files, things that are not
// files in its place, permissions, a full disk and a process killed while saving. Whatever happens,
// nothing crashes or hangs, a failure comes with a reason, and a save that cannot complete leaves the
// previous file exactly as it was.
#include "core/HistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t NobodyId = 65534;
const QString Replacement(QChar::ReplacementCharacter);

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

History::Slots SlotsOf(const QStringList& lines) {
    History::Slots texts;
    for (int k = 0; k < lines.size() && k < History::SlotCount; ++k)
        texts[k] = lines[k];
    return texts;
}

const History::Slots OldSlots = SlotsOf({QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"),
                                         QStringLiteral("2013/1/23(星期三)与2013/5/3(星期五)相差（100）天")});

// Eight long entries, so that writing them takes many pages and some time.
History::Slots LongSlots(QChar fill, int length) {
    History::Slots texts;
    for (int k = 0; k < History::SlotCount; ++k)
        texts[k] = QString(length, fill) + QString::number(k);
    return texts;
}

// A call that might block (a pipe, a device) kills the test instead of hanging it.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds) { alarm(seconds); }
    ~HangGuard() { alarm(0); }
};

// Permissions stop an ordinary user but not root; as root the scope runs with the effective user
// id of "nobody", so the same checks hold for every runner.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : m_switched(geteuid() == 0 && seteuid(NobodyId) == 0) {}
    ~AsOrdinaryUser() {
        if (m_switched && seteuid(0) != 0)
            qFatal("could not return to root");
    }
    bool Active() const { return geteuid() != 0; }

private:
    bool m_switched;
};

// A tmpfs of its own size at `dir`, mounted in a mount namespace private to this test process, so
// nothing is seen outside it and nothing outlives it.
class TinyTmpfs {
public:
    TinyTmpfs(const QString& dir, qint64 bytes) : m_dir(QFile::encodeName(dir)) {
        static const bool privateNamespace =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        const QByteArray options = "size=" + QByteArray::number(bytes);
        m_mounted =
            privateNamespace && mount("tmpfs", m_dir.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~TinyTmpfs() {
        if (m_mounted)
            umount2(m_dir.constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }
    bool MakeReadOnly() {
        return mount(nullptr, m_dir.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    qint64 FreeBytes() const {
        struct statvfs info {};
        return statvfs(m_dir.constData(), &info) == 0 ? qint64(info.f_bavail) * qint64(info.f_frsize) : -1;
    }

private:
    QByteArray m_dir;
    bool m_mounted = false;
};

enum class Alphabet { AnyByte, LineEndsAndLeadBytes, NoLineEnds };

QByteArray RandomBytes(QRandomGenerator& random, qsizetype size, Alphabet alphabet) {
    static const char awkwardBytes[] = "\r\n\0\x81\xA1\xD0\xFE\xFF\x80\x7F/09a";
    static const QByteArray awkward(awkwardBytes, sizeof awkwardBytes - 1);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        switch (alphabet) {
        case Alphabet::AnyByte:
            byte = char(random.bounded(256));
            break;
        case Alphabet::LineEndsAndLeadBytes:
            byte = awkward[random.bounded(int(awkward.size()))];
            break;
        case Alphabet::NoLineEnds:
            do
                byte = char(random.bounded(256));
            while (byte == '\r');
            break;
        }
    }
    return bytes;
}

// What a file read back must look like whatever it held: at most eight lines, no line end inside
// a line, no line longer than the read limit allows.
void VerifyBoundedLoad(const HistoryFile::LoadResult& result) {
    QVERIFY(result.exists);
    QCOMPARE(result.error, QString());
    QVERIFY(result.lines.size() <= History::SlotCount);
    for (const QString& line : result.lines) {
        QVERIFY(!line.contains(QLatin1Char('\r')));
        QVERIFY(line.size() <= HistoryFile::ReadLimit);
    }
}

} // namespace

class TestHistoryFileHostile : public QObject {
    Q_OBJECT

private slots:
    void randomBytes_data();
    void randomBytes();
    void awkwardBytes_data();
    void awkwardBytes();
    void savedFileReadsBackWhole_data();
    void savedFileReadsBackWhole();
    void hugeFiles_data();
    void hugeFiles();
    void loadFromOddPlaces_data();
    void loadFromOddPlaces();
    void saveToOddPlaces_data();
    void saveToOddPlaces();
    void unreadableFile();
    void readOnlyDirectory();
    void readOnlyFileSystem();
    void diskFull_data();
    void diskFull();
    void killedWhileSaving();
};

void TestHistoryFileHostile::randomBytes_data() {
    QTest::addColumn<Alphabet>("alphabet");
    QTest::addColumn<qsizetype>("size");
    const std::pair<const char*, Alphabet> alphabets[] = {
        {"any byte", Alphabet::AnyByte},
        {"line ends and lead bytes", Alphabet::LineEndsAndLeadBytes},
        {"no line ends", Alphabet::NoLineEnds}};
    const qsizetype limit = HistoryFile::ReadLimit;
    for (const auto& [name, alphabet] : alphabets)
        for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(3), qsizetype(64), qsizetype(4095),
                               limit - 1, limit, limit + 1, qsizetype(1) << 20})
            QTest::addRow("%s, %lld bytes", name, qlonglong(size)) << alphabet << size;
}

// Whatever a file held, loading it is bounded, and what is then saved reads back in full and
// settles: a second save and load changes nothing more.
void TestHistoryFileHostile::randomBytes() {
    QFETCH(Alphabet, alphabet);
    QFETCH(qsizetype, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    QRandomGenerator random(quint32(size) * 7 + quint32(alphabet));
    for (int round = 0; round < 8; ++round) {
        QVERIFY(WriteFile(path, RandomBytes(random, size, alphabet)));
        const HistoryFile::LoadResult first = HistoryFile::Load(path);
        VerifyBoundedLoad(first);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(HistoryFile::Save(path, SlotsOf(first.lines)), QString());
        const QByteArray written = ReadFile(path);
        QCOMPARE(written, HistoryFile::Encode(SlotsOf(first.lines)));
        const HistoryFile::LoadResult second = HistoryFile::Load(path);
        QCOMPARE(SlotsOf(second.lines), SlotsOf(HistoryFile::Decode(written)));

        QCOMPARE(HistoryFile::Save(path, SlotsOf(second.lines)), QString());
        QCOMPARE(SlotsOf(HistoryFile::Load(path).lines), SlotsOf(second.lines));
    }
}

void TestHistoryFileHostile::awkwardBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QString nul(QChar(0));
    // A broken double-byte character never takes the byte after it along: dates stay readable.
    QTest::newRow("lead byte before LF") << QByteArray("a\x81\nb") << QStringList{"a" + Replacement + "\nb"};
    QTest::newRow("lead byte before NUL")
        << QByteArray("a\x81\0b", 4) << QStringList{"a" + Replacement + nul + "b"};
    QTest::newRow("lead byte before a date")
        << QByteArray("\xD0") + "2013/1/5" << QStringList{Replacement + "2013/1/5"};
    QTest::newRow("lead byte before a separator")
        << QByteArray("2013\x81/1/5") << QStringList{"2013" + Replacement + "/1/5"};
    QTest::newRow("four-byte form, not GBK")
        << QByteArray("\x81\x30\x81\x30") << QStringList{Replacement + "0" + Replacement + "0"};
    QTest::newRow("lead byte before CR LF")
        << QByteArray("a\xFE\r\nb") << QStringList{"a" + Replacement, "b"};
    QTest::newRow("lead byte before CR CR") << QByteArray("\xA1\r\r") << QStringList{Replacement, ""};
    QTest::newRow("lead byte last") << QByteArray("2013/1/5\xB0") << QStringList{"2013/1/5" + Replacement};
    QTest::newRow("only NULs") << QByteArray(300, '\0') << QStringList{QString(300, QChar(0))};
    QTest::newRow("NULs between line ends")
        << QByteArray("\0\r\n\0\0\r\0", 7) << QStringList{nul, nul + nul, nul};
    QTest::newRow("lone LFs") << QByteArray("\n\n\n") << QStringList{"\n\n\n"};

    // At the length limit of a line: a cut character, a line end just inside or outside it, and
    // the lines after a line that is cut.
    const qsizetype limit = HistoryFile::ReadLimit;
    const QString limitOfX(limit, QLatin1Char('x'));
    QTest::newRow("double-byte character across the limit")
        << QByteArray(limit - 1, 'x') + "\xD6\xD0" << QStringList{limitOfX.left(limit - 1) + Replacement};
    QTest::newRow("line one byte short of the limit")
        << QByteArray(limit - 1, 'x') + "\r\nnext" << QStringList{limitOfX.left(limit - 1), "next"};
    QTest::newRow("line exactly at the limit")
        << QByteArray(limit, 'x') + "\r\nnext" << QStringList{limitOfX, "next"};
    QTest::newRow("long lines, then short ones")
        << QByteArray(limit * 3, 'x') + "\r" + QByteArray(limit + 1, 'x') + "\r\na\r\nb"
        << QStringList{limitOfX, limitOfX, "a", "b"};
}

void TestHistoryFileHostile::awkwardBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    QVERIFY(WriteFile(path, bytes));
    const HistoryFile::LoadResult result = HistoryFile::Load(path);
    VerifyBoundedLoad(result);
    QCOMPARE(result.lines, lines);
}

void TestHistoryFileHostile::savedFileReadsBackWhole_data() {
    QTest::addColumn<QByteArray>("file");
    QByteArray nearLimit = "a\r\n";
    for (int k = 1; k < History::SlotCount; ++k)
        nearLimit += QByteArray(9357, 'x') + "\r\n";
    QTest::newRow("eight lines just within 64 KiB") << nearLimit;
    QByteArray tooLong;
    for (int k = 0; k < History::SlotCount; ++k)
        tooLong += QByteArray(HistoryFile::ReadLimit + 100, char('a' + k)) + "\r\n";
    QTest::newRow("eight lines too long, cut on reading") << tooLong;
    QByteArray doubleBytes;
    for (int k = 0; k < History::SlotCount; ++k)
        doubleBytes += QByteArray(HistoryFile::ReadLimit / 2, 'x').replace("x", "\xD6\xD0") + "\r";
    QTest::newRow("eight lines of double-byte characters, CR only") << doubleBytes;
}

// Whatever the program read, it writes back with a new entry, and the next start reads that file
// whole: the newest entry is never cut off.
void TestHistoryFileHostile::savedFileReadsBackWhole() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    QVERIFY(WriteFile(path, file));
    const HistoryFile::LoadResult loaded = HistoryFile::Load(path);
    VerifyBoundedLoad(loaded);
    QCOMPARE(loaded.lines.size(), History::SlotCount);

    History history;
    for (int k = 0; k < History::SlotCount; ++k)
        history.SetSlot(k, loaded.lines[k]);
    QCOMPARE(history.Add(OldSlots[0]), History::SlotCount - 1);
    QCOMPARE(HistoryFile::Save(path, history.AllSlots()), QString());

    const HistoryFile::LoadResult again = HistoryFile::Load(path);
    QCOMPARE(again.error, QString());
    QCOMPARE(SlotsOf(again.lines), history.AllSlots());
}

void TestHistoryFileHostile::hugeFiles_data() {
    QTest::addColumn<QByteArray>("head"); // written at the start
    QTest::addColumn<qint64>("size");     // total size of the file
    QTest::addColumn<bool>("written");    // every byte written, or a sparse file of NULs after the head
    QTest::addColumn<QStringList>("firstLines"); // the lines expected, the last one possibly cut
    const QString limitOfX(HistoryFile::ReadLimit, QLatin1Char('x'));
    const QString limitOfNul(HistoryFile::ReadLimit, QChar(0));
    QTest::newRow("10 MB line, then entries")
        << QByteArray() << qint64(10'000'000) << true << QStringList{limitOfX};
    QTest::newRow("300 MB written before the first line end")
        << QByteArray() << qint64(300'000'000) << true << QStringList{limitOfX};
    QTest::newRow("512 MiB sparse, no line end")
        << QByteArray() << (qint64(512) << 20) << false << QStringList{limitOfNul};
    QTest::newRow("entries, then 512 MiB sparse")
        << QByteArray("a\r\nb\r\n") << (qint64(512) << 20) << false << QStringList{"a", "b", limitOfNul};
}

void TestHistoryFileHostile::hugeFiles() {
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(bool, written);
    QFETCH(QStringList, firstLines);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(head), head.size());
        if (written) {
            const QByteArray chunk(4 << 20, 'x');
            while (file.size() < size)
                QVERIFY(file.write(chunk.constData(), qMin<qint64>(chunk.size(), size - file.size())) > 0);
            QVERIFY(file.write("\r\nentry\r\n") > 0);
        } else {
            QVERIFY(file.resize(size));
        }
    }
    const HistoryFile::LoadResult result = HistoryFile::Load(path);
    VerifyBoundedLoad(result);
    QCOMPARE(result.lines, firstLines);

    // Saving over it leaves an ordinary eight-line file.
    const History::Slots texts = SlotsOf(result.lines);
    QCOMPARE(HistoryFile::Save(path, texts), QString());
    QCOMPARE(ReadFile(path), HistoryFile::Encode(texts));
}

void TestHistoryFileHostile::loadFromOddPlaces_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("exists");
    QTest::newRow("directory") << "directory" << true;
    QTest::newRow("FIFO") << "fifo" << true;
    QTest::newRow("character device") << "device" << true;
    QTest::newRow("symbolic link to a directory") << "link to directory" << true;
    // Nothing readable there: an absent history, as for no file at all.
    QTest::newRow("symbolic link loop") << "loop" << false;
    QTest::newRow("dangling symbolic link") << "dangling" << false;
    QTest::newRow("under a regular file") << "under file" << false;
}

// Something in the file's place: reported (or taken as no history), never waited on or read.
void TestHistoryFileHostile::loadFromOddPlaces() {
    QFETCH(QString, kind);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    QString path = dir.filePath(HistoryFile::FileName);
    const QByteArray native = QFile::encodeName(path);
    if (kind == "directory")
        QVERIFY(QDir(dir.path()).mkdir(HistoryFile::FileName));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(native.constData(), 0644), 0);
    else if (kind == "device")
        QCOMPARE(symlink("/dev/zero", native.constData()), 0);
    else if (kind == "link to directory")
        QVERIFY(QDir(dir.path()).mkdir("sub") && symlink("sub", native.constData()) == 0);
    else if (kind == "loop")
        QCOMPARE(symlink(HistoryFile::FileName.toUtf8().constData(), native.constData()), 0);
    else if (kind == "dangling")
        QCOMPARE(symlink("gone.log", native.constData()), 0);
    else if (kind == "under file") {
        QVERIFY(WriteFile(dir.filePath("plain"), "a\r\n"));
        path = dir.filePath("plain/Quillet.log");
    }

    const HangGuard guard(20);
    const HistoryFile::LoadResult result = HistoryFile::Load(path);
    QCOMPARE(result.exists, exists);
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(result.error.isEmpty(), !exists);
}

void TestHistoryFileHostile::saveToOddPlaces_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("saves");
    // A directory is kept, never replaced, and the failure is reported.
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("symbolic link to a directory") << "link to directory" << false;
    QTest::newRow("under a regular file") << "under file" << false;
    QTest::newRow("under a missing directory") << "under missing" << false;
    // A pipe is replaced by the file rather than waited on for a reader.
    QTest::newRow("FIFO") << "fifo" << true;
    QTest::newRow("symbolic link loop") << "loop" << true;
    QTest::newRow("dangling symbolic link") << "dangling" << true;
}

void TestHistoryFileHostile::saveToOddPlaces() {
    QFETCH(QString, kind);
    QFETCH(bool, saves);
    QTemporaryDir dir;
    QString path = dir.filePath(HistoryFile::FileName);
    const QByteArray native = QFile::encodeName(path);
    if (kind == "directory")
        QVERIFY(QDir(dir.path()).mkdir(HistoryFile::FileName));
    else if (kind == "link to directory")
        QVERIFY(QDir(dir.path()).mkdir("sub") && symlink("sub", native.constData()) == 0);
    else if (kind == "under file") {
        QVERIFY(WriteFile(dir.filePath("plain"), "a\r\n"));
        path = dir.filePath("plain/Quillet.log");
    } else if (kind == "under missing")
        path = dir.filePath("missing/Quillet.log");
    else if (kind == "fifo")
        QCOMPARE(mkfifo(native.constData(), 0644), 0);
    else if (kind == "loop")
        QCOMPARE(symlink(HistoryFile::FileName.toUtf8().constData(), native.constData()), 0);
    else if (kind == "dangling")
        QCOMPARE(symlink("gone.log", native.constData()), 0);
    const QStringList before = Entries(dir.path());

    QString error;
    {
        const HangGuard guard(20);
        error = HistoryFile::Save(path, OldSlots);
    }
    if (!saves) {
        QVERIFY(!error.isEmpty());
        // Nothing is replaced and nothing is left behind.
        QCOMPARE(Entries(dir.path()), before);
        if (kind.contains("directory"))
            QVERIFY(QFileInfo(dir.filePath(HistoryFile::FileName)).isDir());
        if (kind == "under file")
            QCOMPARE(ReadFile(dir.filePath("plain")), QByteArray("a\r\n"));
        return;
    }
    QCOMPARE(error, QString());
    QCOMPARE(ReadFile(path), HistoryFile::Encode(OldSlots));
    QCOMPARE(HistoryFile::Load(path).lines, QStringList(OldSlots.begin(), OldSlots.end()));
}

void TestHistoryFileHostile::unreadableFile() {
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther));
    const QString path = dir.filePath(HistoryFile::FileName);
    QVERIFY(WriteFile(path, HistoryFile::Encode(OldSlots)));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));

    const AsOrdinaryUser user;
    if (!user.Active())
        QSKIP("cannot act as an ordinary user here");
    const HistoryFile::LoadResult result = HistoryFile::Load(path);
    QVERIFY(result.exists);
    QVERIFY(result.lines.isEmpty());
    QVERIFY(!result.error.isEmpty());
}

// A directory the user may not write to: the save fails with a reason and the old file stays.
void TestHistoryFileHostile::readOnlyDirectory() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    const QByteArray old = HistoryFile::Encode(OldSlots);
    QVERIFY(WriteFile(path, old));
    // Readable and searchable for everyone, writable for nobody but root.
    const auto everyone =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    const auto permissions = QFile::permissions(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), everyone));
    QVERIFY(QFile::setPermissions(path,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));

    QString error;
    {
        const AsOrdinaryUser user;
        if (!user.Active()) {
            QFile::setPermissions(dir.path(), permissions);
            QSKIP("cannot act as an ordinary user here");
        }
        error = HistoryFile::Save(path, LongSlots(QChar(0x4E2D), 100));
    }
    QVERIFY(QFile::setPermissions(dir.path(), permissions));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(Entries(dir.path()), QStringList{HistoryFile::FileName});
}

// A read-only file system stops root too.
void TestHistoryFileHostile::readOnlyFileSystem() {
    QTemporaryDir dir;
    TinyTmpfs tmpfs(dir.path(), 64 * 1024);
    if (!tmpfs.Mounted())
        QSKIP("cannot mount a tmpfs here");
    const QString path = dir.filePath(HistoryFile::FileName);
    const QByteArray old = HistoryFile::Encode(OldSlots);
    QVERIFY(WriteFile(path, old));
    QVERIFY(tmpfs.MakeReadOnly());

    QVERIFY(!HistoryFile::Save(path, LongSlots(QLatin1Char('x'), 10)).isEmpty());
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(HistoryFile::Load(path).lines, QStringList(OldSlots.begin(), OldSlots.end()));
}

void TestHistoryFileHostile::diskFull_data() {
    QTest::addColumn<qint64>("room"); // bytes that can still be written
    QTest::addColumn<bool>("fits");
    // The new file is about 33 000 bytes; the old one stays beside it until the new one is complete.
    for (qint64 room : {0, 1, 100, 4096, 10000, 20000, 30000})
        QTest::addRow("%lld bytes free", room) << room << false;
    QTest::newRow("room enough") << qint64(48 * 1024) << true;
}

// The disk fills up part-way through the save: on a tiny tmpfs where one can be mounted, else under
// a file size limit, which stops root as well.
void TestHistoryFileHostile::diskFull() {
    QFETCH(qint64, room);
    QFETCH(bool, fits);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    const History::Slots newSlots = LongSlots(QLatin1Char('n'), 4096);
    const QByteArray old = HistoryFile::Encode(OldSlots);

    TinyTmpfs tmpfs(dir.path(), 128 * 1024);
    QString error;
    if (tmpfs.Mounted()) {
        qInfo("on a tmpfs of 128 KiB");
        QVERIFY(WriteFile(path, old));
        // A filler takes all but `room` bytes; tmpfs counts whole pages, so round up.
        const qint64 page = 4096;
        const qint64 fill = tmpfs.FreeBytes() - (room + page - 1) / page * page;
        QVERIFY(fill >= 0);
        QVERIFY(WriteFile(dir.filePath("filler"), QByteArray(fill, '\0')));
        error = HistoryFile::Save(path, newSlots);
        QVERIFY(QFile::remove(dir.filePath("filler")));
    } else {
        qInfo("under a file size limit (no tmpfs can be mounted here)");
        QVERIFY(WriteFile(path, old));
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = previous;
        tight.rlim_cur = rlim_t(room);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        error = HistoryFile::Save(path, newSlots);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

    QCOMPARE(Entries(dir.path()), QStringList{HistoryFile::FileName});
    if (fits) {
        QCOMPARE(error, QString());
        QCOMPARE(ReadFile(path), HistoryFile::Encode(newSlots));
    } else {
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadFile(path), old);
    }
}

// A process killed at any moment of its save leaves the old file or the new one, never a mix.
void TestHistoryFileHostile::killedWhileSaving() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFile::FileName);
    const QByteArray old = HistoryFile::Encode(OldSlots);
    const History::Slots first = LongSlots(QChar(0x4E2D), 3000);
    const History::Slots second = LongSlots(QChar(0x6587), 2000);
    const QByteArray firstBytes = HistoryFile::Encode(first);
    const QByteArray secondBytes = HistoryFile::Encode(second);
    QVERIFY(WriteFile(path, old));

    QRandomGenerator random(20130123);
    int sawFirst = 0;
    int sawSecond = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (;;) {
                if (!HistoryFile::Save(path, first).isEmpty() || !HistoryFile::Save(path, second).isEmpty())
                    _exit(1);
            }
        }
        usleep(useconds_t(random.bounded(200, 20000)));
        kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFSIGNALED(status), "the saving process failed before it was killed");

        const QByteArray now = ReadFile(path);
        QVERIFY2(
            now == old || now == firstBytes || now == secondBytes,
            qPrintable(QStringLiteral("round %1: %2 bytes of mixed content").arg(round).arg(now.size())));
        sawFirst += now == firstBytes;
        sawSecond += now == secondBytes;
    }
    qInfo("killed 60 times: old file %d, first content %d, second content %d times",
          60 - sawFirst - sawSecond, sawFirst, sawSecond);
    // Both contents were seen, so the kills did land among the saves.
    QVERIFY(sawFirst > 0 && sawSecond > 0);
    const HistoryFile::LoadResult result = HistoryFile::Load(path);
    VerifyBoundedLoad(result);
}

QTEST_GUILESS_MAIN(TestHistoryFileHostile)
#include "tst_historyfile_hostile.moc"
