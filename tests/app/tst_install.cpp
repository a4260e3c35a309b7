#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Installs the current build into a scratch prefix and checks what a desktop sees there: the
// program, its launcher entry, themed icons and AppStream data, plus the Windows version resource.
namespace {

const QString AppId = QStringLiteral("io.github.brenmoor.Quillet");
const QString BuildDir = QString::fromUtf8(BRENMOOR_BUILD_DIR);
const QList<int> IconSizes = {16, 32, 48, 64, 128, 256};

struct Run {
    int exitCode = -1;
    QString output;
};

Run RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" did not finish: ") + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// A value the build recorded in its cache, such as the source directory or the project version.
QString CacheValue(const QString& key) {
    QFile cache(BuildDir + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QRegularExpression line(QStringLiteral("^%1:[A-Z]+=(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(cache.readAll())).captured(1);
}

// The key = value pairs of a desktop entry's main group.
QMap<QString, QString> DesktopEntry(const QString& path) {
    QMap<QString, QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entries.insert(line.left(equals), line.mid(equals + 1));
    }
    return entries;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir prefix;

    QString Installed(const QString& relative) const { return prefix.filePath(relative); }
    QString DesktopFile() const {
        return Installed(QStringLiteral("share/applications/%1.desktop").arg(AppId));
    }
    QString MetainfoFile() const {
        return Installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId));
    }

private slots:
    void initTestCase() {
        QVERIFY(prefix.isValid());
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY2(!cmake.isEmpty(), "cmake is not on PATH");
        const Run install = RunTool(
            cmake, {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix.path()});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("program") << QStringLiteral("bin/Quillet");
        QTest::newRow("desktop entry") << QStringLiteral("share/applications/%1.desktop").arg(AppId);
        QTest::newRow("metainfo") << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId);
        QTest::newRow("scalable icon")
            << QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(AppId);
        for (int size : IconSizes)
            QTest::addRow("icon %d", size)
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId);
    }

    void installedFiles() {
        QFETCH(QString, relativePath);
        const QFileInfo info(Installed(relativePath));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        if (relativePath.startsWith(QStringLiteral("bin/")))
            QVERIFY(info.isExecutable());
    }

    // Each size, installed and in the program's resources, is square with a transparent corner.
    void iconImages_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        for (int size : IconSizes) {
            QTest::addRow("installed %d", size)
                << Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId))
                << size;
            QTest::addRow("resource %d", size) << QStringLiteral(":/icons/quillet-%1.png").arg(size) << size;
        }
    }

    void iconImages() {
        QFETCH(QString, path);
        QFETCH(int, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(size, size));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(size - 1, 0)), 0);
    }

    void validators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << QStringLiteral("desktop-file-validate") << QStringList{DesktopFile()};
        QTest::newRow("AppStream") << QStringLiteral("appstreamcli")
                                   << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                  MetainfoFile()};
    }

    // Pedantic remarks are tolerated; errors, warnings and infos are not.
    void validators() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        QVERIFY2(!program.isEmpty(), qPrintable(tool + QStringLiteral(" is missing: run tools/deps.sh")));
        const Run run = RunTool(program, arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        static const QRegularExpression complaint(QStringLiteral("^([EWI]:|.*(error|warning|hint):)"),
                                                  QRegularExpression::MultilineOption);
        QVERIFY2(!complaint.match(run.output).hasMatch(), qPrintable(run.output));
    }

    // The launcher, the icon theme, AppStream and the window manager must all name the same things.
    void namesAgree() {
        const auto entry = DesktopEntry(DesktopFile());
        QCOMPARE(entry.value(QStringLiteral("Exec")),
                 QFileInfo(Installed(QStringLiteral("bin/Quillet"))).fileName());
        QCOMPARE(entry.value(QStringLiteral("Icon")), AppId);
        QCOMPARE(entry.value(QStringLiteral("StartupWMClass")), QStringLiteral("Quillet"));
        QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Brenmoor"));

        QFile metainfo(MetainfoFile());
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(metainfo.readAll());
        QVERIFY(xml.contains(QStringLiteral("<id>%1</id>").arg(AppId)));
        QVERIFY(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">%1</launchable>")
                                 .arg(QFileInfo(DesktopFile()).fileName())));
        QVERIFY(xml.contains(QStringLiteral("<binary>Quillet</binary>")));
    }

    void windowsResource() {
        const QString sourceDir = CacheValue(QStringLiteral("CMAKE_HOME_DIRECTORY"));
        const QString version = CacheValue(QStringLiteral("CMAKE_PROJECT_VERSION"));
        QVERIFY(!sourceDir.isEmpty() && !version.isEmpty());
        const QString rcPath = prefix.filePath(QStringLiteral("Quillet.rc"));
        const Run configure = RunTool(QStandardPaths::findExecutable(QStringLiteral("cmake")),
                                      {QStringLiteral("-DVERSION=") + version,
                                       QStringLiteral("-DOUT=") + rcPath, QStringLiteral("-P"),
                                       sourceDir + QStringLiteral("/packaging/windows/configure_rc.cmake")});
        QVERIFY2(configure.exitCode == 0, qPrintable(configure.output));

        QFile rcFile(rcPath);
        QVERIFY(rcFile.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString rc = QString::fromUtf8(rcFile.readAll());
        const QStringList expected = {
            QStringLiteral("FILEVERSION 1,0,0,0"),
            QStringLiteral("PRODUCTVERSION 1,0,0,0"),
            QStringLiteral("VALUE \"FileVersion\", \"1.00\""),
            QStringLiteral("VALUE \"ProductVersion\", \"1.00\""),
            QStringLiteral("VALUE \"FileDescription\", \"Brenmoor\""),
            QStringLiteral("VALUE \"ProductName\", \"Brenmoor\""),
            QStringLiteral("VALUE \"InternalName\", \"Quillet\""),
            QStringLiteral("VALUE \"OriginalFilename\", \"Quillet.exe\""),
        };
        for (const QString& line : expected)
            QVERIFY2(rc.contains(line), qPrintable(line));
        QVERIFY2(!rc.contains(QLatin1Char('@')), "an unconfigured placeholder is left");

        // The icon it names holds the 16, 32, 48 and 256 pixel images (a width byte of 0 means 256).
        const QString icon = QRegularExpression(QStringLiteral("ICON \"([^\"]+)\"")).match(rc).captured(1);
        QFile ico(icon);
        QVERIFY2(ico.open(QIODevice::ReadOnly), qPrintable(icon));
        const QByteArray bytes = ico.readAll();
        QVERIFY(bytes.size() >= 6 && bytes.startsWith(QByteArray("\0\0\1\0", 4)));
        const int count = quint8(bytes[4]) | quint8(bytes[5]) << 8;
        QList<int> widths;
        for (int i = 0; i < count && 6 + 16 * i < bytes.size(); ++i)
            widths << (quint8(bytes[6 + 16 * i]) == 0 ? 256 : quint8(bytes[6 + 16 * i]));
        QCOMPARE(widths, QList<int>({16, 32, 48, 256}));
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
