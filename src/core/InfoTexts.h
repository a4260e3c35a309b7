#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The today line, the clock line, the About text and the address of the time page.
namespace InfoTexts {

// "今天是：2013年01月5日 星期六".
QString ComposeTodayLine(const QDate& today);

// " 现在是：下午 02:05:09"; the before-noon and from-noon designators come from the given locale.
QString ComposeClockLine(const QTime& time, const QLocale& locale);

// Seven lines joined by CR LF: version, blank, author, blank, microblog, blank, e-mail.
QString ComposeAboutText(int major, int minor);

inline const QString AboutTitle = QStringLiteral("关于 Brenmoor（Quillet）");

// A public page that shows the standard Beijing time, opened from the today and clock lines.
inline const QString TimePageUrl = QStringLiteral("https://time.ac.cn/");
inline const QString TimePageTip = QStringLiteral("点击查看标准的北京时间");

} // namespace InfoTexts
