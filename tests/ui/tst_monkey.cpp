// Thousands of seeded random user actions, each followed by the rules the window keeps.
#include "support/WindowFixture.h"

#include "core/DateText.h"

#include <QMouseEvent>
#include <QRandomGenerator>

// Those broken, or empty.
static QString BrokenRules(const WindowFixture& w) {
    QString broken;
    const auto rule = [&broken](bool holds, const QString& text) { broken += holds ? "" : text + "; "; };
    rule(w.C("Command1")->isHidden() != w.C("QianHou")->isHidden(), "Command1/QianHou");
    rule(w.C("Fr_1")->isEnabled() != w.PickerOpen() && w.C("Fr_2")->isEnabled() != w.PickerOpen(), "frames");
    for (int k = 1; k <= 3; ++k) {
        const QString text = w.Text(QString("ChooseDate_%1").arg(k));
        rule(text == DateText::NoDateText || DateText::Parse(text), "date " + text);
    }
    QString used; // every entry fills the first free slot
    for (int k = 0; k < 8; ++k)
        used += w.Text(QString("History_%1").arg(k)).isEmpty() ? '0' : '1';
    rule(!used.contains("01"), "history " + used);
    const QWidget* focus = QApplication::focusWidget(); // keys reach it even hidden
    rule(!focus || (focus->isVisible() && focus->isEnabled()), "focus");
    rule(!w.PickerOpen() || w->rect().contains(w.C("FrCalendar")->geometry()), "panel outside");
    return broken;
}

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomActions() {
        const QString seed = qEnvironmentVariable("MONKEY_SEED", "20130120");
        QRandomGenerator random(seed.toUInt());
        const auto roll = [&random](int below) { return int(random.bounded(quint32(below))); };
        const QStringList clickable = {"ChooseDate_1", "ChooseDate_2", "ChooseDate_3", "Command1",
                                       "cmdok",        "cmdcancel",    "LblTitle_1",   "History_2"};
        const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,      Qt::Key_Space,
                                Qt::Key_Left,   Qt::Key_Down,   Qt::Key_5,        Qt::Key_Minus,
                                Qt::Key_Period, Qt::Key_A,      Qt::Key_Backspace};
        WindowFixture w;
        w.platform.onMessage = [&w] { QCOMPARE(BrokenRules(w), QString()); }; // while a box is up, too
        QWidget* title = w.C("LblTitle_0");
        for (int step = 0; step < 3000; ++step) {
            QWidget* target = w.C(clickable[roll(clickable.size())]);
            auto* list = w.C<QComboBox>(roll(2) ? "cboyear" : "cbomonth");
            QPoint at(roll(title->width()), roll(title->height()));
            switch (roll(5)) {
            case 0:
                target = w.C(QString("lblnumber_%1").arg(roll(MonthGrid::CellCount)));
                [[fallthrough]];
            case 1:
                if (target->isVisible() && target->isEnabled())
                    QTest::mouseClick(target, Qt::LeftButton);
                break;
            case 2:
                list->setCurrentIndex(roll(list->count()));
                break;
            case 3:
                roll(2) ? QTest::keyClick(w.C("HowmuchDays"), keys[roll(std::size(keys))])
                        : w.Key(keys[roll(std::size(keys))]);
                break;
            default: // a drag on the title bar, far or near, at times with two buttons
                if (!title->isVisible())
                    break;
                QTest::mousePress(title, Qt::LeftButton, {}, at);
                for (int i = roll(5); i > 0; --i) {
                    const int reach = roll(4) ? 40 : 400;
                    at += QPoint(roll(2 * reach + 1) - reach, roll(2 * reach + 1) - reach);
                    const auto held = Qt::LeftButton | (roll(6) ? Qt::NoButton : Qt::RightButton);
                    QMouseEvent move(QEvent::MouseMove, at, title->mapToGlobal(at), Qt::NoButton, held, {});
                    QApplication::sendEvent(title, &move);
                }
                QTest::mouseRelease(title, Qt::LeftButton, {}, at);
            }
            QVERIFY2(BrokenRules(w).isEmpty(),
                     qPrintable(QString("seed %1, step %2: ").arg(seed).arg(step) + BrokenRules(w)));
        }
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
