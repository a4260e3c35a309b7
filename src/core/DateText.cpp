#include "DateText.h"

#include <array>

namespace DateText {

namespace {

const QDate FirstDate(FirstYear, 1, 1);
const QDate LastDate(LastYear, 12, 31);

// "yyyy" keeps the year at four digits ("0100"); "M" and "d" drop leading zeros.
constexpr QStringView Pattern = u"yyyy/M/d";

} // namespace

bool InRange(const QDate& date) {
    return date.isValid() && date >= FirstDate && date <= LastDate;
}

QString Format(const QDate& date) {
    return date.toString(Pattern);
}

std::optional<QDate> Parse(const QString& text) {
    const QDate date = QDate::fromString(text, Pattern);
    // fromString also takes leading zeros in month and day and a signed year; only the one text
    // Format gives for the date is a date text.
    if (!InRange(date) || Format(date) != text)
        return std::nullopt;
    return date;
}

std::optional<QDate> OffsetDate(const QDate& base, qint64 days) {
    if (!InRange(base))
        return std::nullopt;
    // Compared as distances to the limits, so a huge count cannot overflow.
    const qint64 baseDay = base.toJulianDay();
    if (days > LastDate.toJulianDay() - baseDay || days < FirstDate.toJulianDay() - baseDay)
        return std::nullopt;
    return QDate::fromJulianDay(baseDay + days);
}

std::int32_t DayDifference(const QDate& first, const QDate& second) {
    return static_cast<std::int32_t>(first.daysTo(second));
}

QString DayDifferenceText(std::int32_t difference) {
    return QStringLiteral("相差（") + QString::number(difference) + QStringLiteral("）天");
}

int WeekdayNumber(const QDate& date) {
    // Qt counts Monday = 1 … Sunday = 7.
    return date.dayOfWeek() % 7 + 1;
}

QString WeekdayName(int weekdayNumber) {
    static const std::array<QString, 7> names = {
        QStringLiteral("星期日"), QStringLiteral("星期一"), QStringLiteral("星期二"),
        QStringLiteral("星期三"), QStringLiteral("星期四"), QStringLiteral("星期五"),
        QStringLiteral("星期六"),
    };
    if (weekdayNumber < 1 || weekdayNumber > 7)
        return names.back();
    return names.at(weekdayNumber - 1);
}

QString WeekdayText(const QDate& date) {
    return QLatin1Char('(') + WeekdayName(WeekdayNumber(date)) + QLatin1Char(')');
}

int DaysInMonth(int year, int month) {
    return QDate(year, month, 1).daysInMonth();
}

} // namespace DateText
