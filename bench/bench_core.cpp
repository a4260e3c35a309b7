#include "core/DateText.h"
#include "core/DayCount.h"

#include <QTest>

// The work done on every user action; it must stay far below a frame's time.
class BenchCore : public QObject {
    Q_OBJECT

private slots:
    void offset();
    void difference();
    void dateTextRoundTrip();
    void offsetEntryText();
};

void BenchCore::offset() {
    const QString baseText = QStringLiteral("2013/1/23");
    const QString countText = QStringLiteral("100");
    QString result;
    QBENCHMARK {
        const std::optional<QDate> base = DateText::Parse(baseText);
        const std::optional<double> count = DayCount::Parse(countText);
        const std::optional<QDate> moved = DateText::OffsetDate(*base, DayCount::WholeDays(*count));
        result = DateText::Format(*moved);
    }
    QCOMPARE(result, QStringLiteral("2013/5/3"));
}

void BenchCore::difference() {
    const QString firstText = QStringLiteral("1960/1/1");
    const QString secondText = QStringLiteral("2099/12/31");
    QString result;
    QBENCHMARK {
        const std::optional<QDate> first = DateText::Parse(firstText);
        const std::optional<QDate> second = DateText::Parse(secondText);
        result = DateText::DayDifferenceText(DateText::DayDifference(*first, *second));
    }
    QCOMPARE(result, QStringLiteral("相差（51134）天"));
}

void BenchCore::dateTextRoundTrip() {
    const QDate date(2013, 12, 31);
    std::optional<QDate> back;
    QBENCHMARK {
        back = DateText::Parse(DateText::Format(date));
    }
    QCOMPARE(back, std::optional<QDate>(date));
}

void BenchCore::offsetEntryText() {
    const QDate base(2013, 1, 23);
    const QDate result(2013, 5, 3);
    const QString countText = QStringLiteral("100");
    QString entry;
    QBENCHMARK {
        entry = DateText::Format(base) + DateText::WeekdayText(base) + QStringLiteral("的") + countText +
                DayCount::DirectionWording(100) + DateText::Format(result) + DateText::WeekdayText(result);
    }
    QCOMPARE(entry, QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"));
}

QTEST_GUILESS_MAIN(BenchCore)
#include "bench_core.moc"
