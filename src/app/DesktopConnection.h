#pragma once

#include <QApplication>

#include <memory>

// Creates the QApplication, which connects to the desktop session. Where that fails (no display, one
// that refuses the connection, a platform plugin missing or unusable) Qt would print its attempts
// over many lines and abort; this prints the cause Qt gave in one line on stderr, with advice when
// no desktop session is in reach, and ends the program with status 1 instead. Qt's other messages
// while connecting are passed on once the connection stands.
std::unique_ptr<QApplication> ConnectToDesktop(int& argc, char** argv);
