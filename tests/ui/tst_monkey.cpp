// A seeded monkey on the real main window: thousands of random user actions (clicks, keys, drags on
// the picker's title bar, pointer moves, timer ticks), checking after each one the rules the window
// always keeps. MONKEY_SEED and MONKEY_ACTIONS choose one run, for instance to replay a failure;
// without them a fixed seed and one taken from the clock each run a short round.
#include "support/FakePlatform.h"
#include "support/MonkeyInvariants.h"

#include "core/HistoryFile.h"
#include "ui/DayCountBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
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

int EnvironmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Clicks on disabled controls are part of the game; QtTest would warn about every one of them and
// soon stop printing anything, the seed and the timing included.
QtMessageHandler g_testHandler = nullptr;
void DropRefusedClickWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.contains(QLatin1String("not accepted by receiving widget")))
        return;
    g_testHandler(type, context, message);
}

QString Name(const QWidget* widget) {
    return widget->objectName();
}

// Mouse buttons held on one of the title bar's labels: that label receives the moves and releases
// until every button is up, as the pointer grab of a real press does.
struct Hold {
    Label* label = nullptr;
    Qt::MouseButtons buttons;
    QPoint position;
};

class Monkey {
public:
    Monkey(quint32 seed, MainWindow& window, FakePlatform& platform)
        : m_seed(seed), m_random(seed), m_window(window), m_ui(window.Controls()), m_platform(platform) {
        // A box stands over the window while it is up: the rules must hold then, too.
        m_platform.onMessage =
            [this](const FakePlatform::Message& message) {
                for (const QString& rule : MonkeyInvariants::Broken(m_window))
                    m_brokenWhileBoxUp
                        << QStringLiteral("%1 (while the box \"%2\" was up)").arg(rule, message.text);
            };
    }
    ~Monkey() { m_platform.onMessage = nullptr; }

    // Returns a report naming the seed, the broken rules and the last actions; empty when all held.
    QString Run(int count) {
        for (int index = 0; index < count; ++index) {
            QString line = Step();
            for (const FakePlatform::Message& message : std::as_const(m_platform.messages))
                line += QStringLiteral("  -> box \"%1\"").arg(message.text.section(QLatin1Char('\n'), 0, 0));
            m_platform.messages.clear();
            m_trace << QStringLiteral("#%1 %2").arg(index).arg(line);
            QStringList broken =
                m_brokenWhileBoxUp + m_brokenByDrag + MonkeyInvariants::Broken(m_window) + PanelRules();
            m_brokenWhileBoxUp.clear();
            m_brokenByDrag.clear();
            if (!broken.isEmpty())
                return Report(index, broken);
        }
        return {};
    }

    const QStringList& Trace() const { return m_trace; }

private:
    using Perform = std::function<QString()>;
    struct Action {
        int weight;
        Perform perform;
    };

    QString Step() {
        // A panel hidden under a held button loses the grab: the release happens elsewhere.
        if (m_hold && !m_hold->label->isVisible()) {
            m_hold.reset();
            return QStringLiteral("buttons released away from the hidden title bar");
        }
        std::vector<Action> actions;
        const auto add = [&actions](int weight, Perform perform) {
            actions.push_back({weight, std::move(perform)});
        };
        if (m_hold)
            AddHoldActions(add);
        else
            AddFreeActions(add);
        AddAnytimeActions(add);

        int total = 0;
        for (const Action& action : actions)
            total += action.weight;
        int pick = m_random.bounded(total);
        for (const Action& action : actions) {
            if (pick < action.weight)
                return action.perform();
            pick -= action.weight;
        }
        Q_UNREACHABLE();
    }

    template <typename Add> void AddFreeActions(const Add& add) {
        for (int k = 1; k <= 3; ++k)
            add(4, [this, k] { return Click(m_ui.ChooseDate[k]); });
        if (m_window.PickerOpen()) {
            add(12, [this] { return ClickDayCell(); });
            add(3, [this] { return Select(m_ui.cboyear); });
            add(4, [this] { return Select(m_ui.cbomonth); });
            add(6, [this] { return Click(m_ui.cmdok); });
            add(2, [this] { return Click(m_ui.cmdcancel); });
            add(2, [this] { return Click(m_ui.LblTitle[1]); });
            add(1, [this] { return Click(m_ui.LblTitle[0]); });
            add(4, [this] { return TitlePress(m_ui.LblTitle[0]); });
            add(1, [this] { return TitlePress(m_ui.LblTitle[1]); });
        }
        if (m_ui.Command1->isVisible())
            add(5, [this] { return Click(m_ui.Command1); });
        if (m_ui.HowmuchDays->isEnabled()) {
            add(30, [this] { return TypeIntoDayCount(); });
            add(1, [this] { return Click(m_ui.HowmuchDays); });
        }
        add(2, [this] { return Click(m_ui.History[m_random.bounded(History::SlotCount)]); });
        add(1, [this] {
            m_platform.browserWorks = m_random.bounded(2) == 0;
            return Click(m_ui.Todayis[m_random.bounded(2)]) +
                   (m_platform.browserWorks ? QString() : QStringLiteral(" (no browser)"));
        });
        add(1, [this] { return Click(m_ui.AboutMe); });
        add(6, [this] { return Hover(); });
        add(4, [this] { return ClickInWindow(); });
    }

    template <typename Add> void AddHoldActions(const Add& add) {
        add(10, [this] { return TitleMove(); });
        add(4, [this] { return TitleRelease(); });
        add(1, [this] { return TitlePress(m_hold->label); });
    }

    template <typename Add> void AddAnytimeActions(const Add& add) {
        add(4, [this] { return PressKeyOnFocus(); });
        add(2, [this] {
            m_window.ShanShuoTick(0);
            return QStringLiteral("tick T_ShanShuo_0");
        });
        add(1, [this] {
            m_window.ShanShuoTick(1);
            return QStringLiteral("tick T_ShanShuo_1");
        });
        add(1, [this] { return ClockTick(); });
        add(1, [] {
            QCoreApplication::processEvents();
            return QStringLiteral("process pending events");
        });
    }

    QString Click(QWidget* widget) {
        const QString line =
            QStringLiteral("click %1%2")
                .arg(Name(widget), widget->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
        QTest::mouseClick(widget, Qt::LeftButton);
        return line;
    }

    // A click anywhere, delivered as the window system does: to whatever lies under the pointer.
    QString ClickInWindow() {
        const QPoint at = RandomPointIn(&m_window);
        QWidget* under = m_window.childAt(at);
        // The drop-down is not driven: a click on a list stands for a choice in it.
        for (QWidget* w = under; w; w = w->parentWidget())
            if (auto* list = qobject_cast<QComboBox*>(w))
                return Select(list);
        const QString line = QStringLiteral("click the window at (%1,%2), on %3")
                                 .arg(at.x())
                                 .arg(at.y())
                                 .arg(under ? Name(under) : Name(&m_window));
        QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        return line;
    }

    QString ClickDayCell() {
        std::vector<Label*> shown;
        for (Label* cell : m_ui.lblnumber)
            if (cell->isVisible())
                shown.push_back(cell);
        return Click(shown.at(m_random.bounded(static_cast<int>(shown.size()))));
    }

    // A choice in a list, as a user makes it (the drop-down itself is not driven).
    QString Select(QComboBox* list) {
        const int index = m_random.bounded(list->count());
        list->setCurrentIndex(index);
        return QStringLiteral("choose %1 \"%2\"").arg(Name(list), list->itemText(index));
    }

    QString TypeIntoDayCount() {
        DayCountBox* box = m_ui.HowmuchDays;
        const QString before = box->text();
        const int roll = m_random.bounded(100);
        QString key;
        if (roll < 74) {
            const char character = roll < 45   ? char('0' + m_random.bounded(10))
                                   : roll < 55 ? '-'
                                   : roll < 62 ? '.'
                                   : roll < 70 ? char('a' + m_random.bounded(26))
                                               : " +,"[m_random.bounded(3)];
            QTest::keyClick(box, character);
            key = QStringLiteral("'%1'").arg(QLatin1Char(character));
        } else {
            static const std::vector<std::pair<Qt::Key, const char*>> named = {
                {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Backspace, "Backspace"},
                {Qt::Key_Left, "Left"},           {Qt::Key_Right, "Right"},
                {Qt::Key_Home, "Home"},           {Qt::Key_End, "End"},
                {Qt::Key_Delete, "Delete"},       {Qt::Key_Return, "Return"},
                {Qt::Key_Return, "Return"},       {Qt::Key_Enter, "Enter"},
                {Qt::Key_Escape, "Esc"}};
            const auto& [code, name] = named.at(m_random.bounded(static_cast<int>(named.size())));
            QTest::keyClick(box, code);
            key = QLatin1String(name);
        }
        return QStringLiteral("type %1 into HowmuchDays \"%2\" -> \"%3\"").arg(key, before, box->text());
    }

    // A key from the keyboard: the window hands it to whatever has the focus.
    QString PressKeyOnFocus() {
        const QWidget* focus = QApplication::focusWidget();
        std::vector<std::pair<Qt::Key, const char*>> keys = {
            {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}, {Qt::Key_Escape, "Esc"},
            {Qt::Key_Escape, "Esc"},    {Qt::Key_Tab, "Tab"},     {Qt::Key_Backtab, "Shift+Tab"},
            {Qt::Key_Up, "Up"},         {Qt::Key_Down, "Down"}};
        // Space opens a list's drop-down, which is not driven; elsewhere it presses buttons.
        if (!qobject_cast<const QComboBox*>(focus))
            keys.push_back({Qt::Key_Space, "Space"});
        const auto& [code, name] = keys.at(m_random.bounded(static_cast<int>(keys.size())));
        const Qt::KeyboardModifiers modifiers = code == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
        const QString line = QStringLiteral("key %1 (focus on %2)")
                                 .arg(QLatin1String(name), focus ? Name(focus) : QStringLiteral("nothing"));
        QTest::keyClick(m_window.windowHandle(), code, modifiers);
        return line;
    }

    QPoint RandomPointIn(const QWidget* widget) {
        return QPoint(m_random.bounded(qMax(1, widget->width())),
                      m_random.bounded(qMax(1, widget->height())));
    }

    // The pointer passes over a label, a frame's bare surface or the window, no button held.
    QString Hover() {
        std::vector<QWidget*> targets = {&m_window,  m_ui.Fr[0],      m_ui.Fr[1],
                                         m_ui.Fr[2], m_ui.Todayis[0], m_ui.AboutMe};
        for (QWidget* w : m_ui.History)
            targets.push_back(w);
        for (int k = 1; k <= 3; ++k)
            targets.push_back(m_ui.ChooseDate[k]);
        if (m_window.PickerOpen())
            for (QWidget* w :
                 {static_cast<QWidget*>(m_ui.LblTitle[0]), static_cast<QWidget*>(m_ui.LblTitle[1]),
                  static_cast<QWidget*>(m_ui.lblnumber[m_random.bounded(28)]), m_ui.Frdays})
                targets.push_back(w);
        QWidget* target = targets.at(m_random.bounded(static_cast<int>(targets.size())));
        const QPoint at = RandomPointIn(target);
        SendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        return QStringLiteral("move over %1 at (%2,%3)").arg(Name(target)).arg(at.x()).arg(at.y());
    }

    void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                   Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    Qt::MouseButton RandomButton(Qt::MouseButtons except) {
        std::vector<Qt::MouseButton> free;
        for (Qt::MouseButton button :
             {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (!except.testFlag(button))
                free.push_back(button);
        return free.empty() ? Qt::NoButton : free.at(m_random.bounded(static_cast<int>(free.size())));
    }

    static QString ButtonName(Qt::MouseButton button) {
        return button == Qt::LeftButton    ? QStringLiteral("left")
               : button == Qt::RightButton ? QStringLiteral("right")
                                           : QStringLiteral("middle");
    }

    QString TitlePress(Label* label) {
        const Qt::MouseButton button = RandomButton(m_hold ? m_hold->buttons : Qt::MouseButtons());
        if (button == Qt::NoButton)
            return TitleMove();
        if (!m_hold)
            m_hold = Hold{label, Qt::NoButton, RandomPointIn(label)};
        m_hold->buttons |= button;
        SendMouse(label, QEvent::MouseButtonPress, m_hold->position, button, m_hold->buttons);
        return QStringLiteral("press %1 on %2 at (%3,%4)")
            .arg(ButtonName(button), Name(label))
            .arg(m_hold->position.x())
            .arg(m_hold->position.y());
    }

    QString TitleMove() {
        // Mostly small steps; now and then a jump that takes the panel out of the window.
        const int reach = m_random.bounded(10) == 0 ? 400 : 40;
        m_hold->position += QPoint(m_random.bounded(-reach, reach + 1), m_random.bounded(-reach, reach + 1));
        const QPoint panelBefore = m_ui.FrCalendar->pos();
        SendMouse(m_hold->label, QEvent::MouseMove, m_hold->position, Qt::NoButton, m_hold->buttons);
        // Only a press on the title bar itself starts a drag.
        if (m_hold->label == m_ui.LblTitle[1] && m_ui.FrCalendar->pos() != panelBefore)
            m_brokenByDrag << QStringLiteral("a drag begun on the close glyph moved the panel");
        return QStringLiteral("drag on %1 to (%2,%3), buttons %4, panel at (%5,%6)")
            .arg(Name(m_hold->label))
            .arg(m_hold->position.x())
            .arg(m_hold->position.y())
            .arg(m_hold->buttons.toInt())
            .arg(m_ui.FrCalendar->x())
            .arg(m_ui.FrCalendar->y());
    }

    QString TitleRelease() {
        std::vector<Qt::MouseButton> held;
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (m_hold->buttons.testFlag(button))
                held.push_back(button);
        const Qt::MouseButton button = held.at(m_random.bounded(static_cast<int>(held.size())));
        m_hold->buttons &= ~Qt::MouseButtons(button);
        Label* label = m_hold->label;
        const QPoint at = m_hold->position;
        if (!m_hold->buttons)
            m_hold.reset();
        SendMouse(label, QEvent::MouseButtonRelease, at, button, m_hold ? m_hold->buttons : Qt::NoButton);
        return QStringLiteral("release %1 on %2 at (%3,%4)")
            .arg(ButtonName(button), Name(label))
            .arg(at.x())
            .arg(at.y());
    }

    QString ClockTick() {
        m_platform.now = QDateTime(QDate(2013, 1, 20).addDays(m_random.bounded(-30, 30)),
                                   QTime::fromMSecsSinceStartOfDay(m_random.bounded(24 * 3600 * 1000)));
        m_window.ClockTick();
        return QStringLiteral("clock tick at %1").arg(m_platform.now.toString(Qt::ISODateWithMs));
    }

    // Where the panel may be: anywhere during a drag, inside the window's limits otherwise.
    QStringList PanelRules() const {
        QStringList broken;
        if (!m_window.PickerOpen() || m_hold)
            return broken;
        const QWidget* panel = m_ui.FrCalendar;
        const int maxTop = Twips::FromPixels(m_window.frameGeometry().height()) - PanelHeightWithTitle;
        if (panel->x() < 0 || panel->x() > Twips::ToPixels(PanelMaxLeft) || panel->y() < 0 ||
            panel->y() > Twips::ToPixels(maxTop))
            broken << QStringLiteral("the panel rests at (%1,%2) px, outside the window's limits")
                          .arg(panel->x())
                          .arg(panel->y());
        return broken;
    }

    QString Report(int index, const QStringList& broken) const {
        QString report =
            QStringLiteral(
                "monkey seed %1, action #%2 broke:\n  %3\nreplay: MONKEY_SEED=%1 MONKEY_ACTIONS=%4\n")
                .arg(QString::number(m_seed), QString::number(index), broken.join(QStringLiteral("\n  ")),
                     QString::number(index + 1));
        const qsizetype first = qMax<qsizetype>(0, m_trace.size() - TraceShown);
        report += QStringLiteral("the last %1 actions:\n").arg(m_trace.size() - first);
        for (qsizetype i = first; i < m_trace.size(); ++i)
            report += QStringLiteral("  ") + m_trace.at(i) + QLatin1Char('\n');
        return report;
    }

    const quint32 m_seed;
    QRandomGenerator m_random;
    MainWindow& m_window;
    const ControlTree& m_ui;
    FakePlatform& m_platform;
    std::optional<Hold> m_hold;
    QStringList m_trace;
    QStringList m_brokenWhileBoxUp;
    QStringList m_brokenByDrag;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void rulesCatchATamperedWindow_data();
    void rulesCatchATamperedWindow();
    void randomActions_data();
    void randomActions();
};

// The monkey is only as good as its rules: each tampering below must break at least one.
void TestMonkey::rulesCatchATamperedWindow_data() {
    QTest::addColumn<int>("tampering");
    QTest::newRow("button and wording both shown") << 0;
    QTest::newRow("a frame enabled under the open picker") << 1;
    QTest::newRow("a date that does not exist") << 2;
    QTest::newRow("a weekday naming another day") << 3;
    QTest::newRow("a history label differing from its slot") << 4;
    QTest::newRow("a difference not recalculated") << 5;
    QTest::newRow("an entry with a wrong difference") << 6;
}

void TestMonkey::rulesCatchATamperedWindow() {
    QFETCH(int, tampering);
    QTemporaryDir dir;
    FakePlatform platform;
    MainWindow window(platform, HistoryFile::PathIn(dir.path()));
    window.show();
    QCOMPARE(MonkeyInvariants::Broken(window), QStringList());

    const ControlTree& ui = window.Controls();
    const auto setDate = [&ui](int field, const char* date, const char* weekday) {
        ui.ChooseDate[field]->SetCaption(QString::fromUtf8(date));
        ui.ChooseWeek[field]->SetCaption(QString::fromUtf8(weekday));
    };
    switch (tampering) {
    case 0:
        ui.Command1->show();
        break;
    case 1:
        window.OpenPicker(1);
        ui.Fr[1]->setEnabled(true);
        break;
    case 2:
        setDate(1, "2013/2/30", "(星期六)");
        break;
    case 3:
        setDate(1, "2013/1/20", "(星期一)");
        break;
    case 4:
        ui.History[3]->SetCaption(QStringLiteral("2013/1/1(星期二)与2013/2/1(星期五)相差（31）天"));
        break;
    case 5:
        setDate(2, "2013/1/1", "(星期二)");
        setDate(3, "2013/2/1", "(星期五)");
        break;
    case 6:
        setDate(2, "2013/1/1", "(星期二)");
        setDate(3, "2013/2/1", "(星期五)");
        window.Calculate(2);
        QCOMPARE(MonkeyInvariants::Broken(window), QStringList());
        ui.CResult[2]->SetCaption(QStringLiteral("相差（30）天"));
        window.AddHistory(2);
        ui.CResult[2]->SetCaption(QStringLiteral("相差（31）天"));
        break;
    }
    const QStringList broken = MonkeyInvariants::Broken(window);
    QVERIFY(!broken.isEmpty());
    qInfo("%s", qPrintable(broken.join(QStringLiteral("; "))));
}

void TestMonkey::randomActions_data() {
    QTest::addColumn<quint32>("seed");
    bool given = false;
    const quint32 seed = qEnvironmentVariable("MONKEY_SEED").toUInt(&given);
    if (given) {
        QTest::newRow("MONKEY_SEED") << seed;
        return;
    }
    QTest::newRow("fixed seed") << FixedSeed;
    QTest::newRow("seed from the clock") << static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
}

void TestMonkey::randomActions() {
    QFETCH(quint32, seed);
    const int actions = EnvironmentNumber("MONKEY_ACTIONS", DefaultActions);
    qInfo("monkey seed %u, %d actions (replay: MONKEY_SEED=%u MONKEY_ACTIONS=%d)", seed, actions, seed,
          actions);

    QTemporaryDir dir;
    const QString historyPath = HistoryFile::PathIn(dir.path());
    FakePlatform platform;
    MainWindow window(platform, historyPath);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(platform.messages.isEmpty());

    g_testHandler = qInstallMessageHandler(DropRefusedClickWarnings);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(g_testHandler); });
    QElapsedTimer timer;
    timer.start();
    QString failure;
    {
        Monkey monkey(seed, window, platform);
        failure = monkey.Run(actions);
        // The whole trace on request, for a run to be read through or compared with a replay.
        if (const QString tracePath = qEnvironmentVariable("MONKEY_TRACE_FILE"); !tracePath.isEmpty()) {
            QFile trace(tracePath);
            if (trace.open(QIODevice::WriteOnly | QIODevice::Text))
                trace.write(monkey.Trace().join(QLatin1Char('\n')).toUtf8() + '\n');
        }
    }
    const History::Slots& entries = window.HistoryList().AllSlots();
    qInfo("monkey seed %u: %d actions in %lld ms; %d history entries at the end, the last \"%s\"", seed,
          actions, timer.elapsed(),
          int(std::count_if(entries.begin(), entries.end(), [](const QString& e) { return !e.isEmpty(); })),
          qPrintable(window.HistoryList().Slot(window.HistoryList().ShanShuoIndex())));
    // The report is long; QtTest would cut it short in a failure message.
    if (!failure.isEmpty())
        std::fputs(qPrintable(failure), stderr);
    QVERIFY2(failure.isEmpty(), "a rule broke; the seed and the trace are printed above");

    // Closing writes the list exactly as shown, or leaves no file when the first slot is free.
    const History::Slots saved = window.HistoryList().AllSlots();
    window.close();
    if (saved[0].isEmpty()) {
        QVERIFY(!QFile::exists(historyPath));
    } else {
        QFile file(historyPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), HistoryFile::Encode(saved));
    }
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
