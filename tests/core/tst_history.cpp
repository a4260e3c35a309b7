#include "core/ColourCycle.h"
#include "core/History.h"
#include "core/HistoryFile.h"
#include "core/HistoryLocation.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Bad(QChar::ReplacementCharacter);
const QByteArray WednesdayGbk = "2013/1/23(\xD0\xC7\xC6\xDA\xC8\xFD)"; // "2013/1/23(星期三)"

QStringList Texts(const History::Slots& texts) {
    return QStringList(texts.begin(), texts.end());
}

} // namespace

// The eight-slot history, its blink colour step, and its file "Quillet.log": path, bytes, reading,
// writing and where it lives.
class TestHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString Path() const { return dir.filePath("Quillet.log"); }

private slots:
    void init() { QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path())); }

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

    void pathAndEightGbkLines() {
        QCOMPARE(HistoryFile::PathIn("/opt//brenmoor"), "/opt/brenmoor/Quillet.log");
        QCOMPARE(HistoryFile::PathIn("C:/"), "C:/Quillet.log");
        History::Slots texts = {QStringLiteral("2013/1/23(星期三)"), "", " "};
        QCOMPARE(HistoryFile::Encode(texts), WednesdayGbk + "\r\n\r\n \r\n\r\n\r\n\r\n\r\n\r\n");
    }

    void decodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("lone LF stays, no last end") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("mixed") << QByteArray("a\r\rb\r\n\r\nc\n\r") << QStringList{"a", "", "b", "", "c\n"};
        QTest::newRow("ten lines") << QByteArray("1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r")
                                   << QString("1 2 3 4 5 6 7 8").split(' ');
        QTest::newRow("GBK") << WednesdayGbk << QStringList{QStringLiteral("2013/1/23(星期三)")};
        QTest::newRow("invalid trail byte") << QByteArray("a\x81 b") << QStringList{"a" + Bad + " b"};
        QTest::newRow("cut-off character")
            << QByteArray("a\xD0\r\nb\xD0") << QStringList{"a" + Bad, "b" + Bad};
    }
    void decodes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(HistoryFile::Decode(bytes), lines);
    }

    void decodeSurvivesRandomBytes() {
        QRandomGenerator random(20130123);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(random.bounded(2000), Qt::Uninitialized);
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            const QStringList lines = HistoryFile::Decode(bytes);
            QVERIFY(lines.size() <= History::SlotCount && !lines.join(QString()).contains('\r'));
        }
    }

    void loadsOnlyTheStartOfAHugeFile() {
        QFile file(Path());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(6) << 30)); // sparse, no line end
        file.close();
        QElapsedTimer timer;
        timer.start();
        const HistoryFile::LoadResult result = HistoryFile::Load(Path());
        QVERIFY2(timer.elapsed() < 5000, "loading took too long");
        QVERIFY(result.error.isEmpty() && result.lines.size() == 1);
        QCOMPARE(result.lines[0].size(), HistoryFile::ReadLimit);
    }

    void interruptedSaveKeepsOldFile() {
        const QByteArray old = HistoryFile::Encode({"old entry"});
        QVERIFY(WriteFile(Path(), old));
        // A file size limit makes the write fail part-way, like a full disk, even for root.
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const rlimit tight{16, previous.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const QString error = HistoryFile::Save(Path(), {"a new entry longer than sixteen bytes"});
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadFile(Path()), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quillet.log"});
    }

    void locationIsProgramDirOnlyWhenWritable() {
        QStandardPaths::setTestModeEnabled(true);
        const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(HistoryLocation::Directory(dir.path()), dir.path());
        QVERIFY2(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 "probe left");
        QVERIFY(WriteFile(Path(), ""));
        // /proc takes no new files even from root, though it claims to be writable.
        for (const QString& unusable :
             {dir.filePath("missing"), Path(), Path() + "/sub", QString(), QString("/proc")}) {
            QVERIFY(QDir(appData).removeRecursively());
            QCOMPARE(HistoryLocation::Directory(unusable), appData);
            QVERIFY2(WriteFile(QDir(appData).filePath("Quillet.log"), "x"), qPrintable(unusable));
        }
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
