#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/HistoryLocation.h"

// The tests may run as root, for whom chmod does not stop writes; the unwritable places below stay
// unwritable for root too.
class TestHistoryLocation : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

    static QString AppData() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(scratch.isValid());
        QFile plainFile(scratch.filePath(QStringLiteral("plain-file")));
        QVERIFY(plainFile.open(QIODevice::WriteOnly));
    }

    void writableProgramDirIsUsedAndLeftClean() {
        QTemporaryDir programDir;
        QVERIFY(programDir.isValid());
        QCOMPARE(HistoryLocation::Directory(programDir.path()), programDir.path());
        const auto left =
            QDir(programDir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
    }

    void unwritableProgramDirFallsBackToAppData_data() {
        QTest::addColumn<QString>("programDir");
        QTest::newRow("missing directory") << scratch.filePath(QStringLiteral("missing"));
        QTest::newRow("a plain file, not a directory") << scratch.filePath(QStringLiteral("plain-file"));
        QTest::newRow("below a plain file") << scratch.filePath(QStringLiteral("plain-file/sub"));
        QTest::newRow("empty path") << QString();
        // /proc takes no new files even from root, though its directory claims to be writable.
        if (QFileInfo(QStringLiteral("/proc")).isDir())
            QTest::newRow("/proc") << QStringLiteral("/proc");
    }

    void unwritableProgramDirFallsBackToAppData() {
        QFETCH(QString, programDir);
        QVERIFY(!AppData().isEmpty());
        QVERIFY(QDir(AppData()).removeRecursively());

        const QString directory = HistoryLocation::Directory(programDir);

        QCOMPARE(directory, AppData());
        QVERIFY2(QFileInfo(directory).isDir(), "the fallback directory is created");
        QFile probe(QDir(directory).filePath(QStringLiteral("Quillet.log")));
        QVERIFY(probe.open(QIODevice::WriteOnly));
        probe.remove();
    }
};

QTEST_GUILESS_MAIN(TestHistoryLocation)
#include "tst_historylocation.moc"
