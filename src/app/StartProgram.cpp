#include "StartProgram.h"

#include "SingleInstance.h"
#include "StopAwarePlatform.h"
#include "StopSignals.h"

#include "BuildVersion.h"
#include "core/HistoryLocation.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QStandardPaths>

std::unique_ptr<MainWindow> StartProgram(Platform& platform, SingleInstance& instance) {
    const SingleInstance::Outcome outcome = instance.Acquire();
    if (outcome == SingleInstance::Outcome::Refused) {
        platform.ShowMessage(nullptr, Platform::Icon::Warning, ProgramTitle,
                             QStringLiteral("程序已在运行中！"));
        return nullptr;
    }
    if (outcome == SingleInstance::Outcome::Unguarded)
        // Locking the user out for good would be worse than the risk, so the program starts.
        platform.ShowMessage(nullptr, Platform::Icon::Warning, ProgramTitle,
                             QStringLiteral("无法创建锁文件“%1”，程序无法确认是否已有一个在运行。\n"
                                            "请不要同时运行两个本程序，否则关闭时历史记录会互相覆盖。")
                                 .arg(SingleInstance::LockPaths().constFirst()));
    StopAwarePlatform::ShowHeld(platform);
    // A stop request while a box was open ends the start: the box is closed, no window opens.
    if (StopRequested())
        return nullptr;
    const HistoryPlaces places = HistoryLocation::Choose(
        QCoreApplication::applicationDirPath(), QString::fromUtf8(BuildVersion::InstallBinDir),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    auto window = std::make_unique<MainWindow>(platform, places);
    if (StopRequested()) // during the load sequence's box; nothing has changed to be written
        return nullptr;
    window->CentreOnScreen();
    window->show();
    return window;
}
