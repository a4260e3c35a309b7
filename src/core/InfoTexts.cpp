#include "InfoTexts.h"

namespace InfoTexts {

namespace {

const QString AuthorLine = QStringLiteral("作者网名：墨羽书生");
const QString MicroblogLine = QStringLiteral("腾讯微博：moyu_shusheng");
const QString EmailLine = QStringLiteral("E-Mail:quillet@example.com");

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ComposeTodayLine(const QString& yearEntry, const QString& monthEntry, int selectedDay,
                         const QString& weekdayName) {
    const int year = yearEntry.trimmed().toInt();
    const int month = monthEntry.trimmed().toInt();
    return QStringLiteral("今天是：") + QString::number(year) + QStringLiteral("年") + TwoDigits(month) +
           QStringLiteral("月") + QString::number(selectedDay) + QStringLiteral("日 ") + weekdayName;
}

QString ComposeClockLine(const QTime& time, const QLocale& locale) {
    const int hour = time.hour();
    const QString designator = hour < 12 ? locale.amText() : locale.pmText();
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral(" 现在是：") + designator + QLatin1Char(' ') + TwoDigits(clockHour) +
           QLatin1Char(':') + TwoDigits(time.minute()) + QLatin1Char(':') + TwoDigits(time.second());
}

QString ComposeAboutText(int major, int minor) {
    const QString paragraphBreak = QStringLiteral("\r\n\r\n");
    return QStringLiteral("程序版本：V") + QString::number(major) + QLatin1Char('.') +
           QString::number(minor) + paragraphBreak + AuthorLine + paragraphBreak + MicroblogLine +
           paragraphBreak + EmailLine;
}

} // namespace InfoTexts
