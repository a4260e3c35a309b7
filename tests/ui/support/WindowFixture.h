#pragma once

#include "support/FakePlatform.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A shown main window on a fake platform, its history file in a fresh temporary folder.
struct WindowFixture {
    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;

    QString HistoryPath() const { return dir.filePath(QStringLiteral("Quillet.log")); }

    MainWindow& Start(const QString& historyPath = {}) {
        window = std::make_unique<MainWindow>(platform, historyPath.isEmpty() ? HistoryPath() : historyPath);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        return *window;
    }

    // The control with this object name; null when there is none of that type.
    template <typename T = QWidget> T* Control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString Text(const QString& name) const { return Control<QObject>(name)->property("text").toString(); }
};

inline QByteArray Gbk(const QString& text) {
    return QStringEncoder("GBK").encode(text);
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
