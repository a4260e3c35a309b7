#include "core/HistoryFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

const QString Replacement(QChar::ReplacementCharacter);

// "2013/1/23(星期三)" in GBK.
const QByteArray WednesdayGbk = QByteArray("2013/1/23(") + "\xD0\xC7\xC6\xDA\xC8\xFD" + ")";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

History::Slots TwoEntries() {
    return {QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"),
            QStringLiteral("2013/1/23(星期三)与2013/5/3(星期五)相差（100）天")};
}

} // namespace

class TestHistoryFile : public QObject {
    Q_OBJECT

private slots:
    void PathIn_data() {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/opt/brenmoor"
                               << "/opt/brenmoor/Quillet.log";
        QTest::newRow("root") << "/"
                              << "/Quillet.log";
        QTest::newRow("drive root") << "C:/"
                                    << "C:/Quillet.log";
        QTest::newRow("doubled inside") << "/opt//brenmoor"
                                        << "/opt/brenmoor/Quillet.log";
        QTest::newRow("network share") << "//server/share"
                                       << "//server/share/Quillet.log";
        QTest::newRow("empty") << ""
                               << "Quillet.log";
    }
    void PathIn() {
        QFETCH(QString, directory);
        QFETCH(QString, path);
        QCOMPARE(HistoryFile::PathIn(directory), path);
    }

    void EncodeWritesEightGbkLines() {
        History::Slots texts;
        texts[0] = QStringLiteral("2013/1/23(星期三)");
        texts[2] = QStringLiteral(" ");
        texts[7] = QStringLiteral("天之后是：");
        const QByteArray expected =
            WednesdayGbk + "\r\n\r\n \r\n\r\n\r\n\r\n\r\n" + "\xCC\xEC\xD6\xAE\xBA\xF3\xCA\xC7\xA3\xBA\r\n";
        QCOMPARE(HistoryFile::Encode(texts), expected);
        QCOMPARE(HistoryFile::Encode(History::Slots()), QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
    }

    void Decode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("lone LF stays") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("mixed") << QByteArray("a\r\rb\r\n\r\nc\n\r") << QStringList{"a", "", "b", "", "c\n"};
        QTest::newRow("no final terminator") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("LF after the last CR") << QByteArray("a\r\n\n") << QStringList{"a", "\n"};
        QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << QStringList{"", ""};
        QTest::newRow("ten lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n")
                                   << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
        QTest::newRow("GBK") << WednesdayGbk + "\r\n" << QStringList{QStringLiteral("2013/1/23(星期三)")};
        QTest::newRow("invalid trail byte") << QByteArray("a\x81 b") << QStringList{"a" + Replacement + " b"};
        QTest::newRow("cut-off character before CR")
            << QByteArray("a\xD0\r\nb") << QStringList{"a" + Replacement, "b"};
        QTest::newRow("cut-off character at the end")
            << QByteArray("a\xD0") << QStringList{"a" + Replacement};
    }
    void Decode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(HistoryFile::Decode(bytes), lines);
    }

    void DecodeSurvivesRandomBytes() {
        QRandomGenerator random(20130123);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(random.bounded(2000), Qt::Uninitialized);
            for (char& byte : bytes)
                byte = static_cast<char>(random.bounded(256));
            const QStringList lines = HistoryFile::Decode(bytes);
            QVERIFY(lines.size() <= History::SlotCount);
            for (const QString& line : lines)
                QVERIFY(!line.contains(QLatin1Char('\r')));
        }
    }

    void LoadMissingFile() {
        QTemporaryDir dir;
        const HistoryFile::LoadResult result = HistoryFile::Load(dir.filePath("Quillet.log"));
        QVERIFY(!result.exists);
        QVERIFY(result.lines.isEmpty());
        QVERIFY(result.error.isEmpty());
    }

    void LoadDirectoryReportsIt() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Quillet.log"));
        const HistoryFile::LoadResult result = HistoryFile::Load(dir.filePath("Quillet.log"));
        QVERIFY(result.exists);
        QVERIFY(result.lines.isEmpty());
        QVERIFY(!result.error.isEmpty());
    }

    void LoadUnreadableFileReportsIt() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("file permissions do not stop root from reading");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillet.log");
        QVERIFY(WriteFile(path, "a\r\n"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        const HistoryFile::LoadResult result = HistoryFile::Load(path);
        QVERIFY(result.exists);
        QVERIFY(result.lines.isEmpty());
        QVERIFY(!result.error.isEmpty());
    }

    void LoadHugeFileReadsOnlyItsStart() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillet.log");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(6) * 1024 * 1024 * 1024)); // sparse: no line end anywhere
        }
        QElapsedTimer timer;
        timer.start();
        const HistoryFile::LoadResult result = HistoryFile::Load(path);
        QVERIFY2(timer.elapsed() < 5000, "loading took too long");
        QVERIFY(result.error.isEmpty());
        QCOMPARE(result.lines.size(), 1);
        QCOMPARE(result.lines[0].size(), HistoryFile::ReadLimit);
    }

    void SaveThenLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillet.log");
        QVERIFY(WriteFile(path, "old\r\nlines\r\n9\r\n"));
        History::Slots texts = TwoEntries();
        texts[5] = QStringLiteral("a\nb");
        QCOMPARE(HistoryFile::Save(path, texts), QString());
        QCOMPARE(ReadFile(path), HistoryFile::Encode(texts));
        const HistoryFile::LoadResult result = HistoryFile::Load(path);
        QVERIFY(result.exists);
        QVERIFY(result.error.isEmpty());
        QCOMPARE(result.lines, QStringList(texts.begin(), texts.end()));
    }

    void SaveFailureReportsIt() {
        QTemporaryDir dir;
        const QString blocked = dir.filePath("Quillet.log");
        QVERIFY(QDir(dir.path()).mkdir("Quillet.log"));
        QVERIFY(!HistoryFile::Save(blocked, TwoEntries()).isEmpty());
        QVERIFY(!HistoryFile::Save(dir.filePath("missing/Quillet.log"), TwoEntries()).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("missing")));
    }

    void SaveIntoReadOnlyDirectoryKeepsOldFile() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("directory permissions do not stop root from writing");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillet.log");
        QVERIFY(WriteFile(path, "old\r\n"));
        const auto permissions = QFile::permissions(dir.path());
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QString error = HistoryFile::Save(path, TwoEntries());
        QFile::setPermissions(dir.path(), permissions);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadFile(path), QByteArray("old\r\n"));
    }

    void InterruptedSaveKeepsOldFile() {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillet.log");
        const QByteArray old = HistoryFile::Encode({QStringLiteral("old entry")});
        QVERIFY(WriteFile(path, old));

        // A file size limit makes the write fail part-way, like a full disk, even for root.
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = previous;
        tight.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const QString error = HistoryFile::Save(path, TwoEntries());
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quillet.log"});
#else
        QSKIP("needs a file size limit");
#endif
    }
};

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
