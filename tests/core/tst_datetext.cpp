#include "core/DateText.h"

#include <QTest>

#include <limits>

class TestDateText : public QObject {
    Q_OBJECT

private slots:
    void roundTripsEveryDayOfSpreadYears_data();
    void roundTripsEveryDayOfSpreadYears();
    void formatsWithFourDigitYear_data();
    void formatsWithFourDigitYear();
    void rejectsNonDateTexts_data();
    void rejectsNonDateTexts();
    void followsLeapYearRules_data();
    void followsLeapYearRules();
    void offsetsAcrossBoundaries_data();
    void offsetsAcrossBoundaries();
    void dayDifference_data();
    void dayDifference();
    void weekdayTexts_data();
    void weekdayTexts();
    void unknownWeekdayNumberNamesSaturday_data();
    void unknownWeekdayNumberNamesSaturday();
};

void TestDateText::roundTripsEveryDayOfSpreadYears_data() {
    QTest::addColumn<int>("year");
    for (int year : {100, 101, 999, 1000, 1582, 1900, 1960, 2000, 2013, 2099, 2400, 5000, 9998, 9999})
        QTest::addRow("%d", year) << year;
}

void TestDateText::roundTripsEveryDayOfSpreadYears() {
    QFETCH(int, year);
    for (QDate date(year, 1, 1); date.isValid() && date.year() == year; date = date.addDays(1)) {
        const QString text = DateText::Format(date);
        const std::optional<QDate> back = DateText::Parse(text);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(*back, date);
    }
}

void TestDateText::formatsWithFourDigitYear_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("ordinary") << QDate(2013, 1, 20) << "2013/1/20";
    QTest::newRow("two-digit month and day") << QDate(2013, 12, 31) << "2013/12/31";
    QTest::newRow("first day") << QDate(100, 1, 1) << "0100/1/1";
    QTest::newRow("last day") << QDate(9999, 12, 31) << "9999/12/31";
}

void TestDateText::formatsWithFourDigitYear() {
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(DateText::Format(date), text);
}

void TestDateText::rejectsNonDateTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("placeholder") << DateText::NoDateText;
    QTest::newRow("empty") << "";
    QTest::newRow("leading zero month") << "2013/01/20";
    QTest::newRow("leading zero day") << "2013/1/05";
    QTest::newRow("no such day") << "2013/2/30";
    QTest::newRow("month 13") << "2013/13/1";
    QTest::newRow("day 0") << "2013/1/0";
    QTest::newRow("leading space") << " 2013/1/1";
    QTest::newRow("trailing space") << "2013/1/1 ";
    QTest::newRow("dashes") << "2013-1-1";
    QTest::newRow("three-digit year") << "100/1/1";
    QTest::newRow("five-digit year") << "10000/1/1";
    QTest::newRow("year before range") << "0099/12/31";
    QTest::newRow("year zero") << "0000/1/1";
    QTest::newRow("signed") << "+2013/1/1";
    QTest::newRow("negative") << "-013/1/1";
    QTest::newRow("full-width digits") << "２０１３/1/1";
    QTest::newRow("extra part") << "2013/1/1/1";
    QTest::newRow("missing day") << "2013/1/";
    QTest::newRow("question marks") << "?\?\?\?/?\?/?\?";
}

void TestDateText::rejectsNonDateTexts() {
    QFETCH(QString, text);
    QCOMPARE(DateText::Parse(text), std::nullopt);
}

void TestDateText::followsLeapYearRules_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("1900 century") << 1900 << 2 << 28;
    QTest::newRow("2000 four centuries") << 2000 << 2 << 29;
    QTest::newRow("2096 leap") << 2096 << 2 << 29;
    QTest::newRow("2099 common") << 2099 << 2 << 28;
    QTest::newRow("100 century") << 100 << 2 << 28;
    QTest::newRow("9996 leap") << 9996 << 2 << 29;
    QTest::newRow("January") << 2013 << 1 << 31;
    QTest::newRow("April") << 2013 << 4 << 30;
    QTest::newRow("December") << 9999 << 12 << 31;
}

void TestDateText::followsLeapYearRules() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE(DateText::DaysInMonth(year, month), days);
    const QString monthText = QStringLiteral("%1/%2/").arg(year, 4, 10, QLatin1Char('0')).arg(month);
    QVERIFY(DateText::Parse(monthText + QString::number(days)).has_value());
    QCOMPARE(DateText::Parse(monthText + QString::number(days + 1)), std::nullopt);
}

void TestDateText::offsetsAcrossBoundaries_data() {
    QTest::addColumn<QDate>("base");
    QTest::addColumn<qint64>("days");
    QTest::addColumn<QDate>("result");
    const QDate none;
    QTest::newRow("100 days") << QDate(2013, 1, 20) << qint64(100) << QDate(2013, 4, 30);
    QTest::newRow("10 days back") << QDate(2013, 1, 20) << qint64(-10) << QDate(2013, 1, 10);
    QTest::newRow("zero") << QDate(2013, 1, 20) << qint64(0) << QDate(2013, 1, 20);
    QTest::newRow("into March of leap year") << QDate(2000, 2, 28) << qint64(2) << QDate(2000, 3, 1);
    QTest::newRow("into next year") << QDate(2013, 12, 31) << qint64(1) << QDate(2014, 1, 1);
    QTest::newRow("into previous year") << QDate(2013, 1, 1) << qint64(-1) << QDate(2012, 12, 31);
    QTest::newRow("to first day") << QDate(100, 1, 2) << qint64(-1) << QDate(100, 1, 1);
    QTest::newRow("to last day") << QDate(9999, 12, 30) << qint64(1) << QDate(9999, 12, 31);
    QTest::newRow("before first day") << QDate(100, 1, 1) << qint64(-1) << none;
    QTest::newRow("after last day") << QDate(9999, 12, 31) << qint64(1) << none;
    QTest::newRow("whole range") << QDate(100, 1, 1) << QDate(100, 1, 1).daysTo(QDate(9999, 12, 31))
                                 << QDate(9999, 12, 31);
    QTest::newRow("huge forward") << QDate(2013, 1, 1) << std::numeric_limits<qint64>::max() << none;
    QTest::newRow("huge backward") << QDate(2013, 1, 1) << std::numeric_limits<qint64>::min() << none;
    QTest::newRow("invalid base") << QDate() << qint64(1) << none;
}

void TestDateText::offsetsAcrossBoundaries() {
    QFETCH(QDate, base);
    QFETCH(qint64, days);
    QFETCH(QDate, result);
    const std::optional<QDate> moved = DateText::OffsetDate(base, days);
    QCOMPARE(moved.has_value(), result.isValid());
    if (moved)
        QCOMPARE(*moved, result);
}

void TestDateText::dayDifference_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("second");
    QTest::addColumn<int>("difference");
    QTest::addColumn<QString>("text");
    QTest::newRow("a month") << QDate(2013, 1, 1) << QDate(2013, 2, 1) << 31 << "相差（31）天";
    QTest::newRow("reversed") << QDate(2013, 2, 1) << QDate(2013, 1, 1) << -31 << "相差（-31）天";
    QTest::newRow("same day") << QDate(2013, 1, 1) << QDate(2013, 1, 1) << 0 << "相差（0）天";
    QTest::newRow("picker range") << QDate(1960, 1, 1) << QDate(2099, 12, 31) << 51134 << "相差（51134）天";
    QTest::newRow("whole range") << QDate(100, 1, 1) << QDate(9999, 12, 31) << 3615899 << "相差（3615899）天";
}

void TestDateText::dayDifference() {
    QFETCH(QDate, first);
    QFETCH(QDate, second);
    QFETCH(int, difference);
    QFETCH(QString, text);
    QCOMPARE(DateText::DayDifference(first, second), difference);
    QCOMPARE(DateText::DayDifferenceText(difference), text);
}

void TestDateText::weekdayTexts_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    // 2013/1/20 is a Sunday.
    const QStringList texts = {"(星期日)", "(星期一)", "(星期二)", "(星期三)",
                               "(星期四)", "(星期五)", "(星期六)"};
    for (int i = 0; i < 7; ++i)
        QTest::addRow("2013/1/%d", 20 + i) << QDate(2013, 1, 20 + i) << i + 1 << texts.at(i);
    QTest::newRow("first day is Friday") << QDate(100, 1, 1) << 6 << "(星期五)";
}

void TestDateText::unknownWeekdayNumberNamesSaturday_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("0") << 0;
    QTest::newRow("8") << 8;
    QTest::newRow("-1") << -1;
}

void TestDateText::unknownWeekdayNumberNamesSaturday() {
    QFETCH(int, number);
    QCOMPARE(DateText::WeekdayName(number), QStringLiteral("星期六"));
}

void TestDateText::weekdayTexts() {
    QFETCH(QDate, date);
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(DateText::WeekdayNumber(date), number);
    QCOMPARE(DateText::WeekdayText(date), text);
    QCOMPARE(QLatin1Char('(') + DateText::WeekdayName(number) + QLatin1Char(')'), text);
}

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
