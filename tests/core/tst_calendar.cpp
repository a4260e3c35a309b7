#include "core/DateText.h"
#include "core/DayCount.h"
#include "core/MonthGrid.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Picked date, weekday word, [marked day/shown cells], focus request.
static QString Shown(MonthGrid& grid) {
    int shown = 0;
    for (int cell = 0; cell < MonthGrid::CellCount; ++cell)
        shown += grid.CellVisible(cell);
    const QString focus[] = {"", " →ok", " →month"};
    return DateText::Format(grid.PickedDate().value_or(QDate())) + ' ' + grid.WeekdayWord() +
           u" [%1/%2]"_s.arg(grid.MarkedCell() + 1).arg(shown) + focus[int(grid.TakeFocusRequest())];
}

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void dateTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("result"); // "" for no date text
        QTest::newRow("four-digit year") << "0100/1/1" << 0 << "0100/1/1(星期五) 0";
        QTest::newRow("leap: divisible by 400") << "2000/2/29" << 1 << "2000/3/1(星期三) 1";
        QTest::newRow("common: century") << "1900/2/29" << 0 << "";
        QTest::newRow("month with leading zero") << "2013/01/20" << 0 << "";
        QTest::newRow("year before range") << "0099/12/31" << 0 << "";
        QTest::newRow("after last day") << "9999/12/31" << 1 << "out of range";
    }
    void dateTexts() {
        QFETCH(QString, text);
        QFETCH(int, days);
        QFETCH(QString, result);
        const auto base = DateText::Parse(text);
        const auto moved = base ? DateText::OffsetDate(*base, days) : std::nullopt;
        QCOMPARE(moved ? DateText::Format(*moved) + DateText::WeekdayText(*moved) + ' ' +
                             QString::number(DateText::DayDifference(*base, *moved))
                 : base ? u"out of range"_s
                        : QString(),
                 result);
    }

    // The misplaced minus dropped, then the count.
    void typedCounts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("count"); // kept text: whole days, or "-" for no number
        QTest::newRow("two points: no number") << "1..3"
                                               << "1..3: -";
        QTest::newRow("toward zero; below zero is before") << "-.5"
                                                           << "-.5: 0 before";
        QTest::newRow("minus in fifth place") << "1234-"
                                              << "1234: 1234 after";
    }
    void typedCounts() {
        QFETCH(QString, typed);
        QFETCH(QString, count);
        const QString text = DayCount::StripMisplacedMinus(typed);
        const auto value = DayCount::Parse(text);
        const QString days = value ? QString::number(DayCount::WholeDays(*value)) + ' ' : u"-"_s;
        QCOMPARE(text + ": " + days + (!value ? "" : DayCount::IsBefore(*value) ? "before" : "after"), count);
    }

    void gridCarriesDayAndArmsYearList() {
        MonthGrid grid;
        grid.SelectYearIndex(2013 - MonthGrid::FirstYear); // the first change only arms the list
        QCOMPARE(Shown(grid), " 星期日 [0/28]");
        grid.SelectMonthIndex(4);
        grid.SelectDayCell(14);
        grid.SelectDayCell(14); // clicked again, it stays marked
        QCOMPARE(Shown(grid), "2013/5/15 星期三 [15/31] →ok");
        grid.SelectDayCell(30);
        grid.SelectMonthIndex(1); // 31 settles on February's last day
        QCOMPARE(Shown(grid), "2013/2/28 星期四 [28/28] →ok");
        grid.SelectYearIndex(2012 - MonthGrid::FirstYear); // an armed change lays it out again
        QCOMPARE(Shown(grid), "2012/2/28 星期二 [28/29] →month");
    }

    void gridFromToday_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("move"); // arrow-key step; 0 selects the day again
        QTest::addColumn<QString>("shown");
        QTest::newRow("leap: divisible by 400") << QDate(2000, 2, 29) << 0 << "2000/2/29 星期二 [29/29] →ok";
        QTest::newRow("leap day clamped") << QDate(2104, 2, 29) << 0 << "2099/2/28 星期六 [28/28] →ok";
        QTest::newRow("stops at the first day") << QDate(2013, 4, 3) << -7 << "2013/4/1 星期一 [1/30] →ok";
    }
    void gridFromToday() {
        QFETCH(QDate, today);
        QFETCH(int, move);
        QFETCH(QString, shown);
        MonthGrid grid;
        grid.InitPicker(today);
        grid.TakeFocusRequest();
        grid.MoveSelection(move);
        QCOMPARE(Shown(grid), shown);
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
