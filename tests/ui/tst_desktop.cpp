#include "support/WindowFixture.h"
#include "support/XDesktop.h"

#include <QClipboard>

// A middle-click paste into the count box, by real pointer input under a real window manager.
class TestDesktop : public QObject {
    Q_OBJECT
public:
    QString missing;
    bool started = false;

private slots:
    void middleClickPastesWhatTypingWould() {
        if (!missing.isEmpty())
            QSKIP(qPrintable("not installed: " + missing));
        QVERIFY2(started, "Xvfb or openbox did not start");
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->clear();
        QGuiApplication::clipboard()->setText("-1-2x", QClipboard::Selection);
        const QPoint at = box->mapToGlobal(box->rect().center());
        QCOMPARE(QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                               "click", "2"}),
                 0);
        QTRY_COMPARE(box->text(), "12");
    }
};

int main(int argc, char** argv) {
    XDesktop desktop; // outlives the application
    TestDesktop test;
    test.missing = XDesktop::Missing();
    test.started = test.missing.isEmpty() && desktop.Start();
    qputenv("QT_QPA_PLATFORM", test.started ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
