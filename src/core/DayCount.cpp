#include "DayCount.h"

#include <cmath>
#include <limits>

namespace DayCount {

namespace {

constexpr char16_t Backspace = 8;

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

bool IsDayCountKey(QChar key) {
    return IsAsciiDigit(key) || key == u'-' || key == u'.' || key.unicode() == Backspace;
}

QString StripMisplacedMinus(const QString& text) {
    // Only the first character may be a minus sign; one typed later spoils the whole sign.
    const QStringView misplacedZone = QStringView(text).mid(1, MaxLength - 1);
    if (!misplacedZone.contains(u'-'))
        return text;
    QString stripped = text;
    stripped.remove(u'-');
    return stripped;
}

std::optional<double> Parse(const QString& text) {
    const QStringView number = text.startsWith(u'-') ? QStringView(text).mid(1) : QStringView(text);
    int digits = 0;
    int points = 0;
    for (QChar c : number) {
        if (IsAsciiDigit(c))
            ++digits;
        else if (c == u'.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 WholeDays(double count) {
    // Far beyond any date range; clamping keeps the conversion defined for absurd values.
    constexpr double limit = 1e18;
    if (std::isnan(count))
        return 0;
    if (count >= limit)
        return static_cast<qint64>(limit);
    if (count <= -limit)
        return -static_cast<qint64>(limit);
    return static_cast<qint64>(std::trunc(count));
}

QString DirectionWording(double count) {
    return IsBefore(count) ? QStringLiteral("天之前是：") : QStringLiteral("天之后是：");
}

bool IsBefore(double count) {
    return count < 0;
}

} // namespace DayCount
