#pragma once

#include <QDate>
#include <QObject>

class Label;
class Platform;
class SecondTimer;
class QWidget;

// The today line, the clock line and the About label at the bottom, and the time page both lines
// open. It builds the bottom bar's controls on the window and handles the today line it is given.
class InfoLines : public QObject {
    Q_OBJECT
public:
    InfoLines(Platform& platform, QWidget* window, Label* todayLine);

    // Writes the today line for the date the program started on.
    void ShowToday(const QDate& today);
    // Rewrites the clock line from the clock.
    void ClockTick();
    void OpenTimePage();
    void ShowAbout();

private:
    Platform& m_platform;
    QWidget* m_window;
    Label* m_todayLine;
    Label* m_clockLine = nullptr;
    SecondTimer* m_clock = nullptr;
};
