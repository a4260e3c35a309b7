#include "Platform.h"

#include "CentredMessageBox.h"

#include <QDesktopServices>
#include <QProcess>

QDateTime SystemPlatform::Now() const {
    return QDateTime::currentDateTime();
}

void SystemPlatform::ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) {
    CentredMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                          text, parent);
    box.exec();
}

void SystemPlatform::OpenUrl(const QUrl& url, std::function<void(bool opened)> done) {
#ifdef Q_OS_WIN
    // The shell reports at once whether it could start the browser.
    done(QDesktopServices::openUrl(url));
#else
    // The desktop's opener says by its exit status whether it could start a browser (xdg-open: 0
    // done, 1 bad arguments, 2 not found, 3 no tool found, 4 the action failed). It is not waited
    // for, and it has no parent: an opener still running when the program ends is left to run.
    auto* opener = new QProcess;
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, done](int code, QProcess::ExitStatus status) {
                         done(status == QProcess::NormalExit && code == 0);
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        done(false);
        opener->deleteLater();
    });
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
#endif
}
