// The Debian package, made from this build tree, checked as a user's system would: what dpkg says
// it holds and needs, the unpacked program running, its desktop files, and lintian.
#include "support/RunProgram.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

const QString AppId = QStringLiteral("io.github.brenmoor.Quillet");
QString Named(QString path) {
    return path.replace("%1", AppId);
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

    QTemporaryDir out;
    QString deb;
    QString Unpacked(const QString& relative) const { return out.filePath("root/usr/" + Named(relative)); }

private slots:
    void initTestCase() {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("a sanitizer build links libasan, which no user's system would install");
#endif
        for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps", "cpack"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is missing: bash tools/deps.sh installs it").arg(tool)));
        const ProgramRun made = RunProgram("bash", {QFINDTESTDATA("../../tools/package.sh"), "--build-dir",
                                                    BRENMOOR_BUILD_DIR, "--out", out.path()});
        QVERIFY2(made.exitCode == 0, qPrintable(made.output + made.error));
        deb = made.output.trimmed();
        QVERIFY2(deb.endsWith("/brenmoor_1.0_" +
                              RunProgram("dpkg", {"--print-architecture"}).output.trimmed() + ".deb"),
                 qPrintable(deb));
        QCOMPARE(RunProgram("dpkg-deb", {"-x", deb, out.filePath("root")}).exitCode, 0);
    }

    void holdsAndNeeds() {
        const QString info = RunProgram("dpkg-deb", {"--info", deb}).output;
        for (const QString field :
             {"Package: brenmoor", "Version: 1.0", "Section: utils", "Maintainer: ", "日期推算与天数计算"})
            QVERIFY2(info.contains(field), qPrintable(field + " missing in\n" + info));
        // Linked libraries come from dpkg-shlibdeps; fonts and Qt's translations are needed unlinked.
        const QString depends = QRegularExpression("\n Depends: ([^\n]*)").match(info).captured(1);
        for (const QString package :
             {"libqt6widgets6", "libc6", "fonts-arphic-uming", "fonts-wqy-zenhei", "qt6-translations-l10n"})
            QVERIFY2(depends.contains(package), qPrintable(package + " missing in " + depends));
        const QString contents = RunProgram("dpkg-deb", {"--contents", deb}).output;
        QStringList files =
            QString("bin/Quillet share/applications/%1.desktop share/metainfo/%1.metainfo.xml "
                    "share/icons/hicolor/scalable/apps/%1.svg share/man/man1/Quillet.1.gz "
                    "share/doc/brenmoor/copyright")
                .split(' ');
        for (int size : {16, 32, 48, 64, 128, 256})
            files << QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + "%1.png";
        for (const QString& file : files)
            QVERIFY2(contents.contains(" ./usr/" + Named(file) + "\n") &&
                         QFileInfo(Unpacked(file)).size() > 0,
                     qPrintable(file));
    }

    void unpackedProgramStartsAndEnds() {
        QTemporaryDir runtime;
        QProcess program;
        program.setProcessEnvironment(
            Changed(QProcessEnvironment::systemEnvironment(),
                    {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime.path()}));
        program.start(Unpacked("bin/Quillet"), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("Quillet.lock")), 20000);
        kill(pid_t(program.processId()), SIGTERM); // closes its window
        QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 20000);
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 program.readAllStandardError());
    }

    void desktopFilesAndLintian() {
        // Pedantic remarks and lintian's informations are tolerated; errors and warnings are not.
        static const QRegularExpression complaint("^([EW]:|.*(error|warning):)",
                                                  QRegularExpression::MultilineOption);
        for (const QStringList& command :
             {QStringList{"desktop-file-validate", Unpacked("share/applications/%1.desktop")},
              QStringList{"appstreamcli", "validate", "--no-net", Unpacked("share/metainfo/%1.metainfo.xml")},
              QStringList{"lintian", deb}}) {
            if (QStandardPaths::findExecutable(command[0]).isEmpty())
                QSKIP(qPrintable(command[0] + " is missing: bash tools/deps.sh installs it"));
            const ProgramRun run = RunProgram(command[0], command.mid(1), {}, 120000);
            QVERIFY2(run.exitCode == 0 && !complaint.match(run.output).hasMatch(),
                     qPrintable(run.output + run.error));
        }
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
