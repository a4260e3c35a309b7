// The eight-slot history, its blink colour step, its file "Quillet.log" byte for byte, whatever it
// holds, and where the file lives. Every case runs with Qt's GBK converter and with the system's.
#include "core/ColourCycle.h"
#include "core/GbkCodec.h"
#include "core/History.h"
#include "core/HistoryFile.h"
#include "core/HistoryLocation.h"
#include "support/FileBytes.h"
#include "support/OrdinaryUser.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Bad(QChar::ReplacementCharacter);
const QByteArray WednesdayGbk = "2013/1/23(\xD0\xC7\xC6\xDA\xC8\xFD)"; // "2013/1/23(星期三)"
const qsizetype Limit = HistoryFile::ReadLimit;

QStringList Texts(const History::Slots& texts) {
    return QStringList(texts.begin(), texts.end());
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString Path() const { return dir.filePath("Quillet.log"); }

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("systemConverter");
        QTest::newRow("Qt's converter") << false;
        QTest::newRow("the system's converter") << true;
    }

    void init() {
        QFETCH_GLOBAL(bool, systemConverter);
        if (!systemConverter && !QStringDecoder("GBK").isValid())
            QSKIP("this Qt has no GBK converter (built without ICU)");
        GbkCodec::UseSystemConverter(systemConverter);
        QVERIFY(GbkCodec::Available());
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path()));
    }

    void addFillsTheFirstFreeSlotElseShifts() {
        History history;
        QStringList texts = {" ", "b", "c", "", "e", "f", "g", "h"}; // a blank text is an entry
        for (int k = 0; k < History::SlotCount; ++k)
            history.SetSlot(k, texts[k]);
        QCOMPARE(history.Add("n"), 3); // the gap is filled without a shift
        texts[3] = "n";
        QCOMPARE(Texts(history.AllSlots()), texts);
        QCOMPARE(history.Add("n"), 7); // a full list shifts; a duplicate is added again
        QCOMPARE(history.ShanShuoIndex(), 7);
        QCOMPARE(Texts(history.AllSlots()), QString("b c n e f g h n").split(' '));
    }

    void colourStep() {
        for (auto [tag, next] : {std::pair("", 1), {"12", 14}, {"14", 1}, {"7", 1}, {"abc", 1}})
            QVERIFY2(ColourCycle::NextIndex(tag) == next, tag);
    }

    void savesEightGbkLines_data() {
        QTest::addColumn<QString>("text"); // slot 0's, before a free slot and a blank entry
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("date entry") << QStringLiteral("2013/1/23(星期三)") << WednesdayGbk;
        QTest::newRow("euro sign is 0x80") << QStringLiteral("€") << QByteArray("\x80");
        // Emoji, soft hyphen, lone surrogate, private use: each becomes one '?'.
        QTest::newRow("what GBK cannot hold becomes '?'") << QString::fromUtf16(u"a\U0001F600b\u00ADc\xD800"
                                                                                u"d\uE000e")
                                                          << QByteArray("a?b?c?d?e");
    }
    void savesEightGbkLines() {
        QFETCH(QString, text);
        QFETCH(QByteArray, line);
        QCOMPARE(HistoryFile::Save(Path(), {text, "", " "}), QString());
        QCOMPARE(ReadFile(Path()), line + "\r\n\r\n \r\n" + QByteArray("\r\n").repeated(5));
        if (!line.contains('?'))
            QCOMPARE(HistoryFile::Load(Path()).lines, QStringList({text, "", " ", "", "", "", "", ""}));
    }

    void loadsBoundedAndSavesBackWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // the lines read; "*": any
        QTest::addColumn<qint64>("sparseSize"); // the file is then extended with NULs to this size
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& lines,
                            qint64 size = 0) { QTest::newRow(name) << bytes << lines << size; };
        row("empty file", "", {});
        row("CR LF", "a\r\nb\r\n", {"a", "b"});
        row("lone LF stays, no last end", "a\nb\r\nc", {"a\nb", "c"});
        row("mixed", "a\r\rb\r\n\r\nc\n\r", {"a", "", "b", "", "c\n"});
        row("ten lines", "1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r", QString("1 2 3 4 5 6 7 8").split(' '));
        // A broken character becomes U+FFFD and never takes the byte after it along: dates stay readable.
        row("invalid trail byte", "a\x81 b\x81\nc", {"a" + Bad + " b" + Bad + "\nc"});
        row("cut-off character", "a\xD0\r\nb\xD0", {"a" + Bad, "b" + Bad});
        // 0xFF, then two user-defined characters (areas AAA1- and A140-): no text in Unicode.
        row("0xFF and user-defined areas", "\xFF\xAA\xA1\xA1\x40x", {Bad + Bad + Bad + "x"});
        // At the length limit of a line: a cut character, a line end just inside it, cut lines.
        const QString limitOfX(Limit, 'x');
        row("double-byte character across the limit", QByteArray(Limit - 1, 'x') + "\xD6\xD0",
            {limitOfX.left(Limit - 1) + Bad});
        row("long lines, then short ones",
            QByteArray(Limit * 3, 'x') + "\r" + QByteArray(Limit + 1, 'x') + "\r\na\r\nb",
            {limitOfX, limitOfX, "a", "b"});
        row("eight full lines of double-byte characters",
            (QByteArray(Limit / 2, 'x').replace("x", "\xD6\xD0") + "\r").repeated(History::SlotCount), {"*"});
        // A huge file without line ends never stalls the start.
        row("entries, then 512 MiB of NULs", "a\r\nb\r\n", {"a", "b", QString(Limit, QChar(0))},
            qint64(512) << 20);
        // Random megabytes: any byte, then mostly line ends, NULs and lead bytes.
        QRandomGenerator random(20130123);
        static const char awkward[] = "\r\n\0\x81\xA1\xD0\xFE\xFF\x80\x7F/09a";
        for (const bool anyByte : {true, false}) {
            QByteArray bytes(1 << 20, Qt::Uninitialized);
            for (char& byte : bytes)
                byte = anyByte ? char(random.bounded(256)) : awkward[random.bounded(int(sizeof awkward - 1))];
            row(anyByte ? "random bytes" : "random awkward bytes", bytes, {"*"});
        }
    }
    // Whatever a file held, loading it is bounded, and what is then saved reads back whole (nothing
    // cut off) and settles: a second save and load changes nothing more.
    void loadsBoundedAndSavesBackWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(qint64, sparseSize);
        QVERIFY(WriteFile(Path(), bytes) && (sparseSize == 0 || QFile::resize(Path(), sparseSize)));
        const HistoryFile::LoadResult first = HistoryFile::Load(Path());
        QCOMPARE(first.error, QString());
        QVERIFY(first.lines.size() <= History::SlotCount);
        for (const QString& line : first.lines)
            QVERIFY(!line.contains('\r') && line.size() <= Limit);
        if (lines != QStringList{"*"})
            QCOMPARE(first.lines, lines);

        History::Slots read;
        std::copy(first.lines.begin(), first.lines.end(), read.begin());
        QCOMPARE(HistoryFile::Save(Path(), read), QString());
        const QStringList second = HistoryFile::Load(Path()).lines;
        QCOMPARE(second.size(), History::SlotCount);
        for (int k = 0; k < History::SlotCount; ++k)
            QCOMPARE(second[k].size(), read[k].size());
        std::copy(second.begin(), second.end(), read.begin());
        QCOMPARE(HistoryFile::Save(Path(), read), QString());
        QCOMPARE(HistoryFile::Load(Path()).lines, second);
    }

    void location_data() {
        QTest::addColumn<QString>(
            "setting"); // "read-only" program folder, "installed", histories "beside", "data"
        QTest::addColumn<QString>("places"); // where the history is read, and where written
        const auto row = [](const char* name, const char* setting, const char* places) {
            QTest::newRow(name) << QString(setting) << QString(places);
        };
        row("a carried copy keeps it beside itself", "data", "beside beside");
        row("installed: the data folder, whoever runs it", "installed beside", "data data");
        row("read-only folder: read beside until the data folder has one", "read-only beside", "beside data");
        row("read-only folder, data folder has one", "read-only beside data", "data data");
        row("read-only folder, no history yet", "read-only", "data data");
    }
    void location() {
        QFETCH(QString, setting);
        QFETCH(QString, places);
        const QString program = dir.filePath("program"), data = dir.filePath("data");
        const auto path = [&](const QString& place) {
            return HistoryFile::PathIn(place == "beside" ? program : data);
        };
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(data));
        for (const QString place : {"beside", "data"})
            QVERIFY(!setting.contains(place) || WriteFile(path(place), "a"));
        // The install folder is named through a link, as /bin names /usr/bin.
        QVERIFY(QFile::link(program, dir.filePath("bin")));
        const bool readOnly = setting.contains("read-only");
        const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                              QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), readable | QFile::WriteOwner) &&
                QFile::setPermissions(program, readOnly ? readable : readable | QFile::WriteOwner));
        HistoryPlaces chosen;
        {
            const auto user = AsOrdinaryUser(readOnly);
            if (readOnly && geteuid() == 0)
                QSKIP("cannot act as an ordinary user here");
            chosen = HistoryLocation::Choose(program,
                                             dir.filePath(setting.contains("installed") ? "bin" : "x"), data);
        }
        QVERIFY(QFile::setPermissions(program, readable | QFile::WriteOwner));
        QCOMPARE(chosen.readPath + " " + chosen.writePath,
                 path(places.section(' ', 0, 0)) + " " + path(places.section(' ', 1)));
        QCOMPARE(QDir(program).entryList(QDir::Hidden | QDir::Files).size(),
                 setting.contains("beside") ? 1 : 0);
    }

    void pathJoinsFolderAndName() {
        QCOMPARE(HistoryFile::PathIn("/opt//brenmoor"), "/opt/brenmoor/Quillet.log");
        QCOMPARE(HistoryFile::PathIn("C:/"), "C:/Quillet.log");
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
