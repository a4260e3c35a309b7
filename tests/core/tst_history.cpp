#include "core/GbkCodec.h"
#include "core/History.h"
#include "core/HistoryFile.h"
#include "core/HistoryLocation.h"
#include "support/FileBytes.h"
#include "support/SystemSeam.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

const QString Bad(QChar::ReplacementCharacter);
const qsizetype Limit = HistoryFile::ReadLimit;
const QFile::Permissions Readable(0x5555), Open(0x7755); // r-x for all; and owner's w
enum Blocker { Folder, Pipe, Unreadable, ReadOnlyFolder, FullDisk };
enum Setting { Carried, Installed, ReadOnly };

class TestHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString Path() const { return dir.filePath(HistoryFile::FileName); }
    template <typename... T> static void Row(const char* name, const T&... values) {
        (QTest::newRow(name) << ... << values);
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("systemConverter");
        QTest::newRow("Qt's converter") << false;
        QTest::newRow("the system's converter") << true;
    }
    void init() {
        QFETCH_GLOBAL(bool, systemConverter);
        if (!systemConverter && !QStringDecoder("GBK").isValid())
            QSKIP("this Qt has no GBK converter");
        GbkCodec::UseSystemConverter(systemConverter);
        QFile::setPermissions(dir.filePath("program"), Open); // removable again
        QVERIFY(QFile::setPermissions(dir.path(), Open) && QDir(dir.path()).removeRecursively() &&
                QDir().mkpath(dir.path()) && QFile::setPermissions(dir.path(), Open));
    }
    void cleanup() { QVERIFY(SystemSeam::ActAsOrdinaryUser(false)); }

    void addFillsTheFirstFreeSlotElseShifts() {
        History history;
        for (int k = 0; k < History::SlotCount; ++k) // a blank text is an entry
            history.SetSlot(k, QString(" |b|c||e|f|g|h").split('|')[k]);
        QCOMPARE(history.Add("n"), 3);
        QCOMPARE(history.Add("n"), 7); // a full list shifts; a duplicate is added again
        QCOMPARE(QStringList(history.AllSlots().begin(), history.AllSlots().end()).join('|'),
                 "b|c|n|e|f|g|h|n");
    }

    void encodesEightGbkLinesEndingCrLf() { // unencodable: emoji, soft hyphen, lone surrogate, private use
        QCOMPARE(HistoryFile::Encode(
                     {"中", "", " ", "€", QString::fromUtf16(u"a\U0001F600b\u00ADc\xD800z\uE000e")}),
                 "\xD6\xD0\r\n\r\n \r\n\x80\r\na?b?c?z?e" + QByteArray("\r\n").repeated(4));
    }

    void loadsBoundedAndSavesBackWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // when given
        QTest::addColumn<bool>("whole");        // the lines carry the file whole
        QTest::addColumn<qint64>("size");       // the file extended with NULs to this size first
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& lines, bool whole,
                            qint64 size = 0) { QTest::newRow(name) << bytes << lines << whole << size; };
        row("GBK, the euro sign as 0x80, a free slot, a blank entry", "\xD6\xD0\r\n\r\n \r\n\x80",
            {"中", "", " ", "€"}, true);
        row("CR LF or CR ends a line, a lone LF stays; eight lines read", "a\nb\r\nc\r\rd\n\re\r6\r7\r8\r9",
            {"a\nb", "c", "", "d\n", "e", "6", "7", "8"}, false);
        // Bad trail byte, lead byte cut by the line's or file's end, 0xFF, user-defined areas AAA1-, A140-.
        row("broken characters", "a\x81 b\x81\nc\xD0\r\n\xFF\xAA\xA1\xA1\x40x\xD0",
            {"a" + Bad + " b" + Bad + "\nc" + Bad, Bad + Bad + Bad + "x" + Bad}, false);
        row("long lines cut at the limit, a character across it too",
            QByteArray(Limit * 3, 'x') + "\r" + QByteArray(Limit - 1, 'x') + "\xD6\xD0\r\na",
            {QString(Limit, 'x'), QString(Limit - 1, 'x') + Bad, "a"}, false);
        row("eight full lines of double-byte characters",
            (QByteArray(Limit / 2, 'x').replace("x", "\xD6\xD0") + "\r").repeated(8), {}, true);
        row("a line, then a terabyte of NULs", "a\r\n", {"a", QString(Limit, QChar(0))}, false,
            qint64(1) << 40);
    }
    void loadsBoundedAndSavesBackWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(bool, whole);
        QFETCH(qint64, size);
        QVERIFY(WriteFile(Path(), bytes) && (size == 0 || QFile::resize(Path(), size)));
        const HistoryFile::LoadResult loaded = HistoryFile::Load(Path());
        QCOMPARE(loaded.error, QString());
        QCOMPARE(loaded.carriedWhole, whole);
        QVERIFY(lines.isEmpty() || loaded.lines == lines);
        History::Slots texts;
        std::copy(loaded.lines.begin(), loaded.lines.end(), texts.begin());
        QVERIFY(HistoryFile::Save(Path(), texts).isEmpty() && HistoryFile::Load(Path()).carriedWhole);
    }

    void failuresKeepTheOldFile_data() {
        QTest::addColumn<Blocker>("blocker");
        QTest::addColumn<QString>("loadReason"); // "": read without complaint
        QTest::addColumn<QString>("saveReason"); // "": saved
        const char* const folder = "该位置是一个文件夹，不是文件";
        Row("a folder", Folder, folder, folder);
        Row("a pipe, never waited on", Pipe, "该位置不是普通文件", "");
        Row("no read or write permission", Unreadable, "没有权限", "没有权限");
        Row("read-only folder", ReadOnlyFolder, "", "没有权限");
        Row("full disk: the file size limit", FullDisk, "", qt_error_string(EFBIG));
    }
    void failuresKeepTheOldFile() {
        QFETCH(Blocker, blocker);
        QFETCH(QString, loadReason);
        QFETCH(QString, saveReason);
        const History::Slots old = {"old"}, fresh = {QString(33000, 'n')};
        QVERIFY(blocker == Folder ? QDir(dir.path()).mkdir(HistoryFile::FileName)
                                  : blocker == Pipe || WriteFile(Path(), HistoryFile::Encode(old)));
        if (blocker == Unreadable && !QFile::setPermissions(Path(), {}))
            QSKIP("this system cannot take a file's read permission away");
        QVERIFY(blocker != ReadOnlyFolder || QFile::setPermissions(dir.path(), Readable));
        // Root passes permissions, so it acts as "nobody".
        if (blocker == Pipe       ? !SystemSeam::MakePipe(Path())
            : blocker == FullDisk ? !SystemSeam::LimitFileSize(30000)
                                  : blocker != Folder && !SystemSeam::ActAsOrdinaryUser())
            QSKIP("this system cannot set the case up");
        const QString loaded = HistoryFile::Load(Path()).error, error = HistoryFile::Save(Path(), fresh);
        SystemSeam::LimitFileSize(-1);
        QCOMPARE(loaded, loadReason);
        QCOMPARE(error, saveReason);
        if (blocker != Folder && blocker != Unreadable)
            QCOMPARE(ReadFile(Path()), HistoryFile::Encode(error.isEmpty() ? fresh : old));
    }

    void killedWhileSavingLeavesTheOldFileOrTheNewNeverAMix() {
        const History::Slots texts[] = {{"old"}, {QString(24000, u'中')}, {QString(16000, u'文')}};
        const QByteArrayList contents = {HistoryFile::Encode(texts[0]), HistoryFile::Encode(texts[1]),
                                         HistoryFile::Encode(texts[2])};
        QVERIFY(WriteFile(Path(), contents[0]));
        bool seen[3] = {};
        // Until kills have landed among both saves; a slow build waits longer before each kill.
        for (int round = 0; round < 60 || (round < 400 && !(seen[1] && seen[2])); ++round) {
            const auto killed = SystemSeam::KillWhileRunning(
                [&] { HistoryFile::Save(Path(), texts[1]), HistoryFile::Save(Path(), texts[2]); },
                std::chrono::microseconds(QRandomGenerator::global()->bounded(200, 20000 + 500 * round)));
            if (!killed)
                QSKIP("cannot fork a process here");
            const qsizetype k = contents.indexOf(ReadFile(Path()));
            QVERIFY(*killed && k >= 0);
            seen[k] = true;
        }
        QVERIFY(seen[1] && seen[2]);
    }

    void location_data() {
        QTest::addColumn<Setting>("setting");
        QTest::addColumn<QStringList>("holding"); // the folders holding a history
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("write");
        Row("carried: beside itself", Carried, QStringList{"data"}, "program", "program");
        Row("installed: the data folder", Installed, QStringList{"program"}, "data", "data");
        Row("read-only: read beside while the data folder has none", ReadOnly, QStringList{"program"},
            "program", "data");
        Row("read-only, the data folder has one", ReadOnly, QStringList{"program", "data"}, "data", "data");
    }
    void location() {
        QFETCH(Setting, setting);
        QFETCH(QStringList, holding);
        QFETCH(QString, read);
        QFETCH(QString, write);
        const QString program = dir.filePath("program");
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(dir.filePath("data")));
        for (const QString& place : holding)
            QVERIFY(WriteFile(HistoryFile::PathIn(dir.filePath(place)), "a"));
        if (setting == ReadOnly &&
            !(QFile::setPermissions(program, Readable) && SystemSeam::ActAsOrdinaryUser()))
            QSKIP("cannot make a folder read-only here");
        // Named otherwise than the install folder; doubled and trailing separators, as in "C:/", leave one.
        const HistoryPlaces chosen = HistoryLocation::Choose(
            dir.path() + "//program/", setting == Installed ? program : "", dir.filePath("data"));
        QCOMPARE(chosen.readPath, HistoryFile::PathIn(dir.filePath(read)));
        QCOMPARE(chosen.writePath, HistoryFile::PathIn(dir.filePath(write)));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
