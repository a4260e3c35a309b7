#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The class name desktop environments match the window against.
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QIcon icon;
    // Read as PNG by name: letting Qt guess the format would load every image plugin at start-up.
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/icons/quillet-%1.png").arg(size), "PNG")));
    QApplication::setWindowIcon(icon);
    SystemPlatform platform;
    SingleInstance instance;
    const auto window = StartProgram(platform, instance);
    if (window)
        QApplication::exec();
    return 0;
}
