#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "ui/MainWindow.h"

#include "ui/support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// A real second process holds the program's lock: this process is refused until it dies.
class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void refusedWhileCopyRunsThenStartsAfterItDied();

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_programDir;
};

void SingleInstanceTest::initTestCase() {
    QVERIFY(m_runtime.isValid() && m_programDir.isValid());
    QVERIFY(QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void SingleInstanceTest::refusedWhileCopyRunsThenStartsAfterItDied() {
    // The program copied alone into a folder of its own still runs.
    const QString program = m_programDir.filePath(QStringLiteral("Quillet"));
    QVERIFY(QFile::copy(qEnvironmentVariable("QUILLET_EXE"), program));
    QProcess first;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    first.setProcessEnvironment(environment);
    first.start(program, {});
    QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
    QCOMPARE(SingleInstance::LockPath(), m_runtime.filePath(QStringLiteral("Quillet.lock")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SingleInstance::LockPath()), 20000);

    FakePlatform platform;
    {
        SingleInstance second;
        QVERIFY(!StartProgram(platform, second));
    }
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].icon, Platform::Icon::Warning);
    QCOMPARE(platform.messages[0].title, QStringLiteral("Brenmoor"));
    QCOMPARE(platform.messages[0].text, QStringLiteral("程序已在运行中！"));
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished());
    SingleInstance next;
    const auto window = StartProgram(platform, next);
    QVERIFY(window);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(window->isVisible());
    QCOMPARE(window->frameGeometry().center(), window->screen()->availableGeometry().center());

    // Closing the window ends the program's event loop.
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
