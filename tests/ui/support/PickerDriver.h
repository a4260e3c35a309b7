#pragma once

#include "WindowFixture.h"

#include <QDate>
#include <QStringList>

// Drives the window as a user would: real mouse clicks, list selections like a user's choice.
namespace PickerDriver {

// Writes `historyLines` to the fixture's history file, starts the window and makes it the active
// window, so that keyboard focus can be followed.
MainWindow& StartActive(WindowFixture& fixture, const QStringList& historyLines = {});

// A started, active window.
struct ActiveWindow {
    explicit ActiveWindow(const QStringList& historyLines = {})
        : window(StartActive(fixture, historyLines)), platform(fixture.platform), ui(window.Controls()) {}
    MainWindow* operator->() const { return &window; }

    WindowFixture fixture;
    MainWindow& window;
    FakePlatform& platform;
    const ControlTree& ui;
};

void Click(QWidget* widget);
// Chooses the year and month in the open panel's lists.
void Browse(const ControlTree& ui, int year, int month);
// Clicks the cell of day `day` (1 … 31).
void ClickDay(const ControlTree& ui, int day);
// Opens the picker from ChooseDate(field), browses to the date, clicks its day and confirms.
void ChooseDate(const ControlTree& ui, int field, QDate date);

} // namespace PickerDriver
