#include "support/WindowFixture.h"
#include "support/XDesktop.h"

#include <QClipboard>

// A middle-click paste into the count box, with real pointer input under a real window manager.
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

    void middleClickPastesWhatTypingWould() {
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->clear();
        QGuiApplication::clipboard()->setText("-1-2x", QClipboard::Selection);
        const QPoint at = box->mapToGlobal(box->rect().center());
        QVERIFY(
            XDesktop::Send({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "2"}));
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
