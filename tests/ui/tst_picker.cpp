#include "support/WindowFixture.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QMouseEvent>

// The picker panel: its closing paths, dragging it by its title bar, and choosing dates by keyboard.
namespace {

const QPoint Grab = Twips::Point(100, 50); // where the title is grabbed
const QPoint Home = Twips::Point(705, 1140);

// QTest's own moves carry no buttons; a drag needs them.
void MoveWithButtons(QWidget* label, QPoint position, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, position, label->mapToGlobal(position), Qt::NoButton, buttons, {});
    QApplication::sendEvent(label, &move);
}

// Closed, with both frames usable again and no key going to a control of the hidden panel.
bool ClosedCleanly(const WindowFixture& w) {
    return !w.PickerOpen() && w.C("Fr_1")->isEnabled() && w.C("Fr_2")->isEnabled() &&
           (!QApplication::focusWidget() || QApplication::focusWidget()->isVisible());
}

} // namespace

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void closingChangesNothing_data() {
        QTest::addColumn<QString>("how"); // the control clicked, or Esc pressed on the named one
        QTest::newRow("cancel button") << "cmdcancel";
        QTest::newRow("close glyph") << "LblTitle_1";
        QTest::newRow("Esc on the confirm button") << "Esc cmdok";
        QTest::newRow("Esc on the month list") << "Esc cbomonth";
    }
    void closingChangesNothing() {
        QFETCH(QString, how);
        WindowFixture w;
        w.Click("ChooseDate_1");
        w.C<QComboBox>("cboyear")->setCurrentIndex(2015 - MonthGrid::FirstYear);
        QCOMPARE(w.Focus(), "cbomonth"); // after a year change
        w.C<QComboBox>("cbomonth")->setCurrentIndex(5);
        QVERIFY(w.C("lblnumber_29")->isVisible() && !w.C("lblnumber_30")->isVisible()); // June has 30 days
        w.Click("lblnumber_9");
        if (how.startsWith("Esc ")) {
            w.C(how.mid(4))->setFocus();
            w.Key(Qt::Key_Escape);
        } else {
            w.Click(how);
        }
        QVERIFY(ClosedCleanly(w));
        QCOMPARE(w.Text("ChooseDate_1") + w.Text("History_0"), "选择日期");
        // The next opening, from any field, shows what was browsed; confirming takes it.
        w.Click("ChooseDate_3");
        w.Click("cmdok");
        QCOMPARE(w.Text("ChooseDate_3") + w.Text("ChooseWeek_3"), "2015/6/10(星期三)");
    }

    void dragThenSnapInside_data() {
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QPoint>("released");
        QTest::newRow("300 twips right") << QPoint(20, 0) << Home + QPoint(20, 0);
        QTest::newRow("past the left edge") << QPoint(-100, 5) << QPoint(0, Home.y() + 5);
        QTest::newRow("past the top edge") << QPoint(4, -200) << QPoint(Home.x() + 4, 0);
        QTest::newRow("past the right edge") << QPoint(200, 0) << Twips::Point(4800 - 3200, 1140);
        QTest::newRow("past the bottom edge: inside the client area")
            << QPoint(0, 300) << Twips::Point(705, 5805 - 3600);
    }
    void dragThenSnapInside() {
        QFETCH(QPoint, shift);
        QFETCH(QPoint, released);
        WindowFixture w;
        auto* title = w.C<Label>("LblTitle_0");
        QWidget* panel = w.C("FrCalendar");
        w.Click("ChooseDate_1");
        QCOMPARE(panel->pos(), Home);
        QTest::mousePress(title, Qt::LeftButton, {}, Grab);
        // Each move counts from where the panel stands now; no limits while dragging.
        MoveWithButtons(title, Grab + shift / 2, Qt::LeftButton);
        MoveWithButtons(title, Grab + shift - shift / 2, Qt::LeftButton);
        QCOMPARE(panel->pos(), Home + shift);
        QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + shift - shift / 2);
        QCOMPARE(panel->pos(), released);
        QVERIFY(w.PickerOpen());
        w.Click("cmdcancel"); // dragged elsewhere, it reopens at home
        w.Click("ChooseDate_3");
        QCOMPARE(panel->pos(), Home);
    }

    void titleBarButtons() {
        WindowFixture w;
        auto* title = w.C<Label>("LblTitle_0");
        auto* glyph = w.C<Label>("LblTitle_1");
        w.Click("ChooseDate_2");
        QCOMPARE(TextColour(title), QColor(255, 255, 192));
        // The close glyph: red and thin while pressed; released, it and the title turn white and it closes.
        QTest::mousePress(glyph, Qt::LeftButton);
        QVERIFY(TextColour(glyph) == Qt::red && !glyph->IsBold());
        QTest::mouseRelease(glyph, Qt::LeftButton);
        QVERIFY(TextColour(glyph) == Qt::white && glyph->IsBold() && TextColour(title) == Qt::white);
        QVERIFY(ClosedCleanly(w));
        // The right button alone, or with the left one, drags nothing.
        w.Click("ChooseDate_2");
        for (Qt::MouseButtons held : {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton}) {
            if (held & Qt::LeftButton)
                QTest::mousePress(title, Qt::LeftButton, {}, Grab);
            QTest::mousePress(title, Qt::RightButton, {}, Grab);
            QCOMPARE(TextColour(title), QColor(Qt::black));
            MoveWithButtons(title, Grab + QPoint(20, 10), held);
            QTest::mouseRelease(title, Qt::RightButton, {}, Grab + QPoint(20, 10));
            QCOMPARE(TextColour(title), QColor(Qt::white));
            QCOMPARE(w.C("FrCalendar")->pos(), Home);
        }
    }

    void bothCalculationsByKeyboard() {
        WindowFixture w; // today: Sunday 2013/1/20
        // Tab reaches the date fields after the count box and its button.
        for (int i = 0; i < 6 && w.Focus() != "ChooseDate_1"; ++i)
            w.Key(Qt::Key_Tab);
        QCOMPARE(w.Focus(), "ChooseDate_1");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Focus(), "cmdok");
        w.Key(Qt::Key_Right);
        w.Key(Qt::Key_Right);
        w.Key(Qt::Key_Down); // a week later, within the month
        QCOMPARE(w.Text("lblday"), "星期二");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Text("ChooseDate_1") + w.Text("ChooseWeek_1") + w.Text("CResult_1"),
                 "2013/1/29(星期二)2013/5/9");
        QCOMPARE(w.Focus(), "ChooseDate_1");
        // Typing a year's digits in the year list selects it; Enter confirms from there.
        w.Key(Qt::Key_Tab);
        w.Key(Qt::Key_Space);
        for (int i = 0; i < 3; ++i)
            w.Key(Qt::Key_Tab);
        QCOMPARE(w.Focus(), "cboyear");
        QTest::keyClicks(QApplication::focusWidget(), "1999");
        QCOMPARE(w.C<QComboBox>("cboyear")->currentText(), " 1999");
        w.Key(Qt::Key_Enter);
        QCOMPARE(w.Text("ChooseDate_2"), "1999/1/29");
        // Esc cancels; what was browsed stays for the next opening.
        w.Key(Qt::Key_Tab);
        w.Key(Qt::Key_Return);
        w.Key(Qt::Key_Left);
        w.Key(Qt::Key_Escape);
        QCOMPARE(w.Text("ChooseDate_3"), "选择日期");
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Text("CResult_2"), "相差（-1）天");
    }
};

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
