#include "InfoTexts.h"

#include "DateText.h"

namespace InfoTexts {

namespace {

const QString AuthorLine = QStringLiteral("作者网名：墨羽书生");
const QString MicroblogLine = QStringLiteral("腾讯微博：moyu_shusheng");
const QString EmailLine = QStringLiteral("E-Mail:quillet@example.com");

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ComposeTodayLine(const QDate& today) {
    return QStringLiteral("今天是：") + QString::number(today.year()) + QStringLiteral("年") +
           TwoDigits(today.month()) + QStringLiteral("月") + QString::number(today.day()) +
           QStringLiteral("日 ") + DateText::WeekdayName(DateText::WeekdayNumber(today));
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
