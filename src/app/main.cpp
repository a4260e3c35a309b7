#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The class name desktop environments match the window against.
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    SystemPlatform platform;
    SingleInstance instance;
    const auto window = StartProgram(platform, instance);
    if (window)
        QApplication::exec();
    return 0;
}
