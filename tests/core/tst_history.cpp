// The eight slots, their file byte for byte whatever holds or blocks it, where it lives; both GBK converters.
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
#include <cstdlib>

const QString Bad(QChar::ReplacementCharacter);
const QByteArray Crlf = "\r\n", Wednesday = "2013/1/23(\xD0\xC7\xC6\xDA\xC8\xFD)"; // "2013/1/23(星期三)"
const qsizetype Limit = HistoryFile::ReadLimit;
const auto Readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                      QFile::ReadOther | QFile::ExeOther;

class TestHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    // Permissions stop an ordinary user but not root: as root, the rest of the case runs as "nobody".
    static bool AsOrdinaryUser() { return SystemSeam::ActAsOrdinaryUser(); }
    template <typename... T> static void Row(const char* name, const T&... values) {
        (QTest::newRow(name) << ... << values);
    }
    QString Path() const { return dir.filePath(HistoryFile::FileName); }

    // Saves the lines as the eight slots and reads them back; the save's reason when it fails.
    QStringList SaveAndLoad(const QStringList& lines) const {
        History::Slots texts;
        std::copy_n(lines.begin(), qMin(lines.size(), qsizetype(History::SlotCount)), texts.begin());
        const QString error = HistoryFile::Save(Path(), texts);
        return error.isEmpty() ? HistoryFile::Load(Path()).lines : QStringList{error};
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("systemConverter");
        QTest::newRow("Qt's converter") << false;
        QTest::newRow("the system's converter") << true;
    }

    void cleanup() { QVERIFY(SystemSeam::ActAsSelf()); }

    void init() {
        QFETCH_GLOBAL(bool, systemConverter);
        if (!systemConverter && !QStringDecoder("GBK").isValid())
            QSKIP("this Qt has no GBK converter (built without ICU)");
        GbkCodec::UseSystemConverter(systemConverter);
        // What a case made read-only can be removed, and an ordinary user may pass through.
        for (const QString& folder : {dir.filePath("program"), dir.path()})
            QFile::setPermissions(folder, Readable | QFile::WriteOwner);
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path()) &&
                QFile::setPermissions(dir.path(), Readable | QFile::WriteOwner));
    }

    void addFillsTheFirstFreeSlotElseShifts() {
        History history;
        for (int k = 0; k < History::SlotCount; ++k) // a blank text is an entry
            history.SetSlot(k, QStringList{" ", "b", "c", "", "e", "f", "g", "h"}[k]);
        QCOMPARE(history.Add("n"), 3);
        QCOMPARE(history.Add("n"), 7); // a full list shifts; a duplicate is added again
        QCOMPARE(history.ShanShuoIndex(), 7);
        QCOMPARE(QStringList(history.AllSlots().begin(), history.AllSlots().end()),
                 QString("b c n e f g h n").split(' '));
    }

    void loadsBoundedAndSavesBackWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // the lines read; "*": any
        QTest::addColumn<QByteArray>("saved");  // the bytes then saved, when given
        QTest::addColumn<qint64>("sparseSize"); // the file is extended with NULs to this size first
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& lines,
                            const QByteArray& saved = {},
                            qint64 size = 0) { QTest::newRow(name) << bytes << lines << saved << size; };
        row("GBK with the euro sign as 0x80, free slot, blank entry", Wednesday + "\r\n\r\n \r\n\x80",
            {QStringLiteral("2013/1/23(星期三)"), "", " ", "€"},
            Wednesday + "\r\n\r\n \r\n\x80" + Crlf.repeated(5));
        row("empty file", "", {}, Crlf.repeated(8));
        row("CR LF or CR ends a line, a lone LF stays, the last needs no end", "a\nb\r\nc\r\rd\n\re",
            {"a\nb", "c", "", "d\n", "e"});
        row("ten lines: eight read", "1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r",
            QString("1 2 3 4 5 6 7 8").split(' '));
        // A broken character (a bad trail byte, one cut off by the line's or file's end, 0xFF, the user-
        // defined areas AAA1- and A140-) becomes U+FFFD, saved as '?', never taking the next byte along.
        row("broken characters", "a\x81 b\x81\nc\xD0\r\n\xFF\xAA\xA1\xA1\x40x\xD0",
            {"a" + Bad + " b" + Bad + "\nc" + Bad, Bad + Bad + Bad + "x" + Bad},
            "a? b?\nc?\r\n???x?" + Crlf.repeated(7));
        // Lines are cut at the limit, a character across it too; the rest up to the line end goes.
        row("long lines cut at the limit",
            QByteArray(Limit * 3, 'x') + "\r" + QByteArray(Limit - 1, 'x') + "\xD6\xD0\r\na\r\nb",
            {QString(Limit, 'x'), QString(Limit - 1, 'x') + Bad, "a", "b"});
        row("eight full lines of double-byte characters",
            (QByteArray(Limit / 2, 'x').replace("x", "\xD6\xD0") + "\r").repeated(History::SlotCount), {"*"});
        // A terabyte without line ends: reading it whole would never end.
        row("entries, then a terabyte of NULs", "a\r\nb\r\n", {"a", "b", QString(Limit, QChar(0))}, {},
            qint64(1) << 40);
        QRandomGenerator random(20130123);
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = QByteArrayView("\r\n\0\x81\xA1\xD0\xFE\xFF\x80\x7F/09a", 14)[random.bounded(14)];
        row("random line ends, NULs and lead bytes", bytes, {"*"});
    }
    // Whatever a file held, loading it is bounded, and what is then saved reads back whole (nothing
    // cut off) and settles: a second save and load changes nothing more.
    void loadsBoundedAndSavesBackWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, saved);
        QFETCH(qint64, sparseSize);
        QVERIFY(WriteFile(Path(), bytes) && (sparseSize == 0 || QFile::resize(Path(), sparseSize)));
        const HistoryFile::LoadResult first = HistoryFile::Load(Path());
        QCOMPARE(first.error, QString());
        if (lines != QStringList{"*"})
            QCOMPARE(first.lines, lines);
        const QStringList second = SaveAndLoad(first.lines);
        if (!saved.isNull())
            QCOMPARE(ReadFile(Path()), saved);
        for (int k = 0; k < History::SlotCount; ++k)
            QCOMPARE(second.value(k).size(), first.lines.value(k).size());
        QCOMPARE(SaveAndLoad(second), second);
    }

    void savesWhatGbkCannotHoldAsOneQuestionMarkEach() { // emoji, soft hyphen, lone surrogate, private use
        SaveAndLoad({QString::fromUtf16(u"a\U0001F600b\u00ADc\xD800z\uE000e")});
        QCOMPARE(ReadFile(Path()), "a?b?c?z?e" + Crlf.repeated(8));
    }

    void failuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("loadReason"); // "": read without complaint
        QTest::addColumn<QString>("saveReason"); // "": saved
        const char* const folder = "该位置是一个文件夹，不是文件";
        Row("a folder in its place", "folder", folder, folder);
        Row("a pipe in its place, never waited on", "pipe", "该位置不是普通文件", "");
        Row("no read or write permission", "unreadable", "没有权限", "没有权限");
        Row("read-only folder", "read-only folder", "", "没有权限");
        // The disk fills up, as far as this process can tell; the reason is the system's.
        Row("file size limit reached before the new file is complete", "full", "", qt_error_string(EFBIG));
    }
    void failuresKeepTheOldFile() {
        QFETCH(QString, kind);
        QFETCH(QString, loadReason);
        QFETCH(QString, saveReason);
        const History::Slots old = {"2013/1/23(星期三)的100天之后是：2013/5/3(星期五)", "a"},
                             fresh = {QString(33000, 'n')};
        if (kind == "pipe" && !SystemSeam::MakePipe(Path()))
            QSKIP("this system has no named pipes among files");
        QVERIFY(kind == "folder" ? QDir(dir.path()).mkdir(HistoryFile::FileName)
                                 : kind == "pipe" || WriteFile(Path(), HistoryFile::Encode(old)));
        if (kind == "unreadable" && !QFile::setPermissions(Path(), {}))
            QSKIP("this system cannot take a file's read permission away");
        QVERIFY(kind != "read-only folder" || QFile::setPermissions(dir.path(), Readable));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        if ((kind == "unreadable" || kind == "read-only folder") && !AsOrdinaryUser())
            QSKIP("cannot act as an ordinary user here");
        if (kind == "full" && !SystemSeam::LimitFileSize(30000)) // the new file has some 33000 bytes
            QSKIP("this system cannot limit a file's size");
        SystemSeam::EndAfter(20); // a hang kills the test instead
        const HistoryFile::LoadResult loaded = HistoryFile::Load(Path());
        const QString error = HistoryFile::Save(Path(), fresh);
        SystemSeam::EndAfter(0);
        SystemSeam::LiftFileSizeLimit();
        QCOMPARE(loaded.error, loadReason);
        QCOMPARE(error, saveReason);
        if (!error.isEmpty()) // nothing replaced, nothing left behind
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
        if (kind != "folder" && kind != "unreadable") // unreadable to the ordinary user checking it
            QCOMPARE(ReadFile(Path()), HistoryFile::Encode(error.isEmpty() ? fresh : old));
    }

    // A process killed at any moment of its save leaves the old file or the new one, never a mix.
    void killedWhileSaving() {
        // Long entries, so that writing them takes many pages and some time.
        const History::Slots texts[] = {{"old"}, {QString(24000, u'中')}, {QString(16000, u'文')}};
        const QByteArrayList contents = {HistoryFile::Encode(texts[0]), HistoryFile::Encode(texts[1]),
                                         HistoryFile::Encode(texts[2])};
        QVERIFY(WriteFile(Path(), contents[0]));
        int seen[4] = {}; // a mix, then each of the three contents
        // Until the kills have landed among both saves; a slow build waits longer before each kill.
        for (int round = 0; round < 60 || (round < 400 && !(seen[2] && seen[3])); ++round) {
            const auto killed = SystemSeam::KillWhileRunning(
                [&] { // saves the two in turn until killed
                    if (!(HistoryFile::Save(Path(), texts[1]) + HistoryFile::Save(Path(), texts[2]))
                             .isEmpty())
                        std::_Exit(1);
                },
                std::chrono::microseconds(QRandomGenerator::global()->bounded(200, 20000 + 500 * round)));
            if (!killed)
                QSKIP("this system cannot fork a process to kill it");
            QVERIFY(*killed);
            ++seen[contents.indexOf(ReadFile(Path())) + 1];
        }
        QCOMPARE(seen[0], 0);
        QVERIFY(seen[2] > 0 && seen[3] > 0);
    }

    void location_data() {
        QTest::addColumn<QString>("setting"); // "installed", "read-only"; a history in "program", "data"
        QTest::addColumn<QString>("places");  // the folders it is read from and written to
        Row("a carried copy keeps it beside itself", "data", "program program");
        Row("installed: the data folder, whoever runs it", "installed program", "data data");
        Row("read-only folder: read beside until the data folder has one", "read-only program",
            "program data");
        Row("read-only folder, data folder has one", "read-only program data", "data data");
        Row("read-only folder, no history yet", "read-only", "data data");
    }
    void location() {
        QFETCH(QString, setting);
        QFETCH(QString, places);
        const QString program = dir.filePath("program"), data = dir.filePath("data");
        // The install folder is named through a link, as /bin names /usr/bin; where a link is no folder
        // (a Windows shortcut), in other letters' case, as Windows paths may be.
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(data) && QFile::link(program, dir.filePath("bin")));
        const QString bin = QFileInfo(dir.filePath("bin")).isDir() ? "bin" : "PROGRAM";
        for (const QString place : {"program", "data"})
            QVERIFY(!setting.contains(place) || WriteFile(HistoryFile::PathIn(dir.filePath(place)), "a"));
        QVERIFY(!setting.contains("read-only") || QFile::setPermissions(program, Readable));
        if (setting.contains("read-only") && !AsOrdinaryUser())
            QSKIP("cannot act as an ordinary user here");
        // Doubled and trailing separators, as in a drive's root "C:/", leave one in the path.
        const HistoryPlaces chosen = HistoryLocation::Choose(
            dir.path() + "//program/", dir.filePath(setting.contains("installed") ? bin : "x"), data);
        QCOMPARE(
            QString(chosen.readPath + " " + chosen.writePath).remove(dir.path() + "/").remove("/Quillet.log"),
            places);
        QCOMPARE(QDir(program).entryList(QDir::Hidden | QDir::Files).size(),
                 setting.contains("program") ? 1 : 0); // nothing left behind
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
