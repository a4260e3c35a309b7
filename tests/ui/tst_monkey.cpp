// A seeded monkey on the real main window: thousands of random user actions (clicks, keys, pointer
// moves, drags on the picker's title bar, timer ticks), checking after each one the rules the window
// always keeps. MONKEY_SEED and MONKEY_ACTIONS choose one run, for instance to replay a failure;
// without them a fixed seed and one taken from the clock each run a short round.
#include "support/WindowFixture.h"

#include "core/DateText.h"
#include "core/DayCount.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr quint32 FixedSeed = 20130120;
constexpr int DefaultActions = 3000;
constexpr int TraceShown = 150;

// Limits the panel is snapped back into, in twips: the window is 4920 wide, the panel 3200 by 3600,
// with fixed allowances of 90 and 400 for the border and the title bar.
constexpr int PanelMaxLeft = 4920 - 3200 - 90;
constexpr int PanelHeightWithTitle = 3600 + 400;

QString NameOf(const QObject* object) {
    return object ? object->objectName() : "nothing";
}

// The rules the window keeps after every action, for a window started with an empty history.
// Returns one line per broken rule.
QStringList BrokenRules(const MainWindow& window) {
    const ControlTree& ui = window.Controls();
    QStringList broken;
    const auto rule = [&broken](bool holds, const QString& text) {
        if (!holds)
            broken << text;
    };
    rule(ui.Command1->isHidden() != ui.QianHou->isHidden(), "Command1 and QianHou both shown or both hidden");
    const bool pickerOpen = !ui.FrCalendar->isHidden();
    rule(ui.Fr[1]->isEnabled() != pickerOpen && ui.Fr[2]->isEnabled() != pickerOpen,
         "Fr_1 and Fr_2 are not disabled exactly while the picker is open");
    for (int k = 1; k <= 3; ++k) {
        const QString text = ui.ChooseDate[k]->text();
        rule(text == DateText::NoDateText || DateText::Parse(text),
             QString("ChooseDate_%1 holds %2").arg(k).arg(text));
    }
    // Every entry comes from a calculation, which fills the first free slot: no gaps.
    bool freeSeen = false;
    for (int k = 0; k < History::SlotCount; ++k) {
        const QString slot = window.HistoryList().Slot(k);
        const QString shown = ui.History[k]->text();
        rule(shown == slot, QString("History_%1 shows %2, its slot holds %3").arg(k).arg(shown, slot));
        rule(slot.isEmpty() || !freeSeen, QString("slot %1 is used after a free slot").arg(k));
        freeSeen = freeSeen || slot.isEmpty();
    }
    rule(ui.HowmuchDays->text().size() <= DayCount::MaxLength,
         QString("HowmuchDays holds \"%1\", more than five characters").arg(ui.HowmuchDays->text()));
    // Keys go to the focus widget whether it shows or not: a hidden button would still be pressed.
    const QWidget* focus = QApplication::focusWidget();
    rule(!focus || focus->window() != &window || (focus->isVisible() && focus->isEnabled()),
         QString("the focus is on %1, hidden or disabled").arg(NameOf(focus)));
    return broken;
}

// Clicks on disabled controls are part of the game; QtTest would warn about every one of them and
// soon stop printing anything, the seed included.
QtMessageHandler g_testHandler = nullptr;
void DropRefusedClickWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtWarningMsg || !message.contains(QLatin1String("not accepted by receiving widget")))
        g_testHandler(type, context, message);
}

class Monkey {
public:
    Monkey(quint32 seed, MainWindow& window, FakePlatform& platform)
        : m_random(seed), m_window(window), m_ui(window.Controls()), m_platform(platform) {
        // A box stands over the window while it is up: the rules must hold then, too.
        m_platform.onMessage = [this](const FakePlatform::Message& message) {
            for (const QString& rule : BrokenRules(m_window))
                m_broken << rule + " (while the box \"" + message.text + "\" was up)";
        };
    }
    ~Monkey() { m_platform.onMessage = nullptr; }

    // Returns the broken rules and the last actions; empty when every rule held.
    QString Run(int count) {
        for (int index = 0; index < count; ++index) {
            QString line = QString("#%1 %2").arg(index).arg(Step());
            for (const FakePlatform::Message& message : std::as_const(m_platform.messages))
                line += "  -> box \"" + message.text.section('\n', 0, 0) + '"';
            m_platform.messages.clear();
            m_trace << line;
            m_broken += BrokenRules(m_window);
            if (m_window.PickerOpen() && !m_hold && !PanelWithinLimits())
                m_broken << "the panel rests outside the window's limits";
            if (!m_broken.isEmpty())
                return m_broken.join("\n") + "\nthe last actions:\n" +
                       m_trace.mid(m_trace.size() - TraceShown).join("\n");
        }
        return {};
    }

private:
    struct Hold { // buttons held on a title bar label, which keeps the pointer until all are up
        Label* label;
        Qt::MouseButtons buttons;
        QPoint position;
    };
    using Actions = std::vector<std::pair<int, std::function<QString()>>>; // weight, action

    int Roll(int below) { return int(m_random.bounded(quint32(below))); }
    template <typename T> T Any(const std::vector<T>& items) { return items.at(Roll(int(items.size()))); }
    QPoint AnyPointIn(const QWidget* widget) { return {Roll(widget->width()), Roll(widget->height())}; }

    QString Step() {
        // A panel hidden under a held button loses the grab: the release happens elsewhere.
        if (m_hold && !m_hold->label->isVisible()) {
            m_hold.reset();
            return "buttons released away from the hidden title bar";
        }
        // Weight 0: not possible now. A held button allows only moves and more buttons on the title bar.
        const int held = m_hold ? 1 : 0, free = 1 - held, open = free && m_window.PickerOpen() ? 1 : 0;
        const int typing = free && m_ui.HowmuchDays->isEnabled() ? 1 : 0;
        const Actions actions = {
            {10 * held, [this] { return TitleMove(); }},
            {5 * held, [this] { return TitleButton(m_hold->label); }},
            {12 * free, [this] { return Click(m_ui.ChooseDate[1 + Roll(3)]); }},
            {12 * open, [this] { return ClickDayCell(); }},
            {3 * open, [this] { return Select(m_ui.cboyear); }},
            {4 * open, [this] { return Select(m_ui.cbomonth); }},
            {6 * open, [this] { return Click(m_ui.cmdok); }},
            {2 * open, [this] { return Click(m_ui.cmdcancel); }},
            {2 * open, [this] { return Click(m_ui.LblTitle[1]); }},
            {1 * open, [this] { return Click(m_ui.LblTitle[0]); }},
            {4 * open, [this] { return TitleButton(m_ui.LblTitle[0]); }},
            {1 * open, [this] { return TitleButton(m_ui.LblTitle[1]); }},
            {m_ui.Command1->isVisible() ? 5 * free : 0, [this] { return Click(m_ui.Command1); }},
            {30 * typing, [this] { return PressKey(true); }},
            {1 * typing, [this] { return Click(m_ui.HowmuchDays); }},
            {2 * free, [this] { return Click(m_ui.History[Roll(History::SlotCount)]); }},
            {1 * free, [this] { return Click(m_ui.Todayis[Roll(2)]); }},
            {1 * free, [this] { return Click(m_ui.AboutMe); }},
            {6 * free, [this] { return PointerAt(false); }},
            {4 * free, [this] { return PointerAt(true); }},
            {4, [this] { return PressKey(false); }},
            {3, [this] { return ShanShuoTick(Roll(3) / 2); }},
            {1, [this] { return ClockTick(); }},
            {1, [] {
                 QCoreApplication::processEvents();
                 return QString("process pending events");
             }}};
        std::vector<const std::function<QString()>*> pool;
        for (const auto& [weight, perform] : actions)
            pool.insert(pool.end(), weight, &perform);
        return (*Any(pool))();
    }

    QString Click(QWidget* widget) {
        const QString line = "click " + NameOf(widget) + (widget->isEnabled() ? "" : " (disabled)");
        QTest::mouseClick(widget, Qt::LeftButton);
        return line;
    }

    QString ClickDayCell() {
        Label* cell = m_ui.lblnumber[Roll(MonthGrid::CellCount)];
        return cell->isVisible() ? Click(cell) : ClickDayCell();
    }

    // A choice in a list, as a user makes it (the drop-down itself is not driven).
    QString Select(QComboBox* list) {
        list->setCurrentIndex(Roll(list->count()));
        return "choose " + NameOf(list) + " \"" + list->currentText() + '"';
    }

    // A move or click anywhere, delivered as the window system does: to whatever lies under the pointer.
    QString PointerAt(bool click) {
        const QPoint at = AnyPointIn(&m_window);
        QWidget* under = m_window.childAt(at);
        for (QWidget* w = under; click && w; w = w->parentWidget())
            if (auto* list = qobject_cast<QComboBox*>(w))
                return Select(list);
        if (click)
            QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        else
            QTest::mouseMove(m_window.windowHandle(), at);
        return QString::asprintf("%s at (%d,%d) on %s", click ? "click" : "move", at.x(), at.y(),
                                 qUtf8Printable(NameOf(under)));
    }

    // A key on the day-count box, or on the window, which hands it to whatever has the focus.
    QString PressKey(bool onBox) {
        static const QByteArray typed = "0011223344556677889900123456789--..a +,";
        std::vector<Qt::Key> keys = {Qt::Key_Backspace, Qt::Key_Left,   Qt::Key_Right,   Qt::Key_Home,
                                     Qt::Key_End,       Qt::Key_Delete, Qt::Key_Return,  Qt::Key_Enter,
                                     Qt::Key_Escape,    Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Up,
                                     Qt::Key_Down};
        // Space opens a list's drop-down, which is not driven; elsewhere it presses buttons.
        const QWidget* focus = QApplication::focusWidget();
        if (!qobject_cast<const QComboBox*>(focus))
            keys.push_back(Qt::Key_Space);
        const QString before =
            QString("%1 (focus on %2), HowmuchDays \"%3\"")
                .arg(onBox ? " on HowmuchDays" : "", NameOf(focus), m_ui.HowmuchDays->text());
        QString key;
        if (onBox && Roll(4) != 0) {
            char character = typed.at(Roll(int(typed.size())));
            if (character == 'a')
                character = char('a' + Roll(26));
            QTest::keyClick(m_ui.HowmuchDays, character);
            key = QString("'%1'").arg(character);
        } else {
            const Qt::Key code = Any(keys);
            QTest::keyClick(onBox ? m_ui.HowmuchDays : nullptr, code,
                            code == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            key = QKeySequence(code).toString();
        }
        return "key " + key + before + " -> \"" + m_ui.HowmuchDays->text() + '"';
    }

    QString SendToTitle(QEvent::Type type, Qt::MouseButton button, const char* verb) {
        QMouseEvent event(type, m_hold->position, m_hold->label->mapToGlobal(m_hold->position), button,
                          m_hold->buttons, Qt::NoModifier);
        QApplication::sendEvent(m_hold->label, &event);
        return QString::asprintf("%s button %d on %s at (%d,%d), buttons %d, panel at (%d,%d)", verb,
                                 int(button), qUtf8Printable(NameOf(m_hold->label)), m_hold->position.x(),
                                 m_hold->position.y(), m_hold->buttons.toInt(), m_ui.FrCalendar->x(),
                                 m_ui.FrCalendar->y());
    }

    // Presses a button on a title label, or releases it when it is held already.
    QString TitleButton(Label* label) {
        const auto button =
            Any<Qt::MouseButton>({Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
        if (!m_hold)
            m_hold = Hold{label, Qt::NoButton, AnyPointIn(label)};
        const bool press = !m_hold->buttons.testFlag(button);
        m_hold->buttons ^= button;
        const QString line = SendToTitle(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                                         button, press ? "press" : "release");
        if (!m_hold->buttons)
            m_hold.reset();
        return line;
    }

    QString TitleMove() {
        // Mostly small steps; now and then a jump that takes the panel out of the window.
        const int reach = Roll(10) == 0 ? 400 : 40;
        m_hold->position += QPoint(Roll(2 * reach + 1) - reach, Roll(2 * reach + 1) - reach);
        const QPoint panelBefore = m_ui.FrCalendar->pos();
        const QString line = SendToTitle(QEvent::MouseMove, Qt::NoButton, "move");
        // Only a press on the title itself starts a drag; a press on the close glyph never does.
        if (m_hold->label == m_ui.LblTitle[1] && m_ui.FrCalendar->pos() != panelBefore)
            m_broken << "a drag begun on the close glyph moved the panel";
        return line;
    }

    QString ShanShuoTick(int timer) {
        m_window.ShanShuoTick(timer);
        return QString("tick T_ShanShuo_%1").arg(timer);
    }

    // The clock jumps, and the browser works from now on or not.
    QString ClockTick() {
        m_platform.now = QDateTime(QDate(2013, 1, 20).addDays(Roll(60) - 30),
                                   QTime::fromMSecsSinceStartOfDay(Roll(24 * 3600 * 1000)));
        m_platform.browserWorks = Roll(2) == 0;
        m_window.ClockTick();
        return "clock tick at " + m_platform.now.toString(Qt::ISODateWithMs) +
               (m_platform.browserWorks ? "" : ", no browser");
    }

    // Where the panel may rest once no drag is in progress.
    bool PanelWithinLimits() const {
        const QWidget* panel = m_ui.FrCalendar;
        const int maxTop = Twips::FromPixels(m_window.frameGeometry().height()) - PanelHeightWithTitle;
        return panel->x() >= 0 && panel->x() <= Twips::ToPixels(PanelMaxLeft) && panel->y() >= 0 &&
               panel->y() <= Twips::ToPixels(maxTop);
    }

    QRandomGenerator m_random;
    MainWindow& m_window;
    const ControlTree& m_ui;
    FakePlatform& m_platform;
    std::optional<Hold> m_hold;
    QStringList m_trace;
    QStringList m_broken;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    // The monkey is only as good as its rules: a tampered window must break them.
    void rulesCatchATamperedWindow() {
        WindowFixture w;
        QCOMPARE(BrokenRules(*w.window), QStringList());
        w.ui->History[3]->SetCaption("2013/1/1(星期二)与2013/2/1(星期五)相差（31）天");
        w.ui->Command1->setHidden(!w.ui->Command1->isHidden());
        QCOMPARE(BrokenRules(*w.window).size(), 2);
    }

    void randomActions_data() {
        QTest::addColumn<quint32>("seed");
        bool given = false;
        const quint32 seed = qEnvironmentVariable("MONKEY_SEED").toUInt(&given);
        QTest::newRow(given ? "MONKEY_SEED" : "fixed seed") << (given ? seed : FixedSeed);
        if (!given)
            QTest::newRow("seed from the clock") << quint32(QDateTime::currentMSecsSinceEpoch());
    }

    void randomActions() {
        QFETCH(quint32, seed);
        const int actions = qEnvironmentVariableIsSet("MONKEY_ACTIONS")
                                ? qEnvironmentVariableIntValue("MONKEY_ACTIONS")
                                : DefaultActions;
        qInfo("monkey seed %u, %d actions (replay: MONKEY_SEED=%u MONKEY_ACTIONS=%d)", seed, actions, seed,
              actions);
        WindowFixture w;
        g_testHandler = qInstallMessageHandler(DropRefusedClickWarnings);
        const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(g_testHandler); });
        const QString failure = Monkey(seed, *w.window, w.platform).Run(actions);
        // The report is long; QtTest would cut it short in a failure message.
        if (!failure.isEmpty())
            std::fprintf(stderr, "monkey seed %u broke:\n%s\nreplay: MONKEY_SEED=%u\n", seed,
                         qPrintable(failure), seed);
        QVERIFY2(failure.isEmpty(), "a rule broke; the seed and the trace are printed above");
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
