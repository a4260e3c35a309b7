#include "DateText.h"

#include <QStringList>

#include <array>

namespace DateText {

namespace {

const QDate FirstDate(FirstYear, 1, 1);
const QDate LastDate(LastYear, 12, 31);

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool AllAsciiDigits(QStringView text) {
    for (QChar c : text) {
        if (!IsAsciiDigit(c))
            return false;
    }
    return !text.isEmpty();
}

// Month and day are written without leading zeros, so only "1" … "99" shapes are read back.
bool IsShortNumber(QStringView text) {
    return text.size() <= 2 && AllAsciiDigits(text) && text.front() != u'0';
}

} // namespace

bool InRange(const QDate& date) {
    return date.isValid() && date >= FirstDate && date <= LastDate;
}

QString Format(const QDate& date) {
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month())
        .arg(date.day());
}

std::optional<QDate> Parse(const QString& text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    // The year is always written with four digits ("0100"), so exactly four are read back.
    const QString& year = parts.at(0);
    if (year.size() != 4 || !AllAsciiDigits(year) || !IsShortNumber(parts.at(1)) ||
        !IsShortNumber(parts.at(2)))
        return std::nullopt;
    const QDate date(year.toInt(), parts.at(1).toInt(), parts.at(2).toInt());
    if (!InRange(date))
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
