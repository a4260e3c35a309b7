// The today and clock lines, the time page and the About box.
#include "MainWindow.h"

#include "Label.h"

#include "core/InfoTexts.h"

#include <BuildVersion.h>

#include <QTimer>

void MainWindow::ConnectInfoLines() {
    for (Label* line : m_ui.Todayis)
        connect(line, &Label::clicked, this, &MainWindow::OpenTimePage);
    connect(m_ui.AboutMe, &Label::clicked, this, &MainWindow::ShowAbout);

    // The clock line changes with each second of the system clock. Rather than polling every
    // millisecond, the timer is re-armed at each tick for just after the next second begins, taken
    // afresh from the system clock so it never drifts and follows clock changes.
    m_ui.Timer1->setSingleShot(true);
    m_ui.Timer1->setTimerType(Qt::PreciseTimer);
    connect(m_ui.Timer1, &QTimer::timeout, this, &MainWindow::ClockTick);
}

void MainWindow::ClockTick() {
    const QTime now = m_platform.Now().time();
    const QString line = InfoTexts::ComposeClockLine(now, QLocale());
    if (m_ui.Todayis[1]->text() != line)
        m_ui.Todayis[1]->SetCaption(line);
    m_ui.Timer1->start(1000 - now.msec());
}

void MainWindow::OpenTimePage() {
    if (!m_platform.OpenUrl(QUrl(InfoTexts::TimePageUrl)))
        Warn(QStringLiteral("调用浏览器错误！"));
}

void MainWindow::ShowAbout() {
    m_platform.ShowMessage(this, Platform::Icon::Information, InfoTexts::AboutTitle,
                           InfoTexts::ComposeAboutText(BuildVersion::Major, BuildVersion::Minor));
}
