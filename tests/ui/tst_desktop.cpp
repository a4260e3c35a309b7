#include "support/WindowFixture.h"
#include "support/XDesktop.h"

#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// Under a real window manager, with real pointer input: the picker panel dragged and released, and a
// middle-click paste into the count box.
namespace {

// xdotool arguments that put the pointer on `at` inside `widget`.
QStringList PointerTo(const QWidget* widget, QPoint at) {
    const QPoint screen = widget->mapToGlobal(at);
    return {"mousemove", QString::number(screen.x()), QString::number(screen.y())};
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
public:
    TestDesktop(const QString& unavailable, const QString& display)
        : m_unavailable(unavailable), m_display(display) {}

private slots:
    void initTestCase() {
        if (!m_unavailable.isEmpty())
            QSKIP(qPrintable("no X desktop to test on: " + m_unavailable));
        QVERIFY2(!m_display.isEmpty(), "Xvfb or openbox did not start");
    }

    void releaseLeavesPanelInside_data() {
        QTest::addColumn<QPoint>("drag"); // pointer travel with the button held, in pixels
        QTest::newRow("plain click on the title") << QPoint(0, 0);
        QTest::newRow("drag far past the left edge") << QPoint(-300, 20);
        QTest::newRow("drag far past the top edge") << QPoint(20, -250);
        QTest::newRow("drag far past the right edge") << QPoint(400, -20);
        QTest::newRow("drag far past the bottom edge") << QPoint(-20, 400);
    }
    void releaseLeavesPanelInside() {
        QFETCH(QPoint, drag);
        const QPoint home = Twips::Point(705, 1140), grab = Twips::Point(100, 50);
        QTemporaryDir dir;
        FakePlatform platform;
        MainWindow window(platform, dir.filePath("Quillet.log"));
        window.CentreOnScreen(); // placed and shown as the program does
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* field = window.findChild<QWidget*>("ChooseDate_1");
        QVERIFY(XDesktop::Send(PointerTo(field, field->rect().center()) + QStringList{"click", "1"}));
        QWidget* panel = nullptr;
        QTRY_VERIFY((panel = window.findChild<QWidget*>("FrCalendar")) && panel->isVisible());
        QCOMPARE(panel->pos(), home);
        auto* title = window.findChild<QWidget*>("LblTitle_0");
        QVERIFY(XDesktop::Send(PointerTo(title, grab) + QStringList{"mousedown", "1"} +
                               PointerTo(title, grab + drag)));
        // The grabbed point follows the pointer, out of the window too.
        QTRY_COMPARE(panel->pos(), home + drag);
        QVERIFY(XDesktop::Send({"mouseup", "1"}));
        QTRY_COMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white)); // release handled
        QVERIFY2(window.rect().contains(panel->geometry()),
                 qPrintable(QString("panel left at %1, %2").arg(panel->x()).arg(panel->y())));
    }

    void middleClickPastesWhatTypingWould() {
        QTemporaryDir dir;
        FakePlatform platform;
        MainWindow window(platform, dir.filePath("Quillet.log"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* box = window.findChild<QLineEdit*>("HowmuchDays");
        box->clear();
        QGuiApplication::clipboard()->setText("-1-2x", QClipboard::Selection);
        QVERIFY(XDesktop::Send(PointerTo(box, box->rect().center()) + QStringList{"click", "2"}));
        QTRY_COMPARE(box->text(), "12");
    }

private:
    QString m_unavailable;
    QString m_display;
};

// The desktop comes up before the application connects to it and goes after the application.
int main(int argc, char** argv) {
    XDesktop desktop;
    const QString unavailable = XDesktop::Missing();
    const QString display = unavailable.isEmpty() ? desktop.Start() : QString();
    qputenv("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    if (!display.isEmpty())
        qputenv("DISPLAY", display.toLatin1());
    QApplication app(argc, argv);
    TestDesktop test(unavailable, display);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
