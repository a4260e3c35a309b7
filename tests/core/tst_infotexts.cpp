#include "core/InfoTexts.h"

#include <QTest>

class TestInfoTexts : public QObject {
    Q_OBJECT

private slots:
    void composesTodayLine_data();
    void composesTodayLine();
    void composesClockLine_data();
    void composesClockLine();
    void clockLineTakesDesignatorsFromLocale();
    void composesAboutText();
};

void TestInfoTexts::composesTodayLine_data() {
    QTest::addColumn<QString>("yearEntry");
    QTest::addColumn<QString>("monthEntry");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("weekday");
    QTest::addColumn<QString>("line");
    QTest::newRow("5th of January") << " 2013"
                                    << "1" << 5 << "星期六"
                                    << "今天是：2013年01月5日 星期六";
    QTest::newRow("20th of January") << " 2013"
                                     << "1" << 20 << "星期日"
                                     << "今天是：2013年01月20日 星期日";
    QTest::newRow("September") << " 2099"
                               << "9" << 5 << "星期六"
                               << "今天是：2099年09月5日 星期六";
    QTest::newRow("October") << " 1960"
                             << "10" << 20 << "星期四"
                             << "今天是：1960年10月20日 星期四";
    QTest::newRow("December") << " 2013"
                              << "12" << 31 << "星期二"
                              << "今天是：2013年12月31日 星期二";
}

void TestInfoTexts::composesTodayLine() {
    QFETCH(QString, yearEntry);
    QFETCH(QString, monthEntry);
    QFETCH(int, day);
    QFETCH(QString, weekday);
    QFETCH(QString, line);
    QCOMPARE(InfoTexts::ComposeTodayLine(yearEntry, monthEntry, day, weekday), line);
}

void TestInfoTexts::composesClockLine_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("line");
    QTest::newRow("midnight") << QTime(0, 0, 0) << " 现在是：上午 12:00:00";
    QTest::newRow("half past midnight") << QTime(0, 30, 0) << " 现在是：上午 12:30:00";
    QTest::newRow("morning") << QTime(9, 1, 2) << " 现在是：上午 09:01:02";
    QTest::newRow("before noon") << QTime(11, 59, 59) << " 现在是：上午 11:59:59";
    QTest::newRow("noon") << QTime(12, 0, 0) << " 现在是：下午 12:00:00";
    QTest::newRow("afternoon") << QTime(14, 5, 9) << " 现在是：下午 02:05:09";
    QTest::newRow("last second") << QTime(23, 59, 59) << " 现在是：下午 11:59:59";
}

void TestInfoTexts::composesClockLine() {
    QFETCH(QTime, time);
    QFETCH(QString, line);
    QCOMPARE(InfoTexts::ComposeClockLine(time, QLocale(QLocale::Chinese, QLocale::China)), line);
}

void TestInfoTexts::clockLineTakesDesignatorsFromLocale() {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(InfoTexts::ComposeClockLine(QTime(14, 5, 9), english), " 现在是：PM 02:05:09");
    QCOMPARE(InfoTexts::ComposeClockLine(QTime(0, 0, 0), english), " 现在是：AM 12:00:00");
}

void TestInfoTexts::composesAboutText() {
    const QString text = InfoTexts::ComposeAboutText(1, 0);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.at(0), "程序版本：V1.0");
    QVERIFY(lines.at(2).startsWith("作者网名："));
    QVERIFY(lines.at(4).startsWith("腾讯微博："));
    QVERIFY(lines.at(6).startsWith("E-Mail:"));
    QCOMPARE(text, "程序版本：V1.0\r\n\r\n作者网名：墨羽书生\r\n\r\n腾讯微博：moyu_shusheng\r\n\r\n"
                   "E-Mail:quillet@example.com");
    QVERIFY(InfoTexts::ComposeAboutText(12, 34).startsWith("程序版本：V12.34\r\n"));
}

QTEST_GUILESS_MAIN(TestInfoTexts)
#include "tst_infotexts.moc"
