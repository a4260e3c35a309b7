#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "ui/MainWindow.h"

#include "ui/support/FakePlatform.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// A real second process holds the program's lock: this process is refused until it dies.
class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;
    QTemporaryDir programDir;

private slots:
    void refusedWhileCopyRunsThenStartsAfterItDied() {
        QVERIFY(
            QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        // The program copied alone into a folder of its own still runs.
        const QString program = programDir.filePath("Quillet");
        QVERIFY(QFile::copy(qEnvironmentVariable("QUILLET_EXE"), program));
        QProcess first;
        first.start(program, {});
        QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
        QCOMPARE(SingleInstance::LockPath(), runtime.filePath("Quillet.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SingleInstance::LockPath()), 20000);

        FakePlatform platform;
        {
            SingleInstance second;
            QVERIFY(!StartProgram(platform, second));
        }
        QCOMPARE(platform.Boxes(), QStringList{"W Brenmoor: 程序已在运行中！"});
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished());
        SingleInstance next;
        const auto window = StartProgram(platform, next);
        QVERIFY(window && window->isVisible());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(window->frameGeometry().center(), window->screen()->availableGeometry().center());
        // Closing the window ends the program's event loop.
        QTimer::singleShot(0, window.get(), &QWidget::close);
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
