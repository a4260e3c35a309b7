#include "core/DateText.h"
#include "core/MonthGrid.h"

#include <QTest>

namespace {

// A grid started on the given date, as the start-up sequence leaves it.
MonthGrid StartedOn(const QDate& today) {
    MonthGrid grid;
    grid.InitPicker(today);
    grid.TakeFocusRequest();
    return grid;
}

int ShownCellCount(const MonthGrid& grid) {
    int count = 0;
    for (int cell = 0; cell < MonthGrid::CellCount; ++cell)
        count += grid.CellVisible(cell) ? 1 : 0;
    return count;
}

void ShowMonth(MonthGrid& grid, int year, int month) {
    grid.SelectYearIndex(year - MonthGrid::FirstYear);
    grid.SelectMonthIndex(month - 1);
}

// The grid names a real date, marks its visible cell and gives its weekday word.
void VerifyNamesDate(const MonthGrid& grid, const QDate& expected) {
    QCOMPARE(grid.PickedDate(), std::optional<QDate>(expected));
    QCOMPARE(grid.SelectedDay(), expected.day());
    QCOMPARE(grid.MarkedCell(), expected.day() - 1);
    QVERIFY(grid.CellVisible(grid.MarkedCell()));
    QCOMPARE(grid.WeekdayWord(), DateText::WeekdayName(DateText::WeekdayNumber(expected)));
}

} // namespace

class TestMonthGrid : public QObject {
    Q_OBJECT

private slots:
    void ListEntries() {
        const QStringList years = MonthGrid::YearEntries();
        QCOMPARE(years.size(), 140);
        QCOMPARE(years.first(), QStringLiteral(" 1960"));
        QCOMPARE(years.last(), QStringLiteral(" 2099"));
        const QStringList months = MonthGrid::MonthEntries();
        QCOMPARE(months.size(), 12);
        QCOMPARE(months.first(), QStringLiteral("1"));
        QCOMPARE(months.last(), QStringLiteral("12"));
    }

    void CellsFollowMonthLength_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("shown");
        QTest::newRow("February 2000") << 2000 << 2 << 29;
        QTest::newRow("February 2013") << 2013 << 2 << 28;
        QTest::newRow("February 2096") << 2096 << 2 << 29;
        QTest::newRow("February 2099") << 2099 << 2 << 28;
        QTest::newRow("January") << 2013 << 1 << 31;
        QTest::newRow("July") << 1960 << 7 << 31;
        QTest::newRow("December") << 2099 << 12 << 31;
        QTest::newRow("April") << 2013 << 4 << 30;
        QTest::newRow("November") << 1999 << 11 << 30;
    }
    void CellsFollowMonthLength() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, shown);
        // Coming from a short month, so cells must reappear as well as disappear.
        MonthGrid grid = StartedOn(QDate(2013, 2, 1));
        ShowMonth(grid, year, month);
        for (int cell = 0; cell < MonthGrid::CellCount; ++cell)
            QCOMPARE(grid.CellVisible(cell), cell < shown);
    }

    void StartUpShowsToday() {
        MonthGrid grid;
        grid.InitPicker(QDate(2013, 1, 23));
        QVERIFY(grid.YearListArmed());
        QCOMPARE(grid.YearEntryText(), QStringLiteral(" 2013"));
        QCOMPARE(grid.MonthEntryText(), QStringLiteral("1"));
        QCOMPARE(grid.WeekdayWord(), QStringLiteral("星期三"));
        VerifyNamesDate(grid, QDate(2013, 1, 23));
    }

    void FirstYearChangeOnlyArms() {
        MonthGrid grid;
        QCOMPARE(grid.WeekdayWord(), QStringLiteral("星期日"));
        grid.SelectYearIndex(2013 - MonthGrid::FirstYear);
        QVERIFY(grid.YearListArmed());
        QCOMPARE(grid.MarkedCell(), -1);
        QCOMPARE(grid.WeekdayWord(), QStringLiteral("星期日"));
        QCOMPARE(grid.TakeFocusRequest(), MonthGrid::Focus::None);
    }

    void LaterYearChangeLaysOutAndFocusesMonthList() {
        MonthGrid grid = StartedOn(QDate(2012, 2, 29));
        grid.SelectYearIndex(2016 - MonthGrid::FirstYear);
        VerifyNamesDate(grid, QDate(2016, 2, 29));
        QCOMPARE(ShownCellCount(grid), 29);
        QCOMPARE(grid.TakeFocusRequest(), MonthGrid::Focus::MonthList);
        QCOMPARE(grid.TakeFocusRequest(), MonthGrid::Focus::None);
    }

    void DayCellClickFocusesConfirmButton() {
        MonthGrid grid = StartedOn(QDate(2013, 3, 1));
        grid.SelectDayCell(14);
        VerifyNamesDate(grid, QDate(2013, 3, 15));
        QCOMPARE(grid.TakeFocusRequest(), MonthGrid::Focus::ConfirmButton);
        // Clicking the marked cell again keeps it marked.
        grid.SelectDayCell(14);
        VerifyNamesDate(grid, QDate(2013, 3, 15));
    }

    void DayFollowsMonthChanges_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QDate>("named");
        QTest::newRow("15 March to May") << QDate(2013, 3, 15) << 2013 << 5 << QDate(2013, 5, 15);
        QTest::newRow("31 to April") << QDate(2013, 3, 31) << 2013 << 4 << QDate(2013, 4, 30);
        QTest::newRow("31 to February") << QDate(2013, 1, 31) << 2013 << 2 << QDate(2013, 2, 28);
        QTest::newRow("31 to leap February") << QDate(2000, 1, 31) << 2000 << 2 << QDate(2000, 2, 29);
        QTest::newRow("29 February to a common year")
            << QDate(2000, 2, 29) << 2001 << 2 << QDate(2001, 2, 28);
    }
    void DayFollowsMonthChanges() {
        QFETCH(QDate, start);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QDate, named);
        MonthGrid grid = StartedOn(start);
        ShowMonth(grid, year, month);
        VerifyNamesDate(grid, named);
    }

    void ShortenedDayStaysShortened() {
        MonthGrid grid = StartedOn(QDate(2013, 3, 31));
        grid.SelectMonthIndex(3);
        VerifyNamesDate(grid, QDate(2013, 4, 30));
        grid.SelectMonthIndex(1);
        VerifyNamesDate(grid, QDate(2013, 2, 28));
        grid.SelectMonthIndex(4);
        VerifyNamesDate(grid, QDate(2013, 5, 28));
    }

    void HiddenCellCannotBeSelected() {
        MonthGrid grid = StartedOn(QDate(2013, 2, 10));
        grid.SelectDayCell(29);
        VerifyNamesDate(grid, QDate(2013, 2, 10));
    }

    void StartUpOutsideListedYears_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("named");
        QTest::newRow("1955") << QDate(1955, 6, 15) << QDate(1960, 6, 15);
        QTest::newRow("2150") << QDate(2150, 12, 31) << QDate(2099, 12, 31);
        QTest::newRow("29 February 2104") << QDate(2104, 2, 29) << QDate(2099, 2, 28);
        QTest::newRow("invalid date") << QDate() << QDate(1960, 1, 1);
    }
    void StartUpOutsideListedYears() {
        QFETCH(QDate, today);
        QFETCH(QDate, named);
        VerifyNamesDate(StartedOn(today), named);
    }

    void NoSelectionIsSafe() {
        MonthGrid grid = StartedOn(QDate(2013, 4, 30));
        grid.SelectYearIndex(-1);
        QCOMPARE(grid.PickedDate(), std::nullopt);
        QCOMPARE(grid.YearEntryText(), QString());
        QCOMPARE(ShownCellCount(grid), 31);
        QCOMPARE(grid.WeekdayWord(), QStringLiteral("星期二"));
        grid.SelectDayCell(30);
        QCOMPARE(grid.SelectedDay(), 31);
        grid.SelectMonthIndex(-1);
        QCOMPARE(grid.MonthEntryText(), QString());
        // Choosing a year again settles the day within the shown month.
        grid.SelectMonthIndex(3);
        grid.SelectYearIndex(2013 - MonthGrid::FirstYear);
        VerifyNamesDate(grid, QDate(2013, 4, 30));
    }
};

QTEST_GUILESS_MAIN(TestMonthGrid)
#include "tst_monthgrid.moc"
