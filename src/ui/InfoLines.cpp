#include "InfoLines.h"

#include "ControlFactory.h"
#include "DesignColours.h"
#include "Label.h"
#include "Platform.h"
#include "Twips.h"

#include "core/InfoTexts.h"
#include "core/SecondTimer.h"

#include <BuildVersion.h>

#include <QLocale>
#include <QPointer>

using namespace ControlFactory;

InfoLines::InfoLines(Platform& platform, QWidget* window, Label* todayLine)
    : m_platform(platform), m_window(window), m_todayLine(todayLine) {
    const LabelLook barLook = {FromBgr(0x00FFFFC0), Qt::AlignLeft, false, DesignColours::Blue};
    m_clockLine = MakeLabel(window, IndexedName("Todayis", 1), Twips::Rect(0, 5595, 4290, 225),
                            QStringLiteral(" 现在是：00:00"), barLook, DefaultFont(), InfoTexts::TimePageTip);
    LabelLook aboutLook = barLook;
    aboutLook.alignment = Qt::AlignRight;
    Label* about = MakeLabel(window, QStringLiteral("AboutMe"), Twips::Rect(4295, 5595, 505, 225),
                             QStringLiteral("关于 "), aboutLook, DefaultFont(), QStringLiteral("关于本程序"));
    for (Label* label : {m_todayLine, m_clockLine, about})
        label->setCursor(Qt::PointingHandCursor);
    for (Label* line : {m_todayLine, m_clockLine})
        connect(line, &Label::clicked, this, &InfoLines::OpenTimePage);
    connect(about, &Label::clicked, this, &InfoLines::ShowAbout);

    // The clock line changes with each second of the system clock: rather than polling every
    // millisecond, the timer wakes right after each second begins.
    m_clock = new SecondTimer(window);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    connect(m_clock, &SecondTimer::timeout, this, &InfoLines::ClockTick);
    m_clock->start();
}

void InfoLines::ShowToday(const QDate& today) {
    m_todayLine->SetCaption(InfoTexts::ComposeTodayLine(today));
}

void InfoLines::ClockTick() {
    const QTime now = m_platform.Now().time();
    const QString line = InfoTexts::ComposeClockLine(now, QLocale());
    if (m_clockLine->text() != line)
        m_clockLine->SetCaption(line);
}

void InfoLines::OpenTimePage() {
    // The answer may come after the window has gone.
    m_platform.OpenUrl(QUrl(InfoTexts::TimePageUrl),
                       [&platform = m_platform, window = QPointer<QWidget>(m_window)](bool opened) {
                           if (!opened && window)
                               platform.ShowMessage(window, Platform::Icon::Warning, ProgramTitle,
                                                    QStringLiteral("调用浏览器错误！"));
                       });
}

void InfoLines::ShowAbout() {
    m_platform.ShowMessage(m_window, Platform::Icon::Information, InfoTexts::AboutTitle,
                           InfoTexts::ComposeAboutText(BuildVersion::Major, BuildVersion::Minor));
}
