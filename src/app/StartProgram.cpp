#include "StartProgram.h"

#include "SingleInstance.h"

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
    const HistoryPlaces places = HistoryLocation::Choose(
        QCoreApplication::applicationDirPath(), QString::fromUtf8(BuildVersion::InstallBinDir),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    auto window = std::make_unique<MainWindow>(platform, places);
    window->CentreOnScreen();
    window->show();
    return window;
}
