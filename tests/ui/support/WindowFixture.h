#pragma once

#include "support/FakePlatform.h"

#include "core/HistoryFile.h"
#include "ui/DayCountBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A shown, active main window on a fake platform, its history file in a fresh temporary folder.
struct WindowFixture {
    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
    const ControlTree* ui = nullptr;

    // Writes the history file and starts the window, unless `start` is false.
    explicit WindowFixture(const QStringList& history = {}, bool start = true) {
        History::Slots texts;
        std::copy(history.begin(), history.end(), texts.begin());
        if (!history.isEmpty())
            HistoryFile::Save(HistoryPath(), texts);
        if (start)
            Start();
    }
    QString HistoryPath() const { return dir.filePath(HistoryFile::FileName); }

    void Start(const QString& historyPath = {}) {
        window = std::make_unique<MainWindow>(platform, historyPath.isEmpty() ? HistoryPath() : historyPath);
        ui = &window->Controls();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
    }
    MainWindow* operator->() const { return window.get(); }

    template <typename T = QWidget> T* Control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString Text(const QString& name) const { return Control<QObject>(name)->property("text").toString(); }
};

inline void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

inline QColor TextColour(const QWidget* label) {
    return label->palette().color(QPalette::WindowText);
}
