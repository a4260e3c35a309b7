#include "StartProgram.h"

#include <QApplication>
#include <QWidget>

int StartProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brenmoor"));
    window.show();
    app.exec();
    return 0;
}
