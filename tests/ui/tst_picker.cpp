#include "support/WindowFixture.h"

#include "ui/Twips.h"

#include <QClipboard>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

// Both calculations through the picker; closing, dragging; pastes.

static const QPoint Home = Twips::Point(705, 1140);

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void offsetByMouse() {
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->clear();
        QTest::keyClicks(box, "-1a+,0.55");
        QCOMPARE(box->text(), "-10.5");                     // only count keys, five at most
        w.Click("Command1");                                // no base date yet: stops silently
        box->setFocus();                                    // then disabled while the picker is open
        w.Click("ChooseDate_1");                            // at today, 2013/1/20
        w.Key(Qt::Key_Right, Qt::Key_Down, Qt::Key_Return); // keys reach a picker opened by mouse
        QCOMPARE(w.Text("History_0") + w.Text("History_1") + w.Focus(),
                 "2013/1/28(星期一)的10.5天之前是：2013/1/18(星期五)HowmuchDays");
        box->clear(); // an empty count warns, by click or Enter
        w.Click("Command1");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.platform.boxes, QStringList(2, "W Brenmoor: 请输入天数！（可为负数）"));
    }

    void pastesKeepToTypableText_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("later minus drops every minus") << "Ctrl+V" << u"1-2"_s << "12";
        QTest::newRow("five count keys, then the minus rule")
            << "Shift+Insert" << u"a1-b2c3d4e5f6"_s << "1234";
        QTest::newRow("no backspace, no full-width digit") << "menu" << u"1\b-３.5"_s << "1.5";
    }
    void pastesKeepToTypableText() {
        QFETCH(QString, route);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->clear();
        QApplication::clipboard()->setText(pasted);
        if (route == "menu") {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, {}, box->mapToGlobal(QPoint()));
            QApplication::sendEvent(box, &event);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P); // Paste
        } else {
            QTest::keySequence(box, QKeySequence(route));
        }
        QCOMPARE(box->text(), kept);
    }

    void closingChangesNothing_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("escape"); // pressed there, or else a click
        QTest::newRow("cancel button") << "cmdcancel" << false;
        QTest::newRow("close glyph") << "LblTitle_1" << false;
        QTest::newRow("Esc on the month list") << "cbomonth" << true;
        QTest::newRow("Esc, the focus outside") << "History_0" << true;
    }
    void closingChangesNothing() {
        QFETCH(QString, control);
        QFETCH(bool, escape);
        WindowFixture w;
        w.Click("ChooseDate_1");
        w.Click("lblnumber_9");
        w.C(control)->setFocus();
        escape ? w.Key(Qt::Key_Escape) : w.Click(control);
        QVERIFY(!w.PickerOpen());
        QCOMPARE(w.Text("ChooseDate_1") + w.Text("History_0"), "选择日期");
    }

    void dragThenSnapInside_data() {
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QPoint>("released");
        QTest::newRow("left and top edges") << QPoint(-100, -200) << QPoint(0, 0);
        QTest::newRow("right edge") << QPoint(200, 0) << Twips::Point(4800 - 3200, 1140);
        QTest::newRow("client area's bottom") << QPoint(0, 300) << Twips::Point(705, 5805 - 3600);
    }
    void dragThenSnapInside() {
        QFETCH(QPoint, shift);
        QFETCH(QPoint, released);
        WindowFixture w;
        QWidget* title = w.C("LblTitle_0");
        QWidget* panel = w.C("FrCalendar");
        const QPoint grab(10, 5), last = grab + shift - shift / 2;
        w.Click("ChooseDate_1");
        QTest::mousePress(title, Qt::LeftButton, {}, grab);
        // Moves count from where the panel stands; no limits while dragging.
        for (QPoint at : {grab + shift / 2, last}) {
            QMouseEvent move(QEvent::MouseMove, at, title->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(title, &move);
        }
        QCOMPARE(panel->pos(), Home + shift);
        QTest::mouseRelease(title, Qt::LeftButton, {}, last);
        QCOMPARE(panel->pos(), released);
    }

    void bothCalculationsByKeyboard() {
        WindowFixture w;
        for (int i = 0; i < 6 && w.Focus() != "ChooseDate_1"; ++i)
            w.Key(Qt::Key_Tab);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Focus(), "cmdok");
        w.Key(Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down); // a week on, back, on
        QCOMPARE(w.Text("lblday"), "星期二");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Text("ChooseDate_1") + w.Text("ChooseWeek_1") + w.Text("CResult_1") + w.Focus(),
                 "2013/1/29(星期二)2013/5/9ChooseDate_1");
        // A year typed in its list selects it; Enter confirms there.
        w.Key(Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab);
        QTest::keyClicks(w.C("cboyear"), "1999");
        QCOMPARE(w.Focus(), "cboyear");
        w.Key(Qt::Key_Enter); // one date alone calculates nothing
        QCOMPARE(w.Text("ChooseDate_2") + w.Text("CResult_2") + w.Text("History_1"), "1999/1/29相差（?）天");
        // Esc cancels; what was browsed stays for the next opening.
        w.Key(Qt::Key_Tab, Qt::Key_Return, Qt::Key_Left, Qt::Key_Escape);
        QCOMPARE(w.Text("ChooseDate_3"), "选择日期");
        w.Key(Qt::Key_Space, Qt::Key_Return);
        QCOMPARE(w.Text("History_1"), "1999/1/29(星期五)与1999/1/28(星期四)相差（-1）天");
    }
};

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
