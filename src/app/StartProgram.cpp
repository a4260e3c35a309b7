#include "StartProgram.h"

#include "SingleInstance.h"

#include "core/HistoryFile.h"
#include "core/HistoryLocation.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>

std::unique_ptr<MainWindow> StartProgram(Platform& platform, SingleInstance& instance) {
    if (!instance.Acquire()) {
        platform.ShowMessage(nullptr, Platform::Icon::Warning, MainWindow::Title,
                             QStringLiteral("程序已在运行中！"));
        return nullptr;
    }
    const QString path =
        HistoryFile::PathIn(HistoryLocation::Directory(QCoreApplication::applicationDirPath()));
    auto window = std::make_unique<MainWindow>(platform, path);
    window->CentreOnScreen();
    window->show();
    return window;
}
