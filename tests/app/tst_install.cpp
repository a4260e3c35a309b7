#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Installs the build into a scratch prefix and checks what a desktop sees there, and the Windows
// version resource.
namespace {

const QString AppId = QStringLiteral("io.github.brenmoor.Quillet");
const QString BuildDir = QStringLiteral(BRENMOOR_BUILD_DIR);

// The exit code and output; -1 when the tool did not finish.
std::pair<int, QString> RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(tool), arguments);
    const bool finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {finished ? process.exitCode() : -1,
            tool + ": " + process.errorString() + "\n" + process.readAll()};
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir prefix;
    QString Installed(const QString& relative) const { return prefix.filePath(relative.arg(AppId)); }

private slots:
    void initTestCase() {
        const auto [code, output] = RunTool("cmake", {"--install", BuildDir, "--prefix", prefix.path()});
        QVERIFY2(code == 0, qPrintable(output));
    }

    void installedTree() {
        QVERIFY(QFileInfo(prefix.filePath("bin/Quillet")).isExecutable());
        QVERIFY(QFileInfo(Installed("share/icons/hicolor/scalable/apps/%1.svg")).size() > 0);
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString png = QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size);
            for (const QString& path : {Installed(png), QStringLiteral(":/icons/quillet-%1.png").arg(size)}) {
                const QImage image = QImageReader(path, "png").read();
                QVERIFY2(image.size() == QSize(size, size), qPrintable(path));
                QCOMPARE(qAlpha(image.pixel(size - 1, 0)), 0); // a transparent corner
            }
        }
    }

    void desktopFiles() {
        // Pedantic remarks are tolerated; errors, warnings and infos are not.
        static const QRegularExpression complaint("^([EWI]:|.*(error|warning|hint):)",
                                                  QRegularExpression::MultilineOption);
        for (const QStringList& command :
             {QStringList{"desktop-file-validate", Installed("share/applications/%1.desktop")},
              QStringList{"appstreamcli", "validate", "--no-net",
                          Installed("share/metainfo/%1.metainfo.xml")}}) {
            const auto [code, output] = RunTool(command[0], command.mid(1));
            QVERIFY2(code == 0 && !complaint.match(output).hasMatch(), qPrintable(output));
        }
        // The launcher, the icon theme, AppStream and the window manager must name the same things.
        const QString desktop = ReadText(Installed("share/applications/%1.desktop"));
        for (const QString& line :
             QStringList{"Exec=Quillet", "Icon=" + AppId, "StartupWMClass=Quillet", "Name=Brenmoor"})
            QVERIFY2(desktop.split('\n').contains(line), qPrintable(line));
        const QString xml = ReadText(Installed("share/metainfo/%1.metainfo.xml"));
        for (const QString& element :
             QStringList{"<id>" + AppId + "</id>", "<binary>Quillet</binary>",
                         "<launchable type=\"desktop-id\">" + AppId + ".desktop</launchable>"})
            QVERIFY2(xml.contains(element), qPrintable(element));
    }

    void windowsResource() {
        const QString rcPath = prefix.filePath("Quillet.rc");
        const QString script = QFINDTESTDATA("../../packaging/windows/configure_rc.cmake");
        const auto [code, output] = RunTool("cmake", {"-DVERSION=1.0", "-DOUT=" + rcPath, "-P", script});
        QVERIFY2(code == 0, qPrintable(output));
        const QString rc = ReadText(rcPath);
        for (const char* line : {"FILEVERSION 1,0,0,0", "PRODUCTVERSION 1,0,0,0", "\"FileVersion\", \"1.00\"",
                                 "\"ProductVersion\", \"1.00\"", "\"FileDescription\", \"Brenmoor\"",
                                 "\"ProductName\", \"Brenmoor\"", "\"InternalName\", \"Quillet\"",
                                 "\"OriginalFilename\", \"Quillet.exe\""})
            QVERIFY2(rc.contains(QLatin1String(line)), line);
        QVERIFY2(!rc.contains('@'), "an unconfigured placeholder is left");
        QVERIFY(QFileInfo(QRegularExpression("ICON \"([^\"]+)\"").match(rc).captured(1)).size() > 0);
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
