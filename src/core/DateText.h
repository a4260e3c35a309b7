#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

// Calendar dates as the program shows and reads them: "2013/1/20" (four-digit year, month and day
// without leading zeros). Qt's fixed-format conversion ignores the system locale, so a text written
// into a date field always reads back to the same date.
namespace DateText {

inline constexpr int FirstYear = 100;
inline constexpr int LastYear = 9999;

// True for a valid date within the years 100 to 9999.
bool InRange(const QDate& date);

// "2013/1/20". The date must be valid.
QString Format(const QDate& date);

// Strict: only the exact text Format gives for a date in range; anything else ("2013/01/20", signs,
// spaces, the placeholder "选择日期") gives no date.
std::optional<QDate> Parse(const QString& text);

// The base date moved by whole days; no date when the result leaves the years 100 to 9999.
std::optional<QDate> OffsetDate(const QDate& base, qint64 days);

// second - first, in days.
std::int32_t DayDifference(const QDate& first, const QDate& second);

// "相差（31）天", "相差（-31）天".
QString DayDifferenceText(std::int32_t difference);

// Sunday = 1 … Saturday = 7.
int WeekdayNumber(const QDate& date);

// "星期日" … "星期六" for weekday numbers 1 … 7; any other number gives "星期六".
QString WeekdayName(int weekdayNumber);

// "(星期日)" … "(星期六)".
QString WeekdayText(const QDate& date);

// The caption of a date field that has no date yet; it is not a date text.
inline const QString NoDateText = QStringLiteral("选择日期");

// 28 … 31; the month must be 1 … 12.
int DaysInMonth(int year, int month);

} // namespace DateText
