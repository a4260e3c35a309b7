#include "support/WindowFixture.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>

// Both calculations by mouse and by keyboard, through the picker; its closing paths and title bar.
namespace {

const QString Unknown = QStringLiteral("\?\?\?\?/\?\?/\?\?");
const QString EmptyCountWarning = QStringLiteral("W Brenmoor: 请输入天数！（可为负数）");

// Opens the picker from ChooseDate(field), browses to the date, clicks its day (which gives the
// confirm button the focus) and confirms with `key` there.
void ChooseDate(const WindowFixture& w, int field, QDate date, Qt::Key key = Qt::Key_Return) {
    w.Click(QString("ChooseDate_%1").arg(field));
    w.C<QComboBox>("cboyear")->setCurrentIndex(date.year() - MonthGrid::FirstYear);
    w.C<QComboBox>("cbomonth")->setCurrentIndex(date.month() - 1);
    w.Click(QString("lblnumber_%1").arg(date.day() - 1));
    w.Key(key);
}

// Command1 waits for a confirmation; QianHou shows the wording instead once one has run.
bool Pending(const WindowFixture& w) {
    return w.C("Command1")->isVisible() && !w.C("QianHou")->isVisible();
}

const QPoint Grab = Twips::Point(100, 50); // where the title is grabbed
const QPoint Home = Twips::Point(705, 1140);

// QTest's own moves carry no buttons; a drag needs them.
void MoveWithButtons(QWidget* label, QPoint position, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, position, label->mapToGlobal(position), Qt::NoButton, buttons, {});
    QApplication::sendEvent(label, &move);
}

} // namespace

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void offsetByKeys() {
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->setText("5");
        w.Click("Command1"); // no base date yet: stops silently
        QCOMPARE(w.Text("CResult_1") + w.Text("QianHou") + w.Text("History_0"), Unknown + "天之后是：");
        ChooseDate(w, 1, QDate(2013, 1, 20));
        QCOMPARE(w.Text("History_0"), "2013/1/20(星期日)的5天之后是：2013/1/25(星期五)");
        box->setFocus();
        w.Key(Qt::Key_Return); // nothing pending: nothing happens
        QVERIFY(!Pending(w) && w.Text("History_1").isEmpty());
        // A misplaced minus goes at the next key of any kind.
        for (auto [key, text] : {std::pair(Qt::Key_7, "57"), {Qt::Key_Backspace, ""}, {Qt::Key_Left, "5"}}) {
            box->clear();
            QTest::keyClicks(box, "5-");
            QCOMPARE(box->text(), "5-");
            w.Key(key);
            QCOMPARE(box->text(), text);
        }
        QTest::keyClicks(box, "a +,Z"); // only count keys are typed
        QCOMPARE(box->text(), "5");
        // A paste by any route puts in what typing its characters would.
        for (auto [route, pasted, text] : {std::tuple("Ctrl+V", "-7.5", "-7.5"),
                                           {"Ctrl+V", "1-2", "12"},
                                           {"Shift+Insert", "--5", "5"},
                                           {"Shift+Insert", "a1b2c3d4e5f6", "12345"},
                                           {"menu", "1\b2", "12"},
                                           {"menu", "３.5", ".5"}}) {
            box->clear();
            QApplication::clipboard()->setText(pasted);
            if (route == QString("menu")) {
                QContextMenuEvent event(QContextMenuEvent::Keyboard, {}, box->mapToGlobal(QPoint()));
                QApplication::sendEvent(box, &event);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu);
                for (QAction* action : menu->actions())
                    if (action->text().endsWith(QKeySequence(QKeySequence::Paste).toString()))
                        action->trigger();
                menu->close();
            } else {
                QTest::keySequence(box, QKeySequence(route));
            }
            QCOMPARE(box->text(), text);
        }
        box->setText("5");
        box->setText("-10");
        w.Key(Qt::Key_Enter); // before: the box drops the minus
        QCOMPARE(w.Text("History_1"), "2013/1/20(星期日)的10天之前是：2013/1/10(星期四)");
        QVERIFY(!Pending(w) && box->text() == "10");
        box->clear();
        QTest::keyClicks(box, "-1.345"); // no sixth character
        QCOMPARE(box->text(), "-1.34");
        // An empty count warns, confirmed by a click or by Enter after two minus signs.
        box->clear();
        w.Click("Command1");
        QTest::keyClicks(box, "--");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QString());
        QCOMPARE(w.platform.boxes, QStringList({EmptyCountWarning, EmptyCountWarning}));
        QVERIFY(Pending(w));
        QCOMPARE(w.Text("CResult_1"), "2013/1/10");
    }

    void keysWhereTheMouseLeftTheFocus() {
        WindowFixture w; // today: Sunday 2013/1/20
        w.C("HowmuchDays")->setFocus();
        w.Click("ChooseDate_1");
        QCOMPARE(w.Focus(), ""); // the count box is disabled; no control of the panel takes the focus
        w.Keys({Qt::Key_Right, Qt::Key_Down});
        QCOMPARE(w.Text("lblday") + w.Focus(), "星期一");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Text("ChooseDate_1") + w.Focus(), "2013/1/28HowmuchDays"); // back where it was
        w.C("History_0")->setFocus();
        w.Click("ChooseDate_2");
        w.Keys({Qt::Key_Left, Qt::Key_Escape});
        QVERIFY(!w.PickerOpen());
        QCOMPARE(w.Text("ChooseDate_2") + w.Focus(), "选择日期History_0");
        // In a list a key changes the value and leaves the focus there, for the next key.
        w.Click("ChooseDate_2");
        for (const char* list : {"cboyear", "cbomonth"}) {
            w.C(list)->setFocus();
            w.Keys({Qt::Key_Down, Qt::Key_Down});
            QCOMPARE(w.Focus(), list);
        }
        QCOMPARE(w.C<QComboBox>("cboyear")->currentText() + w.C<QComboBox>("cbomonth")->currentText(),
                 " 20153");
    }

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
        // Closed, with both frames usable again and no key going to a control of the hidden panel.
        QVERIFY(!w.PickerOpen() && w.C("Fr_1")->isEnabled() && w.C("Fr_2")->isEnabled() &&
                (!QApplication::focusWidget() || QApplication::focusWidget()->isVisible()));
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
        QCOMPARE(TextColour(title), QColor(255, 255, 192));
        QTest::mousePress(title, Qt::LeftButton, {}, Grab);
        QCOMPARE(TextColour(title), QColor(Qt::black)); // pressed
        // Each move counts from where the panel stands now; no limits while dragging.
        MoveWithButtons(title, Grab + shift / 2, Qt::LeftButton);
        MoveWithButtons(title, Grab + shift - shift / 2, Qt::LeftButton);
        QCOMPARE(panel->pos(), Home + shift);
        QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + shift - shift / 2);
        QCOMPARE(panel->pos(), released);
        QVERIFY(w.PickerOpen() && TextColour(title) == Qt::white);
        w.Click("cmdcancel"); // dragged elsewhere, it reopens at home
        w.Click("ChooseDate_3");
        QCOMPARE(panel->pos(), Home);
    }

    void bothCalculationsByKeyboard() {
        WindowFixture w; // today: Sunday 2013/1/20
        // Tab reaches the date fields after the count box and its button.
        for (int i = 0; i < 6 && w.Focus() != "ChooseDate_1"; ++i)
            w.Key(Qt::Key_Tab);
        QCOMPARE(w.Focus(), "ChooseDate_1");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Focus(), "cmdok");
        w.Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}); // a week on, back, on
        QCOMPARE(w.Text("lblday"), "星期二");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Text("ChooseDate_1") + w.Text("ChooseWeek_1") + w.Text("CResult_1"),
                 "2013/1/29(星期二)2013/5/9");
        QCOMPARE(w.Focus(), "ChooseDate_1");
        // Typing a year's digits in the year list selects it; Enter confirms from there.
        w.Keys({Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab});
        QCOMPARE(w.Focus(), "cboyear");
        QTest::keyClicks(QApplication::focusWidget(), "1999");
        QCOMPARE(w.C<QComboBox>("cboyear")->currentText(), " 1999");
        w.Key(Qt::Key_Enter); // one date alone calculates nothing
        QCOMPARE(w.Text("ChooseDate_2") + w.Text("CResult_2") + w.Text("History_1"), "1999/1/29相差（?）天");
        // Esc cancels; what was browsed stays for the next opening.
        w.Keys({Qt::Key_Tab, Qt::Key_Return, Qt::Key_Left, Qt::Key_Escape});
        QCOMPARE(w.Text("ChooseDate_3"), "选择日期");
        w.Keys({Qt::Key_Space, Qt::Key_Return});
        QCOMPARE(w.Text("History_1"), "1999/1/29(星期五)与1999/1/28(星期四)相差（-1）天");
        w.Keys({Qt::Key_Space, Qt::Key_Return}); // the date the field shows again: nothing new
        QVERIFY(w.Text("History_2").isEmpty());
    }
};

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
