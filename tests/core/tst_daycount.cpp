#include "core/DayCount.h"

#include <QTest>

#include <cmath>

class TestDayCount : public QObject {
    Q_OBJECT

private slots:
    void acceptsOnlyCountKeys_data();
    void acceptsOnlyCountKeys();
    void stripsMisplacedMinus_data();
    void stripsMisplacedMinus();
    void parsesCounts_data();
    void parsesCounts();
    void rejectsNonNumbers_data();
    void rejectsNonNumbers();
    void wordsDirectionAndWholeDays_data();
    void wordsDirectionAndWholeDays();
};

void TestDayCount::acceptsOnlyCountKeys_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << int('0') << true;
    QTest::newRow("9") << int('9') << true;
    QTest::newRow("minus") << int('-') << true;
    QTest::newRow("point") << int('.') << true;
    QTest::newRow("backspace") << 8 << true;
    QTest::newRow("enter") << 13 << false;
    QTest::newRow("letter") << int('a') << false;
    QTest::newRow("space") << int(' ') << false;
    QTest::newRow("plus") << int('+') << false;
    QTest::newRow("comma") << int(',') << false;
    QTest::newRow("slash") << int('/') << false;
    QTest::newRow("colon") << int(':') << false;
    QTest::newRow("full-width one") << 0xFF11 << false;
}

void TestDayCount::acceptsOnlyCountKeys() {
    QFETCH(int, code);
    QFETCH(bool, accepted);
    QCOMPARE(DayCount::IsDayCountKey(QChar(code)), accepted);
}

void TestDayCount::stripsMisplacedMinus_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("--5") << "--5"
                         << "5";
    QTest::newRow("1-2") << "1-2"
                         << "12";
    QTest::newRow("-12-") << "-12-"
                          << "12";
    QTest::newRow("-5") << "-5"
                        << "-5";
    QTest::newRow("5-") << "5-"
                        << "5";
    QTest::newRow("--") << "--"
                        << "";
    QTest::newRow("-") << "-"
                       << "-";
    QTest::newRow("1234-") << "1234-"
                           << "1234";
    QTest::newRow("plain") << "100"
                           << "100";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("sixth position") << "12345-"
                                    << "12345-";
}

void TestDayCount::stripsMisplacedMinus() {
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(DayCount::StripMisplacedMinus(text), result);
}

void TestDayCount::parsesCounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("100") << "100" << 100.0;
    QTest::newRow("-10") << "-10" << -10.0;
    QTest::newRow("0") << "0" << 0.0;
    QTest::newRow("1.") << "1." << 1.0;
    QTest::newRow(".5") << ".5" << 0.5;
    QTest::newRow("-.5") << "-.5" << -0.5;
    QTest::newRow("1.5") << "1.5" << 1.5;
    QTest::newRow("largest") << "99999" << 99999.0;
    QTest::newRow("smallest") << "-9999" << -9999.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
}

void TestDayCount::parsesCounts() {
    QFETCH(QString, text);
    QFETCH(double, value);
    const std::optional<double> parsed = DayCount::Parse(text);
    QVERIFY(parsed.has_value());
    QCOMPARE(*parsed, value);
}

void TestDayCount::rejectsNonNumbers_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {"", "-", ".", "-.", "1.2.3", "1-2", "5-", "--5", "+5", " 5", "5 ", "1e3", "0x10",
                             "1,5", "inf", "nan", "五", "１"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void TestDayCount::rejectsNonNumbers() {
    QFETCH(QString, text);
    QCOMPARE(DayCount::Parse(text), std::nullopt);
}

void TestDayCount::wordsDirectionAndWholeDays_data() {
    QTest::addColumn<double>("count");
    QTest::addColumn<qint64>("days");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QString>("wording");
    const QString after = QStringLiteral("天之后是：");
    const QString before = QStringLiteral("天之前是：");
    QTest::newRow("0") << 0.0 << qint64(0) << false << after;
    QTest::newRow("-0") << -0.0 << qint64(0) << false << after;
    QTest::newRow("-.5") << -0.5 << qint64(0) << true << before;
    QTest::newRow("1.5") << 1.5 << qint64(1) << false << after;
    QTest::newRow("-1.5") << -1.5 << qint64(-1) << true << before;
    QTest::newRow("-10") << -10.0 << qint64(-10) << true << before;
    QTest::newRow("99999") << 99999.0 << qint64(99999) << false << after;
}

void TestDayCount::wordsDirectionAndWholeDays() {
    QFETCH(double, count);
    QFETCH(qint64, days);
    QFETCH(bool, before);
    QFETCH(QString, wording);
    QCOMPARE(DayCount::WholeDays(count), days);
    QCOMPARE(DayCount::IsBefore(count), before);
    QCOMPARE(DayCount::DirectionWording(count), wording);
}

QTEST_GUILESS_MAIN(TestDayCount)
#include "tst_daycount.moc"
