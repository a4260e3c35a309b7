#include "Platform.h"

#include "CentredMessageBox.h"

#include <QDesktopServices>

QDateTime SystemPlatform::Now() const {
    return QDateTime::currentDateTime();
}

void SystemPlatform::ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) {
    CentredMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                          text, parent);
    box.exec();
}

bool SystemPlatform::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
