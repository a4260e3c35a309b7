#include "Platform.h"

#include <QDesktopServices>
#include <QMessageBox>

QDateTime SystemPlatform::Now() const {
    return QDateTime::currentDateTime();
}

void SystemPlatform::ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool SystemPlatform::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
