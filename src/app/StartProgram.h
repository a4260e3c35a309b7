#pragma once

#include <memory>

class MainWindow;
class Platform;
class SingleInstance;

// The entry procedure: when another copy runs, says so and creates nothing; otherwise creates the
// main window with the history places HistoryLocation chooses, centres and shows it. When no
// single-instance lock can be created the program starts all the same, after warning that a second
// copy would go unseen. Notices a copy stopped from outside could not show are shown first. Returns
// the window, or null when refused or when a stop was requested meanwhile.
std::unique_ptr<MainWindow> StartProgram(Platform& platform, SingleInstance& instance);
