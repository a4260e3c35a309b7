#include "core/DateText.h"
#include "core/DayCount.h"
#include "core/MonthGrid.h"

#include <QTest>

#include <limits>

// Date texts and arithmetic, the typed day count and the picker's month grid.
class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void roundTripsWholeRange() {
        // A 13-day step meets every year, month and day number.
        for (QDate date(100, 1, 1); date.year() <= 9999; date = date.addDays(13))
            if (const QString text = DateText::Format(date); DateText::Parse(text) != date)
                QFAIL(qPrintable(text));
        QCOMPARE(DateText::Format(QDate(2013, 12, 31)), "2013/12/31");
        QCOMPARE(DateText::Format(QDate(100, 1, 1)), "0100/1/1");
        QVERIFY(DateText::Parse("9999/12/31") == QDate(9999, 12, 31));
        for (const char* text : {"选择日期", "", "2013/01/20", "2013/1/05", "2013/2/30", "2013/13/1",
                                 "2013/1/0", " 2013/1/1", "2013-1-1", "100/1/1", "10000/1/1", "0099/12/31",
                                 "+2013/1/1", "２０１３/1/1", "2013/1/1/1", "2013/1/"})
            QVERIFY2(!DateText::Parse(QString::fromUtf8(text)), text);
    }

    void leapYears() {
        for (auto [year, days] : {std::pair(1900, 28), {2000, 29}, {2096, 29}, {2099, 28}}) {
            QCOMPARE(DateText::DaysInMonth(year, 2), days);
            QVERIFY(DateText::Parse(QStringLiteral("%1/2/%2").arg(year).arg(days)));
            QVERIFY(!DateText::Parse(QStringLiteral("%1/2/%2").arg(year).arg(days + 1)));
        }
    }

    void offsets_data() {
        QTest::addColumn<QDate>("base");
        QTest::addColumn<qint64>("days");
        QTest::addColumn<QDate>("result"); // invalid: no date
        const qint64 huge = std::numeric_limits<qint64>::max();
        QTest::newRow("leap February") << QDate(2000, 2, 28) << qint64(2) << QDate(2000, 3, 1);
        QTest::newRow("next year") << QDate(2013, 12, 31) << qint64(1) << QDate(2014, 1, 1);
        QTest::newRow("previous year") << QDate(2013, 1, 1) << qint64(-1) << QDate(2012, 12, 31);
        QTest::newRow("first day") << QDate(100, 1, 2) << qint64(-1) << QDate(100, 1, 1);
        QTest::newRow("last day") << QDate(9999, 12, 30) << qint64(1) << QDate(9999, 12, 31);
        QTest::newRow("before first") << QDate(100, 1, 1) << qint64(-1) << QDate();
        QTest::newRow("after last") << QDate(9999, 12, 31) << qint64(1) << QDate();
        QTest::newRow("huge forward") << QDate(2013, 1, 1) << huge << QDate();
        QTest::newRow("huge backward") << QDate(2013, 1, 1) << -huge - 1 << QDate();
    }
    void offsets() {
        QFETCH(QDate, base);
        QFETCH(qint64, days);
        QFETCH(QDate, result);
        QCOMPARE(DateText::OffsetDate(base, days), result.isValid() ? std::optional(result) : std::nullopt);
    }

    void differencesAndWeekdays() {
        QCOMPARE(DateText::DayDifferenceText(DateText::DayDifference(QDate(100, 1, 1), QDate(100, 1, 1))),
                 "相差（0）天");
        QCOMPARE(DateText::WeekdayText(QDate(100, 1, 1)), "(星期五)");
        QCOMPARE(DateText::WeekdayName(0) + DateText::WeekdayName(8), "星期六星期六");
    }

    void countKeys() {
        for (QChar key : QStringLiteral("0123456789-.\b"))
            QVERIFY2(DayCount::IsDayCountKey(key), qPrintable(QString(key)));
        for (QChar key : QStringLiteral("\ra +/:１")) // a full-width digit is no digit here
            QVERIFY2(!DayCount::IsDayCountKey(key), qPrintable(QString(key)));
    }

    void stripsMisplacedMinus() {
        const std::pair<const char*, const char*> rows[] = {
            {"--5", "5"}, {"1-2", "12"}, {"5-", "5"},  {"1234-", "1234"},
            {"--", ""},   {"-", "-"},    {"-5", "-5"}, {"12345-", "12345-"}};
        for (auto [text, result] : rows)
            QVERIFY2(DayCount::StripMisplacedMinus(text) == result, text);
    }

    void parsesCounts() {
        const std::pair<const char*, double> numbers[] = {{"100", 100},     {"-10", -10},     {"0", 0},
                                                          {"1.", 1},        {".5", 0.5},      {"-.5", -0.5},
                                                          {"99999", 99999}, {"-9999", -9999}, {"007", 7}};
        for (auto [text, value] : numbers)
            QVERIFY2(DayCount::Parse(text) == value, text);
        for (const char* text : {"", "-", ".", "-.", "1.2.3", "1-2", "5-", "+5", " 5", "1e3", "0x10", "1,5",
                                 "inf", "nan", "五", "１"})
            QVERIFY2(!DayCount::Parse(QString::fromUtf8(text)), text);
    }

    void wordsDirectionAndWholeDays() {
        const std::tuple<double, qint64, bool> rows[] = {
            {0.0, 0, false}, {-0.0, 0, false}, {-0.5, 0, true}, {1.5, 1, false}, {-1.5, -1, true}};
        for (auto [count, days, before] : rows) {
            QCOMPARE(DayCount::WholeDays(count), days);
            QCOMPARE(DayCount::IsBefore(count), before);
            QCOMPARE(DayCount::DirectionWording(count), before ? "天之前是：" : "天之后是：");
        }
    }

    void monthGrid() {
        QCOMPARE(MonthGrid::YearEntries().size(), 140);
        MonthGrid grid;
        grid.SelectYearIndex(2013 - MonthGrid::FirstYear); // the first change only arms the list
        QCOMPARE(grid.MarkedCell(), -1);
        QCOMPARE(grid.TakeFocusRequest(), MonthGrid::Focus::None);
        grid.SelectMonthIndex(2);
        grid.SelectDayCell(14);
        grid.SelectDayCell(14); // the marked cell clicked again stays marked
        QCOMPARE(grid.MarkedCell(), 14);
        grid.SelectMonthIndex(4); // the day follows to the new month
        QCOMPARE(grid.PickedDate(), std::optional(QDate(2013, 5, 15)));
        QCOMPARE(grid.MarkedCell(), 14);
        QCOMPARE(grid.WeekdayWord(), "星期三");
        // A today outside the listed years names the nearest real date.
        for (auto [today, named] : {std::pair(QDate(1955, 6, 15), QDate(1960, 6, 15)),
                                    {QDate(2104, 2, 29), QDate(2099, 2, 28)},
                                    {QDate(), QDate(1960, 1, 1)}}) {
            MonthGrid clamped;
            clamped.InitPicker(today);
            QCOMPARE(clamped.PickedDate(), std::optional(named));
        }
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
