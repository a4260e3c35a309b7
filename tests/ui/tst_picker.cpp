// The picker panel end to end: real clicks and keys through ChooseDate, the lists, the day cells and
// the panel's buttons, and what each confirmation writes and calculates.
#include "support/PickerDriver.h"

#include "ui/DayCountBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

using namespace PickerDriver;

namespace {
const QString NoResult = QStringLiteral("相差（?）天");
}

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void offsetCalculation();
    void dayCount_data();
    void dayCount();
    void unchangedDateRecalculatesNothing();
    void emptyDayCountWarnsBeforeClosing();
    void confirmKeys_data();
    void confirmKeys();
    void yearChangeFocusesMonthList();
    void monthLength_data();
    void monthLength();
    void dayBeyondMonthEnd_data();
    void dayBeyondMonthEnd();
    void closingChangesNothing_data();
    void closingChangesNothing();
    void framesLockedWhileOpen();
};

void TestPicker::offsetCalculation() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    ChooseDate(ui, 1, QDate(2013, 1, 20));

    QCOMPARE(ui.ChooseDate[1]->text(), QStringLiteral("2013/1/20"));
    QCOMPARE(ui.ChooseWeek[1]->text(), QStringLiteral("(星期日)"));
    QCOMPARE(ui.CResult[1]->text(), QStringLiteral("2013/4/30"));
    QCOMPARE(ui.ChooseWeek[0]->text(), QStringLiteral("(星期二)"));
    QCOMPARE(ui.History[0]->text(), QStringLiteral("2013/1/20(星期日)的100天之后是：2013/4/30(星期二)"));
    QVERIFY(!w->PickerOpen());
    QVERIFY(ui.Fr[1]->isEnabled() && ui.Fr[2]->isEnabled());
}

void TestPicker::dayCount_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QString>("firstWeek");
    QTest::addColumn<QDate>("second");
    QTest::addColumn<QString>("secondWeek");
    QTest::addColumn<QString>("result");
    QTest::newRow("forwards") << QDate(2013, 1, 1) << "(星期二)" << QDate(2013, 2, 1) << "(星期五)"
                              << "相差（31）天";
    QTest::newRow("backwards") << QDate(2013, 2, 1) << "(星期五)" << QDate(2013, 1, 1) << "(星期二)"
                               << "相差（-31）天";
    QTest::newRow("whole year range") << QDate(1960, 1, 1) << "(星期五)" << QDate(2099, 12, 31) << "(星期四)"
                                      << "相差（51134）天";
}

void TestPicker::dayCount() {
    QFETCH(QDate, first);
    QFETCH(QString, firstWeek);
    QFETCH(QDate, second);
    QFETCH(QString, secondWeek);
    QFETCH(QString, result);
    ActiveWindow w;
    const ControlTree& ui = w.ui;

    // One date alone calculates nothing.
    ChooseDate(ui, 2, first);
    QCOMPARE(ui.ChooseWeek[2]->text(), firstWeek);
    QCOMPARE(ui.CResult[2]->text(), NoResult);
    QVERIFY(ui.History[0]->text().isEmpty());

    ChooseDate(ui, 3, second);
    QCOMPARE(ui.ChooseWeek[3]->text(), secondWeek);
    QCOMPARE(ui.CResult[2]->text(), result);
    const QString format = QStringLiteral("yyyy/M/d");
    const QString entry = first.toString(format) + firstWeek + QStringLiteral("与") +
                          second.toString(format) + secondWeek + result;
    QCOMPARE(ui.History[0]->text(), entry);
    QVERIFY(ui.History[1]->text().isEmpty());
}

void TestPicker::unchangedDateRecalculatesNothing() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    ChooseDate(ui, 1, QDate(2013, 1, 20));
    // A new count waits for its own confirmation; an unchanged date must not calculate it.
    ui.HowmuchDays->setText(QStringLiteral("5"));

    Click(ui.ChooseDate[1]);
    Click(ui.cmdok);

    QVERIFY(!w->PickerOpen());
    QCOMPARE(ui.CResult[1]->text(), QStringLiteral("2013/4/30"));
    QVERIFY(ui.History[1]->text().isEmpty());
}

void TestPicker::emptyDayCountWarnsBeforeClosing() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    ui.HowmuchDays->clear();
    bool openDuringWarning = false;
    QString dateDuringWarning;
    w.platform.onMessage = [&](const FakePlatform::Message&) {
        openDuringWarning = w->PickerOpen();
        dateDuringWarning = ui.ChooseDate[1]->text();
    };

    ChooseDate(ui, 1, QDate(2013, 3, 8));

    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.platform.messages[0].icon, Platform::Icon::Warning);
    QCOMPARE(w.platform.messages[0].text, QStringLiteral("请输入天数！（可为负数）"));
    QVERIFY(openDuringWarning);
    QCOMPARE(dateDuringWarning, QStringLiteral("2013/3/8"));
    QCOMPARE(ui.ChooseWeek[1]->text(), QStringLiteral("(星期五)"));
    QCOMPARE(ui.CResult[1]->text(), QStringLiteral("\?\?\?\?/\?\?/\?\?"));
    QVERIFY(ui.History[0]->text().isEmpty());
    QVERIFY(!w->PickerOpen());
}

void TestPicker::confirmKeys_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
    QTest::newRow("Space") << Qt::Key_Space;
}

void TestPicker::confirmKeys() {
    QFETCH(Qt::Key, key);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Click(ui.ChooseDate[2]);
    ClickDay(ui, 5);
    QCOMPARE(QApplication::focusWidget(), ui.cmdok);

    QTest::keyClick(QApplication::focusWidget(), key);

    QCOMPARE(ui.ChooseDate[2]->text(), QStringLiteral("2013/1/5"));
    QCOMPARE(ui.ChooseWeek[2]->text(), QStringLiteral("(星期六)"));
    QVERIFY(!w->PickerOpen());
    // Keys must not reach a control of the hidden panel.
    QVERIFY(!w->focusWidget() || w->focusWidget()->isVisible());
}

void TestPicker::yearChangeFocusesMonthList() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Click(ui.ChooseDate[1]);
    ClickDay(ui, 9);
    ui.cboyear->setCurrentIndex(2020 - MonthGrid::FirstYear);
    QCOMPARE(QApplication::focusWidget(), ui.cbomonth);
    // The day chosen before stays chosen in the new year.
    QCOMPARE(ui.lblday->text(), QStringLiteral("星期四"));
}

void TestPicker::monthLength_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("February 2000") << 2000 << 2 << 29;
    QTest::newRow("February 2013") << 2013 << 2 << 28;
    QTest::newRow("February 2096") << 2096 << 2 << 29;
    QTest::newRow("February 2099") << 2099 << 2 << 28;
    QTest::newRow("April") << 2013 << 4 << 30;
    QTest::newRow("December") << 2013 << 12 << 31;
}

void TestPicker::monthLength() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Click(ui.ChooseDate[1]);
    // Start from a month whose last cells differ from the one under test.
    Browse(ui, year, days == 31 ? 2 : 1);
    Browse(ui, year, month);

    for (int day = 1; day <= MonthGrid::CellCount; ++day)
        QVERIFY2(ui.lblnumber[day - 1]->isVisible() == (day <= days), qPrintable(QString::number(day)));
}

void TestPicker::dayBeyondMonthEnd_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::newRow("April") << 2013 << 4;
    QTest::newRow("February, common year") << 2013 << 2;
    QTest::newRow("February, leap year") << 2012 << 2;
}

void TestPicker::dayBeyondMonthEnd() {
    QFETCH(int, year);
    QFETCH(int, month);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Click(ui.ChooseDate[1]);
    Browse(ui, year, 1);
    ClickDay(ui, 31);
    ui.cbomonth->setCurrentIndex(month - 1);
    Click(ui.cmdok);

    const QDate written = QDate::fromString(ui.ChooseDate[1]->text(), QStringLiteral("yyyy/M/d"));
    QVERIFY2(written.isValid(), qPrintable(ui.ChooseDate[1]->text()));
    QCOMPARE(written.year(), year);
    QCOMPARE(written.month(), month);
    // The weekday written beside it is that date's.
    const QString weekday = QLocale(QLocale::Chinese, QLocale::China).dayName(written.dayOfWeek());
    QCOMPARE(ui.ChooseWeek[1]->text(), QStringLiteral("(%1)").arg(weekday));
}

void TestPicker::closingChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("focus");
    QTest::newRow("cancel button") << "cmdcancel" << QString();
    QTest::newRow("close glyph") << "LblTitle_1" << QString();
    QTest::newRow("Esc on the confirm button") << "Esc" << QStringLiteral("cmdok");
    QTest::newRow("Esc on the month list") << "Esc" << QStringLiteral("cbomonth");
}

void TestPicker::closingChangesNothing() {
    QFETCH(QString, how);
    QFETCH(QString, focus);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    ChooseDate(ui, 1, QDate(2013, 1, 20));
    const auto texts = [&ui] {
        return QStringList{ui.ChooseDate[1]->text(), ui.ChooseWeek[1]->text(), ui.CResult[1]->text(),
                           ui.ChooseWeek[0]->text(), ui.History[0]->text(),    ui.History[1]->text()};
    };
    const QStringList before = texts();

    Click(ui.ChooseDate[1]);
    Browse(ui, 2015, 6);
    ClickDay(ui, 10);
    if (how == QLatin1String("Esc")) {
        w->findChild<QWidget*>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else
        Click(w->findChild<QWidget*>(how));

    QVERIFY(!w->PickerOpen());
    // Keys must not reach a control of the hidden panel.
    QVERIFY(!w->focusWidget() || w->focusWidget()->isVisible());
    QVERIFY(ui.Fr[1]->isEnabled() && ui.Fr[2]->isEnabled());
    QCOMPARE(texts(), before);

    // The next opening, from any field, shows what was browsed; confirming takes it.
    Click(ui.ChooseDate[3]);
    QCOMPARE(ui.cboyear->currentText(), QStringLiteral(" 2015"));
    QCOMPARE(ui.cbomonth->currentText(), QStringLiteral("6"));
    QCOMPARE(ui.lblnumber[9]->frameShape(), QFrame::Box);
    Click(ui.cmdok);
    QCOMPARE(ui.ChooseDate[3]->text(), QStringLiteral("2015/6/10"));
    QCOMPARE(ui.ChooseWeek[3]->text(), QStringLiteral("(星期三)"));
}

void TestPicker::framesLockedWhileOpen() {
    ActiveWindow w({QStringLiteral("旧记录")});
    const ControlTree& ui = w.ui;
    Click(ui.ChooseDate[1]);
    QVERIFY(w->PickerOpen());
    QVERIFY(!ui.Fr[1]->isEnabled() && !ui.Fr[2]->isEnabled());

    // Clicking another date field does not retarget the open panel.
    Click(ui.ChooseDate[3]);
    QVERIFY(w->PickerOpen());
    QTest::keyClick(ui.HowmuchDays, Qt::Key_5);
    QCOMPARE(ui.HowmuchDays->text(), QStringLiteral("100"));
    // The history and the today line still react.
    Click(ui.History[0]);
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.platform.messages[0].icon, Platform::Icon::Information);
    Click(ui.Todayis[0]);
    QCOMPARE(w.platform.openedUrls.size(), 1);

    ClickDay(ui, 2);
    Click(ui.cmdok);
    QCOMPARE(ui.ChooseDate[1]->text(), QStringLiteral("2013/1/2"));
    QCOMPARE(ui.ChooseDate[3]->text(), QStringLiteral("选择日期"));
}

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
