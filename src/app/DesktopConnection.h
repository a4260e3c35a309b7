#pragma once

#include <QApplication>

#include <memory>

// Creates the QApplication, which connects to the desktop session. Where none can be reached (no
// display at all, or one that refuses the connection) Qt would print its attempts and abort; this
// says so in one line on stderr and ends the program with status 1 instead. Qt's other messages
// while connecting are passed on once the connection stands.
std::unique_ptr<QApplication> ConnectToDesktop(int& argc, char** argv);
