// Thousands of seeded random user actions on the window, each followed by the rules it always keeps.
// CI runs a fixed seed; MONKEY_SEED (a number, or "clock") and MONKEY_ACTIONS choose another run.
#include "support/WindowFixture.h"

#include "core/DateText.h"
#include "core/DayCount.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRandomGenerator>

#include <cstdio>

namespace {

// The rules the window keeps after every action, for a window started with an empty history.
QStringList BrokenRules(const WindowFixture& w) {
    QStringList broken;
    const auto rule = [&broken](bool holds, const QString& text) {
        if (!holds)
            broken << text;
    };
    rule(w.C("Command1")->isHidden() != w.C("QianHou")->isHidden(),
         "Command1 and QianHou both shown or hidden");
    rule(w.C("Fr_1")->isEnabled() != w.PickerOpen() && w.C("Fr_2")->isEnabled() != w.PickerOpen(),
         "the frames are not disabled exactly while the picker is open");
    for (int k = 1; k <= 3; ++k) {
        const QString text = w.Text(QString("ChooseDate_%1").arg(k));
        rule(text == DateText::NoDateText || DateText::Parse(text), "ChooseDate holds " + text);
    }
    for (int k = 1; k < 8; ++k) // every entry fills the first free slot: no gaps
        rule(w.Text(QString("History_%1").arg(k)).isEmpty() ||
                 !w.Text(QString("History_%1").arg(k - 1)).isEmpty(),
             QString("History_%1 is used after a free slot").arg(k));
    rule(w.Text("HowmuchDays").size() <= DayCount::MaxLength, "HowmuchDays holds " + w.Text("HowmuchDays"));
    // Keys go to the focus widget whether it shows or not: a hidden button would still be pressed.
    const QWidget* focus = QApplication::focusWidget();
    rule(!focus || (focus->isVisible() && focus->isEnabled()),
         "the focus is on a hidden or disabled control");
    rule(!w.PickerOpen() || w->rect().contains(w.C("FrCalendar")->geometry()),
         "the panel rests outside the window");
    return broken;
}

class Monkey {
public:
    Monkey(quint32 seed, const WindowFixture& w) : m_random(seed), m_w(w) {}

    // The broken rules and the last actions; empty when every rule held.
    QString Run(int count) {
        QStringList trace;
        for (int index = 0; index < count; ++index) {
            trace << QString("#%1 %2").arg(index).arg(Step());
            if (const QStringList broken = BrokenRules(m_w); !broken.isEmpty())
                return broken.join("\n") + "\nthe last actions:\n" + trace.mid(trace.size() - 100).join("\n");
        }
        return {};
    }

private:
    int Roll(int below) { return int(m_random.bounded(quint32(below))); }
    QPoint AnyPointIn(const QWidget* widget) { return {Roll(widget->width()), Roll(widget->height())}; }

    QString Step() {
        static const QStringList clickable = {"ChooseDate_1", "ChooseDate_2", "ChooseDate_3", "Command1",
                                              "cmdok",        "cmdcancel",    "LblTitle_1",   "History_2"};
        static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,      Qt::Key_Space,
                                       Qt::Key_Left,   Qt::Key_Down,   Qt::Key_5,        Qt::Key_Minus,
                                       Qt::Key_Period, Qt::Key_A,      Qt::Key_Backspace};
        QWidget* target = m_w.C(clickable[Roll(clickable.size())]);
        switch (Roll(6)) {
        case 0:
            target = m_w.C(QString("lblnumber_%1").arg(Roll(MonthGrid::CellCount)));
            break;
        case 1: {
            auto* list = m_w.C<QComboBox>(Roll(2) ? "cboyear" : "cbomonth");
            list->setCurrentIndex(Roll(list->count()));
            return "choose " + list->currentText();
        }
        case 2: {
            const Qt::Key key = keys[Roll(std::size(keys))];
            QWidget* focus = Roll(2) ? m_w.C("HowmuchDays") : QApplication::focusWidget();
            QTest::keyClick(focus ? focus : m_w.window.get(), key);
            return QString("key %1 on %2 -> %3").arg(int(key)).arg(m_w.Focus(), m_w.Text("HowmuchDays"));
        }
        case 3:
            return Drag();
        case 4:
            QTest::mouseMove(m_w->windowHandle(), AnyPointIn(m_w.window.get()));
            return "move";
        }
        if (target->isVisible() && target->isEnabled())
            QTest::mouseClick(target, Qt::LeftButton);
        return "click " + target->objectName();
    }

    // A press on the title bar, a few moves far and near (a second button now and then), a release.
    QString Drag() {
        QWidget* title = m_w.C("LblTitle_0");
        if (!title->isVisible())
            return "no drag";
        QPoint at = AnyPointIn(title);
        QTest::mousePress(title, Qt::LeftButton, {}, at);
        for (int i = Roll(5); i > 0; --i) {
            const int reach = Roll(4) == 0 ? 400 : 40;
            at += QPoint(Roll(2 * reach + 1) - reach, Roll(2 * reach + 1) - reach);
            const Qt::MouseButtons held = Roll(6) == 0 ? Qt::LeftButton | Qt::RightButton : Qt::LeftButton;
            QMouseEvent move(QEvent::MouseMove, at, title->mapToGlobal(at), Qt::NoButton, held, {});
            QApplication::sendEvent(title, &move);
        }
        QTest::mouseRelease(title, Qt::LeftButton, {}, at);
        return "drag";
    }

    QRandomGenerator m_random;
    const WindowFixture& m_w;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    // The monkey is only as good as its rules: a tampered window must break them.
    void rulesCatchATamperedWindow() {
        WindowFixture w;
        QCOMPARE(BrokenRules(w), QStringList());
        w.C<Label>("History_3")->SetCaption("x");
        w.C("Command1")->setHidden(!w.C("Command1")->isHidden());
        QCOMPARE(BrokenRules(w).size(), 2);
    }

    void randomActions() {
        const QString given = qEnvironmentVariable("MONKEY_SEED");
        const quint32 seed = given == "clock"  ? quint32(QDateTime::currentMSecsSinceEpoch())
                             : given.isEmpty() ? 20130120
                                               : given.toUInt();
        const int actions = qEnvironmentVariableIsSet("MONKEY_ACTIONS")
                                ? qEnvironmentVariableIntValue("MONKEY_ACTIONS")
                                : 3000;
        qInfo("monkey seed %u, %d actions (replay: MONKEY_SEED=%u MONKEY_ACTIONS=%d)", seed, actions, seed,
              actions);
        WindowFixture w;
        // A box stands over the window while it is up: the rules must hold then, too.
        w.platform.onMessage = [&w](const QString&) { QCOMPARE(BrokenRules(w), QStringList()); };
        const QString failure = Monkey(seed, w).Run(actions);
        if (!failure.isEmpty()) // long; QtTest would cut it short in a failure message
            std::fprintf(stderr, "monkey seed %u broke:\n%s\n", seed, qPrintable(failure));
        QVERIFY2(failure.isEmpty(), "a rule broke; the seed and the trace are printed above");
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
