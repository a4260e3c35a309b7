#pragma once

#include <memory>

class MainWindow;
class Platform;
class SingleInstance;

// The entry procedure: when another copy runs, says so and creates nothing; otherwise creates the
// main window (history beside the executable, or in the user's data folder when the program's
// folder cannot be written), centres and shows it. Returns the window, or null
// when refused.
std::unique_ptr<MainWindow> StartProgram(Platform& platform, SingleInstance& instance);
