#pragma once

#include "StopSignals.h"

#include "ui/Platform.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

// The system, except that once a stop has been requested no box is shown: nobody may be there to
// answer it, and the program must end. Its text goes to stderr and is held for the next start.
class StopAwarePlatform : public SystemPlatform {
public:
    void ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) override {
        if (!StopRequested()) {
            SystemPlatform::ShowMessage(parent, icon, title, text);
            return;
        }
        std::fprintf(stderr, "Quillet: %s\n", QString(text).replace(u'\n', u' ').toLocal8Bit().constData());
        m_held << Notice{int(icon), title, text};
    }

    // Writes the notices no box could show where the next start finds them.
    void HoldForNextStart() const {
        if (m_held.isEmpty())
            return;
        QFile file(HeldPath());
        QDir().mkpath(QFileInfo(file).path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        QDataStream out(&file);
        for (const Notice& notice : m_held)
            out << notice.icon << notice.title << notice.text;
    }

    // Shows with `platform` the notices a stopped copy held, and forgets them once shown.
    static void ShowHeld(Platform& platform) {
        QFile file(HeldPath());
        if (!file.open(QIODevice::ReadOnly))
            return;
        QDataStream in(&file);
        while (!in.atEnd() && !StopRequested()) {
            Notice notice;
            in >> notice.icon >> notice.title >> notice.text;
            if (in.status() != QDataStream::Ok)
                break;
            platform.ShowMessage(nullptr, Icon(notice.icon), notice.title, notice.text);
        }
        if (!StopRequested())
            file.remove();
    }

private:
    struct Notice {
        int icon = 0;
        QString title;
        QString text;
    };
    static QString HeldPath() {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .filePath(QStringLiteral("Quillet.notices"));
    }
    QList<Notice> m_held;
};
