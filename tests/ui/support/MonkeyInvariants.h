#pragma once

#include <QStringList>

class MainWindow;

// The rules the main window keeps after every user action, whatever the actions were, for a window
// that started with an empty history (so every entry was made by a calculation). Returns one line
// per broken rule; empty when all hold.
namespace MonkeyInvariants {

QStringList Broken(const MainWindow& window);

} // namespace MonkeyInvariants
