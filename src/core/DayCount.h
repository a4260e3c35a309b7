#pragma once

#include <QChar>
#include <QString>

#include <optional>

// The typed day count of the offset calculation: which keys it accepts, how a misplaced minus is
// dropped, how the text becomes a number and how the direction is worded.
namespace DayCount {

inline constexpr int MaxLength = 5;

// "0"…"9", "-", "." and backspace (code 8); every other character, Enter included, is refused.
bool IsDayCountKey(QChar key);

// When any of the characters 2 to 5 is "-", every "-" goes (the first one too); else unchanged.
QString StripMisplacedMinus(const QString& text);

// Optional leading "-", then digits with at most one "." anywhere among them, at least one digit.
// "1." and ".5" are numbers; "", "-", ".", "-.", "1.2.3", "1-2" are not.
std::optional<double> Parse(const QString& text);

// Whole days for a count value: the fraction is dropped toward zero, so 1.5 is 1 day and -.5 is 0.
qint64 WholeDays(double count);

// "天之前是：" below zero (so -.5 too), else "天之后是：" (-0 included).
QString DirectionWording(double count);

// True when the value counts as before (strictly below zero).
bool IsBefore(double count);

} // namespace DayCount
