#include "app/CommandLine.h"
#include "app/DesktopConnection.h"
#include "app/SingleInstance.h"
#include "app/StartProgram.h"
#include "app/StopAwarePlatform.h"
#include "app/StopSignals.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    // The class name desktop environments match the window against, and the data folder's name.
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Answer answer = CommandLine::Read(arguments);
    if (!answer.start) {
        std::fputs(answer.output.toLocal8Bit().constData(), stdout);
        std::fputs(answer.error.toLocal8Bit().constData(), stderr);
        return answer.exitCode;
    }

    const auto app = ConnectToDesktop(argc, argv);
    // Qt's own texts, such as the button of a message box, in the user's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        // Read as PNG by name: letting Qt guess the format would load every image plugin at start-up.
        QImageReader reader(QStringLiteral(":/icons/quillet-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    QApplication::setWindowIcon(icon);
    EndOnStopRequests();

    StopAwarePlatform platform;
    SingleInstance instance;
    const auto window = StartProgram(platform, instance);
    const int code = window ? QApplication::exec() : 0;
    platform.HoldForNextStart();
    return code;
}
