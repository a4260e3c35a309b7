#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The class name desktop environments match the window against.
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quillet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    SystemPlatform platform;
    SingleInstance instance;
    const auto window = StartProgram(platform, instance);
    if (window)
        QApplication::exec();
    return 0;
}
